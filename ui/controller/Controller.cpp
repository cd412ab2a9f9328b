#include "Controller.h"

#include <algorithm>

#include "TextFill.h"
#include "WindowTables.h"
#include "form/FormLayout.h"

namespace controller {

namespace {

using carriers::TextBoxId;
using form::Binding;
using form::BindingTable;
using form::Event;
using form::TimerRole;

std::size_t TimerRowOf(TimerRole role) {
    const auto timers = form::TimerTable();
    return static_cast<std::size_t>(
        std::find_if(timers.begin(), timers.end(),
                     [&](const form::TimerSpec& t) { return t.role == role; }) -
        timers.begin());
}

const form::TimerSpec& TimerAt(std::size_t row) { return form::TimerTable()[row]; }

}  // namespace

Controller::Controller(const form::Language& language, FrontEnd& frontEnd,
                       std::string decimalSeparator)
    : Runtime(WindowLoadState(), std::move(decimalSeparator)),
      description_(language),
      frontEnd_(frontEnd),
      model_(*this),
      // The readout shows the crossings of as many ticks as fit its interval.
      pace_(TimerAt(TimerRowOf(TimerRole::CurrentReadout)).intervalMs /
            TimerAt(TimerRowOf(TimerRole::Tick)).intervalMs),
      tickRow_(TimerRowOf(TimerRole::Tick)),
      readoutRow_(TimerRowOf(TimerRole::CurrentReadout)),
      tickBinding_(*BindingOf(TimerAt(tickRow_).key, Event::Timer)),
      readoutBinding_(*BindingOf(TimerAt(readoutRow_).key, Event::Timer)) {}

std::optional<std::size_t> Controller::BindingOf(form::ControlKey control, Event event) {
    const auto bindings = BindingTable();
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        if (bindings[i].control == control && bindings[i].event == event) return i;
    }
    return std::nullopt;
}

void Controller::Load() {
    for (const Binding& binding : BindingTable()) {
        if (binding.event == Event::Load) Dispatch([&] { (model_.*binding.handler)(); });
    }
    UpdateTimers();
    frontEnd_.AfterEvent(false);
}

void Controller::Fire(std::size_t binding) {
    const auto bindings = BindingTable();
    if (ended_ || binding >= bindings.size()) return;
    const Binding& row = bindings[binding];
    if (row.event == Event::Timer) {
        // A timer's binding fired by hand runs its handler once, as a
        // test or a step does; the pace only counts the tick timer's pulses.
        binding == tickBinding_ ? RunTick() : RunReadout();
    } else if (!row.handler) {
        Close();
        return;
    } else {
        RunBinding(row);
    }
    if (!ended_) frontEnd_.AfterEvent(row.event != Event::Timer);
}

void Controller::RunBinding(const Binding& binding) {
    rejected_ = false;
    Dispatch([&] { (model_.*binding.handler)(); });
    // A refused input is read out by its notice, an error by its report.
    if (ended_ || rejected_) return;
    if (binding.announce == form::Announcement::Start) {
        // Start always leaves the run going, at the chosen speed.
        pace_.SetPaused(false);
        UpdateTimers();
        frontEnd_.TimeControlsChanged();
    }
    if (binding.announce == form::Announcement::None) return;
    const std::string said = form::Announce(description_.language().spoken, binding.announce,
                                            Facts(), Text(TextBoxId::Text2));
    if (!said.empty()) frontEnd_.Announce(said, binding.event == Event::Change);
}

void Controller::RunTick() {
    const auto& bindings = BindingTable();
    Dispatch([&] { (model_.*bindings[tickBinding_].handler)(); });
}

void Controller::RunReadout() {
    const auto& bindings = BindingTable();
    Dispatch([&] { (model_.*bindings[readoutBinding_].handler)(); });
}

void Controller::TimerFired(std::size_t timerRow) {
    if (ended_) return;
    if (timerRow == tickRow_) {
        if (pace_.Paused() || !tickEnabled_) return;
        for (int i = 0; i < pace_.Speed() && !ended_; ++i) {
            RunTick();
            if (!ended_ && pace_.TickCounted()) RunReadout();
        }
    } else if (timerRow == readoutRow_) {
        if (pace_.Paused() || pace_.ReadoutFollowsTicks()) return;
        RunReadout();
    }
    if (!ended_) frontEnd_.AfterEvent(false);
}

