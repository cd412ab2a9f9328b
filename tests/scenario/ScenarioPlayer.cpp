// Plays scripted scenarios on the carrier model with the default generator
// and prints the whole state after every event: a digest per event, then a
// full dump at the end of each scenario. Built natively and for the browser
// engine, its two outputs must be identical to the byte.
//
// Usage: scenario_player [--full] [scenario-name...]
//   --full  prints the whole state after every event instead of its digest.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "CarrierModel.h"
#include "Fnv1a.h"
#include "HeadlessRuntime.h"
#include "PaceScenarios.h"

namespace carriers {
namespace {

// A handler the window would dispatch.
enum class Handler {
    Command1_Click,
    Command4_Click,
    Command5_Click,
    Check1_Click,
    Text4_Change,
    Text5_Change,
    Timer1_Timer,
    Timer2_Timer,
};

const char* HandlerName(Handler h) {
    switch (h) {
        case Handler::Command1_Click:
            return "Command1_Click";
        case Handler::Command4_Click:
            return "Command4_Click";
        case Handler::Command5_Click:
            return "Command5_Click";
        case Handler::Check1_Click:
            return "Check1_Click";
        case Handler::Text4_Change:
            return "Text4_Change";
        case Handler::Text5_Change:
            return "Text5_Change";
        case Handler::Timer1_Timer:
            return "Timer1_Timer";
        case Handler::Timer2_Timer:
            return "Timer2_Timer";
    }
    return "?";
}

struct Step {
    enum class Kind { Type, Check, Dispatch, Run, PokeCurrentTally } kind;
    TextBoxId box = TextBoxId::Text1;
    std::string text;
    int number = 0;  // check value, tick count or poked value
    Handler handler = Handler::Timer1_Timer;
};

Step Type(TextBoxId box, std::string text) { return {Step::Kind::Type, box, std::move(text)}; }
// The user changes the check box; the window then runs its click handler.
Step Check(int value) { return {Step::Kind::Check, {}, {}, value}; }
Step Do(Handler h) { return {Step::Kind::Dispatch, {}, {}, 0, h}; }
// Ticks of Timer1, with Timer2 after every 40th as at their real periods.
Step Run(int ticks) { return {Step::Kind::Run, {}, {}, ticks}; }
// State no user can reach, to take the run-time error path.
Step PokeCurrentTally(int value) { return {Step::Kind::PokeCurrentTally, {}, {}, value}; }

struct Scenario {
    const char* name;
    std::vector<Step> steps;
    bool endsInError = false;  // every other scenario must run without one
};

const Step kStart = Do(Handler::Command1_Click);

std::vector<Scenario> Scenarios() {
    using T = TextBoxId;
    return {
        {"defaults", {kStart, Run(20000)}},
        {"fermi-0", {Type(T::Text2, "0"), kStart, Run(1500)}},
        {"fermi-1", {Type(T::Text2, "1"), kStart, Run(1500)}},
        {"doping",
         {Type(T::Text4, "1e"), Do(Handler::Text4_Change), Type(T::Text4, "1e16"),
          Do(Handler::Text4_Change), kStart, Run(1000), Type(T::Text5, "3e12"),
          Do(Handler::Text5_Change), Type(T::Text4, "7"), Do(Handler::Text4_Change), kStart,
          Run(1000)}},
        {"light",
         {kStart, Run(200), Do(Handler::Command5_Click), Run(600), Do(Handler::Command5_Click),
          Run(400)}},
        {"diffusion", {kStart, Run(100), Do(Handler::Command4_Click), Run(800)}},
        {"field", {kStart, Run(100), Check(1), Run(1000), Check(0), Run(300), Check(2), Run(100)}},
        {"refused-start",
         {kStart, Run(100), Type(T::Text1, "abc"), kStart, Run(50), Type(T::Text1, "4437"), kStart,
          Type(T::Text1, "300"), Type(T::Text2, "1e400"), kStart, Type(T::Text2, "0,5"), kStart,
          Type(T::Text2, "30"), kStart, Run(100)}},
        {"hot-and-cold",
         {Type(T::Text1, "4436"), Type(T::Text2, "-24.7"), kStart, Run(300), Type(T::Text1, "0"),
          Type(T::Text2, "29.9"), kStart, Run(300), Type(T::Text1, "950"), Type(T::Text2, "0.375"),
          kStart, Run(600)}},
        {"run-time-error", {kStart, Run(20), PokeCurrentTally(32767), Check(1), Run(400)}, true},
    };
}

std::uint32_t Bits(float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

std::uint64_t Bits(double d) {
    std::uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    return u;
}

// Takes the state either as readable text or, far cheaper for the per-event
// line, straight into a digest of its raw values.
class StateSink {
  public:
    explicit StateSink(bool asText) : asText_(asText) {}

    void Int(int v) { asText_ ? Add("%d", v) : Mix(v); }
    void Float(float f) { asText_ ? Add("%08" PRIx32, Bits(f)) : Mix(Bits(f)); }
    void Double(double d) { asText_ ? Add("%016" PRIx64, Bits(d)) : Mix(Bits(d)); }
    void Count(std::uint64_t n) { asText_ ? Add("%" PRIu64, n) : Mix(n); }
    void Text(const std::string& s) {
        if (asText_) {
            text_ += '"' + s + "\" ";
        } else {
            MixBytes(s.data(), s.size());
            Mix(static_cast<std::uint64_t>(s.size()));  // size_t is 4 bytes in wasm32
        }
    }
    void Label(const char* name) {
        if (asText_) text_ += std::string(name) + ' ';
    }

    const std::string& text() const { return text_; }
    std::uint64_t digest() const { return digest_.value(); }

  private:
    template <class... Args>
    void Add(const char* format, Args... args) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, format, args...);
        text_ += buffer;
        text_ += ' ';
    }
    template <class V>
    void Mix(V v) {
        digest_.Add(v);
    }
    void MixBytes(const void* data, std::size_t size) { digest_.AddBytes(data, size); }

