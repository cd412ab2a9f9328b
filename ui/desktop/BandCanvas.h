#pragma once

#include <QFont>
#include <QPixmap>
#include <QRectF>
#include <QRegion>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "FormDescription.h"
#include "Runtime.h"

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
        Placement place;            // twips
        double fontPoints;          // > 0: the caption font at this size
        QRect rect;                 // logical pixels at the current zoom
        std::optional<QFont> font;  // unset: the window's default font
        // The language's captions run its way in its faces; the diagram's
        // symbols (the band letters, ND, NA, t, 0), common to all, stay as
        // designed.
        bool translated = false;
        Qt::LayoutDirection direction = Qt::LeftToRight;
    };

    QFont LabelFont(const Label& label) const { return label.font ? *label.font : font(); }

    BandCanvas(const carriers::Runtime& runtime, const FormDescription& form, QWidget* parent);

    // Repaints, once, what a handler may have moved since the last call.
    void ScheduleUpdate();
    // Paints everything anew at a zoom of the designed size; the caller
    // sizes the canvas.
    void SetZoom(double zoom);
    // The labels' captions, places and direction in the language shown now;
    // SetZoom then draws them.
    void ShowCaptions();

    const std::vector<Label>& Labels() const { return labels_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    enum class StepKind { Shape, Markers, Line, Label };
    struct Step {
        StepKind kind = StepKind::Shape;
        const ShapeSpec* shape = nullptr;
        const LineSpec* line = nullptr;
        const carriers::MarkerArray* markers = nullptr;
        std::size_t label = 0;
        // Every marker of an array looks alike: drawn once per zoom and
        // device pixel ratio, then copied to each marker's place.
        QPixmap markerImage;
        double markerImageScale = 0.0;
    };

    // At the device pixels of what is painted on: the screen, or a picture
    // drawn at a higher ratio.
    const QPixmap& MarkerImage(Step& step, qreal ratio);
    void PaintMarkers(QPainter& p, Step& step, const QRectF& exposed);
    QLineF LineTwips(const LineSpec& line) const;
    bool LineVisible(const LineSpec& line) const;
    // What the model moves or shows, in logical pixels.
    struct Dynamic {
        std::array<QRect, 2> markers;  // electrons, holes
        QRegion lines;
    };
    QRect PixelBox(const QRectF& twips) const;
    Dynamic DynamicParts() const;

    const carriers::Runtime& runtime_;
    const FormDescription& form_;
    std::vector<Label> labels_;
    std::vector<Step> steps_;
    Dynamic lastDynamic_;
    double zoom_ = 1.0;
};

}  // namespace form
