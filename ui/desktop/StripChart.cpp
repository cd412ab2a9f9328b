#include "StripChart.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <cmath>

#include "Twips.h"

namespace form {

namespace {

constexpr int kBorderPixels = 2;

int PixelIndex(float twips) {
    // Outside the int range the point is far off the picture anyway.
    const double px = std::floor(static_cast<double>(twips) / kTwipsPerPixel);
    return static_cast<int>(std::clamp(px, -1.0e6, 1.0e6));
}

}  // namespace

QColor StripChart::Ink(std::uint32_t rgb) const {
    // The chart shows the window through it: black ink on it is the
    // palette's text colour, so the trace stays visible under a dark theme.
    if (rgb == kBlack) return palette().color(QPalette::WindowText);
    return QColor::fromRgb(0xFF000000u | rgb);
}

StripChart::StripChart(const carriers::Runtime& runtime, QWidget* parent)
    : QFrame(parent), runtime_(runtime) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorderPixels);
}

void StripChart::SetZoom(double zoom) {
    zoom_ = zoom;
    setLineWidth(ZoomedPixels(kBorderPixels, zoom));
    update();
}

QRect StripChart::PixelOf(float x, float y) const {
    const QPoint origin = contentsRect().topLeft();
    const int column = PixelIndex(x);
    const int row = PixelIndex(y);
    // Both edges rounded, so neighbouring points tile without a gap.
    const QPoint from(ZoomedPixels(column, zoom_), ZoomedPixels(row, zoom_));
    const QPoint to(ZoomedPixels(column + 1, zoom_), ZoomedPixels(row + 1, zoom_));
    return QRect(origin + from, origin + to - QPoint(1, 1));
}

void StripChart::PointAdded(const carriers::ChartPoint& point) {
    const QRect pixel = PixelOf(point.x, point.y) & contentsRect();
    if (!pixel.isEmpty()) update(pixel);
}

void StripChart::Cleared() { update(contentsRect()); }

void StripChart::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    update();
}

void StripChart::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    update();
}

void StripChart::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect area = contentsRect() & event->rect();
    p.setClipRect(area);
    // A tick repaints one point's pixel: skip the others by their x alone.
    const double twipsPerPixel = kTwipsPerPixel / zoom_;
    const double fromX = (area.left() - contentsRect().left() - 1) * twipsPerPixel;
    const double toX = (area.right() - contentsRect().left() + 1) * twipsPerPixel;
    for (const carriers::ChartPoint& point : Points()) {
        if (point.x < fromX || point.x > toX) continue;
        p.fillRect(PixelOf(point.x, point.y), Ink(point.rgb));
    }
    // Line6 lies on top of the plotted points; at y 1440 it is below the
    // drawing area of a bordered box and so is clipped away.
    const LineSpec& line6 = LineWithRole(LineRole::ChartFoot);
    const QRect from = PixelOf(static_cast<float>(line6.x1), static_cast<float>(line6.y1));
    const QRect to = PixelOf(static_cast<float>(line6.x2), static_cast<float>(line6.y2));
    p.fillRect(from | to, Ink(kBlack));
    // The chart is a tab stop: show keyboard users where the focus went.
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = contentsRect();
        // However the focus came, by Tab or by a click.
        option.state |= QStyle::State_KeyboardFocusChange;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

}  // namespace form
