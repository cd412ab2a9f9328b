#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include "StripChart.h"
#include "WindowTestSupport.h"

using carriers::ErrorKind;
using carriers::TextBoxId;
using form::Form1;

namespace {

constexpr float kClientHeightTwips = 5295.0f;

QLineEdit* Box(Form1& w, const char* name) { return w.findChild<QLineEdit*>(name); }
QTimer* Timer(Form1& w, const char* name) { return w.findChild<QTimer*>(name); }
std::size_t ChartPoints(Form1& w) { return w.findChild<form::StripChart*>()->Points().size(); }

void Click(Form1& w, const char* control) {
    QTest::mouseClick(w.findChild<QWidget*>(control), Qt::LeftButton);
}

int VisibleMarkers(const carriers::MarkerArray& markers) {
    int visible = 0;
    for (const auto& m : markers.members()) visible += m.Top < kClientHeightTwips ? 1 : 0;
    return visible;
}

void ReplaceText(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

}  // namespace

class WiringTest : public QObject {
    Q_OBJECT
  private slots:
    void startsIdleWithMarksHiddenAndNothingInView() {
        const auto w = OpenWindow(form::EnglishLanguage());
        QVERIFY(!Timer(*w, "Timer1")->isActive());
        QCOMPARE(Timer(*w, "Timer1")->interval(), 50);
        QVERIFY(Timer(*w, "Timer2")->isActive());
        QCOMPARE(Timer(*w, "Timer2")->interval(), 2000);
        for (bool visible : w->Controller().Diagram().line7Visible) QVERIFY(!visible);  // all six
        QCOMPARE(w->Controller().Diagram().line3Y1, 2520.0f);
        QCOMPARE(VisibleMarkers(w->Controller().Shape1()), 0);
        QCOMPARE(VisibleMarkers(w->Controller().Shape2()), 0);
        QCOMPARE(ChartPoints(*w), std::size_t{0});
        QTest::qWait(150);  // no tick before Start
        QCOMPARE(Box(*w, "Text3")->text(), QStringLiteral("0"));
    }

    void focusStartsOnStartAndTabsInLayoutOrder() {
        const auto w = OpenWindow(form::EnglishLanguage());
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QCOMPARE(QApplication::focusWidget(), w->findChild<QWidget*>("Command1"));
        const QStringList expected = {"Command2", "Text1",    "Text2",   "Text3", "Command4",
                                      "Text4",    "Text5",    "Check1",  "Text6", "Text7",
                                      "Command5", "Picture1", "Command1"};
        QStringList visited;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
        // Space on the focused Start button starts a run.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(Timer(*w, "Timer1")->isActive());
    }

    void enterPressesTheFocusedButtonOnly() {
        const auto w = OpenWindow(form::EnglishLanguage());
        // Enter in a text box presses no button.
        Box(*w, "Text1")->setFocus();
        QTest::keyClick(Box(*w, "Text1"), Qt::Key_Return);
        QVERIFY(!Timer(*w, "Timer1")->isActive());
        // Enter on the focused Start button starts a run.
        auto* start = w->findChild<QWidget*>("Command1");
        start->setFocus();
        QTest::keyClick(start, Qt::Key_Return);
        QVERIFY(Timer(*w, "Timer1")->isActive());
    }

    void startTurnsOnTheTickWhichFillsTheReadouts() {
        const auto w = OpenWindow(form::EnglishLanguage());
        Click(*w, "Command1");
        QVERIFY(Timer(*w, "Timer1")->isActive());
        QCOMPARE(VisibleMarkers(w->Controller().Shape1()), 30);
        QCOMPARE(VisibleMarkers(w->Controller().Shape2()), 30);
        QTRY_VERIFY_WITH_TIMEOUT(ChartPoints(*w) >= 2, 1000);
        QCOMPARE(Box(*w, "Text3")->text(), QString::number(w->Model().ElectronCount.value()));
        QCOMPARE(Box(*w, "Text6")->text(), QString::number(w->Model().HoleCount.value()));
        // A restart reads the boxes again and moves the Fermi line.
        Box(*w, "Text2")->setText("0.375");
        Click(*w, "Command1");
        QCOMPARE(w->Controller().Diagram().line3Y1, 2670.0f);
        QCOMPARE(w->Controller().Diagram().line3Y2, 2670.0f);
        QCOMPARE(VisibleMarkers(w->Controller().Shape1()), 22);
    }