    bool asText_;
    std::string text_;
    testing::Fnv1a digest_;
};

void AddTagged(StateSink& s, const Tagged& t) {
    s.Int(static_cast<int>(t.kind()));
    s.Double(t.AsDouble());
}

void WholeState(const CarrierModel& m, HeadlessRuntime& rt, StateSink& s) {
    s.Label("counts");
    for (Integer v :
         {m.ElectronCount, m.HoleCount, m.FermiLevelY, m.Temperature, m.ElectronLeftBound,
          m.ElectronRightBound, m.HoleLeftBound, m.HoleRightBound, m.CurrentTally, m.ChartX}) {
        s.Int(v.value());
    }
    s.Label("relax");
    s.Float(m.ElectronRelaxLimit);
    s.Float(m.HoleRelaxLimit);
    s.Label("cells");
    for (const auto* cells :
         {&m.ElectronCellCount, &m.HoleCellCount, &m.ElectronCellPrev, &m.HoleCellPrev}) {
        for (Integer v : *cells) s.Int(v.value());
    }
    s.Label("loop");
    AddTagged(s, m.LoopIndex);
    AddTagged(s, m.CellIndex);
    s.Label("markers");
    for (const MarkerArray* shapes : {&rt.Shape1(), &rt.Shape2()}) {
        for (const Marker& marker : shapes->members()) {
            s.Float(marker.Left);
            s.Float(marker.Top);
        }
    }
    s.Label("line3");
    s.Float(rt.line3Y1);
    s.Float(rt.line3Y2);
    s.Label("line7");
    for (bool visible : rt.line7Visible) s.Int(visible ? 1 : 0);
    s.Label("texts");
    for (const std::string& text : rt.texts) s.Text(text);
    s.Label("check1");
    s.Int(rt.check1Value);
    s.Label("timer1");
    s.Int(rt.timer1Enabled ? 1 : 0);
    s.Label("chart");
    s.Int(static_cast<int>(rt.chart.size()));
    s.Int(rt.chartClears);
    if (!rt.chart.empty()) {
        s.Float(rt.chart.back().x);
        s.Float(rt.chart.back().y);
        s.Int(static_cast<int>(rt.chart.back().rgb));
    }
    s.Label("rejections");
    s.Int(static_cast<int>(rt.rejections.size()));
    if (!rt.rejections.empty()) {
        s.Int(static_cast<int>(rt.rejections.back().box));
        s.Double(rt.rejections.back().accepted.low);
        s.Double(rt.rejections.back().accepted.high);
    }
    s.Label("doping-complete");
    s.Int(rt.dopingComplete ? 1 : 0);
    s.Label("draws");
    s.Count(rt.RandomSource().Draws());
    s.Label("handlers");
    s.Int(rt.handlersRun);
    s.Label("error");
    s.Text(rt.runtimeError ? ErrorKindName(*rt.runtimeError) : "none");
}

std::string StateAsText(const CarrierModel& m, HeadlessRuntime& rt) {
    StateSink s(true);
    WholeState(m, rt, s);
    return s.text();
}

std::uint64_t StateDigest(const CarrierModel& m, HeadlessRuntime& rt) {
    StateSink s(false);
    WholeState(m, rt, s);
    return s.digest();
}

class Player {
  public:
    Player(const char* name, bool full) : name_(name), full_(full) {}

