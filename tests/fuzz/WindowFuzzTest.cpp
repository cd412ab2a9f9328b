// Random input to the whole window, the way a class uses it: typing anything
// into the four input boxes, clicking the buttons and the check box, and the
// ticks of both timers. After every event the program must still be running
// and the carriers must be where they belong.
//
// Replay: QUARVEL_FUZZ_SEED=<seed> (and QUARVEL_FUZZ_EVENTS=<n>) reruns one
// sequence exactly; the timers are driven by the test, so nothing depends on
// the clock. A failure prints the command that replays it. Runs longer than
// ctest's ten minutes call the program directly, for example
//   QT_QPA_PLATFORM=offscreen QUARVEL_FUZZ_EVENTS=1000000 tests/fuzz/window_fuzz_test
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "Application.h"
#include "Form1.h"
#include "Invariants.h"
#include "RandomText.h"

using carriers::TextBoxId;

namespace {

constexpr TextBoxId kInputs[] = {TextBoxId::Text1, TextBoxId::Text2, TextBoxId::Text4,
                                 TextBoxId::Text5};

// Types text one key at a time, as a keyboard (or an input method) would:
// every character is its own key event and its own edit.
void TypeText(QWidget* target, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString key(text.at(i));
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()) key += text.at(++i);
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, key, Qt::NoModifier);
    }
}

unsigned long EnvNumber(const char* name, unsigned long fallback) {
    const char* value = std::getenv(name);
    return value ? std::strtoul(value, nullptr, 10) : fallback;
}

constexpr unsigned long kDefaultSeed = 20261209;
constexpr unsigned long kDefaultEvents = 20000;

unsigned long FuzzEvents() { return EnvNumber("QUARVEL_FUZZ_EVENTS", kDefaultEvents); }

// Qt Test's watchdog ends a test function (each data row) that runs longer
// than QTEST_FUNCTION_TIMEOUT milliseconds, five minutes unless set; it reads
// the variable once, when the first function starts. A long run therefore
// asks for time in proportion to its events: an event takes under 1 ms in the
// release build, 10 ms leaves room for the sanitizer build and a busy machine.
// A time set by hand is kept.
void AllowTimeForEvents(unsigned long events) {
    if (qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT")) return;
    constexpr unsigned long kMillisecondsPerEvent = 10;
    constexpr unsigned long kQtDefault = 5 * 60 * 1000;
    constexpr unsigned long kMost = INT_MAX;  // the watchdog reads an int
    const unsigned long wanted =
        std::min(events, kMost / kMillisecondsPerEvent) * kMillisecondsPerEvent;
    qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(std::clamp(wanted, kQtDefault, kMost)));
}

// The last few events, for the failure report. The seed replays the whole
// sequence, so nothing older is kept and a long run stays small.
class RecentEvents {
  public:
    void Add(std::string event) { ring_[count_++ % ring_.size()] = std::move(event); }
    const std::string& Last() const { return ring_[(count_ - 1) % ring_.size()]; }

    // Oldest first, each with its number in the sequence.
    std::string Report() const {
        std::string report;
        const unsigned long kept = std::min<unsigned long>(count_, ring_.size());
        for (unsigned long i = count_ - kept; i < count_; ++i) {
            report += "  " + std::to_string(i) + ": " + ring_[i % ring_.size()] + '\n';
        }
        return report;
    }

  private:
    std::array<std::string, 16> ring_;
    unsigned long count_ = 0;
};

// Presses OK on any message box the moment its event loop runs, and keeps
// the titles, so a run-time error report cannot hang the test unseen.
class BoxAnswerer : public QObject {
  public:
    BoxAnswerer() {
        poll_.setInterval(0);
        connect(&poll_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                titles << box->windowTitle();
                box->accept();
            }
        });
        poll_.start();
    }
    QStringList titles;

  private:
    QTimer poll_;
};

class Fuzzer {
  public:
    Fuzzer(form::Form1& window, unsigned long seed) : w_(window), random_(seed), text_(random_) {
        // The test fires the timers itself, so a sequence replays exactly.
        timer1_ = w_.findChild<QTimer*>(QStringLiteral("Timer1"));
        timer2_ = w_.findChild<QTimer*>(QStringLiteral("Timer2"));
        for (QTimer* t : {timer1_, timer2_}) t->setInterval(24 * 3600 * 1000);
        timer2_->start();
        for (const char* name : {"Command1", "Command4", "Command5"}) {
            buttons_.push_back(w_.findChild<QPushButton*>(QString::fromLatin1(name)));
        }
        check1_ = w_.findChild<QCheckBox*>(QStringLiteral("Check1"));
    }

    bool Ready() const {
        return timer1_ && timer2_ && check1_ &&
               std::all_of(buttons_.begin(), buttons_.end(), [](auto* b) { return b; });
    }

    // One random event; returns its description for the failure report.
    std::string Step() {
        const int kind = Pick(100);
        if (kind < 35) return Fire(timer1_, "tick Timer1");
        if (kind < 40) return Fire(timer2_, "tick Timer2");
        if (kind < 70) return Type();
        if (kind < 80) return Click(0);
        if (kind < 85) return Click(1);
        if (kind < 90) return Click(2);
        check1_->click();
        return "click Check1";
    }

    bool LastWasTimer1Tick() const { return lastTick_; }

    // A QLineEdit keeps every edit for undo, about 180 bytes an event here,
    // and only setText clears it. Nothing here undoes, and every edit sets
    // its own cursor or selection first, so setting the same text with the
    // cursor kept and no signal changes nothing the program sees.
    void ForgetUndoHistory() {
        for (const TextBoxId box : kInputs) {
            QLineEdit* edit = w_.TextBox(box);
            const QSignalBlocker quiet(edit);
            const int cursor = edit->cursorPosition();
            edit->setText(edit->text());
            edit->setCursorPosition(cursor);
        }
    }

