#pragma once

#include <QRect>
#include <QRectF>
#include <QString>
#include <cmath>
#include <string_view>

#include "form/FormLayout.h"

namespace form {

// The window is described in twips; a logical pixel is 15 of them, and Qt's
// device pixel ratio scales from there.
inline constexpr double kPixelsPerTwip = 1.0 / kTwipsPerPixel;

// A position in twips at a zoom, to the nearest logical pixel.
inline int ToPixel(double twips, double zoom) {
    return static_cast<int>(std::lround(twips * zoom / kTwipsPerPixel));
}

// Both edges are rounded, not the size, so controls that meet in twips
// still meet at every zoom.
inline QRect ToPixels(const Placement& p, double zoom = 1.0) {
    const int left = ToPixel(p.left, zoom);
    const int top = ToPixel(p.top, zoom);
    return {left, top, ToPixel(p.left + p.width, zoom) - left,
            ToPixel(p.top + p.height, zoom) - top};
}

// A size in logical pixels of the designed window, at a zoom.
inline int ZoomedPixels(int pixels, double zoom) {
    return static_cast<int>(std::lround(pixels * zoom));
}

inline QRectF ToTwipsRect(const Placement& p) {
    return {static_cast<double>(p.left), static_cast<double>(p.top), static_cast<double>(p.width),
            static_cast<double>(p.height)};
}

// The description's texts are UTF-8.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace form