    // Returns false once a run-time error has ended the program.
    bool Play(const Step& step) {
        switch (step.kind) {
            case Step::Kind::Type:
                rt_.SetText(step.box, step.text);
                return Report(
                    ("Text" + std::to_string(static_cast<int>(step.box)) + "=\"" + step.text + "\"")
                        .c_str());
            case Step::Kind::Check:
                rt_.check1Value = step.number;
                return Dispatch(Handler::Check1_Click);
            case Step::Kind::Dispatch:
                return Dispatch(step.handler);
            case Step::Kind::Run:
                for (int t = 1; t <= step.number; ++t) {
                    if (!Dispatch(Handler::Timer1_Timer)) return false;
                    if (t % 40 == 0 && !Dispatch(Handler::Timer2_Timer)) return false;
                }
                return true;
            case Step::Kind::PokeCurrentTally:
                model_.CurrentTally = step.number;
                return Report("CurrentTally poked");
        }
        return true;
    }

    bool Load() {
        return Dispatch("Form_Load", [&] { model_.Form_Load(); });
    }

    void FinalDump() { std::printf("%s dump %s\n", name_, StateAsText(model_, rt_).c_str()); }
    bool EndedInError() const { return rt_.runtimeError.has_value(); }

  private:
    bool Dispatch(Handler h) {
        return Dispatch(HandlerName(h), [&] {
            switch (h) {
                case Handler::Command1_Click:
                    model_.Command1_Click();
                    break;
                case Handler::Command4_Click:
                    model_.Command4_Click();
                    break;
                case Handler::Command5_Click:
                    model_.Command5_Click();
                    break;
                case Handler::Check1_Click:
                    model_.Check1_Click();
                    break;
                case Handler::Text4_Change:
                    model_.Text4_Change();
                    break;
                case Handler::Text5_Change:
                    model_.Text5_Change();
                    break;
                case Handler::Timer1_Timer:
                    model_.Timer1_Timer();
                    break;
                case Handler::Timer2_Timer:
                    model_.Timer2_Timer();
                    break;
            }
        });
    }

    template <class F>
    bool Dispatch(const char* what, F&& handler) {
        rt_.Dispatch(handler);
        return Report(what);
    }

    bool Report(const char* what) {
        ++event_;
        if (full_) {
            std::printf("%s %d %s %s\n", name_, event_, what, StateAsText(model_, rt_).c_str());
        } else {
            std::printf("%s %d %s %016" PRIx64 "\n", name_, event_, what, StateDigest(model_, rt_));
        }
        // The program ends at a run-time error, so no further event reaches it.
        return !rt_.runtimeError.has_value();
    }

    const char* name_;
    bool full_;
    int event_ = 0;
    HeadlessRuntime rt_;
    CarrierModel model_{rt_};
};

}  // namespace
}  // namespace carriers

int main(int argc, char** argv) {
    bool full = false;
    std::vector<std::string> only;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--full") {
            full = true;
        } else {
            only.push_back(arg);
        }
    }
    int played = 0;
    int unexpected = 0;
    for (const carriers::Scenario& scenario : carriers::Scenarios()) {
        bool wanted = only.empty();
        for (const std::string& name : only) wanted = wanted || name == scenario.name;
        if (!wanted) continue;
        ++played;
        carriers::Player player(scenario.name, full);
        if (player.Load()) {
            for (const carriers::Step& step : scenario.steps) {
                if (!player.Play(step)) break;
            }
        }
        player.FinalDump();
        if (player.EndedInError() != scenario.endsInError) {
            std::fprintf(stderr, "%s: %s\n", scenario.name,
                         scenario.endsInError ? "the run-time error was not reached"
                                              : "a run-time error ended the scenario");
            ++unexpected;
        }
    }
    if (only.empty()) unexpected += controller::testing::PlayPaceScenarios();
    if (played == 0) {
        std::fprintf(stderr, "no such scenario\n");
        return 2;
    }
    return unexpected == 0 ? 0 : 1;
}
