#include "StripChart.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "FormLayout.h"
#include "Twips.h"

namespace form {

namespace {

// A sweep plots 1331 points; keep room for them from the start.
constexpr std::size_t kSweepPoints = 1331;
constexpr int kBorderPixels = 2;

int PixelIndex(float twips) {
    // Outside the int range the point is far off the picture anyway.
    const double px = std::floor(static_cast<double>(twips) / kTwipsPerPixel);
    return static_cast<int>(std::clamp(px, -1.0e6, 1.0e6));
}

}  // namespace

StripChart::StripChart(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorderPixels);
    points_.reserve(kSweepPoints);
}

QRect StripChart::PixelOf(float x, float y) const {
    const QPoint origin = contentsRect().topLeft();
    return {origin.x() + PixelIndex(x), origin.y() + PixelIndex(y), 1, 1};
}

void StripChart::PSet(float x, float y, QRgb rgb) {
    points_.push_back(Point{x, y, rgb});
    const QRect pixel = PixelOf(x, y) & contentsRect();
    if (!pixel.isEmpty()) update(pixel);
}

void StripChart::Cls() {
    points_.clear();
    update(contentsRect());
}

void StripChart::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setClipRect(contentsRect() & event->rect());
    for (const Point& point : points_) {
        p.fillRect(PixelOf(point.x, point.y), QColor(point.rgb));
    }
    // Line6 lies on top of the plotted points; at y 1440 it is below the
    // drawing area of a bordered box and so is clipped away.
    if (const LineSpec* line6 = FindLine({"Line6"})) {
        p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
        const QPoint origin = contentsRect().topLeft();
        p.drawLine(origin + QPoint(line6->x1, line6->y1) / kTwipsPerPixel,
                   origin + QPoint(line6->x2, line6->y2) / kTwipsPerPixel);
    }
}

}  // namespace form
