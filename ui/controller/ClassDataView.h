#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ClassData.h"
#include "captions/Language.h"

namespace controller {

// The panel follows the run at most twice a second: often enough to watch
// the mean settle, seldom enough to read its digits and not chatter.
inline constexpr int kClassDataRefreshMs = 500;
// The chart's traces of electrons and holes, as 0xRRGGBB: read on white.
inline constexpr unsigned kElectronTraceRgb = 0x0050c8;
inline constexpr unsigned kHoleTraceRgb = 0xc81e1e;

// The "Class data" panel as a front end shows it: every figure already put
// into words and numbers, in the user's number format.
struct PanelRow {
    std::string label;
    std::string value;
};

struct ClassDataView {
    std::string title;
    std::string heading;  // since when, or how to begin
    std::string state;    // paused, or the speed
    std::vector<PanelRow> rows;
    // The chart over time: its caption, the legend (the law's dashed line
    // named as its row is), what each axis counts, and the points.
    std::string overTime;
    std::string electrons;
    std::string holes;
    std::string np;
    std::string law;
    std::string countsAxis;   // n and p, 0 to 100
    std::string productAxis;  // n x p
    std::vector<ClassDataPoint> history;
    double lawNP = 0.0;  // the chart's line for the law
    // What a screen reader hears of the panel.
    std::string described;
};

// A measured figure with at least three significant digits: 403.4, 20.08,
// 6.05, 2981.
std::string Figure(double value, std::string_view decimalSeparator);

ClassDataView ViewOf(const ClassDataSummary& summary, std::vector<ClassDataPoint> history,
                     const form::Language& language, bool started, bool paused, int speed,
                     std::string_view decimalSeparator);

}  // namespace controller
