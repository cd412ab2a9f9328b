#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "BandCanvas.h"
#include "CaptionButtons.h"
#include "ClassDataPanel.h"
#include "LanguageMenu.h"
#include "TeachingCommands.h"
#include "WindowTestSupport.h"

using controller::Command;
using form::Form1;
using form::FromUtf8;
using form::Language;

namespace {

const Language& Find(const QString& code) { return *form::FindLanguage(code.toStdString()); }

void Choose(Form1& w, const Language& language) {
    for (QAction* choice : w.LanguageChoice().Menu()->actions()) {
        if (choice->text() == FromUtf8(language.name)) return choice->trigger();
    }
    QFAIL("no such language in the menu");
}

void Click(Form1& w, const char* control) {
    QTest::mouseClick(w.findChild<QWidget*>(control), Qt::LeftButton);
}

QString Name(form::ControlKey key) {
    return FromUtf8(key.name) + (key.index >= 0 ? QString::number(key.index) : QString());
}

QString Look(const QWidget& widget) {
    const QFont font = widget.font();
    return QStringLiteral("%1 %2px%3 %4")
        .arg(font.families().join('/'))
        .arg(font.pixelSize())
        .arg(font.bold() ? " bold" : "")
        .arg(widget.layoutDirection() == Qt::RightToLeft ? "rtl" : "ltr");
}

void AddMenu(QStringList& lines, const QString& path, const QList<QAction*>& actions) {
    for (const QAction* action : actions) {
        lines << QStringList{path,
                             action->text(),
                             action->shortcut().toString(),
                             action->font().families().join('/'),
                             QString::number(action->isChecked()),
                             QString::number(action->isEnabled())}
                     .join('|');
        if (const QMenu* menu = action->menu()) {
            lines << path + '>' + Look(*menu);
            AddMenu(lines, path + '>' + action->text(), menu->actions());
        }
    }
}

// Everything the window shows, says and offers in words, where it stands
// and in what face, the panel's and the menus' too.
QStringList Shown(const Form1& w) {
    QStringList lines{w.windowTitle(), Look(w)};
    for (const QWidget* child : w.findChildren<const QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) continue;
        const auto* button = qobject_cast<const QAbstractButton*>(child);
        const auto* box = qobject_cast<const QLineEdit*>(child);
        lines << QStringList{child->objectName(),
                             QVariant(child->geometry()).toString(),
                             Look(*child),
                             button ? button->text()
                             : box  ? box->text()
                                    : QString(),
                             child->accessibleName(),
                             child->accessibleDescription(),
                             child->toolTip()}
                     .join('|');
    }
    const auto* canvas = w.findChild<const form::BandCanvas*>();
    for (const auto& label : canvas->Labels()) {
        lines << QStringList{Name(label.key), label.caption, QVariant(label.rect).toString(),
                             canvas->LabelFont(label).families().join('/'),
                             QString::number(label.direction)}
                     .join('|');
    }
    AddMenu(lines, QStringLiteral("menu"), w.actions());
    if (const form::ClassDataPanel* panel = w.Panel()) {
        lines << panel->windowTitle() << panel->accessibleName() << panel->accessibleDescription()
              << Look(*panel);
        for (const QLabel* label : panel->findChildren<const QLabel*>()) {
            lines << label->text() + '|' + Look(*label);
        }
    }
    return lines;
}

// A window in use: its panel open, and a doping half typed, so that its
// boxes carry their hint.
std::unique_ptr<Form1> OpenInUse(const form::Program& program, const Language& language) {
    auto w = OpenWindow(program, language);
    if (!w) return w;
    w->Commands().Action(Command::ClassData)->trigger();
    w->findChild<QLineEdit*>("Text4")->setText("1e");
    return w;
}

