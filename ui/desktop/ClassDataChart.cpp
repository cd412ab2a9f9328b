#include "ClassDataChart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

#include "Twips.h"

namespace form {

namespace {

// No band holds more than 100 carriers.
constexpr double kCountsTop = 100.0;

struct Trace {
    QColor ink;
    Qt::PenStyle style;
};

struct Legend {
    QColor ink;
    Qt::PenStyle style;
    double width;
    const std::string* name;
};

// Read on a light window; lightened on a dark one.
const QColor kElectronInk = QColor::fromRgb(controller::kElectronTraceRgb);
const QColor kHoleInk = QColor::fromRgb(controller::kHoleTraceRgb);

bool Dark(const QPalette& palette) { return palette.color(QPalette::Window).lightness() < 128; }

// A round number at or above `value` for the n·p scale: 1, 2 or 5 times a
// power of ten.
double RoundedUp(double value) {
    if (!(value > 0.0)) return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {1.0, 2.0, 5.0, 10.0}) {
        if (step * power >= value) return step * power;
    }
    return 10.0 * power;
}

}  // namespace

ClassDataChart::ClassDataChart(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ClassDataChart::Show(const controller::ClassDataView& view) {
    view_ = view;
    update();
}

void ClassDataChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor text = palette().color(QPalette::WindowText);
    const bool dark = Dark(palette());
    const std::array<Trace, 3> traces{{
        {dark ? kElectronInk.lighter(200) : kElectronInk, Qt::SolidLine},
        // Dashed, so that it shows where it runs over the electrons.
        {dark ? kHoleInk.lighter(170) : kHoleInk, Qt::DashLine},
        {text, Qt::SolidLine},
    }};
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    const double pen = std::max(1.5, line / 8.0);

    // The legend, the law's dashed line named as its row is: a short stroke
    // of each line before its name, read the panel's way (from the right in
    // a right-to-left language), on as many lines as the width needs.
    const std::array<Legend, 4> legend{{
        {traces[0].ink, traces[0].style, pen * 1.5, &view_.electrons},
        {traces[1].ink, traces[1].style, pen * 1.5, &view_.holes},
        {traces[2].ink, traces[2].style, pen * 1.5, &view_.np},
        {traces[2].ink, Qt::DashLine, pen, &view_.law},
    }};
    const bool fromRight = layoutDirection() == Qt::RightToLeft;
    const auto along = [&](double from, double length) {
        return fromRight ? width() - from - length : from;
    };
    const double stroke = line * 1.5;
    int x = 0;
    int top = 0;
    for (const Legend& entry : legend) {
        const QString name = FromUtf8(*entry.name);
        const int nameWidth = metrics.horizontalAdvance(name);
        if (x > 0 && x + line * 2 + nameWidth > width()) {
            x = 0;
            top += line;
        }
        p.setPen(QPen(entry.ink, entry.width, entry.style));
        p.drawLine(QPointF(along(x, stroke), top + line / 2.0),
                   QPointF(along(x, stroke) + stroke, top + line / 2.0));
        x += line * 2;
        p.setPen(text);
        p.drawText(QPointF(along(x, nameWidth), top + metrics.ascent()), name);
        x += nameWidth + line;
    }
    top += line;

    double npTop = view_.lawNP * 2.0;
    for (const auto& point : view_.history) npTop = std::max(npTop, point.np);
    npTop = RoundedUp(npTop);
    const QString npTopText = QString::number(npTop, 'g', 6);
    const int left = metrics.horizontalAdvance(QStringLiteral("100")) + line / 2;
    const int right = width() - metrics.horizontalAdvance(npTopText) - line / 2;

    // What each axis counts, above it. Time runs left to right in every
    // language, so the counts stay at the left. One line when both fit.
    const QString countsAxis = FromUtf8(view_.countsAxis);
    const QString productAxis = FromUtf8(view_.productAxis);
    const int productWidth = metrics.horizontalAdvance(productAxis);
    const double gap = line * 0.3;
    p.drawText(QPointF(0, top + gap + metrics.ascent()), countsAxis);
    if (metrics.horizontalAdvance(countsAxis) + line + productWidth > width()) top += line;
    p.drawText(QPointF(width() - productWidth, top + gap + metrics.ascent()), productAxis);
    top += line;

    const QRectF plot(left, top + line * 0.8, std::max(1, right - left),
                      std::max(1.0, height() - top - line * 1.4));

    p.setPen(QPen(text, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    const auto axisLabel = [&](double y, const QString& label, bool atRight) {
        const int w = metrics.horizontalAdvance(label);
        const double at = std::clamp(y + metrics.ascent() / 2.0, static_cast<double>(line),
                                     static_cast<double>(height()));
        p.drawText(QPointF(atRight ? plot.right() + line / 4.0 : plot.left() - w - line / 4.0, at),
                   label);
    };
    axisLabel(plot.top(), QStringLiteral("100"), false);
    axisLabel(plot.bottom(), QStringLiteral("0"), false);
    axisLabel(plot.top(), npTopText, true);
    axisLabel(plot.bottom(), QStringLiteral("0"), true);

    if (view_.lawNP > 0.0) {
        const double y = plot.bottom() - plot.height() * view_.lawNP / npTop;
        p.setPen(QPen(traces[2].ink, pen, Qt::DashLine));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    if (view_.history.empty()) return;
    const auto& last = view_.history.back();
    const double ticks = static_cast<double>(
        std::max<std::uint64_t>(1, last.firstTick + last.ticks - view_.history.front().firstTick));
    const double first = static_cast<double>(view_.history.front().firstTick);
    std::array<QPainterPath, 3> paths;
    for (std::size_t i = 0; i < view_.history.size(); ++i) {
        const auto& point = view_.history[i];
        const double middle =
            static_cast<double>(point.firstTick) + static_cast<double>(point.ticks) / 2.0 - first;
        const double px = plot.left() + plot.width() * middle / ticks;
        const std::array<double, 3> ys{
            plot.bottom() - plot.height() * point.electrons / kCountsTop,
            plot.bottom() - plot.height() * point.holes / kCountsTop,
            plot.bottom() - plot.height() * point.np / npTop,
        };
        for (std::size_t t = 0; t < paths.size(); ++t) {
            if (i == 0) {
                paths[t].moveTo(px, ys[t]);
            } else {
                paths[t].lineTo(px, ys[t]);
            }
        }
    }
    p.setClipRect(plot);
    for (std::size_t t = 0; t < paths.size(); ++t) {
        p.setPen(QPen(traces[t].ink, pen, traces[t].style));
        p.drawPath(paths[t]);
    }
}

}  // namespace form
