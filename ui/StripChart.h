#pragma once

#include <QFrame>
#include <QRgb>
#include <vector>

namespace form {

// Picture1: a sunken picture box whose drawing area is measured in twips
// from its inner top-left corner. Points are kept, so they survive any
// repaint until the next Cls. Line6 stands inside it.
class StripChart : public QFrame {
    Q_OBJECT
public:
    struct Point {
        float x;
        float y;
        QRgb rgb;
    };

    explicit StripChart(QWidget* parent);

    void PSet(float x, float y, QRgb rgb);
    void Cls();
    const std::vector<Point>& Points() const { return points_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The logical pixel a point in twips lands on, in widget coordinates.
    QRect PixelOf(float x, float y) const;

    std::vector<Point> points_;
};

}  // namespace form
