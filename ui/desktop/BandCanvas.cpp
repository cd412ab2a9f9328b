#include "BandCanvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "CanvasAccessible.h"
#include "Fonts.h"
#include "Localize.h"
#include "Twips.h"

namespace form {

namespace {

constexpr double kPen = kTwipsPerPixel;  // one logical pixel
constexpr double kHalfPen = kTwipsPerPixel / 2.0;
const QRectF kClientTwips(0, 0, kClientWidth, kClientHeight);

// A marker's box, before it is moved onto a whole device pixel.
QRectF MarkerRect(const carriers::Marker& m) {
    return {static_cast<double>(m.Left), static_cast<double>(m.Top), kMarkerSize, kMarkerSize};
}

// Markers stand on whole device pixels, so a dot keeps its shape while it
// moves: at zoom 1 on a 96-dpi screen, the pixel its twips fall in.
double SnapToDevicePixel(float twips, double devicePerTwip) {
    return std::floor(static_cast<double>(twips) * devicePerTwip);
}

void PaintShape(QPainter& p, ShapeKind kind, const QRectF& box, const ShapeSpec& shape) {
    p.setBrush(shape.fill ? QBrush(QColor::fromRgb(0xFF000000u | *shape.fill))
                          : QBrush(Qt::NoBrush));
    if (shape.outline) {
        QPen pen(Qt::black, kPen);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
    } else {
        p.setPen(Qt::NoPen);
    }
    // The border lies inside the shape's box.
    const QRectF inner =
        shape.outline ? box.adjusted(kHalfPen, kHalfPen, -kHalfPen, -kHalfPen) : box;
    if (kind == ShapeKind::Circle) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.drawEllipse(inner);
        p.setRenderHint(QPainter::Antialiasing, false);
    } else {
        p.drawRect(inner);
    }
}

// Black ink stands out on the bands' fixed fills under every theme; over
// the window it takes the palette's text colour, which a dark theme makes
// light, as the captions do.
QColor InkAt(const QPointF& twips, const QPalette& palette) {
    for (const ShapeSpec& shape : ShapeTable()) {
        if (shape.role == ShapeRole::Fixed && shape.fill &&
            ToTwipsRect(shape.place).contains(twips)) {
            return Qt::black;
        }
    }
    return palette.color(QPalette::WindowText);
}

}  // namespace

BandCanvas::BandCanvas(const carriers::Runtime& runtime, const FormDescription& form,
                       QWidget* parent)
    : QWidget(parent), runtime_(runtime), form_(form) {
    setObjectName(QStringLiteral("BandCanvas"));
    // It paints its own background, so the window need not paint beneath it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (const ControlKey& key : PaintOrder()) {
        Step step;
        if (const ShapeSpec* shape = FindShape(key)) {
            step.shape = shape;
            if (shape->role == ShapeRole::ElectronMarkers) step.markers = &runtime_.Shape1();
            if (shape->role == ShapeRole::HoleMarkers) step.markers = &runtime_.Shape2();
            if (step.markers) step.kind = StepKind::Markers;
        } else if (const LineSpec* line = FindLine(key)) {
            step.kind = StepKind::Line;
            step.line = line;
        } else if (const ControlSpec* control = FindControl(key)) {
            step.kind = StepKind::Label;
            step.label = labels_.size();
            labels_.push_back(Label{key, {}, {}, control->captionFontPoints, {}, {}});
        } else {
            continue;
        }
        steps_.push_back(step);
    }
    ShowCaptions();
    SetZoom(zoom_);
}

void BandCanvas::ShowCaptions() {
    const Language& language = form_.language();
    for (Label& label : labels_) {
        label.caption = FromUtf8(form_.Caption(label.key));
        label.translated = form_.Translated(label.key);
        label.direction = label.translated ? TextDirection(language) : Qt::LeftToRight;
        const ControlSpec& control = *FindControl(label.key);
        label.place = label.direction == Qt::RightToLeft ? form_.RoomFromRight(control)
                                                         : form_.Place(control);
    }
    CaptionsChanged(this);
}

void BandCanvas::SetZoom(double zoom) {
    zoom_ = zoom;
    for (Label& label : labels_) {
        label.rect = ToPixels(label.place, zoom);
        const Language* script = label.translated ? &form_.language() : nullptr;
        if (label.fontPoints > 0) {
            label.font = CaptionFont(label.fontPoints, zoom, script);
        } else if (script) {
            label.font = DefaultFont(zoom, script);
        } else {
            label.font.reset();
        }
    }
    lastDynamic_ = DynamicParts();
    update();
}

QLineF BandCanvas::LineTwips(const LineSpec& line) const {
    double y1 = line.y1;
    double y2 = line.y2;
    if (line.role == LineRole::FermiLevel) {
        y1 = static_cast<double>(runtime_.Diagram().line3Y1);
        y2 = static_cast<double>(runtime_.Diagram().line3Y2);
    }
    // Through the centres of the pixels the end points fall in.
    return {line.x1 + kHalfPen, y1 + kHalfPen, line.x2 + kHalfPen, y2 + kHalfPen};
}

bool BandCanvas::LineVisible(const LineSpec& line) const {
    if (line.role != LineRole::PolarityMark) return true;
    return runtime_.Diagram().line7Visible[static_cast<std::size_t>(line.key.index)];
}

