#pragma once

#include <QColor>
#include <optional>
#include <span>

#include "captions/Language.h"

namespace form {

// The window's client area, twips (574 x 353 pixels).
inline constexpr int kClientWidth = 8610;
inline constexpr int kClientHeight = 5295;

enum class ControlKind { Label, TextBox, Button, CheckBox, PictureBox };

// A captioned or windowed control of the shared layout. Labels are drawn by
// the band canvas; the other kinds are child widgets above it.
struct ControlSpec {
    ControlKey key;
    ControlKind kind;
    Placement place;
    int tabIndex;
    double captionFontPoints = 0.0;  // > 0: the Japanese Gothic face at this size
};

std::span<const ControlSpec> ControlTable();
const ControlSpec* FindControl(ControlKey key);

// The label whose caption names a box (Text1 -> Label1), for accessibility
// and notices.
std::optional<ControlKey> CaptionOf(ControlKey box);

// Windowless shapes and lines, twips.
enum class ShapeKind { Rectangle, Circle };
enum class LineStyle { Solid, DashDot };

struct ShapeSpec {
    ControlKey key;  // for an array, the template of every member
    ShapeKind shape;
    Placement place;
    std::optional<QColor> fill;
    bool outline;
};

struct LineSpec {
    ControlKey key;
    int x1, y1, x2, y2;
    LineStyle style = LineStyle::Solid;
};

inline constexpr int kMarkerSize = 105;

std::span<const ShapeSpec> ShapeTable();
std::span<const LineSpec> LineTable();
const ShapeSpec* FindShape(std::string_view name);
const LineSpec* FindLine(ControlKey key);

// Back-to-front order of the windowless controls; an entry with index -1
// and an array name (Shape1, Shape2) stands for every member in index order.
std::span<const ControlKey> PaintOrder();

}  // namespace form
