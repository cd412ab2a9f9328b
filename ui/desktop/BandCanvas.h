#pragma once

#include <QFont>
#include <QRectF>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "Runtime.h"
#include "form/FormDescription.h"

namespace form {

// Labels wrap within their box from its top-left corner.
inline constexpr int kLabelTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// The window's surface: every windowless control (shapes, lines, markers,
// labels) painted back to front in one pass, in twips under one scale.
// The windowed controls are sibling widgets stacked above it.
class BandCanvas : public QWidget {
    Q_OBJECT
  public:
    struct Label {
        ControlKey key;
        QString caption;
        QRect rect;                 // logical pixels
        std::optional<QFont> font;  // unset: the window's default font
    };

    QFont LabelFont(const Label& label) const { return label.font ? *label.font : font(); }

    BandCanvas(const carriers::Runtime& runtime, const FormDescription& form, QWidget* parent);

    // Repaints, once, what a handler may have moved since the last call.
    void ScheduleUpdate();

    const std::vector<Label>& Labels() const { return labels_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    enum class StepKind { Shape, Markers, Line, Label };
    struct Step {
        StepKind kind;
        const ShapeSpec* shape = nullptr;
        const LineSpec* line = nullptr;
        const carriers::MarkerArray* markers = nullptr;
        std::size_t label = 0;
    };

    QLineF LineTwips(const LineSpec& line) const;
    bool LineVisible(const LineSpec& line) const;
    QRectF DynamicBounds() const;

    const carriers::Runtime& runtime_;
    std::vector<Label> labels_;
    std::vector<Step> steps_;
    QRectF lastDynamic_;
};

}  // namespace form
