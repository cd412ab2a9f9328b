#include "Form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "Announcer.h"
#include "CanvasAccessible.h"
#include "CaptionButtons.h"
#include "Fonts.h"
#include "Notices.h"
#include "ReadoutAccessibility.h"
#include "StripChart.h"
#include "Twips.h"
#include "Zoom.h"
#include "ZoomStyle.h"

namespace form {

using carriers::CarrierModel;
using carriers::TextBoxId;

namespace {

// The doping boxes while they do not hold a usable pair.
const QColor kIncompleteTint(255, 228, 225);

std::size_t Slot(TextBoxId box) { return static_cast<std::size_t>(box) - 1; }

QString ObjectName(ControlKey key) {
    QString name = FromUtf8(key.name);
    if (key.index >= 0) name += QStringLiteral("_%1").arg(key.index);
    return name;
}

std::string TextBoxName(TextBoxId box) { return "Text" + std::to_string(static_cast<int>(box)); }

std::optional<TextBoxId> TextBoxOf(std::string_view name) {
    for (int number = 1; number <= 7; ++number) {
        const auto box = static_cast<TextBoxId>(number);
        if (name == TextBoxName(box)) return box;
    }
    return std::nullopt;
}

}  // namespace

Form1::Form1(const Language& language, QWidget* parent)
    : QWidget(parent),
      Runtime(QLocale().decimalPoint().toStdString()),
      description_(language),
      model_(*this) {
    InstallCanvasAccessibility();
    setWindowTitle(FromUtf8(description_.Title()));
    writer_ = new BoxWriter(this);
    CreateControls();
    CreateTimers();
    WireEvents();
    announcer_ = new Announcer(
        description_.language().spoken, *this,
        [this] { return FactsOf(model_, timer1_->isActive(), Check1Value() == 1, dopingUsable_); },
        canvas_, picture1_, this);
    CreateZoomCommands();
    SetZoom(ZoomSteps().front());
    for (QTimer* timer : timers_) {
        if (timer->property("enabledAtLoad").toBool()) timer->start();
    }
}

Form1::~Form1() = default;

void Form1::CreateControls() {
    canvas_ = new BandCanvas(*this, description_, this);

    std::vector<std::pair<int, QWidget*>> tabStops;
    for (const ControlSpec& control : ControlTable()) {
        const QString caption = FromUtf8(description_.Caption(control.key));
        QWidget* widget = nullptr;
        switch (control.kind) {
            case ControlKind::Label:
                continue;  // drawn by the canvas
            case ControlKind::TextBox: {
                auto* edit = new QLineEdit(caption, this);
                if (const auto box = TextBoxOf(control.key.name)) texts_[Slot(*box)] = edit;
                if (control.role == ControlRole::Readout) writer_->AddReadout(edit);
                widget = edit;
                break;
            }
            case ControlKind::Button:
                widget = new CaptionButton(caption, this);
                break;
            case ControlKind::CheckBox:
                check1_ = new CaptionCheckBox(caption, this);
                widget = check1_;
                break;
            case ControlKind::PictureBox:
                picture1_ = new StripChart(*this, this);
                picture1_->setFocusPolicy(Qt::StrongFocus);
                widget = picture1_;
                break;
        }
        widget->setObjectName(ObjectName(control.key));
        widget->setAccessibleName(FromUtf8(description_.AccessibleName(control.key)));
        widget->setAccessibleDescription(
            InputDescription(description_.language().spoken, control.key));
        windowed_.emplace_back(&control, widget);
        tabStops.emplace_back(control.tabIndex, widget);
    }
    command1_ = findChild<QPushButton*>(QStringLiteral("Command1"));
    // Created after the controls, so that it outlives them when the window
    // deletes its children.
    style_ = new ZoomStyle;
    style_->setParent(this);
    for (const auto& [control, widget] : windowed_) widget->setStyle(style_);

    std::sort(tabStops.begin(), tabStops.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabStops.size(); ++i) {
        setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    }
    // Enter or the space bar starts a run right away.
    command1_->setFocus();
}

void Form1::CreateTimers() {
    // Timers are children, found by name like every other control.
    for (const TimerSpec& row : TimerTable()) {
        auto* timer = new QTimer(this);
        timer->setObjectName(FromUtf8(row.key.name));
        timer->setInterval(row.intervalMs);
        timer->setProperty("enabledAtLoad", row.enabledAtLoad);
        timers_.push_back(timer);
    }
    timer1_ = findChild<QTimer*>(QStringLiteral("Timer1"));
}

void Form1::CreateZoomCommands() {
    const ZoomTexts& texts = description_.language().zoom;
    zoomIn_ =
        AddZoomCommand(texts.zoomIn, {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}, NextZoom);
    zoomOut_ = AddZoomCommand(texts.zoomOut, {Qt::CTRL | Qt::Key_Minus},
                              [](double zoom, double) { return PreviousZoom(zoom); });
    AddZoomCommand(texts.actualSize, {Qt::CTRL | Qt::Key_0},
                   [](double, double) { return ZoomSteps().front(); });
    // The background offers them, the controls keep their own menus.
    canvas_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(canvas_, &QWidget::customContextMenuRequested, this, &Form1::ShowZoomMenu);
}

QAction* Form1::AddZoomCommand(std::string_view text, const QList<QKeySequence>& keys,
                               double (*target)(double zoom, double largest)) {
    auto* action = new QAction(FromUtf8(text), this);
    action->setShortcuts(keys);
    // Whatever control has the focus; a text box never sees these keys,
    // since it leaves Ctrl combinations to the window's shortcuts.
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this,
            [this, target] { SetZoom(target(zoom_, LargestZoomHere())); });
    addAction(action);
    return action;
}

