// Under a light and a dark palette, every painted caption and line and the
// chart's trace stand out from what lies behind them: 4.5:1 for text, 3:1
// for graphics, measured on the window's own pixels.
#include <QPalette>
#include <QScopeGuard>
#include <QTest>
#include <cmath>
#include <map>

#include "BandCanvas.h"
#include "StripChart.h"
#include "Twips.h"
#include "WindowTestSupport.h"

using form::BandCanvas;
using form::StripChart;

namespace {

double Luminance(QRgb c) {
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The region's commonest colour is what stands behind; the pixel that
// differs from it most is the ink. Returns their contrast ratio.
double InkContrast(const QImage& image, const QRect& region) {
    std::map<QRgb, int> counts;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    QRgb back = 0;
    int most = 0;
    for (const auto& [colour, n] : counts) {
        if (n > most) std::tie(back, most) = std::pair{colour, n};
    }
    double best = 1.0;
    for (const auto& entry : counts) best = std::max(best, Contrast(entry.first, back));
    return best;
}

// A dark desktop theme like GTK's Adwaita dark.
QPalette DarkPalette() {
    QPalette p;
    const QColor window(0x35, 0x35, 0x35);
    const QColor text(0xee, 0xee, 0xee);
    for (const auto role : {QPalette::Window, QPalette::Button}) p.setColor(role, window);
    p.setColor(QPalette::Base, QColor(0x2d, 0x2d, 0x2d));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, text);
    return p;
}

struct Part {
    const char* name;
    QRect twips;  // in the band canvas
    double least;
};

// Each line's stretch, with what lies on either side of it, and each band
// letter; every other caption is checked from the description below.
constexpr double kText = 4.5;
constexpr double kGraphic = 3.0;
const Part kCanvasParts[] = {
    {"Fermi line", {2000, 2460, 1000, 120}, kGraphic},
    {"conduction band edge", {2000, 1860, 1000, 75}, kGraphic},
    {"valence band edge", {2000, 3120, 1000, 75}, kGraphic},
};

QRect Pixels(const QRect& twips, double zoom) {
    return form::ToPixels({twips.left(), twips.top(), twips.width(), twips.height()}, zoom);
}

}  // namespace

class ContrastTest : public QObject {
    Q_OBJECT
  private slots:
    void everyPartStandsOut_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QApplication::palette();
        QTest::newRow("dark") << DarkPalette();
    }

    void everyPartStandsOut() {
        QFETCH(QPalette, palette);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(palette);
        const auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
        const auto w = OpenWindow(form::EnglishLanguage());
        QVERIFY(w);
        auto* canvas = w->findChild<BandCanvas*>();
        auto* chart = w->findChild<StripChart*>();
        const double zoom = canvas->width() / (form::kClientWidth / form::kTwipsPerPixel);

        const QImage band = canvas->grab().toImage();
        for (const Part& part : kCanvasParts) {
            const double ratio = InkContrast(band, Pixels(part.twips, zoom));
            QVERIFY2(ratio >= part.least,
                     qPrintable(QStringLiteral("%1: %2:1").arg(part.name).arg(ratio)));
        }
        for (const BandCanvas::Label& label : canvas->Labels()) {
            const double ratio = InkContrast(band, label.rect);
            QVERIFY2(ratio >= kText,
                     qPrintable(QStringLiteral("%1: %2:1").arg(label.caption).arg(ratio)));
        }

        QTest::mouseClick(w->findChild<QWidget*>("Command1"), Qt::LeftButton);
        QTimer* timer1 = w->findChild<QTimer*>("Timer1");
        timer1->stop();
        for (int tick = 0; tick < 200; ++tick) QMetaObject::invokeMethod(timer1, "timeout");
        const QImage trace = chart->grab().toImage();
        const double ratio = InkContrast(trace, chart->contentsRect());
        QVERIFY2(ratio >= kGraphic, qPrintable(QStringLiteral("chart trace: %1:1").arg(ratio)));
    }

    // A light theme keeps the designed black ink over the window.
    void aLightThemeKeepsBlackLines() {
        const auto w = OpenWindow(form::EnglishLanguage());
        auto* canvas = w->findChild<BandCanvas*>();
        const double zoom = canvas->width() / (form::kClientWidth / form::kTwipsPerPixel);
        const QImage band = canvas->grab().toImage();
        const QRect fermi = Pixels(kCanvasParts[0].twips, zoom);
        bool black = false;
        for (int y = fermi.top(); y <= fermi.bottom(); ++y)
            for (int x = fermi.left(); x <= fermi.right(); ++x)
                black |= band.pixel(x, y) == qRgb(0, 0, 0);
        QVERIFY(black);
    }
};

QUARVEL_TEST_MAIN(ContrastTest)
#include "ContrastTest.moc"
