#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "FrontEnd.h"
#include "WindowTables.h"
#include "form/FormLayout.h"

namespace controller::testing {

// A front end without a window: its boxes start with the window's initial
// texts, its timers are flags the test fires by hand, and what the
// controller shows is recorded.
class FakeFrontEnd : public FrontEnd {
  public:
    FakeFrontEnd() {
        for (const BoxRow& box : BoxTable()) texts[Slot(box.box)] = InitialText(box.box);
        running.resize(form::TimerTable().size());
    }

    std::string Text(carriers::TextBoxId box) const override { return texts[Slot(box)]; }
    void SetText(carriers::TextBoxId box, const std::string& text) override {
        texts[Slot(box)] = text;
    }
    int Check1Value() const override { return check1; }
    void SetCheck1(bool ticked) override { check1 = ticked ? 1 : 0; }
    void SetTimerRunning(std::size_t row, bool on) override { running.at(row) = on; }
    void ShowRefusal(std::optional<carriers::TextBoxId> box, const std::string&,
                     const std::string& text) override {
        refusals.push_back({box, text});
    }
    void SetBoxHint(carriers::TextBoxId, const std::string& hint, const std::string&) override {
        lastHint = hint;
    }
    void ShowErrorReport(const std::string&, const std::string& text) override {
        errorReport = text;
    }
    void End(int status, const std::string&) override { ended = status; }
    void Announce(const std::string& text, bool) override { announced.push_back(text); }
    void AfterEvent(bool) override { ++events; }
    void Speak(const Utterance& utterance) override { spoken.push_back(utterance); }
    void SpeakOnChanged(bool on) override { speakSwitches += on ? '+' : '-'; }

    struct Refusal {
        std::optional<carriers::TextBoxId> box;
        std::string text;
    };
    std::array<std::string, 7> texts;
    int check1 = 0;
    std::vector<bool> running;
    std::vector<Refusal> refusals;
    std::string lastHint;
    std::optional<std::string> errorReport;
    std::optional<int> ended;
    std::vector<std::string> announced;
    std::vector<Utterance> spoken;
    std::string speakSwitches;  // + each time speech was turned on, - off
    int events = 0;

  private:
    static std::size_t Slot(carriers::TextBoxId box) { return static_cast<std::size_t>(box) - 1; }
};

}  // namespace controller::testing
