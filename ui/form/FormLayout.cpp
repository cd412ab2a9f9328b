#include "FormLayout.h"

#include <algorithm>

namespace form {

namespace {

using K = ControlKind;
using R = ControlRole;

// Places of the English build; captions/ holds the Japanese differences.
constexpr ControlSpec kControls[] = {
    {{"Command1"}, K::Button, R::Command, {4920, 3840, 1215, 495}, 0},
    {{"Command2"}, K::Button, R::Command, {6480, 4440, 1215, 495}, 1},
    {{"Text1"}, K::TextBox, R::Input, {5520, 2880, 495, 270}, 2},
    {{"Label1"}, K::Label, R::Caption, {4680, 2880, 855, 255}, 3},
    {{"Label2", 0}, K::Label, R::Caption, {960, 1680, 255, 255}, 4, 14.25},
    {{"Label2", 1}, K::Label, R::Caption, {960, 3000, 255, 255}, 5, 14.25},
    {{"Label2", 2}, K::Label, R::Caption, {1200, 1800, 255, 255}, 6},
    {{"Label2", 3}, K::Label, R::Caption, {1200, 3120, 255, 255}, 7},
    {{"Label2", 4}, K::Label, R::Caption, {960, 2400, 255, 255}, 8, 14.25},
    {{"Label2", 5}, K::Label, R::Caption, {1200, 2520, 255, 255}, 9},
    {{"Text2"}, K::TextBox, R::Input, {7200, 2160, 495, 270}, 10},
    {{"Label3"}, K::Label, R::Caption, {6240, 2160, 855, 495}, 11},
    {{"Text3"}, K::TextBox, R::Readout, {7200, 2640, 495, 270}, 12},
    {{"Command4"}, K::Button, R::Command, {4920, 4440, 1215, 495}, 13},
    {{"Label4"}, K::Label, R::Caption, {6600, 2640, 735, 255}, 14},
    {{"Text4"}, K::TextBox, R::Input, {5280, 2160, 735, 270}, 15},
    {{"Label5"}, K::Label, R::Caption, {4920, 1800, 1935, 375}, 16},
    {{"Text5"}, K::TextBox, R::Input, {5280, 2400, 735, 270}, 17},
    {{"Label6"}, K::Label, R::Caption, {4920, 2160, 375, 255}, 18},
    {{"Label7"}, K::Label, R::Caption, {4920, 2400, 375, 255}, 19},
    {{"Check1"}, K::CheckBox, R::Toggle, {4800, 3240, 1335, 375}, 20},
    {{"Text6"}, K::TextBox, R::Readout, {7200, 2880, 495, 270}, 21},
    {{"Label8"}, K::Label, R::Caption, {6600, 2880, 735, 255}, 22},
    {{"Text7"}, K::TextBox, R::Readout, {7200, 3360, 495, 270}, 23},
    {{"Label11"}, K::Label, R::Caption, {6480, 3240, 855, 495}, 24},
    {{"Command5"}, K::Button, R::Command, {6480, 3840, 1215, 495}, 25, 8.25},
    {{"Picture1"}, K::PictureBox, R::Chart, {5040, 240, 2655, 1455}, 26},
    {{"Label9"}, K::Label, R::Caption, {7800, 1560, 375, 255}, 27},
    {{"Label10"}, K::Label, R::Caption, {4320, 120, 855, 495}, 28},
    {{"Label12"}, K::Label, R::Caption, {4920, 1560, 255, 255}, 29},
};

constexpr std::pair<ControlKey, ControlKey> kCaptionOf[] = {
    {{"Text1"}, {"Label1"}},  {{"Text2"}, {"Label3"}},     {{"Text3"}, {"Label4"}},
    {{"Text4"}, {"Label6"}},  {{"Text5"}, {"Label7"}},     {{"Text6"}, {"Label8"}},
    {{"Text7"}, {"Label11"}}, {{"Picture1"}, {"Label10"}},
};

using S = ShapeRole;
using L = LineRole;

// Markers and Shape5 load below the client area, out of sight.
constexpr ShapeSpec kShapes[] = {
    {{"Shape3"}, ShapeKind::Rectangle, S::Fixed, {1440, 360, 2655, 1575}, kWhite, false},
    {{"Shape4"}, ShapeKind::Rectangle, S::Fixed, {1440, 3120, 2655, 1575}, kGrey, false},
    {{"Shape5"}, ShapeKind::Circle, S::Fixed, {360, 7200, 255, 255}, std::nullopt, true},
    {{"Shape1"},
     ShapeKind::Circle,
     S::ElectronMarkers,
     {240, 7200, kMarkerSize, kMarkerSize},
     kBlack,
     true},
    {{"Shape2"},
     ShapeKind::Circle,
     S::HoleMarkers,
     {720, 7200, kMarkerSize, kMarkerSize},
     kWhite,
     true},
};

constexpr LineSpec kLines[] = {
    {{"Line1"}, L::Fixed, 1440, 1920, 4080, 1920},
    {{"Line2"}, L::Fixed, 1440, 3120, 4080, 3120},
    // The Fermi level is not a band edge: a broken line tells it apart.
    {{"Line3"}, L::FermiLevel, 1440, 2520, 4080, 2520, LineStyle::DashDot},
    {{"Line7", 0}, L::PolarityMark, 960, 1080, 1200, 1080},
    {{"Line7", 1}, L::PolarityMark, 4200, 1080, 4440, 1080},
    {{"Line7", 5}, L::PolarityMark, 4320, 960, 4320, 1200},
    {{"Line7", 4}, L::PolarityMark, 960, 3960, 1200, 3960},
    {{"Line7", 3}, L::PolarityMark, 4200, 3960, 4440, 3960},
    {{"Line7", 2}, L::PolarityMark, 4320, 3840, 4320, 4080},
    {{"Line6"}, L::ChartFoot, 0, 1440, 2640, 1440},  // inside Picture1
};

// Nimbus Sans Narrow is the one face with which every caption fits in both
// builds; IPAPGothic (the same design family as the named Japanese Gothic,
// its em box its line height, as the layout expects) gives the Japanese glyphs.
constexpr std::string_view kDefaultFamilies[] = {"Nimbus Sans Narrow", "IPAPGothic"};
constexpr FontTable kFonts{kDefaultFamilies, 10, "ＭＳ Ｐゴシック", "IPAPGothic"};

constexpr TimerSpec kTimers[] = {
    {{"Timer1"}, 50, false, TimerRole::Tick},  // Start enables it
    {{"Timer2"}, 2000, true, TimerRole::CurrentReadout},
};

constexpr ControlKey kOrder[] = {
    {"Shape3"},    {"Line1"},     {"Shape1"},    {"Label1"},    {"Shape4"},    {"Line2"},
    {"Shape2"},    {"Label2", 0}, {"Label2", 1}, {"Label2", 2}, {"Label2", 3}, {"Line3"},
    {"Label2", 4}, {"Label2", 5}, {"Shape5"},    {"Label3"},    {"Label4"},    {"Label5"},
    {"Label6"},    {"Label7"},    {"Label8"},    {"Line7", 0},  {"Line7", 2},  {"Line7", 3},
    {"Line7", 4},  {"Line7", 5},  {"Line7", 1},  {"Label11"},   {"Label9"},    {"Label10"},
    {"Label12"},
};

}  // namespace

std::span<const ControlSpec> ControlTable() { return kControls; }

const ControlSpec* FindControl(ControlKey key) {
    const auto* it = std::find_if(std::begin(kControls), std::end(kControls),
                                  [&](const ControlSpec& c) { return c.key == key; });
    return it == std::end(kControls) ? nullptr : it;
}

std::optional<ControlKey> CaptionOf(ControlKey box) {
    for (const auto& [control, label] : kCaptionOf) {
        if (control == box) return label;
    }
    return std::nullopt;
}

std::span<const ShapeSpec> ShapeTable() { return kShapes; }
std::span<const LineSpec> LineTable() { return kLines; }

const ShapeSpec* FindShape(ControlKey key) {
    const auto* it = std::find_if(std::begin(kShapes), std::end(kShapes),
                                  [&](const ShapeSpec& s) { return s.key == key; });
    return it == std::end(kShapes) ? nullptr : it;
}

const ShapeSpec& ShapeWithRole(ShapeRole role) {
    return *std::find_if(std::begin(kShapes), std::end(kShapes),
                         [&](const ShapeSpec& s) { return s.role == role; });
}

const LineSpec& LineWithRole(LineRole role) {
    return *std::find_if(std::begin(kLines), std::end(kLines),
                         [&](const LineSpec& l) { return l.role == role; });
}

const LineSpec* FindLine(ControlKey key) {
    const auto* it = std::find_if(std::begin(kLines), std::end(kLines),
                                  [&](const LineSpec& l) { return l.key == key; });
    return it == std::end(kLines) ? nullptr : it;
}

std::span<const ControlKey> PaintOrder() { return kOrder; }

const FontTable& Fonts() { return kFonts; }

std::span<const TimerSpec> TimerTable() { return kTimers; }

}  // namespace form
