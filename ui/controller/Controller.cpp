#include "Controller.h"

#include <algorithm>

#include "TextFill.h"
#include "TypedForms.h"
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

Controller::Controller(const form::Program& program, FrontEnd& frontEnd,
                       std::string decimalSeparator, const form::Language* language)
    : Runtime(WindowLoadState(), decimalSeparator),
      description_(program, language ? *language : *form::FindLanguage(program.languageCode)),
      frontEnd_(frontEnd),
      model_(*this),
      // The readout shows the crossings of as many ticks as fit its interval.
      pace_(TimerAt(TimerRowOf(TimerRole::CurrentReadout)).intervalMs /
            TimerAt(TimerRowOf(TimerRole::Tick)).intervalMs),
      tickRow_(TimerRowOf(TimerRole::Tick)),
      readoutRow_(TimerRowOf(TimerRole::CurrentReadout)),
      tickBinding_(*BindingOf(TimerAt(tickRow_).key, Event::Timer)),
      readoutBinding_(*BindingOf(TimerAt(readoutRow_).key, Event::Timer)),
      decimalSeparator_(std::move(decimalSeparator)) {}

std::optional<std::size_t> Controller::BindingOf(form::ControlKey control, Event event) {
    const auto bindings = BindingTable();
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        if (bindings[i].control == control && bindings[i].event == event) return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> Controller::BindingFor(form::Announcement action) {
    const auto bindings = BindingTable();
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        if (bindings[i].announce == action) return i;
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
    Note(binding.announce);
    if (binding.announce == form::Announcement::Start) {
        // Start always leaves the run going, at the chosen speed.
        pace_.SetPaused(false);
        UpdateTimers();
        frontEnd_.TimeControlsChanged();
    }
    if (binding.announce == form::Announcement::None) return;
    const std::string said = form::Announce(description_.language().spoken, binding.announce,
                                            Facts(), Text(TextBoxId::Text2));
    if (said.empty()) return;
    frontEnd_.Announce(said, binding.event == Event::Change);
    Say(said, binding.event == Event::Change);
}

void Controller::RunTick() {
    const auto& bindings = BindingTable();
    // The current readout clears the tally only between ticks, so the
    // difference is this tick's own crossings.
    const int tallyBefore = model_.CurrentTally.value();
    Dispatch([&] { (model_.*bindings[tickBinding_].handler)(); });
    if (ended_) return;
    const int electrons = model_.ElectronCount.value();
    const int holes = model_.HoleCount.value();
    record_.AddTick(electrons, holes, model_.CurrentTally.value() - tallyBefore,
                    Check1Value() == 1);
    classData_.AddTick(electrons, holes);
}

void Controller::Note(form::Announcement action) {
    const int temperature = model_.Temperature.value();
    switch (action) {
        case form::Announcement::Start: {
            double fermi = 0.0;
            try {
                fermi = TextToDouble(Text(TextBoxId::Text2));
            } catch (const carriers::RuntimeError&) {
            }  // Start has read it, so it is a number
            record_.StartRun(temperature, fermi);
            classData_.Reset(temperature);
            break;
        }
        case form::Announcement::Light:
            record_.Mark(RecordEvent::Light);
            // Paused, the panel shows the counts Light made at once, as the
            // next tick would while running.
            classData_.Reset(temperature,
                             std::pair{model_.ElectronCount.value(), model_.HoleCount.value()});
            break;
        case form::Announcement::Diffusion:
            record_.Mark(RecordEvent::Diffusion);
            break;
        case form::Announcement::Field:
            record_.Mark(Check1Value() == 1 ? RecordEvent::FieldOn : RecordEvent::FieldOff);
            break;
        case form::Announcement::Doping:
        case form::Announcement::None:
            break;
    }
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
    const form::SpokenTexts& spoken = description_.language().spoken;
    Say(std::string(paused ? spoken.paused : spoken.resumed));
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
    Say(Fill(description_.language().spoken.speed, {{"{n}", std::to_string(speed)}}));
}

void Controller::SetSpeakOn(bool on) {
    if (on == speakOn_) return;
    speakOn_ = on;
    frontEnd_.SpeakOnChanged(on);
}

void Controller::SetSpeechState(SpeechState state) { speechState_ = state; }

void Controller::Say(const std::string& text, bool onceTypingPauses) {
    // Only a voice of the window's language: where the device has none,
    // nothing is read out in another's.
    if (!speakOn_ || !MaySpeak(speechState_) || text.empty()) return;
    frontEnd_.Speak({text, std::string(description_.language().tag), onceTypingPauses});
}

void Controller::Refuse(std::optional<TextBoxId> box, const std::string& text) {
    frontEnd_.ShowRefusal(box, std::string(description_.program().name), text);
    Say(text);
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

std::string Controller::Caption(Command command) const {
    const form::TeachingTexts& texts = description_.language().teaching;
    switch (command) {
        case Command::PauseResume:
            return std::string(pace_.Paused() ? texts.resume : texts.pause);
        case Command::Step:
            return std::string(texts.step);
        case Command::Faster:
            return std::string(texts.faster);
        case Command::Slower:
            return std::string(texts.slower);
        case Command::Speed:
            return std::string(texts.speed);
        case Command::ClassData:
            return std::string(texts.classData);
        case Command::SaveData:
            return std::string(texts.saveData);
        case Command::SavePicture:
            return std::string(texts.savePicture);
        case Command::CopyData:
            return std::string(texts.copyData);
        case Command::CopyPicture:
            return std::string(texts.copyPicture);
        case Command::CopyLink:
            return std::string(description_.language().setup.copyLink);
        case Command::Speak:
            if (speechState_ == SpeechState::NoVoice) {
                return Fill(texts.noVoice, {{"{language}", description_.language().name}});
            }
            return std::string(speechState_ == SpeechState::NoService ? texts.noService
                                                                      : texts.speak);
        case Command::SayScene:
            return std::string(texts.sayScene);
    }
    return {};
}

std::string Controller::SpeedCaption(int speed) const {
    return Fill(description_.language().teaching.speedChoice, {{"{n}", std::to_string(speed)}});
}

bool Controller::Enabled(Command command) const {
    // Once the program has ended nothing runs, but what it recorded can
    // still be seen and taken away.
    if (ended_ && IsTimeControl(command)) return false;
    const auto at = std::find(kSpeeds.begin(), kSpeeds.end(), pace_.Speed());
    switch (command) {
        case Command::Step:
            return pace_.Paused() && tickEnabled_;
        case Command::Faster:
            return at + 1 != kSpeeds.end();
        case Command::Slower:
            return at != kSpeeds.begin();
        case Command::SaveData:
        case Command::CopyData:
            return record_.Rows() > 0;
        case Command::Speak:
            return MaySpeak(speechState_);
        case Command::SayScene:
            return speakOn_ && MaySpeak(speechState_);
        default:
            return true;
    }
}

bool Controller::Run(Command command, int speed) {
    if (!RunByController(command)) return false;  // the front end's to do
    if (!Enabled(command)) return true;
    const auto at = std::find(kSpeeds.begin(), kSpeeds.end(), pace_.Speed());
    switch (command) {
        case Command::PauseResume:
            SetPaused(!pace_.Paused());
            return true;
        case Command::Step:
            Step();
            return true;
        case Command::Faster:
            SetSpeed(*(at + 1));
            return true;
        case Command::Slower:
            SetSpeed(*(at - 1));
            return true;
        case Command::Speed:
            SetSpeed(speed);
            return true;
        case Command::Speak:
            SetSpeakOn(!speakOn_);
            return true;
        case Command::SayScene:
            Say(Scene());
            return true;
        default:
            return false;
    }
}

void Controller::SetLanguage(const form::Language& language) {
    if (&language == &description_.language()) return;
    description_.SetLanguage(language);
    // The doping boxes' hints are in the language too.
    SetDopingEntryComplete(dopingUsable_);
    frontEnd_.LanguageChanged();
}

ClassDataView Controller::ClassDataPanel() const {
    return ViewOf(classData_.Summary(), classData_.History(), description_.language(), tickEnabled_,
                  pace_.Paused(), pace_.Speed(), decimalSeparator_);
}

std::string Controller::FileName(bool picture) const {
    const form::TeachingTexts& texts = description_.language().teaching;
    return Fill(picture ? texts.pictureFile : texts.dataFile,
                {{"{program}", description_.program().name}});
}

std::string Controller::SetupLink() const {
    // The program's own language needs no word: its page opens in it.
    SharedSetup setup =
        SetupOf({Text(TextBoxId::Text1), Text(TextBoxId::Text2), Text(TextBoxId::Text4),
                 Text(TextBoxId::Text5), Check1Value() == 1, pace_.Speed()},
                decimalSeparator_);
    const form::Language& language = description_.language();
    if (language.code != description_.program().languageCode) {
        setup.Set(SetupKey::Language, std::string(language.code));
    }
    return FragmentOf(setup);
}

void Controller::TypeInto(TextBoxId box, const std::string& text) {
    frontEnd_.SetText(box, text);
    if (const auto binding = BindingOf(ControlOf(box), Event::Change)) Fire(*binding);
}

std::optional<SetupProblem> Controller::Apply(const SharedSetup& setup) {
    if (ended_) return std::nullopt;
    const std::optional<SetupProblem> problem =
        FirstProblem(setup, {Text(TextBoxId::Text4), Text(TextBoxId::Text5)}, decimalSeparator_);
    std::string languageNotice;
    for (const SharedSetup::Step& step : setup.Steps()) {
        const std::string value(step.value);
        const bool bad = problem && problem->key == step.key;
        switch (step.key) {
            case SetupKey::Language:
                // A language it lacks leaves the program in its own, and says so.
                if (const form::Language* language = form::FindLanguage(value)) {
                    SetLanguage(*language);
                } else {
                    languageNotice = Fill(description_.language().setup.languageUnknown,
                                          {{"{value}", Shortened(value)},
                                           {"{language}", description_.language().name}});
                }
                break;
            case SetupKey::Temperature:
                TypeInto(TextBoxId::Text1, value);
                break;
            case SetupKey::Fermi:
                TypeInto(TextBoxId::Text2, value);
                break;
            case SetupKey::Donors:
                TypeInto(TextBoxId::Text4, value);
                break;
            case SetupKey::Acceptors:
                TypeInto(TextBoxId::Text5, value);
                break;
            case SetupKey::Field:
                if (const auto on = setup.Field(); on && !bad && *on != (Check1Value() == 1)) {
                    frontEnd_.SetCheck1(*on);
                    if (const auto click = BindingFor(form::Announcement::Field)) Fire(*click);
                }
                break;
            case SetupKey::Speed:
                if (const auto speed = setup.Speed(); speed && !bad) SetSpeed(*speed);
                break;
            case SetupKey::Speak:
                if (const auto on = setup.Speak(); on && !bad) SetSpeakOn(*on);
                break;
            case SetupKey::Start:
                // A bad value never starts a wrong run.
                if (!problem && setup.Start()) {
                    if (const auto start = BindingFor(form::Announcement::Start)) Fire(*start);
                }
                break;
        }
    }
    // Every mistake once, in one notice: the language, the keys left out,
    // then the value that stopped the run.
    if (const auto unknown = UnknownKeysNotice(setup, description_.language())) {
        if (!languageNotice.empty()) languageNotice += "\n\n";
        languageNotice += *unknown;
    }
    if (problem) {
        constexpr std::pair<SetupKey, TextBoxId> kBoxOfKey[] = {
            {SetupKey::Temperature, TextBoxId::Text1},
            {SetupKey::Fermi, TextBoxId::Text2},
            {SetupKey::Donors, TextBoxId::Text4},
            {SetupKey::Acceptors, TextBoxId::Text5}};
        std::optional<TextBoxId> box;
        for (const auto& [key, id] : kBoxOfKey) {
            if (key == problem->key) box = id;
        }
        if (!languageNotice.empty()) languageNotice += "\n\n";
        languageNotice += LinkNotice(*problem, description_.language());
        Refuse(box, languageNotice);
    } else if (!languageNotice.empty()) {
        Refuse(std::nullopt, languageNotice);
    }
    return problem;
}

// What a full-width input method typed is read as the number it means.
std::string Controller::Text(TextBoxId box) const { return NarrowForms(frontEnd_.Text(box)); }

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
    Refuse(box, Fill(notices.rejectMessage, {{"{box}", description_.AccessibleName(ControlOf(box))},
                                             {"{low}", low},
                                             {"{high}", high}}));
}

void Controller::SetDopingEntryComplete(bool complete) {
    dopingUsable_ = complete;
    const form::Language& language = description_.language();
    const std::string hint =
        complete ? std::string() : std::string(language.notices.dopingIncomplete);
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
    frontEnd_.ShowErrorReport(std::string(description_.program().name), text);
    frontEnd_.End(1, text + "\n" + std::string(notices.programEnded));
}

void Controller::OnChartPoint(const carriers::ChartPoint& point) {
    frontEnd_.ChartPointAdded(point);
}

void Controller::OnChartCleared() { frontEnd_.ChartCleared(); }

}  // namespace controller
