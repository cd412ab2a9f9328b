#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTest>

#include "BandCanvas.h"
#include "CaptionFit.h"
#include "StripChart.h"
#include "WindowTestSupport.h"
#include "Zoom.h"

using form::Form1;

namespace {

const form::Language& LanguageOf(const QString& build) {
    return build == QLatin1String("norvia") ? form::JapaneseLanguage() : form::EnglishLanguage();
}

QWidget* Control(Form1& w, const char* name) { return w.findChild<QWidget*>(name); }

void Key(QWidget* focus, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    focus->setFocus();
    QTest::keyClick(focus, key, modifiers);
}

// Zooms in from the designed size with the keys, from a text box.
void ZoomTo(Form1& w, double zoom) {
    QWidget* box = Control(w, "Text2");
    Key(box, Qt::Key_0);
    for (int press = 0; press < 8 && w.Zoom() < zoom; ++press) Key(box, Qt::Key_Equal);
}

QString Name(const form::ControlKey& key) {
    const QString name =
        QString::fromUtf8(key.name.data(), static_cast<qsizetype>(key.name.size()));
    return key.index < 0 ? name : QStringLiteral("%1_%2").arg(name).arg(key.index);
}

// Where a control stands now, logical pixels: a widget or a painted label.
QRect PlaceOf(Form1& w, const form::ControlSpec& control) {
    if (control.kind != form::ControlKind::Label)
        return Control(w, qPrintable(Name(control.key)))->geometry();
    for (const auto& label : w.findChild<form::BandCanvas*>()->Labels()) {
        if (label.key == control.key) return label.rect;
    }
    return {};
}

// Every edge within one pixel of twips x zoom / 15.
QString Misplaced(const QString& what, const QRect& shown, const form::Placement& twips,
                  double zoom) {
    const double scale = zoom / 15.0;
    const double expected[] = {twips.left * scale, twips.top * scale, twips.width * scale,
                               twips.height * scale};
    const int actual[] = {shown.x(), shown.y(), shown.width(), shown.height()};
    for (int i = 0; i < 4; ++i) {
        if (std::abs(actual[i] - expected[i]) > 1.0) {
            return QStringLiteral("%1 at %2,%3 %4x%5, twips %6,%7 %8x%9")
                .arg(what)
                .arg(shown.x())
                .arg(shown.y())
                .arg(shown.width())
                .arg(shown.height())
                .arg(twips.left)
                .arg(twips.top)
                .arg(twips.width)
                .arg(twips.height);
        }
    }
    return {};
}

QStringList Texts(Form1& w) {
    QStringList texts;
    for (auto* edit : w.findChildren<QLineEdit*>())
        texts << edit->objectName() + "=" + edit->text();
    return texts;
}

// Right-clicks a control and returns the texts of the menu that opens (and
// whether each is enabled), after choosing `choose` from it if it is there.
QStringList RightClickMenu(QWidget* target, QPoint at, const QString& choose = {}) {
    QStringList shown;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            shown << action->text() + (action->isEnabled() ? "" : " (disabled)");
            if (action->text() == choose) chosen = action;
        }
        menu->close();
        if (chosen) chosen->trigger();
    });
    poll.start();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &click);
    QTest::qWait(50);
    return shown;
}

}  // namespace

class ZoomTest : public QObject {
    Q_OBJECT
  private slots:
    void everyControlAndCaptionAtEveryStep_data() {
        QTest::addColumn<QString>("build");
        QTest::addColumn<double>("zoom");
        for (const char* build : {"quarvel", "norvia"}) {
            for (double zoom : form::ZoomSteps()) {
                const QByteArray row = QByteArray(build) + ' ' + QByteArray::number(zoom) + 'x';
                QTest::newRow(row.constData()) << QString::fromLatin1(build) << zoom;
            }
        }
    }

