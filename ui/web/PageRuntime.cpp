#include "PageRuntime.h"

#include <emscripten.h>

#include <cstdlib>

// The page's script object, Module.page, does what only the page can.
// clang-format off
EM_JS(char*, PageGetText, (int box), {
    const text = Module.page.getText(box);
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
EM_JS(void, PageSetText, (int box, const char* text), { Module.page.setText(box, UTF8ToString(text)); });
EM_JS(int, PageCheck1Value, (), { return Module.page.check1Value(); });
EM_JS(void, PageSetTimer1Enabled, (int enabled), { Module.page.setTimer1Enabled(enabled !== 0); });
EM_JS(void, PageShowNotice, (int box, const char* title, const char* text), {
    Module.page.showNotice(box, UTF8ToString(title), UTF8ToString(text));
});
EM_JS(void, PageSetDopingComplete, (int complete, const char* hint), {
    Module.page.setDopingComplete(complete !== 0, UTF8ToString(hint));
});
EM_JS(void, PageEnd, (const char* message), { Module.page.end(UTF8ToString(message)); });
EM_JS(void, PageRequestPaint, (), { Module.page.requestPaint(); });
// clang-format on

namespace form {

namespace {

std::string Fill(std::string text, std::string_view field, const std::string& value) {
    if (const auto at = text.find(field); at != std::string::npos) {
        text.replace(at, field.size(), value);
    }
    return text;
}

std::string BoxName(carriers::TextBoxId box) {
    return "Text" + std::to_string(static_cast<int>(box));
}

}  // namespace

PageRuntime::PageRuntime(const Language& language) : description_(language), model_(*this) {}

std::string PageRuntime::Dispatch(std::size_t binding) {
    const auto bindings = BindingTable();
    if (ended_ || binding >= bindings.size()) return {};
    const auto handler = bindings[binding].handler;
    if (!handler) {
        // Command2 ends the program; a page cannot close itself.
        EndProgram(std::string(description_.language().notices.programEnded));
        return {};
    }
    rejected_ = false;
    Runtime::Dispatch([this, handler] { (model_.*handler)(); });
    // The notice or the ending speaks; the ticks say nothing, and must not
    // ask the page for the boxes 20 times a second to say it.
    const Announcement announce = bindings[binding].announce;
    if (ended_ || rejected_ || announce == Announcement::None) return {};
    return Announce(description_.language().spoken, announce,
                    FactsOf(model_, timer1Enabled_, Check1Value() == 1, dopingUsable_),
                    Text(carriers::TextBoxId::Text2));
}

std::string PageRuntime::Scene() const {
    return DescribeScene(description_.language().spoken,
                         FactsOf(model_, timer1Enabled_, Check1Value() == 1, dopingUsable_));
}

std::string PageRuntime::Text(carriers::TextBoxId box) const {
    char* text = PageGetText(static_cast<int>(box));
    std::string copy(text);
    std::free(text);
    return copy;
}

void PageRuntime::SetText(carriers::TextBoxId box, const std::string& text) {
    PageSetText(static_cast<int>(box), text.c_str());
}

int PageRuntime::Check1Value() const { return PageCheck1Value(); }

void PageRuntime::SetTimer1Enabled(bool enabled) {
    if (enabled == timer1Enabled_) return;
    timer1Enabled_ = enabled;
    PageSetTimer1Enabled(enabled ? 1 : 0);
}

void PageRuntime::RejectInput(carriers::TextBoxId box, carriers::AcceptedRange accepted) {
    rejected_ = true;
    const NoticeTexts& notices = description_.language().notices;
    const std::string name = BoxName(box);
    std::string text = Fill(std::string(notices.rejectMessage), "{box}",
                            std::string(description_.AccessibleName({name})));
    text = Fill(text, "{low}", DoubleToText(accepted.low));
    text = Fill(text, "{high}", DoubleToText(accepted.high));
    PageShowNotice(static_cast<int>(box), std::string(notices.rejectTitle).c_str(), text.c_str());
}

void PageRuntime::SetDopingEntryComplete(bool complete) {
    dopingUsable_ = complete;
    const std::string hint(description_.language().notices.dopingIncomplete);
    PageSetDopingComplete(complete ? 1 : 0, hint.c_str());
}

void PageRuntime::ReportRuntimeError(carriers::ErrorKind kind) {
    const NoticeTexts& notices = description_.language().notices;
    const std::string error(notices.errorNames.at(static_cast<std::size_t>(kind)));
    EndProgram(Fill(std::string(notices.errorMessage), "{error}", error) + "\n" +
               std::string(notices.programEnded));
}

void PageRuntime::EndProgram(const std::string& message) {
    if (ended_) return;
    ended_ = true;
    PageEnd(message.c_str());
}

void PageRuntime::HandlerFinished() { PageRequestPaint(); }

}  // namespace form
