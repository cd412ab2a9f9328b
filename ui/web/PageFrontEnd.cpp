#include "PageFrontEnd.h"

#include <emscripten.h>

#include <cstdlib>
#include <string>

#include "FrontEnd.h"

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
EM_JS(void, PageSetCheck1, (int ticked), { Module.page.setCheck1(ticked !== 0); });
EM_JS(void, PageSetTimerRunning, (int row, int running), { Module.page.setTimerRunning(row, running !== 0); });
EM_JS(void, PageShowRefusal, (int box, const char* title, const char* text), {
    Module.page.showRefusal(box, UTF8ToString(title), UTF8ToString(text));
});
EM_JS(void, PageSetBoxHint, (int box, const char* hint, const char* description), {
    Module.page.setBoxHint(box, UTF8ToString(hint), UTF8ToString(description));
});
EM_JS(void, PageEnd, (int status, const char* message), { Module.page.end(status, UTF8ToString(message)); });
EM_JS(void, PageAnnounce, (const char* text, int onceTypingPauses), {
    Module.page.announce(UTF8ToString(text), onceTypingPauses !== 0);
});
EM_JS(void, PageAfterEvent, (int byUser), { Module.page.afterEvent(byUser !== 0); });
EM_JS(void, PageTimeControlsChanged, (), { Module.page.timeControlsChanged(); });
EM_JS(void, PageLanguageChanged, (), { Module.page.languageChanged(); });
EM_JS(void, PageSpeak, (const char* text, const char* tag, int onceTypingPauses), {
    Module.page.speak(UTF8ToString(text), UTF8ToString(tag), onceTypingPauses !== 0);
});
// clang-format on

namespace form {

namespace {

int Number(carriers::TextBoxId box) { return static_cast<int>(box); }

class PageFrontEnd : public controller::FrontEnd {
  public:
    // The page reads numbers as typed, with a point in every locale.
    PageFrontEnd(const Program& program, const Language* language)
        : controller_(program, *this, ".", language) {}

    controller::Controller& Controller() { return controller_; }

    std::string Text(carriers::TextBoxId box) const override {
        char* text = PageGetText(Number(box));
        std::string copy(text);
        std::free(text);
        return copy;
    }
    void SetText(carriers::TextBoxId box, const std::string& text) override {
        PageSetText(Number(box), text.c_str());
    }
    int Check1Value() const override { return PageCheck1Value(); }
    void SetCheck1(bool ticked) override { PageSetCheck1(ticked ? 1 : 0); }
    void SetTimerRunning(std::size_t row, bool running) override {
        PageSetTimerRunning(static_cast<int>(row), running ? 1 : 0);
    }
    void ShowRefusal(std::optional<carriers::TextBoxId> box, const std::string& title,
                     const std::string& text) override {
        // 0: no box gets the focus back.
        PageShowRefusal(box ? Number(*box) : 0, title.c_str(), text.c_str());
    }
    void SetBoxHint(carriers::TextBoxId box, const std::string& hint,
                    const std::string& description) override {
        PageSetBoxHint(Number(box), hint.c_str(), description.c_str());
    }
    // The ended message names the error: a page shows no dialog before it.
    void ShowErrorReport(const std::string&, const std::string&) override {}
    void End(int status, const std::string& message) override { PageEnd(status, message.c_str()); }
    void Announce(const std::string& text, bool onceTypingPauses) override {
        PageAnnounce(text.c_str(), onceTypingPauses ? 1 : 0);
    }
    void AfterEvent(bool byUser) override { PageAfterEvent(byUser ? 1 : 0); }
    void TimeControlsChanged() override { PageTimeControlsChanged(); }
    void LanguageChanged() override { PageLanguageChanged(); }
    void Speak(const controller::Utterance& utterance) override {
        PageSpeak(utterance.text.c_str(), utterance.languageTag.c_str(),
                  utterance.onceTypingPauses ? 1 : 0);
    }

  private:
    controller::Controller controller_;
};

}  // namespace

controller::Controller& PageController(const Program& program, const Language* language) {
    static PageFrontEnd page(program, language);
    return page.Controller();
}

}  // namespace form
