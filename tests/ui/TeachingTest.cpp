#include <QAbstractFileIconProvider>
#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeDatabase>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "ClassDataPanel.h"
#include "DataOut.h"
#include "StripChart.h"
#include "TeachingCommands.h"
#include "WindowTestSupport.h"
#include "Zoom.h"

using controller::Command;
using form::Form1;

namespace {

QTimer* Timer(Form1& w, const char* name) { return w.findChild<QTimer*>(name); }
QLineEdit* Box(Form1& w, const char* name) { return w.findChild<QLineEdit*>(name); }
QAction* Action(Form1& w, Command command) { return w.Commands().Action(command); }

void Start(Form1& w) { QTest::mouseClick(w.findChild<QPushButton*>("Command1"), Qt::LeftButton); }

// One pulse of the tick timer, as it fires at its interval.
void Pulse(Form1& w) { QMetaObject::invokeMethod(Timer(w, "Timer1"), "timeout"); }

std::uint64_t Ticks(Form1& w) { return w.Controller().Record().Ticks(); }

// Answers the next file dialog with `path` from inside its own event loop,
// after `polls` looks at it (10 ms apart); `atAnswer` runs just before.
void AnswerFileDialog(
    const QString& path, int polls = 1, std::function<void(QFileDialog&)> atAnswer = [](auto&) {}) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, path, polls, atAnswer]() mutable {
        QFileDialog* dialog = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* shown = qobject_cast<QFileDialog*>(window); shown && shown->isVisible()) {
                dialog = shown;
            }
        }
        if (!dialog || --polls > 0) return;
        atAnswer(*dialog);
        // As typed: selectFile would give way to the suggested name once
        // the dialog has read its folder.
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
        poll->deleteLater();
    });
    poll->start(10);
}

// The share of 2 x 2 blocks that are not one colour: none in a screen grab
// merely enlarged to twice its size.
double DetailShare(const QImage& image) {
    int blocks = 0, detailed = 0;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb c = image.pixel(x, y);
            ++blocks;
            detailed += (image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c ||
                         image.pixel(x + 1, y + 1) != c);
        }
    }
    return static_cast<double>(detailed) / blocks;
}

}  // namespace

