#pragma once

#include <QKeySequence>
#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>

#include "BandCanvas.h"
#include "Controller.h"
#include "FormDescription.h"
#include "FrontEnd.h"
#include "Twips.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace form {

class Announcer;
class BoxWriter;
class ClassDataPanel;
class DataOut;
class LanguageMenu;
class Speaker;
class StripChart;
class TeachingCommands;
class ZoomStyle;

// The program's one window: it owns the controls and the two timers, hands
// every control and timer event to the controller, and puts the controller's
// decisions on its controls.
class Form1 : public QWidget, public controller::FrontEnd {
    Q_OBJECT
  public:
    // Opens in the program's own language unless given another.
    explicit Form1(const Program& program, const Language* language = nullptr,
                   QWidget* parent = nullptr);
    ~Form1() override;

    // Runs Form_Load; the caller shows the window afterwards.
    void Load();
    // Set once the program has ended (Close, the close control, an error).
    std::optional<int> ExitStatus() const { return exitStatus_; }

    const carriers::CarrierModel& Model() const { return controller_.Model(); }
    controller::Controller& Controller() { return controller_; }

    // The projector zoom: every control, caption, marker and chart point
    // drawn anew at a step of the designed size; the frame follows.
    double Zoom() const { return zoom_; }
    void SetZoom(double zoom);

    QLineEdit* TextBox(carriers::TextBoxId box) const;

    // The teacher's commands around the window, and what they open.
    TeachingCommands& Commands() const { return *commands_; }
    // None until first shown.
    ClassDataPanel* Panel() const { return panel_; }
    DataOut& Files() const { return *files_; }

    // FrontEnd
    std::string Text(carriers::TextBoxId box) const override;
    void SetText(carriers::TextBoxId box, const std::string& text) override;
    int Check1Value() const override;
    void SetCheck1(bool ticked) override;
    void SetTimerRunning(std::size_t timerRow, bool running) override;
    void ShowRefusal(std::optional<carriers::TextBoxId> box, const std::string& title,
                     const std::string& text) override;
    void SetBoxHint(carriers::TextBoxId box, const std::string& hint,
                    const std::string& description) override;
    void ShowErrorReport(const std::string& title, const std::string& text) override;
    void End(int status, const std::string& message) override;
    void Announce(const std::string& text, bool onceTypingPauses) override;
    void AfterEvent(bool byUser) override;
    void ChartPointAdded(const carriers::ChartPoint& point) override;
    void ChartCleared() override;
    void TimeControlsChanged() override;
    void LanguageChanged() override;
    void Speak(const controller::Utterance& utterance) override;
    void SpeakOnChanged(bool on) override;

    // The background menu's "Language" submenu.
    LanguageMenu& LanguageChoice() const { return *languages_; }

  signals:
    // The program ends with this status; main leaves its event loop.
    void programEnded(int status);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void CreateControls();
    void CreateTimers();
    void CreateZoomCommands();
    QAction* AddZoomCommand(const QList<QKeySequence>& keys,
                            double (*target)(double zoom, double largest));
    // Every caption, name and description in the language shown now.
    void ShowTexts();
    // The controls' places and fonts at the zoom, in the language shown now.
    void Arrange();
    // The largest step whose window fits the screen it is on, frame included.
    double LargestZoomHere() const;
    void UpdateZoomCommands();
    void ShowZoomMenu(const QPoint& at);
    void KeepOnScreen();
    // What the controller leaves to the window: the panel, files, clipboard.
    void RunCommand(controller::Command command, bool checked);
    void ShowClassData(bool shown);
    void PlacePanel();
    void WireEvents();
    // The speech engine, made when speech is first turned on.
    void OpenSpeaker();

    controller::Controller controller_;
    const FormDescription& description_;
    BandCanvas* canvas_ = nullptr;
    ZoomStyle* style_ = nullptr;
    // The windowed controls and the rows that place them.
    std::vector<std::pair<const ControlSpec*, QWidget*>> windowed_;
    double zoom_ = 1.0;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
    QAction* actualSize_ = nullptr;
    StripChart* picture1_ = nullptr;
    std::array<QLineEdit*, 7> texts_{};
    QPushButton* command1_ = nullptr;
    QCheckBox* check1_ = nullptr;
    Announcer* announcer_ = nullptr;
    TeachingCommands* commands_ = nullptr;
    LanguageMenu* languages_ = nullptr;
    ClassDataPanel* panel_ = nullptr;
    DataOut* files_ = nullptr;
    BoxWriter* writer_ = nullptr;
    Speaker* speaker_ = nullptr;
    std::vector<QTimer*> timers_;  // in the description's order
    // The boxes the controller describes itself, with their hints.
    std::array<bool, 7> hinted_{};
    std::optional<int> exitStatus_;
};

}  // namespace form