    void everyControlAndCaptionAtEveryStep() {
        QFETCH(QString, build);
        QFETCH(double, zoom);
        const auto w = OpenWindow(LanguageOf(build));
        QVERIFY(w);
        ZoomTo(*w, zoom);
        QCOMPARE(w->Zoom(), zoom);
        QStringList problems;
        const form::Placement client{0, 0, form::kClientWidth, form::kClientHeight};
        problems << Misplaced("window", w->rect(), client, zoom);
        problems << Misplaced("canvas", w->findChild<form::BandCanvas*>()->geometry(), client,
                              zoom);
        const form::FormDescription& description = w->Controller().Description();
        for (const form::ControlSpec& control : form::ControlTable()) {
            problems << Misplaced(Name(control.key), PlaceOf(*w, control),
                                  description.Place(control), zoom);
        }
        problems.removeAll(QString());
        // Fonts grow with the boxes: 10 px by default, 11 px on Command5.
        if (std::abs(w->font().pixelSize() - 10 * zoom) > 1) problems << "window font";
        if (std::abs(Control(*w, "Command5")->font().pixelSize() - 11 * zoom) > 1)
            problems << "Command5 font";
        problems << CaptionFitProblems(*w);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // From any control: the keys zoom, and no box takes them as typing.
    void keysZoomFromAnyControlAndTypeNothing_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<double>("zoom");  // from 1.5
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("Ctrl+= in Text2") << "Text2" << int(Qt::Key_Equal) << ctrl << 2.0;
        QTest::newRow("Ctrl+Plus in Text4") << "Text4" << int(Qt::Key_Plus) << ctrl << 2.0;
        QTest::newRow("keypad Ctrl+Plus in Text1")
            << "Text1" << int(Qt::Key_Plus) << (ctrl | int(Qt::KeypadModifier)) << 2.0;
        QTest::newRow("Ctrl+Minus in Text5") << "Text5" << int(Qt::Key_Minus) << ctrl << 1.25;
        QTest::newRow("Ctrl+0 in Text3") << "Text3" << int(Qt::Key_0) << ctrl << 1.0;
        QTest::newRow("Ctrl+Minus on Start") << "Command1" << int(Qt::Key_Minus) << ctrl << 1.25;
        QTest::newRow("Ctrl+= on the check box") << "Check1" << int(Qt::Key_Equal) << ctrl << 2.0;
        QTest::newRow("Ctrl+0 on the chart") << "Picture1" << int(Qt::Key_0) << ctrl << 1.0;
    }

