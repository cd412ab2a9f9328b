#include "CanvasAccessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QVariant>
#include <vector>

#include "BandCanvas.h"
#include "LineEditAccessible.h"
#include "StripChart.h"

namespace form {

namespace {

// What every object the canvas paints, rather than holds as a widget, has
// in common: it belongs to the canvas, has no children and cannot be edited.
class PaintedChild : public QAccessibleInterface {
  public:
    explicit PaintedChild(BandCanvas* canvas) : canvas_(canvas) {}

    bool isValid() const override { return !canvas_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return canvas_ ? canvas_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(canvas_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        return s;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  protected:
    QPointer<BandCanvas> canvas_;
};

class PaintedLabel : public PaintedChild {
  public:
    PaintedLabel(BandCanvas* canvas, std::size_t index) : PaintedChild(canvas), index_(index) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && canvas_ ? Label().caption : QString();
    }
    QRect rect() const override {
        if (!canvas_) return {};
        const QRect r = Label().rect;
        return {canvas_->mapToGlobal(r.topLeft()), r.size()};
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }

  private:
    const BandCanvas::Label& Label() const { return canvas_->Labels()[index_]; }

    std::size_t index_;
};

// Where the canvas keeps the last announcement, so that it outlives any
// accessible object Qt makes of the canvas.
constexpr char kAnnouncement[] = "quarvelAnnouncement";

// The diagram's last announcement. Qt 6.4 has no announcement event, and
// Orca ignores name and text changes away from the focus; what it does speak
// is a notification that is shown, once each time, without the focus moving.
class Announcement : public PaintedChild {
  public:
    explicit Announcement(BandCanvas* canvas) : PaintedChild(canvas) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? Said() : QString();
    }
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State s = PaintedChild::state();
        s.invisible = Said().isEmpty();
        return s;
    }

  private:
    QString Said() const {
        return canvas_ ? canvas_->property(kAnnouncement).toString() : QString();
    }
};

class CanvasInterface : public QAccessibleWidget {
  public:
    explicit CanvasInterface(BandCanvas* canvas) : QAccessibleWidget(canvas, QAccessible::Pane) {
        for (std::size_t i = 0; i < canvas->Labels().size(); ++i) {
            children_.push_back(
                QAccessible::registerAccessibleInterface(new PaintedLabel(canvas, i)));
        }
        announcement_ = QAccessible::registerAccessibleInterface(new Announcement(canvas));
        children_.push_back(announcement_);
    }
    ~CanvasInterface() override {
        for (QAccessible::Id id : children_) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return static_cast<int>(children_.size()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return QAccessible::accessibleInterface(children_[static_cast<std::size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < children_.size(); ++i) {
            if (QAccessible::accessibleInterface(children_[i]) == child) return static_cast<int>(i);
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (QAccessible::Id id : children_) {
            QAccessibleInterface* label = QAccessible::accessibleInterface(id);
            if (label->rect().contains(x, y)) return label;
        }
        return nullptr;
    }

    QAccessibleInterface* AnnouncementObject() const {
        return QAccessible::accessibleInterface(announcement_);
    }

  private:
    std::vector<QAccessible::Id> children_;  // the labels, then the announcement
    QAccessible::Id announcement_ = 0;
};

QAccessibleInterface* CanvasFactory(const QString&, QObject* object) {
    if (auto* canvas = qobject_cast<BandCanvas*>(object)) return new CanvasInterface(canvas);
    // A QFrame is a "frame" to AT-SPI, which a screen reader takes for a
    // window and does not read when it gets the focus.
    if (auto* chart = qobject_cast<StripChart*>(object)) {
        return new QAccessibleWidget(chart, QAccessible::Chart);
    }
    return nullptr;
}

}  // namespace

void AnnounceOnCanvas(BandCanvas* canvas, const QString& text) {
    canvas->setProperty(kAnnouncement, text);
    auto* diagram = dynamic_cast<CanvasInterface*>(QAccessible::queryAccessibleInterface(canvas));
    if (!diagram) return;
    QAccessibleEvent shown(diagram->AnnouncementObject(), QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void CaptionsChanged(BandCanvas* canvas) {
    if (!QAccessible::isActive()) return;
    auto* diagram = dynamic_cast<CanvasInterface*>(QAccessible::queryAccessibleInterface(canvas));
    if (!diagram) return;
    for (int i = 0; i < diagram->childCount(); ++i) {
        if (diagram->child(i)->role() != QAccessible::StaticText) continue;  // the announcement
        QAccessibleEvent renamed(diagram->child(i), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
}

void InstallCanvasAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(CanvasFactory);
        QAccessible::installFactory(LineEditAccessibleFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace form