    void checkBoxShowsAndHidesAllSixMarks() {
        const auto w = OpenWindow(form::EnglishLanguage());
        Click(*w, "Check1");
        QCOMPARE(w->Check1Value(), 1);
        for (bool visible : w->Controller().Diagram().line7Visible) QVERIFY(visible);
        // The minus mark of the conduction band shows on the canvas.
        const QImage shown = w->grab().toImage();
        QCOMPARE(QColor(shown.pixel(70, 72)), QColor(Qt::black));
        w->findChild<QCheckBox*>("Check1")->setChecked(false);  // a value change counts too
        for (bool visible : w->Controller().Diagram().line7Visible) QVERIFY(!visible);
        QVERIFY(QColor(w->grab().toImage().pixel(70, 72)) != QColor(Qt::black));
    }

    void everyEditOfTheDopingBoxesRewritesTheFermiLevel() {
        const auto w = OpenWindow(form::EnglishLanguage());
        QLineEdit* donors = Box(*w, "Text4");
        QLineEdit* acceptors = Box(*w, "Text5");
        QLineEdit* fermi = Box(*w, "Text2");
        donors->setFocus();
        donors->end(false);
        QTest::keyClick(donors, Qt::Key_Backspace);  // 1e1: ten donors
        QCOMPARE(fermi->text(), QStringLiteral("0.2"));
        QTest::keyClick(donors, Qt::Key_6);  // 1e16
        QCOMPARE(fermi->text(), QStringLiteral("0.7"));
        ReplaceText(acceptors, "1e13");
        QCOMPARE(fermi->text(), QStringLiteral("0.6"));
        donors->setText("1e10");  // programmatic edits count as well
        QCOMPARE(fermi->text(), QStringLiteral("0.4"));
        QVERIFY(!Timer(*w, "Timer1")->isActive());  // nothing else happens
    }

    // A number the program writes reads from its first digit, even where
    // the box is too narrow for all of it.
    void writtenTextShowsFromItsFirstCharacter_data() {
        QTest::addColumn<bool>("japanese");
        QTest::addRow("quarvel") << false;
        QTest::addRow("norvia") << true;
    }
    void writtenTextShowsFromItsFirstCharacter() {
        QFETCH(bool, japanese);
        const auto w = OpenWindow(japanese ? form::JapaneseLanguage() : form::EnglishLanguage());
        ReplaceText(Box(*w, "Text4"), QStringLiteral("1.5"));
        QCOMPARE(Box(*w, "Text2")->text(), QStringLiteral("0.172536375301856"));
        QCOMPARE(Box(*w, "Text2")->cursorPosition(), 0);
        ReplaceText(Box(*w, "Text4"), QStringLiteral("1e-30"));  // a negative level
        QVERIFY(Box(*w, "Text2")->text().startsWith(QLatin1Char('-')));
        QCOMPARE(Box(*w, "Text2")->cursorPosition(), 0);
        Click(*w, "Command1");
        QMetaObject::invokeMethod(Timer(*w, "Timer1"), "timeout");
        QMetaObject::invokeMethod(Timer(*w, "Timer2"), "timeout");
        for (const char* readout : {"Text3", "Text6", "Text7"}) {
            QVERIFY2(Box(*w, readout)->cursorPosition() == 0, readout);
        }
    }

    void diffusionButtonGathersTheLiveCarriersAtTheMiddle() {
        const auto w = OpenWindow(form::EnglishLanguage());
        Click(*w, "Command1");
        Click(*w, "Command4");
        for (int k = 0; k <= 30; ++k) {
            QCOMPARE(w->Controller().Shape1().at(k).Left, 2700.0f);
            QCOMPARE(w->Controller().Shape2().at(k).Left, 2700.0f);
        }
        QVERIFY(w->Controller().Shape1().at(31).Left != 2700.0f);
    }

