#include "Announcer.h"

#include <QEvent>
#include <QWidget>

#include "BandCanvas.h"
#include "CanvasAccessible.h"
#include "Twips.h"

namespace form {

PacedDescription::PacedDescription(QWidget* target, int pauseMs, std::function<QString()> describe,
                                   QObject* parent)
    : QObject(parent), target_(target), pauseMs_(pauseMs), describe_(std::move(describe)) {
    due_.setSingleShot(true);
    connect(&due_, &QTimer::timeout, this, &PacedDescription::Apply);
}

void PacedDescription::Refresh(bool now) {
    const qint64 waited = changedAt_.isValid() ? changedAt_.elapsed() : pauseMs_;
    if (now || waited >= pauseMs_) {
        Apply();
    } else if (!due_.isActive()) {
        due_.start(static_cast<int>(pauseMs_ - waited));
    }
}

void PacedDescription::Apply() {
    due_.stop();
    const QString text = describe_();
    if (text == target_->accessibleDescription()) return;
    target_->setAccessibleDescription(text);
    changedAt_.start();
}

Announcer::Announcer(const SpokenTexts& texts, const carriers::Runtime& runtime,
                     std::function<SceneFacts()> facts, BandCanvas* diagram, QWidget* chart,
                     QObject* parent)
    : QObject(parent),
      texts_(texts),
      runtime_(runtime),
      facts_(std::move(facts)),
      diagram_(diagram),
      chart_(chart),
      scene_(
          diagram, kDescribeEveryMs, [this] { return FromUtf8(DescribeScene(texts_, facts_())); },
          this),
      // The chart can have the focus: paced like a readout that has it.
      trend_(
          chart, kFocusedReadoutPauseMs,
          [this] { return FromUtf8(DescribeChart(texts_, runtime_.Chart())); }, this) {
    diagram->setAccessibleName(FromUtf8(texts.diagramName));
    chart->installEventFilter(this);
    typing_.setSingleShot(true);
    typing_.setInterval(kTypingPauseMs);
    connect(&typing_, &QTimer::timeout, this, [this] { AnnounceOnCanvas(diagram_, typed_); });
}

void Announcer::HandlerFinished(const Binding* binding) {
    // The tick and the current readout change the scene by themselves; any
    // other event is the user's, who hears its outcome at once.
    const bool action = !binding || binding->event != Event::Timer;
    scene_.Refresh(action);
    trend_.Refresh(false);
    // The ticks announce nothing: no need to gather the facts for them.
    if (!binding || binding->announce == Announcement::None) return;
    const std::string said =
        Announce(texts_, binding->announce, facts_(), runtime_.Text(carriers::TextBoxId::Text2));
    if (said.empty()) return;
    if (binding->event == Event::Change) {
        typed_ = FromUtf8(said);
        typing_.start();
    } else {
        // What came after the typing is newer than what the typing set.
        typing_.stop();
        AnnounceOnCanvas(diagram_, FromUtf8(said));
    }
}

void Announcer::Stop() {
    scene_.Stop();
    trend_.Stop();
    typing_.stop();
}

bool Announcer::eventFilter(QObject* watched, QEvent* event) {
    // Before the focus is reported, so that the trend read with it is today's.
    if (watched == chart_ && event->type() == QEvent::FocusIn) trend_.Refresh(true);
    return QObject::eventFilter(watched, event);
}

QString InputDescription(const SpokenTexts& texts, ControlKey control, const QString& hint) {
    QString text = FromUtf8(DescribeInput(texts, control));
    if (!hint.isEmpty()) text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + hint;
    return text;
}

}  // namespace form