class TeachingTest : public QObject {
    Q_OBJECT
  private slots:
    void menuListsTheZoomAndEveryCommandWithItsKey() {
        const auto w = OpenWindow(form::EnglishLanguage());
        QStringList shown, keys;
        QTimer::singleShot(100, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions()) {
                shown << action->text();
                keys << action->shortcut().toString();
            }
            menu->close();
        });
        emit w->findChild<form::BandCanvas*>()->customContextMenuRequested(QPoint(20, 20));
        QVERIFY(shown.contains(QStringLiteral("Zoom in")));
        for (const controller::CommandSpec& entry : controller::CommandTable()) {
            QAction* action = Action(*w, entry.command);
            const bool desktop = controller::OnFrontEnd(entry, controller::FrontEnds::Desktop);
            QCOMPARE(action != nullptr, desktop);
            if (!desktop) continue;
            const QString caption = QString::fromStdString(w->Controller().Caption(entry.command));
            QVERIFY2(shown.contains(caption), qPrintable(caption));
            const QString key =
                QKeySequence(QString::fromUtf8(entry.keys.data(), qsizetype(entry.keys.size())))
                    .toString();
            QCOMPARE(keys.at(shown.indexOf(caption)), key);
            if (!entry.keys.empty()) QCOMPARE(action->shortcutContext(), Qt::WindowShortcut);
        }
        const QList<QAction*> speeds = w->Commands().SpeedMenu()->actions();
        QCOMPARE(speeds.size(), qsizetype(controller::kSpeeds.size()));
        for (qsizetype i = 0; i < speeds.size(); ++i) {
            QVERIFY(speeds[i]->isCheckable());
            QCOMPARE(speeds[i]->isChecked(), i == 0);
            QCOMPARE(speeds[i]->text(), QString::fromStdString(w->Controller().SpeedCaption(
                                            controller::kSpeeds[std::size_t(i)])));
        }
    }

    void commandsAreEnabledAndTickedAsTheRunStands() {
        const auto w = OpenWindow(form::EnglishLanguage());
        const auto state = [&] {
            QString s;
            for (Command c : {Command::Step, Command::Faster, Command::Slower, Command::SaveData,
                              Command::CopyData}) {
                s += Action(*w, c)->isEnabled() ? '1' : '0';
            }
            return s + ' ' + Action(*w, Command::PauseResume)->text();
        };
        QVERIFY(Action(*w, Command::ClassData)->isCheckable());
        QCOMPARE(state(), QStringLiteral("01000 Pause"));
        QTest::keyClick(w.get(), Qt::Key_P, Qt::AltModifier);
        QCOMPARE(state(), QStringLiteral("01000 Resume"));  // no run to step yet
        Start(*w);                                          // resumes
        QCOMPARE(state(), QStringLiteral("01000 Pause"));
        Pulse(*w);
        QTest::keyClick(w.get(), Qt::Key_P, Qt::AltModifier);
        QCOMPARE(state(), QStringLiteral("11011 Resume"));
        w->Commands().SpeedMenu()->actions().back()->trigger();
        QCOMPARE(w->Controller().Speed(), controller::kSpeeds.back());
        QCOMPARE(state(), QStringLiteral("10111 Resume"));
        QVERIFY(w->Commands().SpeedMenu()->actions().back()->isChecked());
    }

    // From a box, a button and the chart: each key does its command and
    // types nothing into a box.
    void keysWorkFromEveryControl() {
        const auto w = OpenWindow(form::EnglishLanguage());
        Start(*w);
        for (const char* name : {"Text1", "Command1", "Picture1"}) {
            auto* control = w->findChild<QWidget*>(name);
            control->setFocus();
            const QString before = Box(*w, "Text1")->text();
            QTest::keyClick(control, Qt::Key_P, Qt::AltModifier);
            QVERIFY2(w->Controller().Paused(), name);
            const std::uint64_t ticks = Ticks(*w);
            QTest::keyClick(control, Qt::Key_N, Qt::AltModifier);
            QCOMPARE(Ticks(*w), ticks + 1);
            QTest::keyClick(control, Qt::Key_Period, Qt::AltModifier);
            QCOMPARE(w->Controller().Speed(), 2);
            QTest::keyClick(control, Qt::Key_Comma, Qt::AltModifier);
            QCOMPARE(w->Controller().Speed(), 1);
            QTest::keyClick(control, Qt::Key_C, Qt::AltModifier);
            QVERIFY(w->Panel() && w->Panel()->isVisible());
            QTest::keyClick(control, Qt::Key_C, Qt::AltModifier);
            QVERIFY(!w->Panel()->isVisible());
            QGuiApplication::clipboard()->clear();
            QTest::keyClick(control, Qt::Key_R, Qt::AltModifier | Qt::ShiftModifier);
            QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), w->Controller().Csv());
            QTest::keyClick(control, Qt::Key_I, Qt::AltModifier | Qt::ShiftModifier);
            QCOMPARE(QGuiApplication::clipboard()->image().size(), form::ZoomedClientSize(1.0) * 2);
            QTest::keyClick(control, Qt::Key_P, Qt::AltModifier);
            QVERIFY2(!w->Controller().Paused(), name);
            QCOMPARE(Box(*w, "Text1")->text(), before);
        }
    }

    void pauseHoldsBothTimersStepRunsOneTickAndSpeedRunsItsTicks() {
        const auto w = OpenWindow(form::EnglishLanguage());
        Start(*w);
        QTest::qWait(200);
        QVERIFY(Timer(*w, "Timer1")->isActive());
        QVERIFY(w->Controller().Run(Command::PauseResume));
        QVERIFY(!Timer(*w, "Timer1")->isActive());
        QVERIFY(!Timer(*w, "Timer2")->isActive());
        const std::uint64_t ticks = Ticks(*w);
        const QString current = Box(*w, "Text7")->text();
        QTest::qWait(2200);  // past the current readout's interval
        QCOMPARE(Ticks(*w), ticks);
        QCOMPARE(Box(*w, "Text7")->text(), current);
        for (int step = 1; step <= 3; ++step) {
            Action(*w, Command::Step)->trigger();
            QCOMPARE(Ticks(*w), ticks + std::uint64_t(step));
        }
        Action(*w, Command::PauseResume)->trigger();
        QVERIFY(Timer(*w, "Timer1")->isActive());
        for (const int speed : {5, 20}) {
            QVERIFY(w->Controller().Run(Command::Speed, speed));
            Timer(*w, "Timer1")->stop();  // only the pulses sent here
            const std::uint64_t before = Ticks(*w);
            Pulse(*w);
            QCOMPARE(Ticks(*w), before + std::uint64_t(speed));
            Timer(*w, "Timer1")->start();
        }
        // Start/Restart leaves the run going at the chosen speed.
        w->Controller().SetPaused(true);
        Start(*w);
        QVERIFY(!w->Controller().Paused());
        QCOMPARE(w->Controller().Speed(), 20);
        QVERIFY(Timer(*w, "Timer1")->isActive());
    }

    void panelShowsTheFiguresFollowsTheRunAndZooms() {
        const auto w = OpenWindow(form::EnglishLanguage());
        Action(*w, Command::ClassData)->trigger();
        form::ClassDataPanel* panel = w->Panel();
        QVERIFY(panel && QTest::qWaitForWindowExposed(panel));
        QVERIFY(panel->isWindow());
        QCOMPARE(panel->windowTitle(), QStringLiteral("Class data"));
        QCOMPARE(panel->accessibleName(), panel->windowTitle());
        const QStringList idle = panel->Values();
        QCOMPARE(idle.size(), qsizetype(w->Controller().ClassDataPanel().rows.size()));
        QCOMPARE(idle.front(), QStringLiteral("–"));
        Start(*w);
        Timer(*w, "Timer1")->stop();
        for (int tick = 0; tick < 200; ++tick) Pulse(*w);
        // The panel's own refresh shows the measured mean.
        QTRY_VERIFY_WITH_TIMEOUT(panel->Values().front() != idle.front(), 1500);
        const controller::ClassDataView view = w->Controller().ClassDataPanel();
        for (std::size_t i = 0; i < view.rows.size(); ++i) {
            QCOMPARE(panel->Values()[qsizetype(i)], QString::fromStdString(view.rows[i].value));
        }
        QCOMPARE(panel->accessibleDescription(), QString::fromStdString(view.described));
        QVERIFY(panel->accessibleDescription().contains(panel->Values()[1]));  // the law

        // The figures are drawn larger with the window.
        QLabel* figure = panel->findChildren<QLabel*>().back();
        const int size = figure->font().pixelSize(), width = panel->width();
        w->SetZoom(2.0);
        QCOMPARE(figure->font().pixelSize(), size * 2);
        QCOMPARE(panel->width(), width * 2);

        panel->activateWindow();
        QTest::keyClick(panel, Qt::Key_P, Qt::AltModifier);
        QVERIFY(w->Controller().Paused());
        panel->close();
        QVERIFY(!Action(*w, Command::ClassData)->isChecked());
    }

    // The saved file has a row for each tick with the counts the readouts
    // showed after it.
    void savedDataHasARowPerTickWithTheReadoutsCounts() {
        QTemporaryDir folder;
        const auto w = OpenWindow(form::EnglishLanguage());
        Start(*w);
        w->Controller().SetPaused(true);
        QStringList counts;
        for (int tick = 0; tick < 25; ++tick) {
            w->Controller().Step();
            counts << Box(*w, "Text3")->text() + ',' + Box(*w, "Text6")->text();
        }
        const QString path = folder.filePath(QStringLiteral("run.csv"));
        AnswerFileDialog(path);
        Action(*w, Command::SaveData)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), 15000);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.toStdString(), w->Controller().Csv());
        const QList<QByteArray> lines = bytes.trimmed().split('\n');
        QCOMPARE(lines.front(), QByteArray("tick,time_s,electrons,holes,np,crossings,field,"
                                           "temperature_K,fermi_eV,event"));
        QCOMPARE(lines.size(), counts.size() + 1);
        for (qsizetype row = 1; row < lines.size(); ++row) {
            const QList<QByteArray> cells = lines[row].split(',');
            QCOMPARE(cells[0].toInt(), row);
            QCOMPARE(cells[2] + ',' + cells[3], counts[row - 1].toUtf8());
        }
    }

    void aFileThatCannotBeWrittenIsSaidAndTheRunGoesOn() {
        const auto w = OpenWindow(form::EnglishLanguage());
        Start(*w);
        MessageBoxAnswerer answerer;
        QVERIFY(!w->Files().WriteFile(QStringLiteral("/nonexistent/folder/run.csv"), "x"));
        QCOMPARE(answerer.texts.size(), 1);
        QVERIFY(answerer.texts.front().startsWith(QStringLiteral("Could not write")));
        QVERIFY(!w->Controller().Ended());
        QVERIFY(Timer(*w, "Timer1")->isActive());
    }

    // The dialog tells a file's type by its name, never by reading it (a
    // special file can block a read for good), and opens where the last
    // save went, not where one failed.
    void fileDialogReadsNoFileAndOpensWhereTheLastSaveWent() {
        QTemporaryDir folder;
        QFile png(folder.filePath(QStringLiteral("picture")));
        QVERIFY(png.open(QIODevice::WriteOnly) && png.write("\x89PNG\r\n\x1a\n") == 8);
        png.close();
        const QMimeDatabase types;
        const QString byName =
            types.mimeTypeForFile(png.fileName(), QMimeDatabase::MatchExtension).comment();
        QVERIFY(types.mimeTypeForFile(png.fileName()).comment() != byName);
        const auto w = OpenWindow(form::EnglishLanguage());
        Start(*w);
        Pulse(*w);  // data to save
        MessageBoxAnswerer answerer;
        for (const QString& path : {folder.filePath(QStringLiteral("run.csv")),
                                    QStringLiteral("/nonexistent/folder/run.csv")}) {
            AnswerFileDialog(path);
            Action(*w, Command::SaveData)->trigger();
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path) || !answerer.texts.isEmpty(), 15000);
        }
        QString opened, type;
        AnswerFileDialog(folder.filePath(QStringLiteral("again.csv")), 1, [&](QFileDialog& dialog) {
            opened = dialog.directory().absolutePath();
            type = dialog.iconProvider()->type(QFileInfo(png.fileName()));
        });
        Action(*w, Command::SaveData)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath(QStringLiteral("again.csv"))),
                                 15000);
        QCOMPARE(opened, QDir(folder.path()).absolutePath());
        QCOMPARE(type, byName);
    }

    // Twice the designed size, drawn anew: captions and markers have detail
    // that a grab at 1x merely enlarged would not.
    void savedPictureIsTheWindowAtTwiceItsSizeAndSharp() {
        QTemporaryDir folder;
        const auto w = OpenWindow(form::EnglishLanguage());
        Start(*w);
        QTest::qWait(300);
        const QString path = folder.filePath(QStringLiteral("run.png"));
        const std::uint64_t ticks = Ticks(*w);
        std::uint64_t ticksWhileOpen = 0;
        AnswerFileDialog(path, 30, [&](auto&) { ticksWhileOpen = Ticks(*w); });
        Action(*w, Command::SavePicture)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), 15000);
        QVERIFY(ticksWhileOpen > ticks);  // the run goes on while the dialog is open
        const QImage picture(path);
        QCOMPARE(picture.size(), form::ZoomedClientSize(1.0) * 2);
        const QImage enlarged = w->grab().toImage().scaled(picture.size());
        QCOMPARE(DetailShare(enlarged), 0.0);  // the measure sees what it should
        QVERIFY2(DetailShare(picture) > 0.01, qPrintable(QString::number(DetailShare(picture))));
    }

    // The set-up as main reads it, Qt's own options among it.
    void commandLineSetUpFillsTheBoxesAndStarts() {
        const auto w = OpenWindow(form::EnglishLanguage());
        const auto line = controller::SetupFromCommandLine(
            {"-platform", "offscreen", "--temperature", "350", "--fermi", "0.7", "-reverse",
             "--field", "--speed=5", "--start", "-style", "windows"});
        QVERIFY(line.fault == controller::CommandLine::Fault::None && !line.help);
        QVERIFY(!w->Controller().Apply(line.setup));
        QCOMPARE(Box(*w, "Text1")->text(), QStringLiteral("350"));
        QCOMPARE(Box(*w, "Text2")->text(), QStringLiteral("0.7"));
        QCOMPARE(w->Controller().Check1Value(), 1);
        QCOMPARE(w->Controller().Speed(), 5);
        QVERIFY(w->Controller().RunStarted() && Timer(*w, "Timer1")->isActive());
        QVERIFY(w->Commands().SpeedMenu()->actions()[2]->isChecked());
        // The window goes with its panel open: nothing of it is used after.
        Action(*w, Command::ClassData)->trigger();
    }
};

QUARVEL_TEST_MAIN(TeachingTest)
#include "TeachingTest.moc"
