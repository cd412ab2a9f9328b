#pragma once

#include <QKeySequence>
#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>

#include "BandCanvas.h"
#include "CarrierModel.h"
#include "Runtime.h"
#include "Twips.h"
#include "form/Bindings.h"
#include "form/FormDescription.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace form {

class Announcer;
class BoxWriter;
class StripChart;
class ZoomStyle;

// The program's one window. It is the runtime the carrier model runs on: it
// owns the controls, the two timers and the model, and turns every control
// event into one handler call through Dispatch.
class Form1 : public QWidget, public carriers::Runtime {
    Q_OBJECT
  public:
    explicit Form1(const Language& language, QWidget* parent = nullptr);
    ~Form1() override;

    // Runs Form_Load; the caller shows the window afterwards.
    void Load();
    // Set once the program has ended (Close, the close control, an error).
    std::optional<int> ExitStatus() const { return exitStatus_; }

    const carriers::CarrierModel& Model() const { return model_; }

    // The projector zoom: every control, caption, marker and chart point
    // drawn anew at a step of the designed size; the frame follows.
    double Zoom() const { return zoom_; }
    void SetZoom(double zoom);

    QLineEdit* TextBox(carriers::TextBoxId box) const;

    // Runtime
    std::string Text(carriers::TextBoxId box) const override;
    void SetText(carriers::TextBoxId box, const std::string& text) override;
    int Check1Value() const override;
    void SetTimer1Enabled(bool enabled) override;
    void RejectInput(carriers::TextBoxId box, carriers::AcceptedRange accepted) override;
    void SetDopingEntryComplete(bool complete) override;
    void ReportRuntimeError(carriers::ErrorKind kind) override;

  signals:
    // The program ends with this status; main leaves its event loop.
    void programEnded(int status);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void HandlerFinished() override;
    void OnChartPoint(const carriers::ChartPoint& point) override;
    void OnChartCleared() override;

  private:
    using Handler = decltype(Binding::handler);

    void CreateControls();
    void CreateTimers();
    void CreateZoomCommands();
    QAction* AddZoomCommand(std::string_view text, const QList<QKeySequence>& keys,
                            double (*target)(double zoom, double largest));
    // The largest step whose window fits the screen it is on, frame included.
    double LargestZoomHere() const;
    void UpdateZoomCommands();
    void ShowZoomMenu(const QPoint& at);
    void KeepOnScreen();
    void WireEvents();
    void Run(Handler handler, const Binding* binding = nullptr);
    void Command2_Click();
    void EndProgram(int status);
    void ShowRejection(carriers::TextBoxId box, carriers::AcceptedRange accepted);

    FormDescription description_;
    carriers::CarrierModel model_;
    BandCanvas* canvas_ = nullptr;
    ZoomStyle* style_ = nullptr;
    // The windowed controls and the rows that place them.
    std::vector<std::pair<const ControlSpec*, QWidget*>> windowed_;
    double zoom_ = 1.0;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
    StripChart* picture1_ = nullptr;
    std::array<QLineEdit*, 7> texts_{};
    QPushButton* command1_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QTimer* timer1_ = nullptr;
    Announcer* announcer_ = nullptr;
    BoxWriter* writer_ = nullptr;
    bool rejected_ = false;  // by the handler that runs
    std::vector<QTimer*> timers_;
    bool handlersStopped_ = false;
    bool dopingUsable_ = true;
    std::optional<int> exitStatus_;
};

}  // namespace form
