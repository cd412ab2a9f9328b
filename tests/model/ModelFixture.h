#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "CarrierModel.h"
#include "HeadlessRuntime.h"

namespace carriers {

// Readable failure messages for the runtime's value types.
inline void PrintTo(ErrorKind kind, std::ostream* os) { *os << ErrorKindName(kind); }
inline void PrintTo(Integer value, std::ostream* os) { *os << value.value(); }

namespace test {

// The largest draw the generator can hand out: the Single just below 1.
inline constexpr float kMaxDraw = 0x1.fffffep-1f;

// Runs f and gives the kind of run-time error it raised, if any.
template <class F>
std::optional<ErrorKind> ErrorOf(F&& f) {
    try {
        std::forward<F>(f)();
    } catch (const RuntimeError& error) {
        return error.kind();
    }
    return std::nullopt;
}

// Everything a handler could change, gathered so two moments can be compared.
struct StateSnapshot {
    std::vector<int> integers;
    std::vector<double> reals;
    std::vector<std::string> texts;
    std::vector<double> sharedCounters;  // LoopIndex, CellIndex
};

class ModelTest : public ::testing::Test {
  protected:
    HeadlessRuntime rt;
    CarrierModel model{rt};

    Marker& Electron(int k) { return rt.Shape1()(k); }
    Marker& Hole(int k) { return rt.Shape2()(k); }
    void Script(std::vector<float> draws) { rt.RandomSource().Script(std::move(draws)); }
    std::uint64_t Draws() { return rt.RandomSource().Draws(); }
    std::size_t ScriptLeft() { return rt.RandomSource().ScriptLeft(); }
    std::string& Box(TextBoxId box) { return rt.texts[static_cast<std::size_t>(box) - 1]; }

    void Start(const std::string& kelvin, const std::string& fermiLevel) {
        Box(TextBoxId::Text1) = kelvin;
        Box(TextBoxId::Text2) = fermiLevel;
        model.Command1_Click();
    }

    // What Start leaves at 0.5 eV, set by hand so that no draw is taken and
    // no carrier is live; tests then place exactly the carriers they need.
    void ArrangeRun(int kelvin = 300) {
        model.Temperature = kelvin;
        model.FermiLevelY = 2520;
        model.ElectronRelaxLimit = 2.0f;
        model.HoleRelaxLimit = 2.0f;
        model.ElectronLeftBound = 1400;
        model.ElectronRightBound = 4000;
        model.HoleLeftBound = 1400;
        model.HoleRightBound = 4000;
        model.CurrentTally = 0;
        model.ElectronCount = 0;
        model.HoleCount = 0;
    }

    // One live electron (or hole), marker 1, at the given place.
    void OneElectron(float left, float top) {
        model.ElectronCount = 1;
        Electron(1) = Marker{left, top};
    }
    void OneHole(float left, float top) {
        model.HoleCount = 1;
        Hole(1) = Marker{left, top};
    }

    StateSnapshot Snapshot() {
        StateSnapshot s;
        const CarrierModel& m = model;
        for (Integer v :
             {m.ElectronCount, m.HoleCount, m.FermiLevelY, m.Temperature, m.ElectronLeftBound,
              m.ElectronRightBound, m.HoleLeftBound, m.HoleRightBound, m.CurrentTally, m.ChartX}) {
            s.integers.push_back(v.value());
        }
        for (const auto* cells :
             {&m.ElectronCellCount, &m.HoleCellCount, &m.ElectronCellPrev, &m.HoleCellPrev}) {
            for (Integer v : *cells) s.integers.push_back(v.value());
        }
        s.integers.push_back(rt.timer1Enabled ? 1 : 0);
        s.integers.push_back(rt.check1Value);
        s.integers.push_back(static_cast<int>(rt.chart.size()));
        s.integers.push_back(rt.chartClears);
        for (bool visible : rt.line7Visible) s.integers.push_back(visible ? 1 : 0);
        s.integers.push_back(static_cast<int>(rt.RandomSource().Draws()));
        s.reals = {m.ElectronRelaxLimit, m.HoleRelaxLimit, rt.line3Y1, rt.line3Y2};
        s.sharedCounters = {static_cast<double>(m.LoopIndex.kind()), m.LoopIndex.AsDouble(),
                            static_cast<double>(m.CellIndex.kind()), m.CellIndex.AsDouble()};
        for (const MarkerArray* shapes : {&rt.Shape1(), &rt.Shape2()}) {
            for (const Marker& marker : shapes->members()) {
                s.reals.push_back(marker.Left);
                s.reals.push_back(marker.Top);
            }
        }
        s.texts.assign(rt.texts.begin(), rt.texts.end());
        return s;
    }

    // The loop counters are scratch space that any loop may leave changed.
    enum class Counters { Compare, Ignore };
    static void ExpectSameState(const StateSnapshot& before, const StateSnapshot& after,
                                Counters counters = Counters::Compare) {
        EXPECT_EQ(before.integers, after.integers);
        EXPECT_EQ(before.reals, after.reals);
        EXPECT_EQ(before.texts, after.texts);
        if (counters == Counters::Compare) {
            EXPECT_EQ(before.sharedCounters, after.sharedCounters);
        }
    }
};

}  // namespace test
}  // namespace carriers
