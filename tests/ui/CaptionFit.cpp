#include "CaptionFit.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <vector>

#include "BandCanvas.h"
#include "CaptionButtons.h"
#include "Form1.h"
#include "Twips.h"

namespace {

constexpr int kMargin = 40;

// Draws text unclipped around a box and returns the inked pixels outside
// the visible parts of the box (holes: rectangles covered by other controls).
int InkOutside(const QFont& font, const QRect& box, int flags, Qt::LayoutDirection direction,
               const QString& text, const std::vector<QRect>& covered) {
    QImage image(box.size() + QSize(2 * kMargin, 2 * kMargin), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setFont(font);
        p.setLayoutDirection(direction);
        p.setPen(Qt::black);
        p.translate(kMargin - box.left(), kMargin - box.top());
        p.drawText(box, flags | Qt::TextDontClip, text);
    }
    int outside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) < 64) continue;  // smoothing fringe
            const QPoint at(x - kMargin + box.left(), y - kMargin + box.top());
            bool hidden = !box.contains(at);
            for (const QRect& c : covered) hidden = hidden || c.contains(at);
            if (hidden) ++outside;
        }
    }
    return outside;
}

// A letter beyond ASCII drawn in a face the font does not name is one
// fontconfig fell back to: the wrong design for the script (Chinese in a
// Japanese face), or a box where no face had it.
QStringList FaceProblems(const QString& what, const QString& text, const QFont& font,
                         Qt::LayoutDirection direction, const QStringList& faces) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(direction);
    layout.setTextOption(option);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList problems;
    for (int i = 0; i < text.size(); ++i) {
        for (const QGlyphRun& run : layout.glyphRuns(i, 1)) {
            const QString face = run.rawFont().familyName();
            if (run.glyphIndexes().contains(0)) {
                problems << QStringLiteral("%1 \"%2\": no glyph for %3 in %4")
                                .arg(what, text, QString(text[i]), face);
            } else if (text[i].unicode() >= 0x80 && !faces.contains(face)) {
                problems << QStringLiteral("%1 \"%2\": %3 drawn in %4, not in %5")
                                .arg(what, text, QString(text[i]), face, faces.join(", "));
            }
        }
    }
    problems.removeDuplicates();
    return problems;
}

}  // namespace

QStringList CaptionFaceProblems(const form::Form1& window, const form::Language& language) {
    // The language's own faces where it names them; else the faces the font
    // names, with the installed face that stands in for a missing one.
    const auto faces = [&](const QFont& font) {
        QStringList named;
        for (std::string_view family : language.fontFamilies) named << form::FromUtf8(family);
        if (!named.isEmpty()) return named;
        for (const QString& family : font.families()) named << family << QFont::substitutes(family);
        return named;
    };
    QStringList problems;
    const auto* canvas = window.findChild<const form::BandCanvas*>();
    for (const auto& label : canvas->Labels()) {
        const QFont font = canvas->LabelFont(label);
        problems << FaceProblems(form::FromUtf8(label.key.name), label.caption, font,
                                 label.direction, faces(font));
    }
    for (const auto* button : window.findChildren<const form::CaptionButton*>()) {
        problems << FaceProblems(button->objectName(), button->text(), button->font(),
                                 button->CaptionDirection(), faces(button->font()));
    }
    for (const auto* box : window.findChildren<const form::CaptionCheckBox*>()) {
        problems << FaceProblems(box->objectName(), box->text(), box->font(),
                                 box->CaptionDirection(), faces(box->font()));
    }
    return problems;
}

QStringList CaptionFitProblems(const form::Form1& window) {
    QStringList problems;
    const auto* canvas = window.findChild<const form::BandCanvas*>();
    std::vector<QRect> windowed;
    for (const QWidget* child : window.findChildren<const QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != canvas) windowed.push_back(child->geometry());
    }
    const auto report = [&](const QString& what, const QString& text, int ink) {
        if (ink > 0) problems << QStringLiteral("%1 \"%2\": %3 px hidden").arg(what, text).arg(ink);
    };

    for (const auto& label : canvas->Labels()) {
        const QFont font = canvas->LabelFont(label);
        report(
            QString::fromUtf8(label.key.name.data(), static_cast<qsizetype>(label.key.name.size())),
            label.caption,
            InkOutside(font, label.rect, form::kLabelTextFlags, label.direction, label.caption,
                       windowed));
    }
    for (const auto* button : window.findChildren<const form::CaptionButton*>()) {
        report(button->objectName(), button->text(),
               InkOutside(button->font(), button->CaptionRect(), form::kButtonTextFlags,
                          button->CaptionDirection(), button->text(), {}));
    }
    for (const auto* box : window.findChildren<const form::CaptionCheckBox*>()) {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator =
            box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        if (!box->rect().contains(indicator)) {
            problems << QStringLiteral("%1 indicator: %2 x %3 px at %4,%5 in a %6 x %7 box")
                            .arg(box->objectName())
                            .arg(indicator.width())
                            .arg(indicator.height())
                            .arg(indicator.x())
                            .arg(indicator.y())
                            .arg(box->width())
                            .arg(box->height());
        }
        report(box->objectName(), box->text(),
               InkOutside(box->font(), box->CaptionRect(), form::kCheckBoxTextFlags,
                          box->CaptionDirection(), box->text(), {}));
    }
    for (const auto* edit : window.findChildren<const QLineEdit*>()) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(
                                                  QStyle::PM_DefaultFrameWidth, &option, edit)
                                            : 0;
        // QLineEdit keeps 2 px either side and 1 px above and below its text.
        const QRect area = edit->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                               .adjusted(2, 1, -2, -1);
        const QFontMetrics metrics(edit->font());
        const int need = metrics.horizontalAdvance(edit->text());
        if (need > area.width() || metrics.ascent() + metrics.descent() > area.height() + 2) {
            problems << QStringLiteral("%1 \"%2\": needs %3 x %4 px, has %5 x %6")
                            .arg(edit->objectName(), edit->text())
                            .arg(need)
                            .arg(metrics.ascent() + metrics.descent())
                            .arg(area.width())
                            .arg(area.height());
        }
    }
    return problems;
}
