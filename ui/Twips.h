#pragma once

#include <QRect>
#include <QRectF>

#include "captions/Language.h"

namespace form {

// The window is described in twips; a logical pixel is 15 of them, and Qt's
// device pixel ratio scales from there.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr double kPixelsPerTwip = 1.0 / kTwipsPerPixel;

inline QRect ToPixels(const Placement& p) {
    return {p.left / kTwipsPerPixel, p.top / kTwipsPerPixel, p.width / kTwipsPerPixel,
            p.height / kTwipsPerPixel};
}

inline QRectF ToTwipsRect(const Placement& p) {
    return {static_cast<double>(p.left), static_cast<double>(p.top),
            static_cast<double>(p.width), static_cast<double>(p.height)};
}

}  // namespace form
