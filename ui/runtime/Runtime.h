#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

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

// Everything the carrier model needs of the platform: the window's controls,
// the random generator, text conversions in the user's locale and the error
// report. The Qt window and the headless test runtime implement it.
//
// The marker arrays and the generator are plain data held here, because the
// tick touches them hundreds of times; everything else is a virtual call.
class Runtime {
public:
    static constexpr int kLine7UBound = 5;

    virtual ~Runtime() = default;
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    // Markers: electrons load at Left 240, holes at Left 720, both at Top 7200.
    MarkerArray& Shape1() { return shape1_; }
    MarkerArray& Shape2() { return shape2_; }
    const MarkerArray& Shape1() const { return shape1_; }
    const MarkerArray& Shape2() const { return shape2_; }

    float Rnd() { return random_.Next(); }
    Random& RandomSource() { return random_; }

    // Text conversions with the user's decimal separator.
    double TextToDouble(std::string_view text) const {
        return carriers::TextToDouble(text, decimalSeparator_);
    }
    Integer TextToInteger(std::string_view text) const {
        return carriers::TextToInteger(text, decimalSeparator_);
    }
    std::string DoubleToText(double value) const {
        return carriers::DoubleToText(value, decimalSeparator_);
    }
    const std::string& DecimalSeparator() const { return decimalSeparator_; }

    // Fermi level line: both ends move to the given y.
    virtual void SetLine3Y1(float y) = 0;
    virtual void SetLine3Y2(float y) = 0;

    // Polarity marks 0..5; any other index is the missing-marker error.
    void SetLine7Visible(int index, bool visible) {
        if (index < 0 || index > kLine7UBound) Raise(ErrorKind::MissingMarker);
        OnLine7Visible(index, visible);
    }

    virtual std::string Text(TextBoxId box) const = 0;
    virtual void SetText(TextBoxId box, const std::string& text) = 0;

    // 0 cleared, 1 ticked, 2 greyed.
    virtual int Check1Value() const = 0;

    virtual void SetTimer1Enabled(bool enabled) = 0;

    // Strip chart: a point at (x, y) twips in the picture's own coordinates.
    virtual void Picture1PSet(float x, float y, std::uint32_t rgb) = 0;
    virtual void Picture1Cls() = 0;

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
    explicit Runtime(std::string decimalSeparator = ".")
        : decimalSeparator_(std::move(decimalSeparator)) {}

    void SetDecimalSeparator(std::string separator) { decimalSeparator_ = std::move(separator); }

    virtual void OnLine7Visible(int index, bool visible) = 0;
    // Called once after every handler, e.g. to schedule one repaint.
    virtual void HandlerFinished() {}

private:
    MarkerArray shape1_{240.0f, 7200.0f};
    MarkerArray shape2_{720.0f, 7200.0f};
    Random random_;
    std::string decimalSeparator_;
};

}  // namespace carriers
