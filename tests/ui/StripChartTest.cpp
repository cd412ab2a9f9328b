#include <QTest>

#include "HeadlessRuntime.h"
#include "StripChart.h"
#include "WindowTestSupport.h"

using form::StripChart;

namespace {

constexpr std::uint32_t kBlack = 0x000000;

// The chart's own pixels; (x, y) in twips of its drawing area.
QColor PixelAt(StripChart& chart, int xTwips, int yTwips) {
    const QImage image = chart.grab().toImage();
    return image.pixelColor(2 + xTwips / 15, 2 + yTwips / 15);
}

}  // namespace

class StripChartTest : public QObject {
    Q_OBJECT
  private slots:
    void pointsLandInTheDrawingAreaAndSurviveRepaints() {
        carriers::HeadlessRuntime rt;
        StripChart chart(rt, nullptr);
        chart.setGeometry(0, 0, 177, 97);  // 2655 x 1455 twips
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        const QColor background = PixelAt(chart, 0, 960);
        rt.Picture1PSet(0.0f, 960.0f, kBlack);  // 30 electrons
        rt.Picture1PSet(2.0f, 960.0f, kBlack);
        rt.Picture1PSet(30.0f, 1380.0f, kBlack);  // none
        QCOMPARE(PixelAt(chart, 0, 960), QColor(Qt::black));
        QCOMPARE(PixelAt(chart, 30, 1380), QColor(Qt::black));
        QCOMPARE(PixelAt(chart, 0, 975), background);   // one pixel lower
        QCOMPARE(PixelAt(chart, 15, 960), background);  // 2 twips stay in pixel 0

        chart.hide();
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        chart.repaint();
        QCOMPARE(PixelAt(chart, 0, 960), QColor(Qt::black));

        rt.Picture1Cls();
        QCOMPARE(PixelAt(chart, 0, 960), background);
        QCOMPARE(PixelAt(chart, 30, 1380), background);
        QVERIFY(chart.Points().empty());
    }

    // The border is 2 px each side: points past x 2595 or y 1395, and
    // above the top, fall outside the drawing area and leave it untouched.
    void pointsOutsideTheDrawingAreaAreClipped() {
        carriers::HeadlessRuntime rt;
        StripChart chart(rt, nullptr);
        chart.setGeometry(0, 0, 177, 97);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        const QImage before = chart.grab().toImage();
        rt.Picture1PSet(2640.0f, 960.0f, kBlack);
        rt.Picture1PSet(100.0f, 1420.0f, kBlack);
        rt.Picture1PSet(100.0f, -20.0f, kBlack);  // 99 electrons and more
        QCOMPARE(chart.grab().toImage(), before);
    }

    // The chart is a tab stop: it shows when it holds the focus.
    void showsAFocusFrameWhileFocused() {
        const auto w = OpenWindow(form::EnglishLanguage());
        auto* chart = w->findChild<StripChart*>();
        const QImage unfocused = chart->grab().toImage();
        chart->setFocus(Qt::TabFocusReason);
        QVERIFY(chart->hasFocus());
        QVERIFY(chart->grab().toImage() != unfocused);
        w->findChild<QWidget*>("Command1")->setFocus(Qt::TabFocusReason);
        QCOMPARE(chart->grab().toImage(), unfocused);
    }

    // Through the window: the tick plots one point a tick and the sweep
    // clears the chart after the point at x 2660.
    void theTickSweepsAndWrapsTheChart() {
        const auto w = OpenWindow(form::EnglishLanguage());
        auto* chart = w->findChild<StripChart*>();
        QTest::mouseClick(w->findChild<QWidget*>("Command1"), Qt::LeftButton);
        QTimer* timer1 = w->findChild<QTimer*>("Timer1");
        timer1->stop();  // ticks driven by hand from here
        for (int tick = 1; tick <= 1330; ++tick) QMetaObject::invokeMethod(timer1, "timeout");
        QCOMPARE(chart->Points().size(), std::size_t{1330});
        QCOMPARE(chart->Points().back().x, 2658.0f);
        // The last point stands for the count the readout shows.
        const int electrons = std::stoi(w->Text(carriers::TextBoxId::Text3));
        QCOMPARE(chart->Points().back().y, static_cast<float>(1380 - 14 * electrons));
        const QImage drawn = chart->grab().toImage();
        QMetaObject::invokeMethod(timer1, "timeout");  // x 2660: drawn and wiped
        QVERIFY(chart->Points().empty());
        const QImage wiped = chart->grab().toImage();
        QVERIFY(drawn != wiped);
        QMetaObject::invokeMethod(timer1, "timeout");
        QCOMPARE(chart->Points().size(), std::size_t{1});
        QCOMPARE(chart->Points().front().x, 0.0f);
    }
};

QUARVEL_TEST_MAIN(StripChartTest)
#include "StripChartTest.moc"