double Form1::LargestZoomHere() const {
    const QScreen* here = screen();
    if (!here) return ZoomSteps().front();
    const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize();
    return LargestZoom(here->availableGeometry().size(), frame);
}

void Form1::UpdateZoomCommands() {
    zoomIn_->setEnabled(NextZoom(zoom_, LargestZoomHere()) > zoom_);
    zoomOut_->setEnabled(zoom_ > ZoomSteps().front());
}

void Form1::ShowZoomMenu(const QPoint& at) {
    UpdateZoomCommands();  // the screen may have changed since the last zoom
    QMenu menu(this);
    menu.addActions(actions());
    menu.exec(canvas_->mapToGlobal(at));
}

void Form1::SetZoom(double zoom) {
    zoom_ = zoom;
    style_->SetZoom(zoom);
    setFont(DefaultFont(zoom));
    const QSize client = ZoomedClientSize(zoom);
    setFixedSize(client);
    // A frame forced larger by the desktop shows only background beyond it.
    canvas_->setGeometry(QRect(QPoint(), client));
    canvas_->SetZoom(zoom);
    for (const auto& [control, widget] : windowed_) {
        widget->setGeometry(ToPixels(description_.Place(*control), zoom));
        if (control->captionFontPoints > 0) {
            widget->setFont(CaptionFont(control->captionFontPoints, zoom));
        }
        widget->update();
    }
    picture1_->SetZoom(zoom);
    UpdateZoomCommands();
    KeepOnScreen();
}

void Form1::KeepOnScreen() {
    const QScreen* here = screen();
    if (!isVisible() || !here) return;
    const QRect area = here->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveRight(std::min(frame.right(), area.right()));
    frame.moveBottom(std::min(frame.bottom(), area.bottom()));
    frame.moveLeft(std::max(frame.left(), area.left()));
    frame.moveTop(std::max(frame.top(), area.top()));
    if (frame.topLeft() != frameGeometry().topLeft()) move(frame.topLeft());
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    UpdateZoomCommands();
    if (QWindow* handle = windowHandle()) {
        connect(handle, &QWindow::screenChanged, this, &Form1::UpdateZoomCommands,
                Qt::UniqueConnection);
    }
}

void Form1::WireEvents() {
    for (const Binding& binding : BindingTable()) {
        if (binding.event == Event::Load) continue;  // Load() runs it
        QObject* sender = findChild<QObject*>(FromUtf8(binding.control.name));
        const Handler handler = binding.handler;
        const auto run = [this, handler, &binding] {
            handler ? Run(handler, &binding) : Command2_Click();
        };
        if (auto* button = qobject_cast<QPushButton*>(sender)) {
            connect(button, &QPushButton::clicked, this, run);
        } else if (auto* box = qobject_cast<QCheckBox*>(sender)) {
            // A check box's Click also fires when its value changes.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
            connect(box, &QCheckBox::checkStateChanged, this, run);
#else
            connect(box, &QCheckBox::stateChanged, this, run);
#endif
        } else if (auto* edit = qobject_cast<QLineEdit*>(sender)) {
            connect(edit, &QLineEdit::textChanged, this, run);
        } else if (auto* timer = qobject_cast<QTimer*>(sender)) {
            // A tick that falls due while a handler runs is merged by QTimer,
            // so a slow tick lowers the rate instead of queueing a backlog.
            connect(timer, &QTimer::timeout, this, run);
        }
    }
}

