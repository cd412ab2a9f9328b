#include "Spoken.h"

#include <algorithm>
#include <cstdio>

#include "TextFill.h"
#include "form/FormLayout.h"

namespace form {

namespace {

using carriers::CarrierModel;
using controller::Fill;

// Two decimals at most, no trailing zeros: a level is heard, not read.
std::string Spoken(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string Number(int value) { return std::to_string(value); }

// The band gap spans 0 eV (valence band edge) to 1 eV (conduction band edge).
constexpr double kMidGapBand = 0.05;  // within this of mid-gap counts as midway

std::string_view Where(const SpokenTexts& texts, double ef) {
    if (ef <= 0.0) return texts.whereBelowValence;
    if (ef >= 1.0) return texts.whereAboveConduction;
    if (ef < CarrierModel::MidGapEV - kMidGapBand) return texts.whereNearValence;
    if (ef > CarrierModel::MidGapEV + kMidGapBand) return texts.whereNearConduction;
    return texts.whereMidway;
}

std::string Counts(const SpokenTexts& texts, std::string_view pattern, const SceneFacts& f) {
    const std::string electrons =
        Fill(texts.electrons.For(f.electrons), {{"{n}", Number(f.electrons)}});
    const std::string holes = Fill(texts.holes.For(f.holes), {{"{n}", Number(f.holes)}});
    return Fill(pattern, {{"{t}", Number(f.temperature)},
                          {"{ef}", Spoken(f.fermiLevelEV)},
                          {"{electrons}", electrons},
                          {"{holes}", holes},
                          {"{where}", std::string(Where(texts, f.fermiLevelEV))}});
}

int ElectronsAt(const carriers::ChartPoint& point) {
    return static_cast<int>((CarrierModel::ChartBaselineY - point.y) /
                            CarrierModel::ChartTwipsPerElectron);
}

std::size_t TicksPerMinute() {
    const auto timers = TimerTable();
    const auto tick = std::find_if(timers.begin(), timers.end(), [](const TimerSpec& t) {
        return t.key == ControlKey{"Timer1"};
    });
    return static_cast<std::size_t>(60000 / tick->intervalMs);
}

}  // namespace

SceneFacts FactsOf(const CarrierModel& model, bool running, bool field, bool dopingUsable) {
    const double ef =
        (CarrierModel::ValenceEdgeY - model.FermiLevelY.value()) / CarrierModel::TwipsPerEV;
    return {running,
            model.Temperature.value(),
            ef,
            model.ElectronCount.value(),
            model.HoleCount.value(),
            field,
            dopingUsable};
}

std::string DescribeScene(const SpokenTexts& texts, const SceneFacts& facts) {
    std::string text(texts.sceneHeading);
    text += " ";
    if (!facts.running) {
        text += texts.idle;
    } else {
        text += Counts(texts, texts.running, facts) + " " + Counts(texts, texts.fermiLevel, facts) +
                " " + Counts(texts, texts.counts, facts);
    }
    text += " ";
    text += facts.field ? texts.fieldOn : texts.fieldOff;
    return text;
}

std::string Announce(const SpokenTexts& texts, Announcement what, const SceneFacts& facts,
                     const std::string& fermiLevelText) {
    switch (what) {
        case Announcement::None:
            return {};
        case Announcement::Start:
            return Counts(texts, texts.started, facts);
        case Announcement::Light:
            return Counts(texts, texts.light, facts);
        case Announcement::Diffusion:
            return std::string(texts.diffusion);
        case Announcement::Field:
            return std::string(facts.field ? texts.fieldOn : texts.fieldOff);
        case Announcement::Doping:
            // An unusable pair leaves the Fermi level as it was: nothing to say.
            if (!facts.dopingUsable) return {};
            try {
                return Fill(texts.dopingSet,
                            {{"{ef}", Spoken(carriers::TextToDouble(fermiLevelText))}});
            } catch (const carriers::RuntimeError&) {
                return {};
            }
    }
    return {};
}

std::string DescribeChart(const SpokenTexts& texts, std::span<const carriers::ChartPoint> points) {
    if (points.empty()) return std::string(texts.chartEmpty);
    const auto minute = points.last(std::min(points.size(), TicksPerMinute()));
    int low = ElectronsAt(minute.front());
    int high = low;
    for (const auto& point : minute) {
        low = std::min(low, ElectronsAt(point));
        high = std::max(high, ElectronsAt(point));
    }
    return Fill(texts.chartTrend, {{"{n}", Number(ElectronsAt(points.back()))},
                                   {"{low}", Number(low)},
                                   {"{high}", Number(high)}});
}

std::string DescribeInput(const SpokenTexts& texts, ControlKey control) {
    const auto range = [](std::string_view pattern, carriers::AcceptedRange r) {
        return Fill(pattern, {{"{low}", carriers::DoubleToText(r.low)},
                              {"{high}", carriers::DoubleToText(r.high)}});
    };
    if (control == ControlKey{"Text1"}) {
        return range(texts.temperatureInput, CarrierModel::TemperatureRange);
    }
    if (control == ControlKey{"Text2"}) {
        return range(texts.fermiLevelInput, CarrierModel::FermiLevelRange);
    }
    if (control == ControlKey{"Text4"}) return std::string(texts.donorInput);
    if (control == ControlKey{"Text5"}) return std::string(texts.acceptorInput);
    if (control == ControlKey{"Check1"}) return std::string(texts.fieldToggle);
    return {};
}

}  // namespace form