QRect BandCanvas::PixelBox(const QRectF& twips) const {
    // Room for the pen and the circles' smoothed edges.
    const QRectF padded = twips.adjusted(-kPen, -kPen, kPen, kPen);
    const double scale = zoom_ * kPixelsPerTwip;
    return QRectF(padded.topLeft() * scale, padded.bottomRight() * scale).toAlignedRect();
}

BandCanvas::Dynamic BandCanvas::DynamicParts() const {
    Dynamic parts;
    const carriers::MarkerArray* arrays[] = {&runtime_.Shape1(), &runtime_.Shape2()};
    for (std::size_t kind = 0; kind < parts.markers.size(); ++kind) {
        QRectF bounds;
        for (const carriers::Marker& m : arrays[kind]->members()) {
            const QRectF r = MarkerRect(m);
            if (r.intersects(kClientTwips)) bounds |= r;
        }
        if (!bounds.isEmpty()) parts.markers[kind] = PixelBox(bounds);
    }
    for (const LineSpec& line : LineTable()) {
        if (line.role != LineRole::FermiLevel && line.role != LineRole::PolarityMark) continue;
        if (!LineVisible(line)) continue;
        const QLineF l = LineTwips(line);
        parts.lines += PixelBox(QRectF(l.p1(), l.p2()).normalized());
    }
    return parts;
}

void BandCanvas::ScheduleUpdate() {
    Dynamic now = DynamicParts();
    // Electrons and holes each keep near their band's edge: a box around
    // each kind, where it was and where it is, leaves out the gap between
    // the bands, which at a high zoom is most of the diagram.
    QRegion dirty;
    for (std::size_t kind = 0; kind < now.markers.size(); ++kind) {
        dirty += now.markers[kind] | lastDynamic_.markers[kind];
    }
    if (now.lines != lastDynamic_.lines) dirty |= now.lines | lastDynamic_.lines;
    lastDynamic_ = std::move(now);
    dirty &= rect();
    if (!dirty.isEmpty()) update(dirty);
}

const QPixmap& BandCanvas::MarkerImage(Step& step, qreal ratio) {
    const double scale = zoom_ * ratio * kPixelsPerTwip;  // device pixels per twip
    if (step.markerImageScale != scale || step.markerImage.devicePixelRatio() != ratio) {
        const int side = static_cast<int>(std::ceil(kMarkerSize * scale));
        QPixmap image(side, side);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.scale(scale, scale);
            PaintShape(p, ShapeKind::Circle, QRectF(0, 0, kMarkerSize, kMarkerSize), *step.shape);
        }
        image.setDevicePixelRatio(ratio);
        step.markerImage = image;
        step.markerImageScale = scale;
    }
    return step.markerImage;
}

void BandCanvas::PaintMarkers(QPainter& p, Step& step, const QRectF& exposed) {
    const QPixmap& image = MarkerImage(step, p.device()->devicePixelRatioF());
    const qreal ratio = image.devicePixelRatio();
    const double devicePerTwip = step.markerImageScale;
    p.save();
    p.resetTransform();
    for (const carriers::Marker& m : step.markers->members()) {
        // Snapping moves a marker by less than a pen's width up or left.
        if (!MarkerRect(m).adjusted(-kPen, -kPen, 0, 0).intersects(exposed)) continue;
        p.drawPixmap(QPointF(SnapToDevicePixel(m.Left, devicePerTwip) / ratio,
                             SnapToDevicePixel(m.Top, devicePerTwip) / ratio),
                     image);
    }
    p.restore();
}

void BandCanvas::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), palette().window());
    const double twipsPerPixel = kTwipsPerPixel / zoom_;
    const QRectF exposed(QPointF(event->rect().topLeft()) * twipsPerPixel,
                         QSizeF(event->rect().size()) * twipsPerPixel);
    p.scale(1.0 / twipsPerPixel, 1.0 / twipsPerPixel);

    for (Step& step : steps_) {
        switch (step.kind) {
            case StepKind::Shape: {
                const QRectF box = ToTwipsRect(step.shape->place);
                if (box.intersects(exposed)) PaintShape(p, step.shape->shape, box, *step.shape);
                break;
            }
            case StepKind::Markers:
                PaintMarkers(p, step, exposed);
                break;
            case StepKind::Line: {
                if (!LineVisible(*step.line)) break;
                const QLineF line = LineTwips(*step.line);
                QPen pen(InkAt(line.center(), palette()), kPen, Qt::SolidLine, Qt::SquareCap);
                if (step.line->style == LineStyle::DashDot) {
                    pen.setStyle(Qt::DashDotLine);
                    pen.setCapStyle(Qt::FlatCap);
                }
                p.setPen(pen);
                p.drawLine(line);
                break;
            }
            case StepKind::Label: {
                const Label& label = labels_[step.label];
                if (!event->region().intersects(label.rect)) break;
                p.save();
                p.resetTransform();
                p.setFont(LabelFont(label));
                p.setLayoutDirection(label.direction);
                p.setPen(palette().color(QPalette::WindowText));
                p.drawText(label.rect, kLabelTextFlags, label.caption);
                p.restore();
                break;
            }
        }
    }
}

}  // namespace form
