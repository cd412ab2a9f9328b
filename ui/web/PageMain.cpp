// The browser page's entry points: the page's script calls these to build
// its controls, dispatch events and paint what the model shows.
#include <emscripten.h>

#include <cstdio>
#include <string>

#include "DescriptionJson.h"
#include "PageRuntime.h"
#include "form/Spoken.h"

namespace {

// One source for both pages: the build picks the caption table.
const form::Language& BuildLanguage() {
#ifdef QUARVEL_JAPANESE_BUILD
    return form::JapaneseLanguage();
#else
    return form::EnglishLanguage();
#endif
}

form::PageRuntime& Page() {
    static form::PageRuntime page(BuildLanguage());
    return page;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* quarvel_describe() {
    static const std::string json = form::DescriptionJson(Page().Description());
    return json.c_str();
}

// Gives what a screen reader is to be told of the event, or "".
EMSCRIPTEN_KEEPALIVE const char* quarvel_dispatch(int binding) {
    static std::string said;
    said = binding >= 0 ? Page().Dispatch(static_cast<std::size_t>(binding)) : std::string();
    return said.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* quarvel_scene() {
    static std::string scene;
    scene = Page().Scene();
    return scene.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* quarvel_chart_trend() {
    static std::string trend;
    trend = form::DescribeChart(Page().Description().language().spoken, Page().Chart());
    return trend.c_str();
}

EMSCRIPTEN_KEEPALIVE int quarvel_ended() { return Page().Ended() ? 1 : 0; }

// Shape1 (0) or Shape2 (1): members 0..100, Left and Top as Single each.
EMSCRIPTEN_KEEPALIVE const carriers::Marker* quarvel_markers(int holes) {
    return (holes ? Page().Shape2() : Page().Shape1()).members().data();
}

// line3Y1, line3Y2 as Single, then the six polarity marks as bytes.
EMSCRIPTEN_KEEPALIVE const carriers::DiagramState* quarvel_diagram() { return &Page().Diagram(); }

// x and y as Single, then 0xRRGGBB, per point.
EMSCRIPTEN_KEEPALIVE const carriers::ChartPoint* quarvel_chart() { return Page().Chart().data(); }
EMSCRIPTEN_KEEPALIVE int quarvel_chart_size() { return static_cast<int>(Page().Chart().size()); }
EMSCRIPTEN_KEEPALIVE int quarvel_chart_clears() { return Page().ChartClears(); }

// What tests and the page's readers need of the model besides the markers.
EMSCRIPTEN_KEEPALIVE const char* quarvel_state() {
    static std::string json;
    const carriers::CarrierModel& m = Page().Model();
    char buffer[256];
    std::snprintf(buffer, sizeof buffer,
                  "{\"electronCount\":%d,\"holeCount\":%d,\"temperature\":%d,"
                  "\"fermiLevelY\":%d,\"currentTally\":%d,\"chartX\":%d}",
                  m.ElectronCount.value(), m.HoleCount.value(), m.Temperature.value(),
                  m.FermiLevelY.value(), m.CurrentTally.value(), m.ChartX.value());
    json = buffer;
    return json.c_str();
}

}  // extern "C"

static_assert(sizeof(carriers::Marker) == 8, "the page reads markers as pairs of Singles");
static_assert(sizeof(carriers::ChartPoint) == 12, "the page reads chart points as 12 bytes");
