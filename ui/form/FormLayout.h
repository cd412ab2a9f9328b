#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "form/ControlKey.h"

namespace form {

// The window's client area, twips (574 x 353 pixels at 15 twips a pixel).
inline constexpr int kClientWidth = 8610;
inline constexpr int kClientHeight = 5295;
inline constexpr int kTwipsPerPixel = 15;

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;
inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kGrey = 0x808080;

enum class ControlKind { Label, TextBox, Button, CheckBox, PictureBox };

// What a control is for, so that each front end can present it alike.
enum class ControlRole {
    Caption,  // a label
    Input,    // a box Start or the doping entry reads
    Readout,  // a box the model writes every tick or readout
    Command,  // a button
    Toggle,   // the check box
    Chart,    // the picture box
};

// A captioned or windowed control of the shared layout. Labels are drawn on
// the window's surface; the other kinds stand above it.
struct ControlSpec {
    ControlKey key;
    ControlKind kind;
    ControlRole role;
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
// Which shapes and lines the model moves or shows: the rest never change.
enum class ShapeRole { Fixed, ElectronMarkers, HoleMarkers };
enum class LineRole { Fixed, FermiLevel, PolarityMark, ChartFoot };

struct ShapeSpec {
    ControlKey key;  // for an array, the template of every member
    ShapeKind shape;
    ShapeRole role;
    Placement place;  // for an array, where every member stands at load
    std::optional<Rgb> fill;
    bool outline;
};

struct LineSpec {
    ControlKey key;
    LineRole role;
    int x1, y1, x2, y2;
    LineStyle style = LineStyle::Solid;
};

inline constexpr int kMarkerSize = 105;

std::span<const ShapeSpec> ShapeTable();
std::span<const LineSpec> LineTable();
const ShapeSpec* FindShape(ControlKey key);
const LineSpec* FindLine(ControlKey key);
// The shape or line the model drives in a given role.
const ShapeSpec& ShapeWithRole(ShapeRole role);
const LineSpec& LineWithRole(LineRole role);

// Back-to-front order of the windowless controls; an array name without an
// index (Shape1, Shape2) stands for every member in index order.
std::span<const ControlKey> PaintOrder();

// The window's default font: its families in order of preference and its
// size in pixels; the Japanese Gothic face named for some captions and what
// stands in for it where it is missing.
struct FontTable {
    std::span<const std::string_view> defaultFamilies;
    int defaultPixels;
    std::string_view captionFamily;
    std::string_view captionSubstitute;
};
const FontTable& Fonts();

// What a timer drives: the simulation's tick, or the current readout, which
// shows the crossings of a fixed number of ticks.
enum class TimerRole { Tick, CurrentReadout };

struct TimerSpec {
    ControlKey key;
    int intervalMs;
    bool enabledAtLoad;
    TimerRole role;
};
std::span<const TimerSpec> TimerTable();

}  // namespace form
