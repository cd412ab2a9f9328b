#include "Form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolTip>
#include <QWindow>
#include <algorithm>

#include "Announcer.h"
#include "CanvasAccessible.h"
#include "CaptionButtons.h"
#include "ClassDataPanel.h"
#include "DataOut.h"
#include "Fonts.h"
#include "LanguageMenu.h"
#include "Localize.h"
#include "PanelPlace.h"
#include "QtTexts.h"
#include "ReadoutAccessibility.h"
#include "Speaker.h"
#include "StripChart.h"
#include "TeachingCommands.h"
#include "Twips.h"
#include "WindowTables.h"
#include "Zoom.h"
#include "ZoomStyle.h"

namespace form {

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

}  // namespace

Form1::Form1(const Program& program, const Language* language, QWidget* parent)
    : QWidget(parent),
      controller_(program, *this, QLocale().decimalPoint().toStdString(), language),
      description_(controller_.Description()) {
    InstallCanvasAccessibility();
    writer_ = new BoxWriter(this);
    CreateControls();
    CreateTimers();
    WireEvents();
    announcer_ = new Announcer(controller_, canvas_, picture1_, this);
    CreateZoomCommands();
    files_ = new DataOut(controller_, *this);
    commands_ = new TeachingCommands(
        controller_, *this,
        [this](controller::Command command, bool checked) { RunCommand(command, checked); });
    // After the teacher's commands, above the line at the menu's foot.
    languages_ = new LanguageMenu(controller_, *this);
    insertAction(commands_->Foot(), languages_->Menu()->menuAction());
    ShowTexts();
    SetZoom(ZoomSteps().front());
}

Form1::~Form1() = default;

