#include "Announcer.h"

#include <QEvent>
#include <QWidget>

#include "BandCanvas.h"
#include "CanvasAccessible.h"
#include "Controller.h"
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

Announcer::Announcer(const controller::Controller& controller, BandCanvas* diagram, QWidget* chart,
                     QObject* parent)
    : QObject(parent),
      controller_(controller),
      diagram_(diagram),
      chart_(chart),
      scene_(
          diagram, form::kDescribeEveryMs, [&controller] { return FromUtf8(controller.Scene()); },
          this),
      // The chart can have the focus: paced like a readout that has it.
      trend_(
          chart, form::kFocusedReadoutPauseMs,
          [&controller] { return FromUtf8(controller.ChartTrend()); }, this) {
    diagram->setAccessibleName(FromUtf8(controller.Description().language().spoken.diagramName));
    chart->installEventFilter(this);
    typing_.setSingleShot(true);
    typing_.setInterval(form::kTypingPauseMs);
    connect(&typing_, &QTimer::timeout, this, [this] { AnnounceOnCanvas(diagram_, typed_); });
}

void Announcer::Refresh(bool byUser) {
    // The tick and the current readout change the scene by themselves; any
    // other event is the user's, who hears its outcome at once.
    scene_.Refresh(byUser);
    trend_.Refresh(false);
}

void Announcer::Say(const QString& text, bool onceTypingPauses) {
    if (onceTypingPauses) {
        typed_ = text;
        typing_.start();
    } else {
        // What came after the typing is newer than what the typing set.
        typing_.stop();
        AnnounceOnCanvas(diagram_, text);
    }
}

void Announcer::LanguageChanged() {
    diagram_->setAccessibleName(FromUtf8(controller_.Description().language().spoken.diagramName));
    scene_.Refresh(true);
    trend_.Refresh(true);
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

}  // namespace form
