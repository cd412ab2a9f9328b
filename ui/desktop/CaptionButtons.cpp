#include "CaptionButtons.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "ZoomStyle.h"

namespace form {

CaptionButton::CaptionButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    // Enter presses the focused button, as the space bar does; no button is
    // the window's default, so Enter elsewhere does nothing.
    setAutoDefault(true);
    setDefault(false);
}

QRect CaptionButton::CaptionRect() const {
    const int margin = style()->pixelMetric(kCaptionMarginMetric, nullptr, this);
    return rect().adjusted(margin, margin, -margin, -margin);
}

void CaptionButton::SetCaptionDirection(Qt::LayoutDirection direction) {
    direction_ = direction;
    update();
}

void CaptionButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    QRect textRect = CaptionRect();
    if (isDown()) {
        textRect.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                           style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    p.setLayoutDirection(direction_);
    p.drawItemText(textRect, kButtonTextFlags, palette(), isEnabled(), text(),
                   QPalette::ButtonText);
}

CaptionCheckBox::CaptionCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent) {}

QRect CaptionCheckBox::CaptionRect() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
}

void CaptionCheckBox::SetCaptionDirection(Qt::LayoutDirection direction) {
    direction_ = direction;
    update();
}

void CaptionCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawControl(QStyle::CE_CheckBox, option);
    p.setLayoutDirection(direction_);
    p.drawItemText(CaptionRect(), kCheckBoxTextFlags, palette(), isEnabled(), text(),
                   QPalette::WindowText);
}

}  // namespace form