// The first and last column of a picture that hold ink.
std::pair<int, int> InkColumns(const QImage& image) {
    int first = image.width(), last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                first = std::min(first, x);
                last = x;
            }
        }
    }
    return {first, last};
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT
  private slots:
    // A window switched to a language shows exactly what one opened in it
    // shows, and switched back what it showed before: Norvia's Japanese
    // places six controls its own way.
    void switchingShowsWhatOpeningShows_data() {
        QTest::addColumn<bool>("norvia");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        for (const Language* language : form::Languages()) {
            if (language == &form::EnglishLanguage()) continue;
            const QString code = FromUtf8(language->code);
            QTest::addRow("quarvel en-%s", qPrintable(code)) << false << "en" << code;
        }
        QTest::newRow("norvia ja-en") << true << "ja"
                                      << "en";
    }

    void switchingShowsWhatOpeningShows() {
        QFETCH(bool, norvia);
        QFETCH(QString, from);
        QFETCH(QString, to);
        const form::Program& program = norvia ? form::Norvia() : form::Quarvel();
        const auto switched = OpenInUse(program, Find(from));
        QVERIFY(switched);
        const QStringList before = Shown(*switched);
        Choose(*switched, Find(to));
        QCOMPARE(Shown(*switched), Shown(*OpenInUse(program, Find(to))));
        Choose(*switched, Find(from));
        QCOMPARE(Shown(*switched), before);
    }

    // After the teacher's commands, above the line at the menu's foot:
    // every language in its own name, the one shown ticked, one at a time
    // (and the switch test, that choosing one ticks it).
    void menuListsEveryLanguageInItsOwnNameWithTheCurrentTicked() {
        const auto w = OpenWindow(form::EnglishLanguage());
        QStringList shown;
        QTimer::singleShot(100, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (const QAction* action : menu->actions()) shown << action->text();
            menu->close();
        });
        emit w->findChild<form::BandCanvas*>()->customContextMenuRequested(QPoint(20, 20));
        const qsizetype at = shown.indexOf(QStringLiteral("Language"));
        QVERIFY2(at > 0, qPrintable(shown.join(", ")));
        QString last;
        for (const controller::CommandSpec& entry : controller::CommandTable()) {
            if (!controller::OnFrontEnd(entry, controller::FrontEnds::Desktop)) continue;
            last = QString::fromStdString(w->Controller().Caption(entry.command));
        }
        QCOMPARE(shown[at - 1], last);
        QCOMPARE(shown.mid(at + 1),
                 QStringList({QString(), "The keys work from every box and button."}));

        QStringList names, listed, ticked;
        for (const Language* language : form::Languages()) names << FromUtf8(language->name);
        for (const QAction* choice : w->LanguageChoice().Menu()->actions()) {
            listed << choice->text();
            if (choice->isChecked()) ticked << choice->text();
            QVERIFY(choice->actionGroup()->isExclusive());
        }
        QCOMPARE(listed, names);
        QCOMPARE(ticked, QStringList{"English"});
    }

    // Switching through every language while a run goes on changes nothing
    // a tick does: the record equals that of the same run never switched.
    void aSwitchMidRunChangesNoTick() {
        const auto plain = OpenWindow(form::EnglishLanguage());
        const auto switched = OpenWindow(form::EnglishLanguage());
        for (Form1* w : {plain.get(), switched.get()}) {
            Click(*w, "Command1");
            w->Controller().SetPaused(true);
        }
        const auto languages = form::Languages();
        constexpr int kTicks = 8 * 16;
        for (int tick = 0; tick < kTicks; ++tick) {
            if (tick % 8 == 3)
                Choose(*switched, *languages[std::size_t(tick / 8 + 1) % languages.size()]);
            for (Form1* w : {plain.get(), switched.get()}) {
                if (tick == 40) Click(*w, "Command5");
                if (tick == 70) Click(*w, "Check1");
                if (tick == 100) Click(*w, "Command4");
                w->Commands().Action(Command::Step)->trigger();
            }
        }
        QVERIFY(&switched->Controller().Description().language() != &form::EnglishLanguage());
        QCOMPARE(switched->Controller().Record().Ticks(), std::uint64_t(kTicks));
        QCOMPARE(switched->Controller().Csv(), plain->Controller().Csv());
        for (const char* box : {"Text2", "Text3", "Text6", "Text7"}) {
            QCOMPARE(switched->findChild<QLineEdit*>(box)->text(),
                     plain->findChild<QLineEdit*>(box)->text());
        }
    }

    // In every language the window stands as designed: only the language's
    // own rows move a control, nothing is mirrored, and the boxes' numbers
    // and the diagram's symbols keep their face and place (the captions'
    // faces: CaptionsTest).
    void everyLanguageKeepsTheWindowAsDesigned_data() {
        QTest::addColumn<QString>("code");
        for (const Language* language : form::Languages()) {
            const QString code = FromUtf8(language->code);
            QTest::newRow(qPrintable(code)) << code;
        }
    }

    void everyLanguageKeepsTheWindowAsDesigned() {
        QFETCH(QString, code);
        const Language& language = Find(code);
        const auto english = OpenWindow(form::EnglishLanguage());
        const auto w = OpenWindow(language);
        QCOMPARE(w->layoutDirection(), Qt::LeftToRight);
        for (const form::ControlSpec& control : form::ControlTable()) {
            if (control.kind == form::ControlKind::Label) continue;
            const QWidget* mine = w->findChild<QWidget*>(Name(control.key));
            const QWidget* designed = english->findChild<QWidget*>(Name(control.key));
            QCOMPARE(mine->layoutDirection(), Qt::LeftToRight);
            const bool moved =
                std::any_of(language.placements.begin(), language.placements.end(),
                            [&](const form::PlacementRow& row) { return row.key == control.key; });
            if (!moved) QCOMPARE(mine->geometry(), designed->geometry());
            if (control.kind == form::ControlKind::TextBox) {
                QCOMPARE(mine->font(), designed->font());
            }
        }
        const auto* canvas = w->findChild<form::BandCanvas*>();
        const auto* designed = english->findChild<form::BandCanvas*>();
        for (std::size_t i = 0; i < canvas->Labels().size(); ++i) {
            const auto& label = canvas->Labels()[i];
            if (label.translated) continue;
            QCOMPARE(label.direction, Qt::LeftToRight);
            QCOMPARE(label.rect, designed->Labels()[i].rect);
            QCOMPARE(canvas->LabelFont(label), designed->LabelFont(designed->Labels()[i]));
        }
    }

    // Arabic reads from the right: captions start at the right of the room
    // they can be seen in, and the menus, notices and panel run that way.
    void arabicReadsRightToLeft() {
        const auto w = OpenWindow(Find("ar"));
        const auto english = OpenWindow(form::EnglishLanguage());
        for (Form1* each : {w.get(), english.get()}) {
            auto* canvas = each->findChild<form::BandCanvas*>();
            const auto& holes = *std::find_if(
                canvas->Labels().begin(), canvas->Labels().end(),
                [](const auto& label) { return label.key == form::ControlKey{"Label8"}; });
            const auto [first, last] = InkColumns(canvas->grab(holes.rect).toImage());
            const int before = first, after = holes.rect.width() - 1 - last;
            QVERIFY2(each == w.get() ? after < 3 && before > 5 : before < 3 && after > 5,
                     qPrintable(QStringLiteral("ink from %1 to %2 of %3 px")
                                    .arg(first)
                                    .arg(last)
                                    .arg(holes.rect.width())));
        }
        QCOMPARE(w->findChild<form::CaptionCheckBox*>()->CaptionDirection(), Qt::RightToLeft);
        QCOMPARE(w->findChild<form::CaptionButton*>()->CaptionDirection(), Qt::RightToLeft);

        QList<Qt::LayoutDirection> menus;
        QTimer::singleShot(100, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            menus << menu->layoutDirection();
            menu->close();
        });
        emit w->findChild<form::BandCanvas*>()->customContextMenuRequested(QPoint(20, 20));
        menus << w->LanguageChoice().Menu()->layoutDirection()
              << w->Commands().SpeedMenu()->layoutDirection();
        QCOMPARE(menus, QList<Qt::LayoutDirection>(3, Qt::RightToLeft));
        // A menu's words stand at the right of their row.
        QMenu* languages = w->LanguageChoice().Menu();
        languages->adjustSize();
        const QRect row = languages->actionGeometry(languages->actions().front());
        const auto [first, last] = InkColumns(languages->grab().toImage().copy(row));
        QVERIFY2(
            row.width() - 1 - last < first,
            qPrintable(
                QStringLiteral("ink from %1 to %2 of %3").arg(first).arg(last).arg(row.width())));

        w->Commands().Action(Command::ClassData)->trigger();
        QCOMPARE(w->Panel()->layoutDirection(), Qt::RightToLeft);

        MessageBoxAnswerer answerer;
        w->findChild<QLineEdit*>("Text1")->setText("99999");
        Click(*w, "Command1");
        QTRY_COMPARE(answerer.directions, QList<Qt::LayoutDirection>{Qt::RightToLeft});
        QCOMPARE(answerer.oks, QStringList{FromUtf8(Find("ar").notices.ok)});
    }
};

QUARVEL_TEST_MAIN(LanguageTest)
#include "LanguageTest.moc"
