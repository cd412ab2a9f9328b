#include "LineEditAccessible.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QValidator>
#include <algorithm>

namespace form {

namespace {

class LineEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
  public:
    explicit LineEditAccessible(QLineEdit* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    QString text(QAccessible::Text t) const override {
        QString said = t == QAccessible::Value ? Box()->displayText() : QString();
        if (said.isEmpty()) said = QAccessibleWidget::text(t);
        if (said.isEmpty() && t == QAccessible::Description) said = Box()->placeholderText();
        return said;
    }
    void setText(QAccessible::Text t, const QString& text) override {
        if (t != QAccessible::Value) return QAccessibleWidget::setText(t, text);
        QString typed = text;
        int at = 0;
        const QValidator* validator = Box()->validator();
        if (validator && validator->validate(typed, at) != QValidator::Acceptable) return;
        Box()->setText(typed);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.readOnly = Box()->isReadOnly();
        s.passwordEdit = Box()->echoMode() != QLineEdit::Normal;
        s.selectableText = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(t);
    }

    // The text.
    QString text(int start, int end) const override {
        return start > end ? QString() : Box()->displayText().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(Box()->displayText().size()); }
    // A text box has no text attributes: its whole text is one run.
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                             int* end) const override {
        return QAccessibleTextInterface::textBeforeOffset(Offset(offset), type, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                            int* end) const override {
        return QAccessibleTextInterface::textAfterOffset(Offset(offset), type, start, end);
    }
    // Qt's own search for the word or sentence around an offset never ends
    // when it runs off either end of the text: at the end, or before a text
    // that no word starts ("-3"). This one stops at the ends; the item at the
    // end is the one that ends there.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                         int* end) const override {
        offset = Offset(offset);
        if (type != QAccessible::WordBoundary && type != QAccessible::SentenceBoundary) {
            return QAccessibleTextInterface::textAtOffset(offset, type, start, end);
        }
        const QString shown = text(0, characterCount());
        const qsizetype length = shown.size();
        *start = *end = -1;
        if (length == 0 || offset < 0 || offset > length) return {};
        constexpr auto kEdges = QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem;
        QTextBoundaryFinder finder(type == QAccessible::WordBoundary
                                       ? QTextBoundaryFinder::Word
                                       : QTextBoundaryFinder::Sentence,
                                   shown);
        qsizetype from = std::min<qsizetype>(offset, length - 1);
        finder.setPosition(from);
        while (from > 0 && !(finder.boundaryReasons() & kEdges)) from = finder.toPreviousBoundary();
        from = std::max<qsizetype>(from, 0);
        finder.setPosition(from);
        qsizetype to = finder.toNextBoundary();
        while (to > 0 && to < length && !(finder.boundaryReasons() & kEdges)) {
            to = finder.toNextBoundary();
        }
        *start = static_cast<int>(from);
        *end = static_cast<int>(to > 0 ? to : length);
        return shown.mid(*start, *end - *start);
    }

    // The cursor and the selection.
    int cursorPosition() const override { return Box()->cursorPosition(); }
    void setCursorPosition(int position) override { Box()->setCursorPosition(position); }
    int selectionCount() const override { return Box()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index != 0) return;
        *start = Box()->selectionStart();
        *end = *start + static_cast<int>(Box()->selectedText().size());
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0) Box()->deselect();
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0) Box()->setSelection(start, end - start);
    }

    // Where the characters are: measured along the text as the box lays it
    // out, from the box's left edge.
    QRect characterRect(int offset) const override {
        const QString shown = Box()->displayText();
        if (offset < 0 || offset >= shown.size()) return {};
        QTextLayout layout(shown, Box()->font());
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        const QFontMetrics metrics(Box()->font());
        const QPoint at(static_cast<int>(line.cursorToX(offset)), Box()->textMargins().top());
        return {Box()->mapToGlobal(at),
                QSize(metrics.horizontalAdvance(shown.mid(offset, 1)), metrics.height())};
    }
    int offsetAtPoint(const QPoint& point) const override {
        return Box()->cursorPositionAt(Box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override {
        Box()->setCursorPosition(end);
        Box()->setCursorPosition(start);
    }

    // Editing.
    void deleteText(int start, int end) override {
        Box()->setText(Box()->text().remove(start, end - start));
    }
    void insertText(int offset, const QString& text) override {
        Box()->setText(Box()->text().insert(offset, text));
    }
    void replaceText(int start, int end, const QString& text) override {
        Box()->setText(Box()->text().replace(start, end - start, text));
    }

  private:
    QLineEdit* Box() const { return static_cast<QLineEdit*>(widget()); }
    // -2 stands for the cursor, -1 for the end of the text.
    int Offset(int offset) const {
        if (offset == -2) return cursorPosition();
        return offset == -1 ? characterCount() : offset;
    }
};

}  // namespace

QAccessibleInterface* LineEditAccessibleFactory(const QString&, QObject* object) {
    if (auto* box = qobject_cast<QLineEdit*>(object)) return new LineEditAccessible(box);
    return nullptr;
}

}  // namespace form
