#pragma once

#include <QColor>
#include <QFrame>
#include <cstdint>
#include <vector>

#include "Runtime.h"

namespace form {

// Picture1: a sunken picture box whose drawing area is measured in twips
// from its inner top-left corner. It paints the points the runtime keeps,
// so they survive any repaint until the next Cls. Line6 stands inside it.
class StripChart : public QFrame {
    Q_OBJECT
  public:
    StripChart(const carriers::Runtime& runtime, QWidget* parent);

    const std::vector<carriers::ChartPoint>& Points() const { return runtime_.Chart(); }
    // Repaint only what changed.
    void PointAdded(const carriers::ChartPoint& point);
    void Cleared();
    // Draws the same points and border at a zoom of the designed size.
    void SetZoom(double zoom);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    // The pixel of the designed size a point in twips lands on, zoomed, in
    // widget coordinates.
    QRect PixelOf(float x, float y) const;
    QColor Ink(std::uint32_t rgb) const;

    const carriers::Runtime& runtime_;
    double zoom_ = 1.0;
};

}  // namespace form