    void lightButtonInjectsPairs() {
        const auto w = OpenWindow(form::EnglishLanguage());
        Click(*w, "Command1");
        const int electrons = w->Model().ElectronCount.value();
        Click(*w, "Command5");
        QVERIFY(w->Model().ElectronCount.value() > electrons);
        QCOMPARE(VisibleMarkers(w->Controller().Shape2()), w->Model().HoleCount.value());
    }

    void currentReadoutOverwritesTheBoxEveryTwoSeconds() {
        const auto w = OpenWindow(form::EnglishLanguage());
        Box(*w, "Text7")->setText("abc");
        QTRY_COMPARE_WITH_TIMEOUT(Box(*w, "Text7")->text(), QStringLiteral("0"), 2600);
    }

    // Ticks that fall due while the thread is busy are merged into one.
    void aSlowHandlerLeavesNoBacklogOfTicks() {
        const auto w = OpenWindow(form::EnglishLanguage());
        Click(*w, "Command1");
        QTRY_VERIFY_WITH_TIMEOUT(ChartPoints(*w) >= 1, 1000);
        const std::size_t before = ChartPoints(*w);
        QThread::msleep(400);  // eight ticks fall due
        QCoreApplication::processEvents();
        QVERIFY(ChartPoints(*w) - before <= 1);
    }

    void closeButtonEndsTheProgramAtOnceWithStatusZero() {
        const auto w = OpenWindow(form::EnglishLanguage());
        QSignalSpy ended(w.get(), &Form1::programEnded);
        Click(*w, "Command1");
        QTRY_VERIFY_WITH_TIMEOUT(ChartPoints(*w) >= 1, 1000);
        Click(*w, "Command2");
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.at(0).at(0).toInt(), 0);
        QVERIFY(!w->isVisible());
        const std::size_t points = ChartPoints(*w);
        QTest::qWait(200);
        QCOMPARE(ChartPoints(*w), points);  // no further tick
        QVERIFY(!Timer(*w, "Timer2")->isActive());
    }

    void closeControlEndsTheProgramWithStatusZero() {
        const auto w = OpenWindow(form::EnglishLanguage());
        QSignalSpy ended(w.get(), &Form1::programEnded);
        QVERIFY(w->close());
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.at(0).at(0).toInt(), 0);
        QCOMPARE(w->ExitStatus(), std::optional<int>(0));
    }

    void runtimeErrorIsNamedThenTheProgramEnds_data() {
        QTest::addColumn<bool>("japanese");
        QTest::addColumn<QString>("name");
        QTest::newRow("quarvel") << false << "Type mismatch";
        QTest::newRow("norvia") << true << "型が一致しません";
    }

    void runtimeErrorIsNamedThenTheProgramEnds() {
        QFETCH(bool, japanese);
        QFETCH(QString, name);
        const auto w = OpenWindow(japanese ? form::JapaneseLanguage() : form::EnglishLanguage());
        QSignalSpy ended(w.get(), &Form1::programEnded);
        Click(*w, "Command1");
        QTRY_VERIFY_WITH_TIMEOUT(ChartPoints(*w) >= 1, 1000);
        std::size_t pointsDuringReport = 0;
        MessageBoxAnswerer answerer;
        QTimer::singleShot(0, [&] { pointsDuringReport = ChartPoints(*w); });
        w->Controller().Dispatch([] { carriers::Raise(ErrorKind::TypeMismatch); });
        QCOMPARE(answerer.texts.size(), 1);
        QVERIFY2(answerer.texts[0].contains(name), qPrintable(answerer.texts[0]));
        QVERIFY(pointsDuringReport > 0);
        QCOMPARE(ChartPoints(*w), pointsDuringReport);  // no tick behind the report
        QCOMPARE(ended.count(), 1);
        QVERIFY(ended.at(0).at(0).toInt() != 0);
        Click(*w, "Command1");  // nothing runs any more
        QVERIFY(!Timer(*w, "Timer1")->isActive());
    }
};

QUARVEL_TEST_MAIN(WiringTest)
#include "WiringTest.moc"
