// The class data panel in a real X window beside a zoomed window, on a
// 1600 x 1000 screen.
#include <QAction>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

#include "ClassDataPanel.h"
#include "TeachingCommands.h"
#include "WindowTestSupport.h"
#include "Zoom.h"

using form::Form1;

namespace {

form::ClassDataPanel* OpenPanel(Form1& w) {
    QAction* command = w.Commands().Action(controller::Command::ClassData);
    if (!command->isChecked()) command->trigger();
    form::ClassDataPanel* panel = w.Panel();
    return panel && QTest::qWaitForWindowExposed(panel) ? panel : nullptr;
}

// As Ctrl+Plus, Ctrl+Minus and Ctrl+0 do.
void ZoomBy(Form1& w, Qt::Key key) {
    w.SetZoom(key == Qt::Key_Equal   ? form::NextZoom(w.Zoom(), 4.0)
              : key == Qt::Key_Minus ? form::PreviousZoom(w.Zoom())
                                     : 1.0);
}

// The figures' type, which grows with the panel.
int FigureSize(form::ClassDataPanel& panel) {
    return panel.findChildren<QLabel*>().back()->font().pixelSize();
}

}  // namespace

class PanelPlaceTest : public QObject {
    Q_OBJECT
  private slots:
    // At every step in and out, and when closed and opened again, the panel
    // has the size and type of that step.
    void panelSizeFollowsTheZoomBothWays() {
        const auto w = OpenWindow(form::EnglishLanguage());
        w->move(0, 0);
        form::ClassDataPanel* panel = OpenPanel(*w);
        QVERIFY(panel);
        const QSize actual = panel->size();
        const int type = FigureSize(*panel);
        QVERIFY(actual.expandedTo(form::ClassDataPanel::DesignSize()) == actual);
        QList<QSize> sizes{actual};
        for (int press = 0; press < 3; ++press) {
            ZoomBy(*w, Qt::Key_Equal);
            // As large as the window up to 1.5x; at 2x as large as the
            // room beside it allows.
            if (press < 2) {
                QCOMPARE(panel->Zoom(), w->Zoom());
                QVERIFY(panel->width() > sizes.back().width());
            }
            sizes << panel->size();
        }
        QCOMPARE(w->Zoom(), 2.0);
        for (int press = 2; press >= 0; --press) {
            ZoomBy(*w, Qt::Key_Minus);
            QTRY_COMPARE(panel->size(), sizes[press]);
        }
        QCOMPARE(FigureSize(*panel), type);
        // Enlarged by hand, closed at 1.5x, opened again at 1x.
        ZoomBy(*w, Qt::Key_Equal);
        ZoomBy(*w, Qt::Key_Equal);
        panel->resize(panel->size() * 1.2);
        panel->close();
        ZoomBy(*w, Qt::Key_0);
        QVERIFY(OpenPanel(*w));
        QTRY_COMPARE(panel->size(), actual);
        QCOMPARE(FigureSize(*panel), type);
    }

    void panelBesideTheWindowAt2x_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("roomBeside");
        QTest::newRow("at the left") << "en" << QPoint(0, 0) << true;
        QTest::newRow("at the right") << "ja" << QPoint(452, 100) << true;
        QTest::newRow("in the middle") << "ar" << QPoint(226, 147) << false;
    }

    // Zoomed to 2x, the window leaves too little room beside it for the
    // panel at 2x: it stands beside the window as large as fits, or, with
    // no room at all, over no control; readable, and on the window's screen.
    void panelBesideTheWindowAt2x() {
        QFETCH(QString, language);
        QFETCH(QPoint, at);
        QFETCH(bool, roomBeside);
        const auto w = OpenWindow(*form::FindLanguage(language.toStdString()));
        const QRect screen = w->screen()->availableGeometry();
        QCOMPARE(screen.size(), QSize(1600, 1000));
        form::ClassDataPanel* panel = OpenPanel(*w);
        QVERIFY(panel);
        const int type = FigureSize(*panel);
        w->move(at);
        QTRY_COMPARE(w->pos(), at);
        w->SetZoom(2.0);
        QTRY_COMPARE(w->frameGeometry().topLeft(), at);
        QTest::qWait(100);  // the panel's move and resize
        const QRect place = panel->frameGeometry();
        QVERIFY(screen.contains(place));
        QCOMPARE(panel->screen(), w->screen());
        QVERIFY(panel->Zoom() >= 1.0 && panel->Zoom() <= 2.0);
        QVERIFY(FigureSize(*panel) >= type);
        QCOMPARE(place.intersects(w->frameGeometry()), !roomBeside);
        // The boxes, buttons, check box and chart.
        const QRegularExpression windowed(QStringLiteral("^(Command|Text|Check|Picture)"));
        for (QWidget* control : w->findChildren<QWidget*>(windowed, Qt::FindDirectChildrenOnly)) {
            const QRect global(control->mapToGlobal(QPoint()), control->size());
            QVERIFY2(!place.intersects(global), qPrintable(control->objectName()));
        }
    }
};

QUARVEL_TEST_MAIN(PanelPlaceTest)
#include "PanelPlaceTest.moc"
