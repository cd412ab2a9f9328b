#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Conversions.h"
#include "Integer.h"
#include "Markers.h"
#include "Random.h"
#include "RuntimeError.h"
#include "Tagged.h"

namespace carriers {

enum class TextBoxId { Text1 = 1, Text2, Text3, Text4, Text5, Text6, Text7 };

// What an input box accepts, for the notice shown when Start rejects it.
struct AcceptedRange {
    double low;
    double high;
};

inline constexpr int kLine7UBound = 5;

// What the model sets of the diagram besides the markers.
struct DiagramState {
    float line3Y1;
    float line3Y2;
    std::array<bool, kLine7UBound + 1> line7Visible;
};

// Where the window loads what the model moves: every marker of each kind
// at one place, the Fermi line and the polarity marks.
struct LoadState {
    Marker electrons;
    Marker holes;
    DiagramState diagram;
};

// A point of the strip chart, twips in the picture's own coordinates.
struct ChartPoint {
    float x;
    float y;
    std::uint32_t rgb;
};

// Everything the carrier model needs of the platform: the window's controls,
// the random generator, text conversions in the user's locale and the error
// report. Each front end (the desktop window, the browser page, the headless
// test runtime) implements it.
//
// What the model writes for the window to show (the markers, the Fermi line,
// the polarity marks, the chart's points) and the generator are plain data
// held here once, loaded where whoever builds the window says; every front
// end paints from them. The rest is a virtual call.
class Runtime {
  public:
    static constexpr int kLine7UBound = carriers::kLine7UBound;

    virtual ~Runtime() = default;
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    MarkerArray& Shape1() { return shape1_; }
    MarkerArray& Shape2() { return shape2_; }
    const MarkerArray& Shape1() const { return shape1_; }
    const MarkerArray& Shape2() const { return shape2_; }

    float Rnd() { return random_.Next(); }
    Random& RandomSource() { return random_; }
    const Random& RandomSource() const { return random_; }

    // Text conversions with the user's decimal separator.
    double TextToDouble(std::string_view text) const {
        return carriers::TextToDouble(text, decimalSeparator_);
    }
    std::string DoubleToText(double value) const {
        return carriers::DoubleToText(value, decimalSeparator_);
    }

    // Fermi level line: both ends move to the given y.
    void SetLine3Y1(float y) { diagram_.line3Y1 = y; }
    void SetLine3Y2(float y) { diagram_.line3Y2 = y; }

    // Polarity marks 0..5; any other index is the missing-marker error.
    void SetLine7Visible(int index, bool visible) {
        if (index < 0 || index > kLine7UBound) Raise(ErrorKind::MissingMarker);
        diagram_.line7Visible[static_cast<std::size_t>(index)] = visible;
    }
    const DiagramState& Diagram() const { return diagram_; }

    virtual std::string Text(TextBoxId box) const = 0;
    virtual void SetText(TextBoxId box, const std::string& text) = 0;

    // 0 cleared, 1 ticked, 2 greyed.
    virtual int Check1Value() const = 0;

    virtual void SetTimer1Enabled(bool enabled) = 0;

    // Strip chart: a point at (x, y) twips in the picture's own coordinates.
    // The points are kept until the next clear, so they survive any repaint.
    void Picture1PSet(float x, float y, std::uint32_t rgb) {
        chart_.push_back(ChartPoint{x, y, rgb});
        OnChartPoint(chart_.back());
    }
    void Picture1Cls() {
        chart_.clear();
        ++chartClears_;
        OnChartCleared();
    }
    const std::vector<ChartPoint>& Chart() const { return chart_; }
    const int& ChartClears() const { return chartClears_; }

    // Start refused a box's text; nothing changed. Not fatal: the window tells
    // the user which box and what it accepts.
    virtual void RejectInput(TextBoxId box, AcceptedRange accepted) = 0;

    // The doping boxes hold (or no longer hold) a usable pair of numbers.
    // Shown quietly, never as a dialog while the user types.
    virtual void SetDopingEntryComplete(bool complete) = 0;

    // Last-resort net: names the error to the user and ends the program.
    virtual void ReportRuntimeError(ErrorKind kind) = 0;

    // Runs one event handler. A run-time error stops it where it arose and is
    // reported; either way the window then repaints once.
    template <class Handler>
    void Dispatch(Handler&& handler) {
        try {
            std::forward<Handler>(handler)();
        } catch (const RuntimeError& error) {
            HandlerFinished();
            ReportRuntimeError(error.kind());
            return;
        }
        HandlerFinished();
    }

  protected:
    Runtime(const LoadState& load, std::string decimalSeparator);

    // Called once after every handler, e.g. to schedule one repaint.
    virtual void HandlerFinished() {}
    virtual void OnChartPoint(const ChartPoint&) {}
    virtual void OnChartCleared() {}

  private:
    MarkerArray shape1_;
    MarkerArray shape2_;
    DiagramState diagram_;
    std::vector<ChartPoint> chart_;
    int chartClears_ = 0;
    Random random_;
    std::string decimalSeparator_;
};

}  // namespace carriers
