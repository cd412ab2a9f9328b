#include "PanelPlace.h"

#include <algorithm>
#include <array>
#include <limits>

namespace form {

namespace {

// The size at `scale`, as the panel resizes itself.
QSize Scaled(QSize panel, double scale) { return (QSizeF(panel) * scale).toSize(); }

long long Hidden(const QRect& place, std::span<const QRect> rects) {
    long long covered = 0;
    for (const QRect& rect : rects) {
        const QRect both = place.intersected(rect);
        if (!both.isEmpty()) covered += static_cast<long long>(both.width()) * both.height();
    }
    return covered;
}

// Moves `place` into `area` as far as it can.
QRect Within(QRect place, const QRect& area) {
    place.moveRight(std::min(place.right(), area.right()));
    place.moveBottom(std::min(place.bottom(), area.bottom()));
    place.moveLeft(std::max(place.left(), area.left()));
    place.moveTop(std::max(place.top(), area.top()));
    return place;
}

}  // namespace

PanelPlace ChoosePanelPlace(const QRect& area, const QRect& window, QSize panel, double zoom,
                            std::span<const QRect> controls) {
    // The room on each side of the window, in the order preferred on a tie:
    // beside it first, as a page is read, then below and above.
    const std::array<QRect, 4> sides{
        QRect(QPoint(window.right() + 1, area.top()), area.bottomRight()),
        QRect(area.topLeft(), QPoint(window.left() - 1, area.bottom())),
        QRect(QPoint(area.left(), window.bottom() + 1), area.bottomRight()),
        QRect(area.topLeft(), QPoint(area.right(), window.top() - 1)),
    };
    double best = 0.0;
    std::size_t side = 0;
    for (std::size_t i = 0; i < sides.size(); ++i) {
        if (sides[i].isEmpty()) continue;
        const double fits = std::min({zoom, double(sides[i].width()) / panel.width(),
                                      double(sides[i].height()) / panel.height()});
        if (fits > best) {
            best = fits;
            side = i;
        }
    }
    if (best >= 1.0) {
        // Level with the window's top, or its left below and above it.
        const QSize size = Scaled(panel, best);
        const QPoint corner =
            side < 2 ? QPoint(side == 0 ? sides[0].left() : sides[1].right() - size.width() + 1,
                              window.top())
                     : QPoint(window.left(),
                              side == 2 ? sides[2].top() : sides[3].bottom() - size.height() + 1);
        return {Within(QRect(corner, size), sides[side]).topLeft(), best};
    }
    // No room beside: at its smallest readable size, flush with a side of
    // the window or in a corner of the screen, where it hides least.
    const QSize size = panel.boundedTo(area.size());
    const std::array<QPoint, 8> corners{
        window.topRight() + QPoint(1, 0),
        QPoint(window.left() - size.width(), window.top()),
        window.bottomLeft() + QPoint(0, 1),
        QPoint(window.left(), window.top() - size.height()),
        area.topRight() - QPoint(size.width() - 1, 0),
        area.bottomRight() - QPoint(size.width() - 1, size.height() - 1),
        area.topLeft(),
        area.bottomLeft() - QPoint(0, size.height() - 1),
    };
    QRect chosen;
    std::pair<long long, long long> least{std::numeric_limits<long long>::max(), 0};
    for (const QPoint& corner : corners) {
        const QRect place = Within(QRect(corner, size), area);
        const std::pair<long long, long long> hidden{Hidden(place, controls),
                                                     Hidden(place, std::span(&window, 1))};
        if (hidden < least) {
            least = hidden;
            chosen = place;
        }
    }
    return {chosen.topLeft(), 1.0};
}

}  // namespace form