void Form1::Run(Handler handler, const Binding* binding) {
    if (handlersStopped_) return;
    rejected_ = false;
    Dispatch([this, handler] { (model_.*handler)(); });
    // A refused input is read out by its notice, an error by its report.
    if (!handlersStopped_ && !rejected_) announcer_->HandlerFinished(binding);
}

void Form1::Load() {
    for (const Binding& binding : BindingTable()) {
        if (binding.event == Event::Load) Run(binding.handler);
    }
}

void Form1::Command2_Click() {
    if (handlersStopped_) return;
    Dispatch([this] { EndProgram(0); });
}

void Form1::EndProgram(int status) {
    if (exitStatus_) return;
    handlersStopped_ = true;
    for (QTimer* timer : timers_) timer->stop();
    announcer_->Stop();
    exitStatus_ = status;
    hide();
    emit programEnded(status);
}

void Form1::closeEvent(QCloseEvent* event) {
    EndProgram(0);
    event->accept();
}

QLineEdit* Form1::TextBox(TextBoxId box) const { return texts_[Slot(box)]; }

std::string Form1::Text(TextBoxId box) const { return texts_[Slot(box)]->text().toStdString(); }

void Form1::SetText(TextBoxId box, const std::string& text) {
    writer_->Write(texts_[Slot(box)], QString::fromStdString(text));
}

int Form1::Check1Value() const {
    switch (check1_->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        case Qt::Unchecked:
            break;
    }
    return 0;
}

void Form1::SetTimer1Enabled(bool enabled) {
    if (!enabled) {
        timer1_->stop();
    } else if (!timer1_->isActive()) {
        timer1_->start();
    }
}

void Form1::OnChartPoint(const carriers::ChartPoint& point) { picture1_->PointAdded(point); }

void Form1::OnChartCleared() { picture1_->Cleared(); }

void Form1::HandlerFinished() { canvas_->ScheduleUpdate(); }

void Form1::RejectInput(TextBoxId box, carriers::AcceptedRange accepted) {
    rejected_ = true;
    // Shown once the handler has returned: a dialog's own event loop must not
    // run other handlers in the middle of this one.
    QMetaObject::invokeMethod(
        this, [this, box, accepted] { ShowRejection(box, accepted); }, Qt::QueuedConnection);
}

void Form1::ShowRejection(TextBoxId box, carriers::AcceptedRange accepted) {
    if (handlersStopped_) return;
    const NoticeTexts& notices = description_.language().notices;
    const std::string name = TextBoxName(box);
    const QString boxName = FromUtf8(description_.AccessibleName({name}));
    QMessageBox notice(QMessageBox::Warning, FromUtf8(notices.rejectTitle),
                       RejectionText(notices, boxName, accepted, locale()), QMessageBox::Ok, this);
    notice.exec();
    QLineEdit* edit = texts_[Slot(box)];
    activateWindow();
    edit->setFocus();
    edit->selectAll();
}

void Form1::SetDopingEntryComplete(bool complete) {
    dopingUsable_ = complete;
    const QString hint =
        complete ? QString() : FromUtf8(description_.language().notices.dopingIncomplete);
    for (TextBoxId box : {TextBoxId::Text4, TextBoxId::Text5}) {
        QLineEdit* edit = texts_[Slot(box)];
        QPalette colours = edit->palette();
        colours.setColor(QPalette::Base,
                         complete ? palette().color(QPalette::Base) : kIncompleteTint);
        edit->setPalette(colours);
        edit->setToolTip(hint);
        edit->setAccessibleDescription(
            InputDescription(description_.language().spoken, {TextBoxName(box)}, hint));
    }
}

void Form1::ReportRuntimeError(carriers::ErrorKind kind) {
    if (exitStatus_) return;
    // No handler may run behind the report, not even from its event loop.
    handlersStopped_ = true;
    for (QTimer* timer : timers_) timer->stop();
    announcer_->Stop();
    const NoticeTexts& notices = description_.language().notices;
    QMessageBox report(QMessageBox::Critical, FromUtf8(notices.errorTitle),
                       RuntimeErrorText(notices, kind), QMessageBox::Ok, this);
    report.exec();
    EndProgram(1);
}

}  // namespace form
