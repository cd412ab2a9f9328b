#include <QAccessible>
#include <QCheckBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QTest>

#include "BandCanvas.h"
#include "CaptionFit.h"
#include "WindowTestSupport.h"

using form::Form1;

namespace {

const form::Language& LanguageOf(const QString& build) {
    return build == QLatin1String("norvia") ? form::JapaneseLanguage() : form::EnglishLanguage();
}

const form::BandCanvas::Label* FindLabel(const Form1& window, std::string_view name, int index) {
    const auto* canvas = window.findChild<const form::BandCanvas*>();
    for (const auto& label : canvas->Labels()) {
        if (label.key == form::ControlKey{name, index}) return &label;
    }
    return nullptr;
}

// What the window shows for a control: a button's or box's caption, a text
// box's text, or a painted label's caption.
QString Shown(const Form1& window, const QString& control) {
    if (const auto* button = window.findChild<const QAbstractButton*>(control))
        return button->text();
    if (const auto* edit = window.findChild<const QLineEdit*>(control)) return edit->text();
    const QStringList parts = control.split(QLatin1Char('_'));
    const std::string name = parts[0].toStdString();
    const auto* label = FindLabel(window, name, parts.size() > 1 ? parts[1].toInt() : -1);
    return label ? label->caption : QStringLiteral("<no such control>");
}

// Where a control stands, logical pixels.
QRect PlaceOf(const Form1& window, const form::ControlSpec& control) {
    if (control.kind != form::ControlKind::Label) {
        QString name = QString::fromUtf8(control.key.name.data(),
                                         static_cast<qsizetype>(control.key.name.size()));
        return window.findChild<const QWidget*>(name)->geometry();
    }
    return FindLabel(window, control.key.name, control.key.index)->rect;
}

}  // namespace

