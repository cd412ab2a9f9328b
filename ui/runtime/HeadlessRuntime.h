#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "Runtime.h"

namespace carriers {

// A runtime without a window, for tests and benchmarks: it stores what the
// model writes, lets a test set what the model reads, and records notices
// and errors instead of showing them.
class HeadlessRuntime : public Runtime {
public:
    struct Point {
        float x;
        float y;
        std::uint32_t rgb;
    };
    struct Rejection {
        TextBoxId box;
        AcceptedRange accepted;
    };

    explicit HeadlessRuntime(std::string decimalSeparator = ".");

    void SetLine3Y1(float y) override { line3Y1 = y; }
    void SetLine3Y2(float y) override { line3Y2 = y; }
    std::string Text(TextBoxId box) const override { return texts[Slot(box)]; }
    void SetText(TextBoxId box, const std::string& text) override { texts[Slot(box)] = text; }
    int Check1Value() const override { return check1Value; }
    void SetTimer1Enabled(bool enabled) override { timer1Enabled = enabled; }
    void Picture1PSet(float x, float y, std::uint32_t rgb) override;
    void Picture1Cls() override;
    void RejectInput(TextBoxId box, AcceptedRange accepted) override;
    void SetDopingEntryComplete(bool complete) override { dopingComplete = complete; }
    void ReportRuntimeError(ErrorKind kind) override { runtimeError = kind; }

    // State as the window would hold it; tests read and set these directly.
    float line3Y1 = 2520.0f;
    float line3Y2 = 2520.0f;
    std::array<bool, 6> line7Visible{true, true, true, true, true, true};
    std::array<std::string, 7> texts;  // Text1..Text7 at 0..6
    int check1Value = 0;
    bool timer1Enabled = false;
    std::vector<Point> chart;  // points since the last clear
    int chartClears = 0;
    std::vector<Rejection> rejections;
    bool dopingComplete = true;
    std::optional<ErrorKind> runtimeError;
    int handlersRun = 0;

protected:
    void OnLine7Visible(int index, bool visible) override {
        line7Visible[static_cast<std::size_t>(index)] = visible;
    }
    void HandlerFinished() override { ++handlersRun; }

private:
    static std::size_t Slot(TextBoxId box) { return static_cast<std::size_t>(box) - 1; }
};

}  // namespace carriers
