#pragma once

#include <QCheckBox>
#include <QPushButton>

namespace form {

// Captions wrap within the control, as on the window this layout was drawn
// for; Qt's buttons would cut a long caption off on one line instead.
inline constexpr int kButtonTextFlags = Qt::AlignCenter | Qt::TextWordWrap;
inline constexpr int kCheckBoxTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;

class CaptionButton : public QPushButton {
    Q_OBJECT
  public:
    CaptionButton(const QString& caption, QWidget* parent);
    // Where the caption is drawn, widget coordinates.
    QRect CaptionRect() const;
    // Which way the caption runs; the button itself is never mirrored.
    Qt::LayoutDirection CaptionDirection() const { return direction_; }
    void SetCaptionDirection(Qt::LayoutDirection direction);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Qt::LayoutDirection direction_ = Qt::LeftToRight;
};

class CaptionCheckBox : public QCheckBox {
    Q_OBJECT
  public:
    CaptionCheckBox(const QString& caption, QWidget* parent);
    QRect CaptionRect() const;
    // Which way the caption runs, from the start of its room; the indicator
    // stays where the layout puts it.
    Qt::LayoutDirection CaptionDirection() const { return direction_; }
    void SetCaptionDirection(Qt::LayoutDirection direction);

  protected:
    void paintEvent(QPaintEvent* event) override;
    // The whole box is clickable, the wrapped caption included.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

  private:
    Qt::LayoutDirection direction_ = Qt::LeftToRight;
};

}  // namespace form
