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
    using Point = ChartPoint;
    struct Rejection {
        TextBoxId box;
        AcceptedRange accepted;
    };

    // The boxes start with the window's initial texts.
    explicit HeadlessRuntime(std::string decimalSeparator = ".");

    std::string Text(TextBoxId box) const override { return texts[Slot(box)]; }
    void SetText(TextBoxId box, const std::string& text) override { texts[Slot(box)] = text; }
    int Check1Value() const override { return check1Value; }
    void SetTimer1Enabled(bool enabled) override { timer1Enabled = enabled; }
    void RejectInput(TextBoxId box, AcceptedRange accepted) override;
    void SetDopingEntryComplete(bool complete) override { dopingComplete = complete; }
    void ReportRuntimeError(ErrorKind kind) override { runtimeError = kind; }

    // What the window would show, as held by the runtime.
    const float& line3Y1 = Diagram().line3Y1;
    const float& line3Y2 = Diagram().line3Y2;
    const std::array<bool, kLine7UBound + 1>& line7Visible = Diagram().line7Visible;
    const std::vector<ChartPoint>& chart = Chart();  // points since the last clear
    const int& chartClears = ChartClears();

    // What the model reads; tests set these directly.
    std::array<std::string, 7> texts;  // Text1..Text7 at 0..6
    int check1Value = 0;
    bool timer1Enabled = false;
    std::vector<Rejection> rejections;
    bool dopingComplete = true;
    std::optional<ErrorKind> runtimeError;
    int handlersRun = 0;

  protected:
    void HandlerFinished() override { ++handlersRun; }

  private:
    static std::size_t Slot(TextBoxId box) { return static_cast<std::size_t>(box) - 1; }
};

}  // namespace carriers