  private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::string Fire(QTimer* timer, const char* what) {
        // Before the first Start the tick does not run.
        lastTick_ = false;
        if (!timer->isActive()) return std::string(what) + " (off)";
        QMetaObject::invokeMethod(timer, "timeout");
        lastTick_ = timer == timer1_;
        return what;
    }

    std::string Click(int button) {
        lastTick_ = false;
        QTest::mouseClick(buttons_[static_cast<std::size_t>(button)], Qt::LeftButton);
        return "click " + buttons_[static_cast<std::size_t>(button)]->objectName().toStdString();
    }

    std::string Type() {
        lastTick_ = false;
        const TextBoxId box = kInputs[Pick(4)];
        QLineEdit* edit = w_.TextBox(box);
        const std::string name = "Text" + std::to_string(static_cast<int>(box));
        edit->setFocus();
        switch (Pick(4)) {
            case 0: {  // replace by typing, one change per keystroke
                const QString typed = text_.Next();
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Backspace);
                TypeText(edit, typed);
                return "type " + name + " '" + typed.toStdString() + "'";
            }
            case 1: {  // paste over everything
                const QString pasted = text_.Next();
                edit->selectAll();
                edit->insert(pasted);
                return "paste " + name + " '" + pasted.toStdString() + "'";
            }
            case 2: {  // delete a few characters from the end
                const int n = 1 + Pick(4);
                edit->end(false);
                for (int i = 0; i < n; ++i) QTest::keyClick(edit, Qt::Key_Backspace);
                return "backspace " + name + " x" + std::to_string(n);
            }
            default: {  // type a few characters at the end
                const QString typed = text_.Fragment();
                edit->end(false);
                TypeText(edit, typed);
                return "append " + name + " '" + typed.toStdString() + "'";
            }
        }
    }

    form::Form1& w_;
    std::mt19937 random_;
    RandomText text_;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;
    std::vector<QPushButton*> buttons_;
    QCheckBox* check1_ = nullptr;
    bool lastTick_ = false;
};

}  // namespace

class WindowFuzzTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // The offscreen platform warns about every message box it sizes;
        // installed here, after Qt Test's own handler, which it passes on to.
        static QtMessageHandler testlibHandler = nullptr;
        testlibHandler = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (message.contains(QLatin1String("propagateSizeHints"))) return;
                testlibHandler(type, context, message);
            });
    }

    void randomEventsNeverEndTheProgram_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<unsigned long>("seed");
        const unsigned long seed = EnvNumber("QUARVEL_FUZZ_SEED", kDefaultSeed);
        // A comma locale as well, where "0.5" and "0,5" both must read.
        QTest::addRow("english") << QStringLiteral("en_US") << seed;
        QTest::addRow("german") << QStringLiteral("de_DE") << seed + 1;
    }

    void randomEventsNeverEndTheProgram() {
        QFETCH(QString, locale);
        QFETCH(unsigned long, seed);
        QLocale::setDefault(QLocale(locale));
        form::Form1 window(form::Quarvel());
        window.Load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        BoxAnswerer answerer;
        Fuzzer fuzzer(window, seed);
        QVERIFY(fuzzer.Ready());

        const unsigned long events = FuzzEvents();
        RecentEvents recent;
        for (unsigned long i = 0; i < events; ++i) {
            recent.Add(fuzzer.Step());
            // Queued notices after every event; repaints, which Qt merges
            // anyway, every so often.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
            if (i % 64 == 0) QCoreApplication::processEvents();
            if (i % 4096 == 4095) fuzzer.ForgetUndoHistory();
            const std::string broken = Check(window, fuzzer);
            if (!broken.empty()) {
                // The row's seed is offset from the one the variable names.
                const unsigned long firstSeed = EnvNumber("QUARVEL_FUZZ_SEED", kDefaultSeed);
                QFAIL(qPrintable(
                    QStringLiteral("seed %1 (%2), event %3 '%4': %5\n"
                                   "replay: QT_QPA_PLATFORM=offscreen QUARVEL_FUZZ_SEED=%6 "
                                   "QUARVEL_FUZZ_EVENTS=%7 window_fuzz_test %8:%9\n"
                                   "last events:\n%10")
                        .arg(seed)
                        .arg(locale)
                        .arg(i)
                        .arg(QString::fromStdString(recent.Last()))
                        .arg(QString::fromStdString(broken))
                        .arg(firstSeed)
                        .arg(i + 1)
                        .arg(QString::fromLatin1(QTest::currentTestFunction()))
                        .arg(QString::fromLatin1(QTest::currentDataTag()))
                        .arg(QString::fromStdString(recent.Report()))));
            }
        }
        QLocale::setDefault(QLocale::c());
    }

  private:
    static std::string Check(form::Form1& window, const Fuzzer& fuzzer) {
        if (window.ExitStatus()) return "the program ended";
        const carriers::CarrierModel& model = window.Model();
        // Before the first Start the markers stand at their load places.
        if (model.ElectronRelaxLimit == 0.0f) return {};
        std::string broken = carriers::testing::CheckInvariants(model, window.Controller());
        if (fuzzer.LastWasTimer1Tick()) {
            if (window.Text(TextBoxId::Text3) != std::to_string(model.ElectronCount.value()) ||
                window.Text(TextBoxId::Text6) != std::to_string(model.HoleCount.value())) {
                broken += "readouts do not show the counts after a tick; ";
            }
        }
        return broken;
    }
};

int main(int argc, char** argv) {
    AllowTimeForEvents(FuzzEvents());
    QApplication app(argc, argv);
    form::PrepareApplication(form::Quarvel());
    WindowFuzzTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowFuzzTest.moc"
