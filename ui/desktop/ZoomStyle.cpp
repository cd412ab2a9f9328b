#include "ZoomStyle.h"

#include <QApplication>
#include <QImage>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace form {

namespace {

constexpr int kCaptionMargin = 3;  // pixels at zoom 1

constexpr QStyle::PixelMetric kZoomedMetrics[] = {
    QStyle::PM_IndicatorWidth,    QStyle::PM_IndicatorHeight,       QStyle::PM_CheckBoxLabelSpacing,
    QStyle::PM_DefaultFrameWidth, QStyle::PM_ButtonShiftHorizontal, QStyle::PM_ButtonShiftVertical,
};

// A device of 96 dots per inch, for the metrics the style would use there.
const QImage& At96Dpi() {
    static const QImage image = [] {
        QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
        constexpr int kDotsPerMetre = 3780;  // 96 dpi
        device.setDotsPerMeterX(kDotsPerMetre);
        device.setDotsPerMeterY(kDotsPerMetre);
        return device;
    }();
    return image;
}

}  // namespace

ZoomStyle::ZoomStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

int ZoomStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
    if (metric == kCaptionMarginMetric) {
        return static_cast<int>(std::lround(kCaptionMargin * zoom_));
    }
    if (std::find(std::begin(kZoomedMetrics), std::end(kZoomedMetrics), metric) ==
        std::end(kZoomedMetrics)) {
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
    // The style scales these by the DPI its option's font reports.
    QStyleOption at96 = option ? *option : QStyleOption();
    at96.fontMetrics = QFontMetrics(widget ? widget->font() : QApplication::font(), &At96Dpi());
    return static_cast<int>(std::lround(QProxyStyle::pixelMetric(metric, &at96, widget) * zoom_));
}

}  // namespace form
