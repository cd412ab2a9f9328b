#pragma once

#include <string>

#include "Controller.h"
#include "FrontEnd.h"

namespace form {

// The page as the controller's front end: the controls, timers and notices
// are the page script's, reached through Module.page; the markers, lines
// and chart points are read by its painter straight from the controller's
// memory.
class PageFrontEnd : public controller::FrontEnd {
  public:
    explicit PageFrontEnd(const Language& language);

    controller::Controller& Controller() { return controller_; }

    std::string Text(carriers::TextBoxId box) const override;
    void SetText(carriers::TextBoxId box, const std::string& text) override;
    int Check1Value() const override;
    void SetCheck1(bool ticked) override;
    void SetTimerRunning(std::size_t timerRow, bool running) override;
    void ShowRefusal(std::optional<carriers::TextBoxId> box, const std::string& title,
                     const std::string& text) override;
    void SetBoxHint(carriers::TextBoxId box, const std::string& hint,
                    const std::string& description) override;
    void ShowErrorReport(const std::string&, const std::string&) override {}
    void End(int status, const std::string& message) override;
    void Announce(const std::string& text, bool onceTypingPauses) override;
    void AfterEvent(bool byUser) override;
    void TimeControlsChanged() override;

  private:
    controller::Controller controller_;
};

}  // namespace form
