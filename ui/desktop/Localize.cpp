#include "Localize.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

#include "Fonts.h"
#include "Twips.h"

namespace form {

namespace {

// Fusion places a menu item's parts by the menu's direction but draws its
// words by the painter's, which Qt takes from the application, not the
// widget: a right-to-left menu's words would stand at the left and read
// left to right. This draws them the menu's way.
class MenuStyle : public QProxyStyle {
  public:
    MenuStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element != CE_MenuItem || !item || item->direction != Qt::RightToLeft) {
            return QProxyStyle::drawControl(element, option, painter, widget);
        }
        QStyleOptionMenuItem fromRight = *item;
        // A key reads as typed: a left-to-right mark after it keeps "Ctrl++"
        // from turning into "++Ctrl".
        if (fromRight.text.contains(QLatin1Char('\t'))) fromRight.text += QChar(0x200E);
        painter->save();
        painter->setLayoutDirection(Qt::RightToLeft);
        QProxyStyle::drawControl(element, &fromRight, painter, widget);
        painter->restore();
    }
};

QStyle* Menus() {
    // The application's for its whole life, as the menus it draws are.
    static QStyle* const style = [] {
        QStyle* made = new MenuStyle;
        made->setParent(QApplication::instance());
        return made;
    }();
    return style;
}

}  // namespace

Qt::LayoutDirection TextDirection(const Language& language) {
    return language.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
}

void Localize(QWidget& window, const Language& language) {
    // From the desktop's font for its kind each time, not the last language's.
    window.setFont(InLanguage(QApplication::font(&window), language));
    window.setLayoutDirection(TextDirection(language));
    if (qobject_cast<QMenu*>(&window)) window.setStyle(Menus());
    // A notice closes with the language's word, not the desktop's.
    if (auto* notice = qobject_cast<QMessageBox*>(&window)) {
        if (QAbstractButton* ok = notice->button(QMessageBox::Ok)) {
            ok->setText(FromUtf8(language.notices.ok));
        }
    }
}

}  // namespace form
