#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "Runtime.h"
#include "Speech.h"

namespace controller {

// What the controller asks of a front end (the Qt window, the browser page,
// a test's fake): its real controls and timers, and a place to show what
// the controller has decided. A front end decides nothing itself.
class FrontEnd {
  public:
    virtual ~FrontEnd() = default;

    virtual std::string Text(carriers::TextBoxId box) const = 0;
    // Writes a box without raising its Change event: the controller runs the
    // handler itself when a set-up types into a box.
    virtual void SetText(carriers::TextBoxId box, const std::string& text) = 0;
    // 0 cleared, 1 ticked, 2 greyed.
    virtual int Check1Value() const = 0;
    // Without raising its Click event, as SetText.
    virtual void SetCheck1(bool ticked) = 0;

    // A timer of the description's table, by its row, fires at its interval
    // (never more than one pending) or is still.
    virtual void SetTimerRunning(std::size_t timerRow, bool running) = 0;

    // Start or a set-up refused a value: shown once the running handler has
    // returned, and afterwards its box, if it has one, has the focus with its
    // text selected.
    virtual void ShowRefusal(std::optional<carriers::TextBoxId> box, const std::string& title,
                             const std::string& text) = 0;
    // A quiet hint on a box (never a dialog while the user types); an empty
    // hint clears it. `description` is the box's whole description with it.
    virtual void SetBoxHint(carriers::TextBoxId box, const std::string& hint,
                            const std::string& description) = 0;
    // A run-time error, shown before the program ends.
    virtual void ShowErrorReport(const std::string& title, const std::string& text) = 0;
    // The program has ended: timers are already still; `message` says so.
    virtual void End(int status, const std::string& message) = 0;

    // Said once to a screen reader; `onceTypingPauses` holds it back until
    // the typing in a box pauses.
    virtual void Announce(const std::string& text, bool onceTypingPauses) = 0;
    // After every event the controller handled: repaint once; a user's
    // action refreshes the descriptions at once, a timer's when due.
    virtual void AfterEvent(bool byUser) = 0;
    virtual void ChartPointAdded(const carriers::ChartPoint&) {}
    virtual void ChartCleared() {}
    // Pause or speed changed: commands and the panel follow.
    virtual void TimeControlsChanged() {}
    // The user chose another language: every text, name and description,
    // and the places of the controls the language moves, follow.
    virtual void LanguageChanged() {}
    // Read aloud, when the user has asked for speech. A newer utterance
    // replaces one that has not started yet, so speech never falls behind.
    virtual void Speak(const Utterance&) {}
    // The user turned speech on or off: the front end finds its engine when
    // first asked, and falls silent when told.
    virtual void SpeakOnChanged(bool) {}
};

}  // namespace controller
