#include <QLineEdit>
#include <QTest>

#include "WindowTestSupport.h"

using form::Form1;

namespace {

QLineEdit* Box(Form1& w, const char* name) { return w.findChild<QLineEdit*>(name); }

}  // namespace

class NoticesTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // Start refuses a box it cannot use: the notice names the box by its
    // label and gives the range, and the user is taken back to the box.
    void startNamesTheRefusedBoxAndItsRange_data() {
        QTest::addColumn<bool>("japanese");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("temperature") << false << "Text1"
                                     << "99999"
                                     << "Temp.(K)" << QStringList{"0", "4436"};
        QTest::newRow("fermi level") << false << "Text2"
                                     << "abc"
                                     << "Fermi  level (eV)" << QStringList{"-24.706", "29.907"};
        QTest::newRow("temperature, norvia") << true << "Text1"
                                             << ""
                                             << "温度(K)" << QStringList{"0", "4436"};
        QTest::newRow("fermi level, norvia") << true << "Text2"
                                             << "30"
                                             << "フェルミ準位(eV)" << QStringList{"29.907"};
    }

    void startNamesTheRefusedBoxAndItsRange() {
        QFETCH(bool, japanese);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(QStringList, numbers);
        const auto w = OpenWindow(japanese ? form::JapaneseLanguage() : form::EnglishLanguage());
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QLineEdit* refused = w->findChild<QLineEdit*>(box);
        refused->setText(text);
        MessageBoxAnswerer answerer;
        QTest::mouseClick(w->findChild<QWidget*>("Command1"), Qt::LeftButton);
        QTRY_COMPARE(answerer.texts.size(), 1);
        const QString& notice = answerer.texts[0];
        QVERIFY2(notice.contains(caption), qPrintable(notice));
        for (const QString& number : numbers) QVERIFY2(notice.contains(number), qPrintable(notice));
        QTRY_COMPARE(w->focusWidget(), refused);
        QCOMPARE(refused->selectedText(), text);
        // The run goes on as it was: here, not started at all.
        QVERIFY(!w->findChild<QTimer*>("Timer1")->isActive());
        QVERIFY(!w->ExitStatus());
    }

    void numbersFollowTheUsersLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto w = OpenWindow(form::EnglishLanguage());
        // The doping boxes write the Fermi level with the local decimal comma...
        Box(*w, "Text4")->setText("1e13");
        QCOMPARE(Box(*w, "Text2")->text(), QStringLiteral("0,6"));
        // ...and the notice gives its range the same way.
        Box(*w, "Text2")->setText("x");
        MessageBoxAnswerer answerer;
        QTest::mouseClick(w->findChild<QWidget*>("Command1"), Qt::LeftButton);
        QTRY_COMPARE(answerer.texts.size(), 1);
        QVERIFY2(answerer.texts[0].contains("-24,706 "), qPrintable(answerer.texts[0]));
        // A comma is read back as the decimal point.
        Box(*w, "Text2")->setText("0,375");
        QTest::mouseClick(w->findChild<QWidget*>("Command1"), Qt::LeftButton);
        QCOMPARE(w->Controller().Diagram().line3Y1, 2670.0f);
    }

    // While the doping boxes do not hold a usable pair the window says so
    // quietly, and never with a dialog that would interrupt the typing.
    void unusableDopingIsShownQuietlyUntilMended_data() {
        QTest::addColumn<bool>("japanese");
        QTest::addColumn<QString>("donors");
        QTest::addColumn<QString>("acceptors");
        QTest::newRow("empty") << false << ""
                               << "1e10";
        QTest::newRow("half-typed exponent") << false << "1e"
                                             << "1e10";
        QTest::newRow("opposite signs") << false << "1e10"
                                        << "-1e10";
        QTest::newRow("zero acceptors, norvia") << true << "1e10"
                                                << "0";
    }

    void unusableDopingIsShownQuietlyUntilMended() {
        QFETCH(bool, japanese);
        QFETCH(QString, donors);
        QFETCH(QString, acceptors);
        const form::Language& language =
            japanese ? form::JapaneseLanguage() : form::EnglishLanguage();
        const auto w = OpenWindow(language);
        QLineEdit* text4 = Box(*w, "Text4");
        QLineEdit* text5 = Box(*w, "Text5");
        const QColor normal = text4->palette().color(QPalette::Base);
        MessageBoxAnswerer answerer;
        text5->setText(acceptors);
        text4->setText(donors);
        QTest::qWait(50);
        QVERIFY(answerer.texts.isEmpty());
        QVERIFY(!w->ExitStatus());
        QCOMPARE(Box(*w, "Text2")->text(), QStringLiteral("0.5"));  // kept
        const QString hint = form::FromUtf8(language.notices.dopingIncomplete);
        for (QLineEdit* box : {text4, text5}) {
            QCOMPARE(box->toolTip(), hint);
            QVERIFY(box->palette().color(QPalette::Base) != normal);
        }
        text4->setText("1e10");
        text5->setText("1e10");
        for (QLineEdit* box : {text4, text5}) {
            QVERIFY(box->toolTip().isEmpty());
            QCOMPARE(box->palette().color(QPalette::Base), normal);
        }
    }
};

QUARVEL_TEST_MAIN(NoticesTest)
#include "NoticesTest.moc"
