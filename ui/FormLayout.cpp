#include "FormLayout.h"

#include <algorithm>

namespace form {

namespace {

using K = ControlKind;

// Places of the English build; captions/ holds the Japanese differences.
constexpr ControlSpec kControls[] = {
    {{"Command1"}, K::Button, {4920, 3840, 1215, 495}, 0},
    {{"Command2"}, K::Button, {6480, 4440, 1215, 495}, 1},
    {{"Text1"}, K::TextBox, {5520, 2880, 495, 270}, 2},
    {{"Label1"}, K::Label, {4680, 2880, 855, 255}, 3},
    {{"Label2", 0}, K::Label, {960, 1680, 255, 255}, 4, 14.25},
    {{"Label2", 1}, K::Label, {960, 3000, 255, 255}, 5, 14.25},
    {{"Label2", 2}, K::Label, {1200, 1800, 255, 255}, 6},
    {{"Label2", 3}, K::Label, {1200, 3120, 255, 255}, 7},
    {{"Label2", 4}, K::Label, {960, 2400, 255, 255}, 8, 14.25},
    {{"Label2", 5}, K::Label, {1200, 2520, 255, 255}, 9},
    {{"Text2"}, K::TextBox, {7200, 2160, 495, 270}, 10},
    {{"Label3"}, K::Label, {6240, 2160, 855, 495}, 11},
    {{"Text3"}, K::TextBox, {7200, 2640, 495, 270}, 12},
    {{"Command4"}, K::Button, {4920, 4440, 1215, 495}, 13},
    {{"Label4"}, K::Label, {6600, 2640, 735, 255}, 14},
    {{"Text4"}, K::TextBox, {5280, 2160, 735, 270}, 15},
    {{"Label5"}, K::Label, {4920, 1800, 1935, 375}, 16},
    {{"Text5"}, K::TextBox, {5280, 2400, 735, 270}, 17},
    {{"Label6"}, K::Label, {4920, 2160, 375, 255}, 18},
    {{"Label7"}, K::Label, {4920, 2400, 375, 255}, 19},
    {{"Check1"}, K::CheckBox, {4800, 3240, 1335, 375}, 20},
    {{"Text6"}, K::TextBox, {7200, 2880, 495, 270}, 21},
    {{"Label8"}, K::Label, {6600, 2880, 735, 255}, 22},
    {{"Text7"}, K::TextBox, {7200, 3360, 495, 270}, 23},
    {{"Label11"}, K::Label, {6480, 3240, 855, 495}, 24},
    {{"Command5"}, K::Button, {6480, 3840, 1215, 495}, 25, 8.25},
    {{"Picture1"}, K::PictureBox, {5040, 240, 2655, 1455}, 26},
    {{"Label9"}, K::Label, {7800, 1560, 375, 255}, 27},
    {{"Label10"}, K::Label, {4320, 120, 855, 495}, 28},
    {{"Label12"}, K::Label, {4920, 1560, 255, 255}, 29},
};

constexpr std::pair<ControlKey, ControlKey> kCaptionOf[] = {
    {{"Text1"}, {"Label1"}}, {{"Text2"}, {"Label3"}}, {{"Text3"}, {"Label4"}},
    {{"Text4"}, {"Label6"}}, {{"Text5"}, {"Label7"}}, {{"Text6"}, {"Label8"}},
    {{"Text7"}, {"Label11"}}, {{"Picture1"}, {"Label10"}},
};

const ShapeSpec kShapes[] = {
    {{"Shape3"}, ShapeKind::Rectangle, {1440, 360, 2655, 1575}, QColor(255, 255, 255), false},
    {{"Shape4"}, ShapeKind::Rectangle, {1440, 3120, 2655, 1575}, QColor(128, 128, 128), false},
    {{"Shape5"}, ShapeKind::Circle, {360, 7200, 255, 255}, std::nullopt, true},
    {{"Shape1"}, ShapeKind::Circle, {240, 7200, kMarkerSize, kMarkerSize}, QColor(0, 0, 0), true},
    {{"Shape2"}, ShapeKind::Circle, {720, 7200, kMarkerSize, kMarkerSize}, QColor(255, 255, 255),
     true},
};

constexpr LineSpec kLines[] = {
    {{"Line1"}, 1440, 1920, 4080, 1920},
    {{"Line2"}, 1440, 3120, 4080, 3120},
    // The Fermi level is not a band edge: a broken line tells it apart.
    {{"Line3"}, 1440, 2520, 4080, 2520, LineStyle::DashDot},
    {{"Line7", 0}, 960, 1080, 1200, 1080},
    {{"Line7", 1}, 4200, 1080, 4440, 1080},
    {{"Line7", 5}, 4320, 960, 4320, 1200},
    {{"Line7", 4}, 960, 3960, 1200, 3960},
    {{"Line7", 3}, 4200, 3960, 4440, 3960},
    {{"Line7", 2}, 4320, 3840, 4320, 4080},
    {{"Line6"}, 0, 1440, 2640, 1440},  // inside Picture1
};

constexpr ControlKey kOrder[] = {
    {"Shape3"},     {"Line1"},      {"Shape1"},     {"Label1"},     {"Shape4"},
    {"Line2"},      {"Shape2"},     {"Label2", 0},  {"Label2", 1},  {"Label2", 2},
    {"Label2", 3},  {"Line3"},      {"Label2", 4},  {"Label2", 5},  {"Shape5"},
    {"Label3"},     {"Label4"},     {"Label5"},     {"Label6"},     {"Label7"},
    {"Label8"},     {"Line7", 0},   {"Line7", 2},   {"Line7", 3},   {"Line7", 4},
    {"Line7", 5},   {"Line7", 1},   {"Label11"},    {"Label9"},     {"Label10"},
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

const ShapeSpec* FindShape(std::string_view name) {
    const auto* it = std::find_if(std::begin(kShapes), std::end(kShapes),
                                  [&](const ShapeSpec& s) { return s.key.name == name; });
    return it == std::end(kShapes) ? nullptr : it;
}

const LineSpec* FindLine(ControlKey key) {
    const auto* it = std::find_if(std::begin(kLines), std::end(kLines),
                                  [&](const LineSpec& l) { return l.key == key; });
    return it == std::end(kLines) ? nullptr : it;
}

std::span<const ControlKey> PaintOrder() { return kOrder; }

}  // namespace form
