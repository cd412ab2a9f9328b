#include "Form1.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <algorithm>

#include "CanvasAccessible.h"
#include "CaptionButtons.h"
#include "Fonts.h"
#include "Notices.h"
#include "StripChart.h"
#include "Twips.h"

namespace form {

using carriers::CarrierModel;
using carriers::TextBoxId;

namespace {

constexpr int kTimer1Interval = 50;
constexpr int kTimer2Interval = 2000;
// The doping boxes while they do not hold a usable pair.
const QColor kIncompleteTint(255, 228, 225);

std::size_t Slot(TextBoxId box) { return static_cast<std::size_t>(box) - 1; }

QString ObjectName(ControlKey key) {
    QString name = FromUtf8(key.name);
    if (key.index >= 0) name += QStringLiteral("_%1").arg(key.index);
    return name;
}

std::string_view TextBoxName(TextBoxId box) {
    static constexpr std::string_view kNames[] = {"Text1", "Text2", "Text3", "Text4",
                                                  "Text5", "Text6", "Text7"};
    return kNames[Slot(box)];
}

std::optional<TextBoxId> TextBoxOf(std::string_view name) {
    if (name.size() != 5 || !name.starts_with("Text")) return std::nullopt;
    const int number = name[4] - '0';
    if (number < 1 || number > 7) return std::nullopt;
    return static_cast<TextBoxId>(number);
}

}  // namespace

Form1::Form1(const Language& language, QWidget* parent)
    : QWidget(parent),
      Runtime(QLocale().decimalPoint().toStdString()),
      description_(language),
      model_(*this) {
    InstallCanvasAccessibility();
    setWindowTitle(description_.Title());
    setFont(DefaultFont());
    setFixedSize(kClientWidth / kTwipsPerPixel, kClientHeight / kTwipsPerPixel);
    CreateControls();

    // Timers are children, found by name like every other control.
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(kTimer1Interval);
    timer2_ = new QTimer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setInterval(kTimer2Interval);
    WireEvents();
    timer2_->start();
}

Form1::~Form1() = default;

void Form1::CreateControls() {
    canvas_ = new BandCanvas(*this, diagram_, description_, this);
    canvas_->setGeometry(rect());

    std::vector<std::pair<int, QWidget*>> tabStops;
    for (const ControlSpec& control : ControlTable()) {
        const QString caption = description_.Caption(control.key);
        QWidget* widget = nullptr;
        switch (control.kind) {
            case ControlKind::Label:
                continue;  // drawn by the canvas
            case ControlKind::TextBox: {
                auto* edit = new QLineEdit(caption, this);
                if (const auto box = TextBoxOf(control.key.name)) texts_[Slot(*box)] = edit;
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
                picture1_ = new StripChart(this);
                picture1_->setFocusPolicy(Qt::StrongFocus);
                widget = picture1_;
                break;
        }
        widget->setObjectName(ObjectName(control.key));
        widget->setGeometry(ToPixels(description_.Place(control)));
        widget->setAccessibleName(description_.AccessibleName(control.key));
        if (control.captionFontPoints > 0) widget->setFont(CaptionFont(control.captionFontPoints));
        tabStops.emplace_back(control.tabIndex, widget);
    }
    command1_ = findChild<QPushButton*>(QStringLiteral("Command1"));
    command2_ = findChild<QPushButton*>(QStringLiteral("Command2"));
    command4_ = findChild<QPushButton*>(QStringLiteral("Command4"));
    command5_ = findChild<QPushButton*>(QStringLiteral("Command5"));

    std::sort(tabStops.begin(), tabStops.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabStops.size(); ++i) {
        setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    }
    // Enter or the space bar starts a run right away.
    command1_->setFocus();
}

void Form1::WireEvents() {
    const auto bind = [this](auto* sender, auto signal, Handler handler) {
        connect(sender, signal, this, [this, handler] { Run(handler); });
    };
    bind(command1_, &QPushButton::clicked, &CarrierModel::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &Form1::Command2_Click);
    bind(command4_, &QPushButton::clicked, &CarrierModel::Command4_Click);
    bind(command5_, &QPushButton::clicked, &CarrierModel::Command5_Click);
    bind(check1_, &QCheckBox::stateChanged, &CarrierModel::Check1_Click);
    bind(texts_[Slot(TextBoxId::Text4)], &QLineEdit::textChanged, &CarrierModel::Text4_Change);
    bind(texts_[Slot(TextBoxId::Text5)], &QLineEdit::textChanged, &CarrierModel::Text5_Change);
    // A tick that falls due while a handler runs is merged by QTimer, so a
    // slow tick lowers the rate instead of queueing a backlog.
    bind(timer1_, &QTimer::timeout, &CarrierModel::Timer1_Timer);
    bind(timer2_, &QTimer::timeout, &CarrierModel::Timer2_Timer);
}

void Form1::Run(Handler handler) {
    if (handlersStopped_) return;
    Dispatch([this, handler] { (model_.*handler)(); });
}

void Form1::Load() { Run(&CarrierModel::Form_Load); }

void Form1::Command2_Click() {
    if (handlersStopped_) return;
    Dispatch([this] { EndProgram(0); });
}

void Form1::EndProgram(int status) {
    if (exitStatus_) return;
    handlersStopped_ = true;
    timer1_->stop();
    timer2_->stop();
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
    texts_[Slot(box)]->setText(QString::fromStdString(text));
}

int Form1::Check1Value() const {
    switch (check1_->checkState()) {
        case Qt::Checked: return 1;
        case Qt::PartiallyChecked: return 2;
        case Qt::Unchecked: break;
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

void Form1::Picture1PSet(float x, float y, std::uint32_t rgb) {
    picture1_->PSet(x, y, 0xFF000000u | (rgb & 0xFFFFFFu));
}

void Form1::Picture1Cls() { picture1_->Cls(); }

void Form1::OnLine7Visible(int index, bool visible) {
    diagram_.line7Visible[static_cast<std::size_t>(index)] = visible;
}

void Form1::HandlerFinished() { canvas_->ScheduleUpdate(); }

void Form1::RejectInput(TextBoxId box, carriers::AcceptedRange accepted) {
    // Shown once the handler has returned: a dialog's own event loop must not
    // run other handlers in the middle of this one.
    QMetaObject::invokeMethod(
        this, [this, box, accepted] { ShowRejection(box, accepted); }, Qt::QueuedConnection);
}

void Form1::ShowRejection(TextBoxId box, carriers::AcceptedRange accepted) {
    if (handlersStopped_) return;
    const NoticeTexts& notices = description_.language().notices;
    const QString boxName = description_.AccessibleName({TextBoxName(box)});
    QMessageBox notice(QMessageBox::Warning, FromUtf8(notices.rejectTitle),
                       RejectionText(notices, boxName, accepted, locale()), QMessageBox::Ok, this);
    notice.exec();
    QLineEdit* edit = texts_[Slot(box)];
    activateWindow();
    edit->setFocus();
    edit->selectAll();
}

void Form1::SetDopingEntryComplete(bool complete) {
    const QString hint =
        complete ? QString() : FromUtf8(description_.language().notices.dopingIncomplete);
    for (TextBoxId box : {TextBoxId::Text4, TextBoxId::Text5}) {
        QLineEdit* edit = texts_[Slot(box)];
        QPalette colours = edit->palette();
        colours.setColor(QPalette::Base, complete ? palette().color(QPalette::Base) : kIncompleteTint);
        edit->setPalette(colours);
        edit->setToolTip(hint);
        edit->setAccessibleDescription(hint);
    }
}

void Form1::ReportRuntimeError(carriers::ErrorKind kind) {
    if (exitStatus_) return;
    // No handler may run behind the report, not even from its event loop.
    handlersStopped_ = true;
    timer1_->stop();
    timer2_->stop();
    const NoticeTexts& notices = description_.language().notices;
    QMessageBox report(QMessageBox::Critical, FromUtf8(notices.errorTitle),
                       RuntimeErrorText(notices, kind), QMessageBox::Ok, this);
    report.exec();
    EndProgram(1);
}

}  // namespace form
