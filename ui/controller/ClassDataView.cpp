#include "ClassDataView.h"

#include <cmath>

#include "Conversions.h"
#include "TextFill.h"

namespace controller {

namespace {

// A tick is 50 ms of simulated time.
constexpr double kSecondsPerTick = 0.05;

}  // namespace

std::string Figure(double value, std::string_view decimalSeparator) {
    if (!std::isfinite(value)) return "–";
    const double magnitude = std::fabs(value);
    double rounded = std::round(value);
    if (magnitude > 0.0 && magnitude < 999.5) {
        // Four significant digits below a thousand, whole numbers above.
        const double scale = std::pow(10.0, 3.0 - std::floor(std::log10(magnitude)));
        rounded = std::round(value * scale) / scale;
    }
    return carriers::DoubleToText(rounded, decimalSeparator);
}

ClassDataView ViewOf(const ClassDataSummary& summary, std::vector<ClassDataPoint> history,
                     const form::Language& language, bool started, bool paused, int speed,
                     std::string_view separator) {
    const form::TeachingTexts& texts = language.teaching;
    ClassDataView view;
    view.title = texts.classData;
    const auto figure = [&](double value) { return Figure(value, separator); };
    const std::string ticks = std::to_string(summary.ticks);
    // Started, the measurement runs from its first tick on, paused or not.
    view.heading =
        started
            ? Fill(texts.sinceReset.For(static_cast<long>(summary.ticks)),
                   {{"{ticks}", ticks},
                    {"{seconds}", figure(static_cast<double>(summary.ticks) * kSecondsPerTick)}})
            : std::string(texts.notStarted);
    view.state =
        paused ? std::string(texts.paused) : Fill(texts.speedNow, {{"{n}", std::to_string(speed)}});
    // Before the first tick the counts the reset left stand for the means.
    const bool measured = started && std::isfinite(summary.meanNP);
    const auto measuredFigure = [&](double value) { return measured ? figure(value) : "–"; };
    const std::string error = summary.meanNPError ? figure(*summary.meanNPError) : std::string("–");
    const std::string meanNP =
        !measured ? std::string("–")
        : summary.meanNPError
            ? Fill(texts.withError, {{"{value}", figure(summary.meanNP)}, {"{error}", error}})
            : Fill(texts.errorPending, {{"{value}", figure(summary.meanNP)}});
    // Before the first Start no temperature has been taken yet.
    const auto lawFigure = [&](double value) { return started ? figure(value) : "–"; };
    view.rows = {
        {std::string(texts.meanNP), meanNP},
        {std::string(texts.lawNP), lawFigure(summary.lawNP)},
        {std::string(texts.meanElectrons), measuredFigure(summary.meanElectrons)},
        {std::string(texts.meanHoles), measuredFigure(summary.meanHoles)},
        {std::string(texts.rootNP), measuredFigure(summary.rootMeanNP)},
        {std::string(texts.intrinsic), lawFigure(summary.intrinsic)},
    };
    view.overTime = texts.overTime;
    view.electrons = texts.electrons;
    view.holes = texts.holes;
    view.np = texts.np;
    view.law = texts.lawNP;
    view.countsAxis = language.chart.countsAxis;
    view.productAxis = language.chart.productAxis;
    view.history = std::move(history);
    view.lawNP = started ? summary.lawNP : 0.0;
    view.described = !measured ? view.heading
                               : Fill(texts.described.For(static_cast<long>(summary.ticks)),
                                      {{"{ticks}", ticks},
                                       {"{np}", figure(summary.meanNP)},
                                       {"{error}", error},
                                       {"{law}", figure(summary.lawNP)},
                                       {"{n}", figure(summary.meanElectrons)},
                                       {"{p}", figure(summary.meanHoles)},
                                       {"{root}", figure(summary.rootMeanNP)},
                                       {"{ni}", figure(summary.intrinsic)}});
    return view;
}

}  // namespace controller