void Controller::SetPaused(bool paused) {
    if (ended_ || paused == pace_.Paused()) return;
    pace_.SetPaused(paused);
    UpdateTimers();
    frontEnd_.TimeControlsChanged();
}

void Controller::Step() {
    if (ended_ || !pace_.Paused() || !tickEnabled_) return;
    RunTick();
    if (!ended_ && pace_.TickCounted()) RunReadout();
    if (!ended_) frontEnd_.AfterEvent(true);
}

void Controller::SetSpeed(int speed) {
    if (ended_ || !pace_.SetSpeed(speed)) return;
    UpdateTimers();
    frontEnd_.TimeControlsChanged();
}

void Controller::UpdateTimers() {
    const auto timers = form::TimerTable();
    for (std::size_t row = 0; row < timers.size(); ++row) {
        bool running = !ended_ && !pace_.Paused();
        if (row == tickRow_) running = running && tickEnabled_;
        if (row == readoutRow_) {
            running = running && timers[row].enabledAtLoad && !pace_.ReadoutFollowsTicks();
        }
        frontEnd_.SetTimerRunning(row, running);
    }
}

void Controller::Close() {
    if (ended_) return;
    EndProgram(0, std::string(description_.language().notices.programEnded));
}

void Controller::EndProgram(int status, const std::string& message) {
    ended_ = true;
    UpdateTimers();
    frontEnd_.End(status, message);
}

form::SceneFacts Controller::Facts() const {
    return form::FactsOf(model_, tickEnabled_, Check1Value() == 1, dopingUsable_);
}

std::string Controller::Scene() const {
    return form::DescribeScene(description_.language().spoken, Facts());
}

std::string Controller::ChartTrend() const {
    return form::DescribeChart(description_.language().spoken, Chart());
}

std::string Controller::Text(TextBoxId box) const { return frontEnd_.Text(box); }

void Controller::SetText(TextBoxId box, const std::string& text) { frontEnd_.SetText(box, text); }

int Controller::Check1Value() const { return frontEnd_.Check1Value(); }

void Controller::SetTimer1Enabled(bool enabled) {
    if (enabled == tickEnabled_) return;
    tickEnabled_ = enabled;
    UpdateTimers();
}

void Controller::RejectInput(TextBoxId box, carriers::AcceptedRange accepted) {
    rejected_ = true;
    const form::NoticeTexts& notices = description_.language().notices;
    const std::string low = DoubleToText(accepted.low);
    const std::string high = DoubleToText(accepted.high);
    frontEnd_.ShowRefusal(box, std::string(notices.rejectTitle),
                          Fill(notices.rejectMessage,
                               {{"{box}", description_.AccessibleName(ControlOf(box))},
                                {"{low}", low},
                                {"{high}", high}}));
}

void Controller::SetDopingEntryComplete(bool complete) {
    dopingUsable_ = complete;
    const form::Language& language = description_.language();
    const std::string hint = complete ? std::string() : std::string(language.notices.dopingIncomplete);
    // The boxes whose editing sets the Fermi level carry the hint.
    for (const Binding& binding : BindingTable()) {
        if (binding.event != Event::Change) continue;
        std::string description = form::DescribeInput(language.spoken, binding.control);
        if (!hint.empty()) description += (description.empty() ? "" : " ") + hint;
        frontEnd_.SetBoxHint(*BoxOf(binding.control), hint, description);
    }
}

void Controller::ReportRuntimeError(carriers::ErrorKind kind) {
    if (ended_) return;
    const form::NoticeTexts& notices = description_.language().notices;
    const std::string text = Fill(
        notices.errorMessage, {{"{error}", notices.errorNames.at(static_cast<std::size_t>(kind))}});
    // No handler may run behind the report, not even from its event loop.
    ended_ = true;
    UpdateTimers();
    frontEnd_.ShowErrorReport(std::string(notices.errorTitle), text);
    frontEnd_.End(1, text + "\n" + std::string(notices.programEnded));
}

void Controller::OnChartPoint(const carriers::ChartPoint& point) {
    frontEnd_.ChartPointAdded(point);
}

void Controller::OnChartCleared() { frontEnd_.ChartCleared(); }

}  // namespace controller
