#pragma once

#include <QRect>
#include <QRectF>
#include <QString>
#include <string_view>

#include "form/FormLayout.h"

namespace form {

// The window is described in twips; a logical pixel is 15 of them, and Qt's
// device pixel ratio scales from there.
inline constexpr double kPixelsPerTwip = 1.0 / kTwipsPerPixel;

inline QRect ToPixels(const Placement& p) {
    return {p.left / kTwipsPerPixel, p.top / kTwipsPerPixel, p.width / kTwipsPerPixel,
            p.height / kTwipsPerPixel};
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