class CaptionsTest : public QObject {
    Q_OBJECT
  private slots:
    void captionsOfBothBuilds_data() {
        QTest::addColumn<QString>("build");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* build, const char* control, const char* text) {
            QTest::addRow("%s %s", build, control) << build << control << QString::fromUtf8(text);
        };
        // Ideographic space before "Ver.", Greek beta at the end.
        row("quarvel", "title", "Quarvel\u3000Ver.\u03B2");
        row("norvia", "title", "Norvia\u3000Ver.\u03B2");
        row("quarvel", "Command1", "Start/Restart");
        row("quarvel", "Command2", "Close");
        row("quarvel", "Command4", "Sim Difusion");  // one f
        row("quarvel", "Command5", "Light \uFF08carrier injection\uFF09");
        row("quarvel", "Check1", "Weak Electric field");
        row("quarvel", "Label3", "Fermi  level (eV)");  // two blanks
        row("quarvel", "Label5", "Impurity concentration(cm-3)");
        row("quarvel", "Label10", "Electron Density");
        row("quarvel", "Label11", "Current (mA)");
        row("norvia", "Command1", "スタート/再設定");
        row("norvia", "Command2", "終了");
        row("norvia", "Command4", "拡散テスト");
        row("norvia", "Command5", "光照射\uFF08過剰キャリア注入\uFF09");
        row("norvia", "Check1", "弱電界印加");
        row("norvia", "Label1", "温度(K)");
        row("norvia", "Label3", "フェルミ準位(eV)");
        row("norvia", "Label4", "電子数");
        row("norvia", "Label5", "不純物濃度(cm-3)");
        row("norvia", "Label8", "正孔数");
        row("norvia", "Label10", "電子濃度");
        row("norvia", "Label11", "電流(mA)");
        for (const char* build : {"quarvel", "norvia"}) {
            row(build, "Label2_0", "E");
            row(build, "Label2_2", "C");
            row(build, "Label2_3", "V");
            row(build, "Label2_5", "F");
            row(build, "Label6", "ND");
            row(build, "Label7", "NA");
            row(build, "Label9", "t");
            row(build, "Label12", "0");
            row(build, "Text1", "300");
            row(build, "Text2", "0.5");
            row(build, "Text3", "0");
            row(build, "Text4", "1e10");
            row(build, "Text5", "1e10");
            row(build, "Text6", "0");
            row(build, "Text7", "0");
        }
    }

    void captionsOfBothBuilds() {
        QFETCH(QString, build);
        QFETCH(QString, control);
        QFETCH(QString, expected);
        const auto window = OpenWindow(LanguageOf(build));
        QVERIFY(window);
        const QString shown =
            control == QLatin1String("title") ? window->windowTitle() : Shown(*window, control);
        QCOMPARE(shown, expected);
    }

    void checkBoxStartsCleared() {
        for (const auto* language : {&form::EnglishLanguage(), &form::JapaneseLanguage()}) {
            const auto window = OpenWindow(*language);
            QCOMPARE(window->findChild<QCheckBox*>("Check1")->checkState(), Qt::Unchecked);
        }
    }

    // The builds differ in exactly six places; everything else stands alike.
    void onlySixControlsMoveInTheJapaneseBuild() {
        const auto english = OpenWindow(form::EnglishLanguage());
        const auto japanese = OpenWindow(form::JapaneseLanguage());
        QStringList moved;
        for (const form::ControlSpec& control : form::ControlTable()) {
            if (PlaceOf(*english, control) != PlaceOf(*japanese, control)) {
                moved << QString::fromUtf8(control.key.name.data(),
                                           static_cast<qsizetype>(control.key.name.size()));
            }
        }
        moved.sort();
        QCOMPARE(moved,
                 QStringList({"Check1", "Label1", "Label10", "Label11", "Label3", "Label5"}));
        // Twips / 15: Label10 is the narrow two-by-two title, Check1 in line.
        QCOMPARE(FindLabel(*japanese, "Label10", -1)->rect, QRect(312, 16, 25, 33));
        QCOMPARE(FindLabel(*english, "Label10", -1)->rect, QRect(288, 8, 57, 33));
        QCOMPARE(japanese->findChild<QWidget*>("Check1")->geometry(), QRect(328, 216, 89, 25));
        QCOMPARE(english->findChild<QWidget*>("Check1")->geometry(), QRect(320, 216, 89, 25));
    }

    void windowAndControlsStandAtTheirPixels() {
        const auto window = OpenWindow(form::EnglishLanguage());
        QCOMPARE(window->size(), QSize(574, 353));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(window->findChild<QWidget*>("Command1")->geometry(), QRect(328, 256, 81, 33));
        QCOMPARE(window->findChild<QWidget*>("Command4")->geometry(), QRect(328, 296, 81, 33));
        QCOMPARE(window->findChild<QWidget*>("Picture1")->geometry(), QRect(336, 16, 177, 97));
        QCOMPARE(window->findChild<QWidget*>("Text4")->geometry(), QRect(352, 144, 49, 18));
    }

    // Command5 and the large band letters ask for the Japanese Gothic face
    // and get the installed IPA one in its place.
    void captionFontFallsBackToTheIpaGothic() {
        const auto window = OpenWindow(form::EnglishLanguage());
        const QFont light = window->findChild<QWidget*>("Command5")->font();
        QCOMPARE(light.families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(QFontInfo(light).family(), QStringLiteral("IPAPGothic"));
        QCOMPARE(QFontInfo(light).pixelSize(), 11);  // 8.25 pt
        const auto* canvas = window->findChild<const form::BandCanvas*>();
        for (int member : {0, 1, 4}) {
            const QFont letter = canvas->LabelFont(*FindLabel(*window, "Label2", member));
            QCOMPARE(QFontInfo(letter).family(), QStringLiteral("IPAPGothic"));
            QCOMPARE(QFontInfo(letter).pixelSize(), 19);  // 14.25 pt
        }
        QCOMPARE(canvas->LabelFont(*FindLabel(*window, "Label2", 2)), window->font());
    }

    void accessibleNames_data() {
        QTest::addColumn<QString>("build");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("en Text1") << "quarvel"
                                  << "Text1"
                                  << "Temp.(K)";
        QTest::newRow("en Text2") << "quarvel"
                                  << "Text2"
                                  << "Fermi  level (eV)";
        QTest::newRow("en Text4") << "quarvel"
                                  << "Text4"
                                  << "ND";
        QTest::newRow("en Text7") << "quarvel"
                                  << "Text7"
                                  << "Current (mA)";
        QTest::newRow("en Picture1") << "quarvel"
                                     << "Picture1"
                                     << "Electron Density";
        QTest::newRow("en Command2") << "quarvel"
                                     << "Command2"
                                     << "Close";
        QTest::newRow("en Check1") << "quarvel"
                                   << "Check1"
                                   << "Weak Electric field";
        QTest::newRow("ja Text1") << "norvia"
                                  << "Text1"
                                  << "温度(K)";
        QTest::newRow("ja Text6") << "norvia"
                                  << "Text6"
                                  << "正孔数";
    }

    void accessibleNames() {
        QFETCH(QString, build);
        QFETCH(QString, control);
        QFETCH(QString, name);
        const auto window = OpenWindow(LanguageOf(build));
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(window->findChild<QWidget*>(control));
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), name);
    }

    // The painted labels are not widgets; the canvas still presents each as
    // static text named by its caption, at its place on the screen.
    void paintedLabelsAreAccessible() {
        const auto window = OpenWindow(form::EnglishLanguage());
        auto* canvas = window->findChild<form::BandCanvas*>();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(canvas);
        QVERIFY(accessible);
        // Label1, Label2(0..5), Label3..Label12, then the announcements.
        QCOMPARE(accessible->childCount(), 18);
        QCOMPARE(accessible->child(17)->role(), QAccessible::Notification);
        QStringList names;
        for (int i = 0; i < 17; ++i) {
            QAccessibleInterface* child = accessible->child(i);
            QCOMPARE(child->role(), QAccessible::StaticText);
            QCOMPARE(accessible->indexOfChild(child), i);
            names << child->text(QAccessible::Name);
        }
        QVERIFY(names.contains("Temp.(K)"));
        QVERIFY(names.contains("Impurity concentration(cm-3)"));
        const QRect label5 = FindLabel(*window, "Label5", -1)->rect;
        const QPoint inside = canvas->mapToGlobal(label5.center());
        QAccessibleInterface* hit = accessible->childAt(inside.x(), inside.y());
        QVERIFY(hit);
        QCOMPARE(hit->text(QAccessible::Name), QStringLiteral("Impurity concentration(cm-3)"));
    }

    // Real font metrics: nothing is cut off, hidden under another control or
    // pushed out of its box, in any language, and every letter is drawn in
    // its script's face.
    void everyCaptionFits_data() {
        QTest::addColumn<QString>("code");
        for (const form::Language* language : form::Languages()) {
            const QString code = form::FromUtf8(language->code);
            QTest::newRow(qPrintable(code)) << code;
        }
    }

    void everyCaptionFits() {
        QFETCH(QString, code);
        const form::Language& language = *form::FindLanguage(code.toStdString());
        const auto window = OpenWindow(language);
        const QStringList problems =
            CaptionFitProblems(*window) + CaptionFaceProblems(*window, language);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

QUARVEL_TEST_MAIN(CaptionsTest)
#include "CaptionsTest.moc"
