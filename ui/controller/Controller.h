#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "Bindings.h"
#include "CarrierModel.h"
#include "ClassData.h"
#include "ClassDataView.h"
#include "Commands.h"
#include "DataRecord.h"
#include "FormDescription.h"
#include "FrontEnd.h"
#include "Pace.h"
#include "Runtime.h"
#include "Setup.h"
#include "Speech.h"

namespace controller {

// Everything between a user's action and the model, decided once for every
// front end: dispatch through the binding table, what a handler's outcome
// means (refused, ended, announced), the notices' and announcements' texts,
// the time controls, the data record, the class data and the set-up. It is
// the runtime the model runs on; the front end only puts its decisions on
// real controls.
class Controller : public carriers::Runtime {
  public:
    // Opens in the program's own language unless given another.
    Controller(const form::Program& program, FrontEnd& frontEnd, std::string decimalSeparator,
               const form::Language* language = nullptr);

    const form::FormDescription& Description() const { return description_; }
    const carriers::CarrierModel& Model() const { return model_; }
    bool Ended() const { return ended_; }

    // Form_Load, then the timers that run from the start.
    void Load();
    // A control's event, by the binding's place in BindingTable().
    void Fire(std::size_t binding);
    // The binding of a control's event, if it has one.
    static std::optional<std::size_t> BindingOf(form::ControlKey control, form::Event event);
    // The binding of the action a set-up takes: Start, the field.
    static std::optional<std::size_t> BindingFor(form::Announcement action);
    // A timer of the description's table fired, by its row.
    void TimerFired(std::size_t timerRow);
    // Command2, or the window's own close control.
    void Close();

    // The user chose a language: every text follows at once, and nothing
    // of the run changes.
    void SetLanguage(const form::Language& language);

    // The time controls.
    bool Paused() const { return pace_.Paused(); }
    int Speed() const { return pace_.Speed(); }
    // Whether a run has started (the tick is enabled), paused or not.
    bool RunStarted() const { return tickEnabled_; }
    void SetPaused(bool paused);
    // One tick, while paused.
    void Step();
    void SetSpeed(int speed);

    // What a screen reader is told of the diagram and the chart.
    std::string Scene() const;
    std::string ChartTrend() const;

    // Speech, off until the user turns it on. The front end says whether
    // its device can speak the window's language, again after every
    // change of language or of its voices.
    bool SpeakOn() const { return speakOn_; }
    void SetSpeakOn(bool on);
    SpeechState Speech() const { return speechState_; }
    void SetSpeechState(SpeechState state);

    // The commands around the window: their words now, and whether they
    // can be used or are ticked. Run does those the controller does itself
    // (the time controls, speech) and says false for the rest, which the
    // front end does (the panel, files, the clipboard).
    std::string Caption(Command command) const;
    std::string SpeedCaption(int speed) const;
    bool Enabled(Command command) const;
    bool Run(Command command, int speed = 0);

    // The "Class data" panel since the last Start or Light.
    ClassDataView ClassDataPanel() const;
    // One row per tick since the last Start.
    std::string Csv() const { return record_.Csv(); }
    const DataRecord& Record() const { return record_; }
    // A file's suggested name: the data or the picture.
    std::string FileName(bool picture) const;

    // The boxes, the field and the speed as a link's fragment, which
    // starts the run when opened.
    std::string SetupLink() const;
    // A set-up applied as if typed, then started if it asks. A value that
    // would not do starts nothing: its box opens as typed, its notice is
    // shown, and the problem is given back. A language the program lacks
    // and keys it does not know are named in the same notice.
    std::optional<SetupProblem> Apply(const SharedSetup& setup);

    // Runtime: the model's reads and writes reach the front end.
    std::string Text(carriers::TextBoxId box) const override;
    void SetText(carriers::TextBoxId box, const std::string& text) override;
    int Check1Value() const override;
    void SetTimer1Enabled(bool enabled) override;
    void RejectInput(carriers::TextBoxId box, carriers::AcceptedRange accepted) override;
    void SetDopingEntryComplete(bool complete) override;
    void ReportRuntimeError(carriers::ErrorKind kind) override;

  protected:
    void OnChartPoint(const carriers::ChartPoint& point) override;
    void OnChartCleared() override;

  private:
    void RunBinding(const form::Binding& binding);
    // One simulation tick, and what is recorded of it.
    void RunTick();
    void RunReadout();
    void UpdateTimers();
    void EndProgram(int status, const std::string& message);
    form::SceneFacts Facts() const;
    // What the record and the class data note of an action that ran.
    void Note(form::Announcement action);
    void TypeInto(carriers::TextBoxId box, const std::string& text);
    // Read aloud if the user asked for speech and the device can.
    void Say(const std::string& text, bool onceTypingPauses = false);
    // A notice shown and, with speech on, read out.
    void Refuse(std::optional<carriers::TextBoxId> box, const std::string& text);

    form::FormDescription description_;
    FrontEnd& frontEnd_;
    carriers::CarrierModel model_;
    Pace pace_;
    ClassData classData_;
    DataRecord record_;
    std::size_t tickRow_ = 0;
    std::size_t readoutRow_ = 0;
    std::size_t tickBinding_ = 0;
    std::size_t readoutBinding_ = 0;
    bool tickEnabled_ = false;
    bool ended_ = false;
    bool rejected_ = false;  // by the handler that runs
    bool dopingUsable_ = true;
    bool speakOn_ = false;
    SpeechState speechState_ = SpeechState::Unknown;
    std::string decimalSeparator_;
};

}  // namespace controller