void Form1::CreateControls() {
    canvas_ = new BandCanvas(controller_, description_, this);

    std::vector<std::pair<int, QWidget*>> tabStops;
    for (const ControlSpec& control : ControlTable()) {
        const QString caption = FromUtf8(description_.Caption(control.key));
        QWidget* widget = nullptr;
        switch (control.kind) {
            case ControlKind::Label:
                continue;  // drawn by the canvas
            case ControlKind::TextBox: {
                auto* edit = new QLineEdit(caption, this);
                if (const auto box = controller::BoxOf(control.key)) texts_[Slot(*box)] = edit;
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
                picture1_ = new StripChart(controller_, this);
                picture1_->setFocusPolicy(Qt::StrongFocus);
                widget = picture1_;
                break;
        }
        widget->setObjectName(ObjectName(control.key));
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
    // Timers are children, found by name like every other control; the
    // controller starts and stops them.
    for (const TimerSpec& row : TimerTable()) {
        auto* timer = new QTimer(this);
        timer->setObjectName(FromUtf8(row.key.name));
        timer->setInterval(row.intervalMs);
        const std::size_t index = timers_.size();
        // A tick that falls due while a handler runs is merged by QTimer,
        // so a slow tick lowers the rate instead of queueing a backlog.
        connect(timer, &QTimer::timeout, this, [this, index] { controller_.TimerFired(index); });
        timers_.push_back(timer);
    }
}

void Form1::CreateZoomCommands() {
    zoomIn_ = AddZoomCommand({Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}, NextZoom);
    zoomOut_ = AddZoomCommand({Qt::CTRL | Qt::Key_Minus},
                              [](double zoom, double) { return PreviousZoom(zoom); });
    actualSize_ =
        AddZoomCommand({Qt::CTRL | Qt::Key_0}, [](double, double) { return ZoomSteps().front(); });
    // The background offers them, the controls keep their own menus.
    canvas_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(canvas_, &QWidget::customContextMenuRequested, this, &Form1::ShowZoomMenu);
}

QAction* Form1::AddZoomCommand(const QList<QKeySequence>& keys,
                               double (*target)(double zoom, double largest)) {
    auto* action = new QAction(this);
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
    commands_->Refresh();
    QMenu menu(this);
    Localize(menu, description_.language());
    menu.addActions(actions());
    menu.exec(canvas_->mapToGlobal(at));
}

void Form1::SetZoom(double zoom) {
    zoom_ = zoom;
    style_->SetZoom(zoom);
    const QSize client = ZoomedClientSize(zoom);
    setFixedSize(client);
    // A frame forced larger by the desktop shows only background beyond it.
    canvas_->setGeometry(QRect(QPoint(), client));
    Arrange();
    picture1_->SetZoom(zoom);
    UpdateZoomCommands();
    KeepOnScreen();
    // Where the window now stands.
    if (panel_) PlacePanel();
}

void Form1::Arrange() {
    const Language& language = description_.language();
    // The boxes' numbers as designed; the captions in the language's faces.
    setFont(DefaultFont(zoom_));
    canvas_->SetZoom(zoom_);
    for (const auto& [control, widget] : windowed_) {
        widget->setGeometry(ToPixels(description_.Place(*control), zoom_));
        if (control->captionFontPoints > 0) {
            widget->setFont(CaptionFont(control->captionFontPoints, zoom_, &language));
        } else if (control->kind == ControlKind::Button || control->kind == ControlKind::CheckBox) {
            widget->setFont(DefaultFont(zoom_, &language));
        }
        widget->update();
    }
}

void Form1::ShowTexts() {
    const Language& language = description_.language();
    // The dialogs and menus Qt makes speak it too.
    UseQtTexts(language);
    setWindowTitle(FromUtf8(description_.Title()));
    canvas_->ShowCaptions();
    for (const auto& [control, widget] : windowed_) {
        const QString caption = FromUtf8(description_.Caption(control->key));
        // A box's text is the run's; only a caption is the language's.
        if (auto* button = qobject_cast<CaptionButton*>(widget)) {
            button->setText(caption);
            button->SetCaptionDirection(TextDirection(language));
        } else if (auto* box = qobject_cast<CaptionCheckBox*>(widget)) {
            box->setText(caption);
            box->SetCaptionDirection(TextDirection(language));
        }
        widget->setAccessibleName(FromUtf8(description_.AccessibleName(control->key)));
        const auto box = controller::BoxOf(control->key);
        if (!box || !hinted_[Slot(*box)]) {
            widget->setAccessibleDescription(
                FromUtf8(DescribeInput(language.spoken, control->key)));
        }
    }
    // The boxes' hints: the one tip shown at a time is this window's.
    QToolTip::setFont(InLanguage(QApplication::font(), language));
    zoomIn_->setText(FromUtf8(language.zoom.zoomIn));
    zoomOut_->setText(FromUtf8(language.zoom.zoomOut));
    actualSize_->setText(FromUtf8(language.zoom.actualSize));
}

void Form1::LanguageChanged() {
    ShowTexts();
    Arrange();
    announcer_->LanguageChanged();
    commands_->LanguageChanged();
    languages_->LanguageChanged();
    if (panel_) {
        panel_->LanguageChanged();
        // A script with taller lines needs more room beside the window.
        if (panel_->isVisible()) PlacePanel();
    }
    if (speaker_) {
        // Without a service no language can be spoken; else the new
        // language's voice is looked for, and the command waits for it.
        if (controller_.Speech() != controller::SpeechState::NoService) {
            controller_.SetSpeechState(controller::SpeechState::Unknown);
        }
        speaker_->SetLanguage(FromUtf8(description_.language().tag));
        commands_->Refresh();
    }
}

void Form1::OpenSpeaker() {
    if (speaker_) return;
    speaker_ = new Speaker(
        FromUtf8(description_.language().tag),
        [this](controller::SpeechState state) {
            controller_.SetSpeechState(state);
            commands_->Refresh();
        },
        this);
}

void Form1::Speak(const controller::Utterance& utterance) {
    OpenSpeaker();
    speaker_->Say(utterance);
}

void Form1::SpeakOnChanged(bool on) {
    if (on) {
        OpenSpeaker();
    } else if (speaker_) {
        speaker_->Stop();
    }
    commands_->Refresh();
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
    const auto bindings = BindingTable();
    for (std::size_t index = 0; index < bindings.size(); ++index) {
        const Binding& binding = bindings[index];
        if (binding.event == Event::Load || binding.event == Event::Timer) continue;
        QObject* sender = findChild<QObject*>(FromUtf8(binding.control.name));
        const auto fire = [this, index] { controller_.Fire(index); };
        if (auto* button = qobject_cast<QPushButton*>(sender)) {
            connect(button, &QPushButton::clicked, this, fire);
        } else if (auto* box = qobject_cast<QCheckBox*>(sender)) {
            // A check box's Click also fires when its value changes.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
            connect(box, &QCheckBox::checkStateChanged, this, fire);
#else
            connect(box, &QCheckBox::stateChanged, this, fire);
#endif
        } else if (auto* edit = qobject_cast<QLineEdit*>(sender)) {
            connect(edit, &QLineEdit::textChanged, this, fire);
        }
    }
}

void Form1::Load() { controller_.Load(); }

void Form1::End(int status, const std::string&) {
    if (exitStatus_) return;
    announcer_->Stop();
    if (speaker_) speaker_->Stop();
    exitStatus_ = status;
    if (panel_) panel_->hide();
    hide();
    emit programEnded(status);
}

void Form1::closeEvent(QCloseEvent* event) {
    controller_.Close();
    event->accept();
}

QLineEdit* Form1::TextBox(TextBoxId box) const { return texts_[Slot(box)]; }

std::string Form1::Text(TextBoxId box) const { return texts_[Slot(box)]->text().toStdString(); }

void Form1::SetText(TextBoxId box, const std::string& text) {
    const QSignalBlocker quiet(texts_[Slot(box)]);
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

void Form1::SetCheck1(bool ticked) {
    const QSignalBlocker quiet(check1_);
    check1_->setChecked(ticked);
}

void Form1::SetTimerRunning(std::size_t timerRow, bool running) {
    QTimer* timer = timers_.at(timerRow);
    if (!running) {
        timer->stop();
    } else if (!timer->isActive()) {
        timer->start();
    }
}

void Form1::ChartPointAdded(const carriers::ChartPoint& point) { picture1_->PointAdded(point); }

void Form1::ChartCleared() { picture1_->Cleared(); }

void Form1::AfterEvent(bool byUser) {
    canvas_->ScheduleUpdate();
    announcer_->Refresh(byUser);
    // A tick can make data to save, Start a tick to step.
    commands_->Refresh();
}

void Form1::TimeControlsChanged() {
    commands_->Refresh();
    if (panel_ && panel_->isVisible()) panel_->Refresh();
}

void Form1::RunCommand(controller::Command command, bool checked) {
    using controller::Command;
    const TeachingTexts& texts = description_.language().teaching;
    switch (command) {
        case Command::ClassData:
            ShowClassData(checked);
            break;
        case Command::SaveData:
            files_->SaveData();
            break;
        case Command::SavePicture:
            files_->SavePicture();
            break;
        case Command::CopyData:
            files_->CopyData();
            Announce(std::string(texts.copied), false);
            break;
        case Command::CopyPicture:
            files_->CopyPicture();
            Announce(std::string(texts.copied), false);
            break;
        default:
            break;  // the controller's own, or not on the desktop
    }
}

void Form1::PlacePanel() {
    const QScreen* here = screen();
    if (!here) return;
    // The panel's frame is the desktop's, as the window's is.
    const QSize frame = frameGeometry().size() - size();
    const QRect window(frameGeometry().topLeft(), size() + frame);
    std::vector<QRect> controls;
    for (const auto& [control, widget] : windowed_) {
        controls.emplace_back(widget->mapToGlobal(QPoint()), widget->size());
    }
    // Its size at 1x, which a tall script's lines can make more than designed.
    panel_->SetZoom(1.0);
    const PanelPlace place = ChoosePanelPlace(here->availableGeometry(), window,
                                              panel_->size() + frame, zoom_, controls);
    panel_->SetZoom(place.scale);
    panel_->move(place.topLeft);
}

void Form1::ShowClassData(bool shown) {
    if (!panel_) {
        panel_ = new ClassDataPanel(controller_, this);
        // Its keys work from the panel too, Alt+C closing it.
        panel_->addActions(actions());
        // Through the commands, which the window deletes before the panel.
        connect(panel_, &ClassDataPanel::closed, commands_,
                [this] { commands_->Action(controller::Command::ClassData)->setChecked(false); });
    }
    // Opened again at the zoom's size, beside the window wherever it stands.
    if (shown && !panel_->isVisible()) PlacePanel();
    panel_->setVisible(shown);
}

void Form1::Announce(const std::string& text, bool onceTypingPauses) {
    announcer_->Say(FromUtf8(text), onceTypingPauses);
}

void Form1::ShowRefusal(std::optional<TextBoxId> box, const std::string& title,
                        const std::string& text) {
    // Shown once the handler has returned: a dialog's own event loop must not
    // run other handlers in the middle of this one.
    QMetaObject::invokeMethod(
        this,
        [this, box, title = FromUtf8(title), text = FromUtf8(text)] {
            if (controller_.Ended()) return;
            QMessageBox notice(QMessageBox::Warning, title, text, QMessageBox::Ok, this);
            Localize(notice, description_.language());
            notice.exec();
            if (!box) return;
            QLineEdit* edit = texts_[Slot(*box)];
            activateWindow();
            edit->setFocus();
            edit->selectAll();
        },
        Qt::QueuedConnection);
}

void Form1::SetBoxHint(TextBoxId box, const std::string& hint, const std::string& description) {
    QLineEdit* edit = texts_[Slot(box)];
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Base,
                     hint.empty() ? palette().color(QPalette::Base) : kIncompleteTint);
    edit->setPalette(colours);
    edit->setToolTip(FromUtf8(hint));
    edit->setAccessibleDescription(FromUtf8(description));
    hinted_[Slot(box)] = true;
}

void Form1::ShowErrorReport(const std::string& title, const std::string& text) {
    announcer_->Stop();
    QMessageBox report(QMessageBox::Critical, FromUtf8(title), FromUtf8(text), QMessageBox::Ok,
                       this);
    Localize(report, description_.language());
    report.exec();
}

}  // namespace form
