#pragma once

#include <span>
#include <string>

#include "CarrierModel.h"
#include "Runtime.h"
#include "captions/Spoken.h"
#include "form/ControlKey.h"

namespace form {

// What the band diagram shows, as a student would put it into words.
struct SceneFacts {
    bool running;
    int temperature;
    double fermiLevelEV;
    int electrons;
    int holes;
    bool field;
    bool dopingUsable;  // the doping boxes hold a pair that sets the Fermi level
};

SceneFacts FactsOf(const carriers::CarrierModel& model, bool running, bool field,
                   bool dopingUsable);

// The diagram's description, kept current by the front ends.
std::string DescribeScene(const SpokenTexts& texts, const SceneFacts& facts);

// How often a listener is told of what changes by itself during a run, in ms:
// the diagram's and the chart's descriptions, a readout that has the focus,
// and the doping entry, which speaks once the typing pauses.
inline constexpr int kDescribeEveryMs = 1000;
inline constexpr int kFocusedReadoutPauseMs = 2000;
inline constexpr int kTypingPauseMs = 1000;

// What an action announces once it has run.
enum class Announcement { None, Start, Light, Diffusion, Field, Doping };
std::string Announce(const SpokenTexts& texts, Announcement what, const SceneFacts& facts,
                     const std::string& fermiLevelText);

// The strip chart's trend over the last minute of points.
std::string DescribeChart(const SpokenTexts& texts, std::span<const carriers::ChartPoint> points);

// What an input is, with its unit and range; empty for other controls.
std::string DescribeInput(const SpokenTexts& texts, ControlKey control);

}  // namespace form