    void keysZoomFromAnyControlAndTypeNothing() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(double, zoom);
        const auto w = OpenWindow(form::EnglishLanguage());
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        ZoomTo(*w, 1.5);
        const QStringList texts = Texts(*w);
        Key(Control(*w, qPrintable(focus)), static_cast<Qt::Key>(key),
            Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w->Zoom(), zoom);
        QCOMPARE(Texts(*w), texts);
        QCOMPARE(w->Check1Value(), 0);
        QVERIFY(!w->findChild<QTimer*>("Timer1")->isActive());  // Start was not pressed
    }

    void zoomStopsAtTheDesignedSize() {
        const auto w = OpenWindow(form::EnglishLanguage());
        Key(Control(*w, "Text1"), Qt::Key_Minus);
        QCOMPARE(w->Zoom(), 1.0);
        QCOMPARE(w->size(), QSize(574, 353));
    }

    void backgroundMenuOffersTheThreeCommands_data() {
        QTest::addColumn<QString>("build");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("quarvel") << "quarvel"
                                 << QStringList{"Zoom in", "Zoom out (disabled)", "Actual size"};
        QTest::newRow("norvia") << "norvia"
                                << QStringList{"拡大", "縮小 (disabled)", "実際のサイズ"};
    }

    void backgroundMenuOffersTheThreeCommands() {
        QFETCH(QString, build);
        QFETCH(QStringList, texts);
        const auto w = OpenWindow(LanguageOf(build));
        auto* canvas = w->findChild<form::BandCanvas*>();
        // Left of the band diagram, on no label.
        // The zoom first; the teacher's commands follow (TeachingTest).
        QCOMPARE(RightClickMenu(canvas, QPoint(20, 20), texts[0]).mid(0, 3), texts);
        QCOMPARE(w->Zoom(), 1.25);
        QCOMPARE(RightClickMenu(canvas, QPoint(20, 20)).value(1), texts[1].remove(" (disabled)"));
        // A button has no such menu.
        QCOMPARE(RightClickMenu(Control(*w, "Command1"), QPoint(10, 10)), QStringList());
    }

    // Zooming during a run keeps the chart's points, draws each as a block
    // of the zoomed size, and draws every electron at its zoomed place.
    void aRunKeepsItsChartAndMarkersThroughZoom() {
        const auto w = OpenWindow(form::EnglishLanguage());
        QTest::mouseClick(Control(*w, "Command1"), Qt::LeftButton);
        auto* chart = w->findChild<form::StripChart*>();
        QTRY_VERIFY_WITH_TIMEOUT(chart->Points().size() >= 3, 1000);
        for (double zoom : {2.0, 3.0, 1.25}) {
            const std::size_t before = chart->Points().size();
            ZoomTo(*w, zoom);
            QVERIFY(chart->Points().size() >= before);
            const QImage plot = chart->grab().toImage();
            const int border = chart->contentsRect().left();
            for (const auto& point : chart->Points()) {
                // The middle of the point's zoomed block, not its first pixel.
                const int x = border + static_cast<int>((std::floor(point.x / 15) + 0.5) * zoom);
                const int y = border + static_cast<int>((std::floor(point.y / 15) + 0.5) * zoom);
                QCOMPARE(plot.pixelColor(x, y), QColor(Qt::black));
            }
            const QImage diagram = w->findChild<form::BandCanvas*>()->grab().toImage();
            for (int k = 1; k <= w->Model().ElectronCount.value(); ++k) {
                const auto& m = w->Controller().Shape1().at(k);
                const QPoint centre(
                    static_cast<int>((m.Left + form::kMarkerSize / 2.0) * zoom / 15),
                    static_cast<int>((m.Top + form::kMarkerSize / 2.0) * zoom / 15));
                QVERIFY2(diagram.pixelColor(centre).lightness() < 64,
                         qPrintable(QString::number(k)));
            }
        }
    }

    // Each tick repaints only around the markers: what the screen shows
    // must still be what painting the whole window anew shows.
    void tickRepaintsLeaveNothingBehind_data() {
        QTest::addColumn<double>("zoom");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("2.5x") << 2.5;
    }

    void tickRepaintsLeaveNothingBehind() {
        QFETCH(double, zoom);
        const auto w = OpenWindow(form::EnglishLanguage());
        ZoomTo(*w, zoom);
        QTest::mouseClick(Control(*w, "Command1"), Qt::LeftButton);
        QTest::qWait(600);  // a dozen ticks, the markers jittering
        w->findChild<QTimer*>("Timer1")->stop();
        QTest::qWait(50);  // the last tick's repaint
        const auto* canvas = w->findChild<form::BandCanvas*>();
        const QRect diagram = canvas->geometry();
        const QImage onScreen = w->screen()->grabWindow(w->winId()).toImage().copy(diagram);
        const QImage anew = w->grab(diagram).toImage();
        QCOMPARE(onScreen.convertToFormat(QImage::Format_RGB32),
                 anew.convertToFormat(QImage::Format_RGB32));
    }

    void largestZoom_data() {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<double>("largest");
        QTest::newRow("2400 x 1600") << QSize(2400, 1600) << QSize() << 4.0;
        QTest::newRow("full HD, panel and title bar") << QSize(1920, 1040) << QSize(0, 30) << 2.5;
        QTest::newRow("1024 x 768") << QSize(1024, 768) << QSize() << 1.5;
        QTest::newRow("exactly 1.5x") << QSize(861, 530) << QSize() << 1.5;
        QTest::newRow("1.5x but for the frame") << QSize(861, 530) << QSize(2, 2) << 1.25;
        QTest::newRow("smaller than the window") << QSize(500, 300) << QSize() << 1.0;
    }

    void largestZoom() {
        QFETCH(QSize, available);
        QFETCH(QSize, frame);
        QFETCH(double, largest);
        QCOMPARE(form::LargestZoom(available, frame), largest);
    }

    // On the screen it is shown on: zooming in stops at the largest step
    // whose frame fits, and the menu no longer offers to zoom in.
    void zoomInStopsAtTheLargestStepThatFits() {
        const auto w = OpenWindow(form::EnglishLanguage());
        for (int press = 0; press < 8; ++press) Key(Control(*w, "Text1"), Qt::Key_Equal);
        const QRect area = w->screen()->availableGeometry();
        QVERIFY(area.contains(w->frameGeometry()));
        const auto steps = form::ZoomSteps();
        const auto next = std::upper_bound(steps.begin(), steps.end(), w->Zoom());
        if (next != steps.end()) {
            const QSize frame = w->frameGeometry().size() - w->size();
            QVERIFY(qRound(574 * *next) + frame.width() > area.width() ||
                    qRound(353 * *next) + frame.height() > area.height());
        }
        QCOMPARE(RightClickMenu(w->findChild<form::BandCanvas*>(), QPoint(20, 20)).value(0),
                 QStringLiteral("Zoom in (disabled)"));
    }
};

QUARVEL_TEST_MAIN(ZoomTest)
#include "ZoomTest.moc"
