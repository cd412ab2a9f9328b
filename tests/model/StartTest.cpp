#include <vector>

#include "ModelFixture.h"

namespace carriers::test {
namespace {

struct FermiCase {
    const char* fermiLevel;
    int fermiLevelY;
    int electrons;
    int holes;
};

void PrintTo(const FermiCase& c, std::ostream* os) { *os << c.fermiLevel << " eV"; }

class StartFermiTable : public ModelTest, public ::testing::WithParamInterface<FermiCase> {};

TEST_P(StartFermiTable, CountsLineAndLiveMarkers) {
    const FermiCase& c = GetParam();
    rt.Dispatch([&] { Start("300", c.fermiLevel); });
    ASSERT_EQ(rt.runtimeError, std::nullopt);
    ASSERT_TRUE(rt.rejections.empty());
    EXPECT_EQ(model.FermiLevelY.value(), c.fermiLevelY);
    EXPECT_EQ(rt.line3Y1, static_cast<float>(c.fermiLevelY));
    EXPECT_EQ(rt.line3Y2, static_cast<float>(c.fermiLevelY));
    EXPECT_EQ(model.ElectronCount.value(), c.electrons);
    EXPECT_EQ(model.HoleCount.value(), c.holes);
    // Live exactly up to the count, parked above it.
    for (int k = 1; k <= 100; ++k) {
        EXPECT_EQ(Electron(k).Top, k <= c.electrons ? 1800.0f : 10000.0f) << "electron " << k;
        EXPECT_EQ(Hole(k).Top, k <= c.holes ? 3120.0f : 10000.0f) << "hole " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Levels, StartFermiTable,
    ::testing::Values(FermiCase{"0.5", 2520, 30, 30}, FermiCase{"0.375", 2670, 22, 38},
                      FermiCase{"0.675", 2310, 40, 19}, FermiCase{"0.825", 2130, 50, 11},
                      FermiCase{"1", 1920, 60, 0}, FermiCase{"0", 3120, 0, 60},
                      FermiCase{"0.9", 2040, 54, 6},
                      // Counts beyond the markers are held to 0..100.
                      FermiCase{"1.5", 1320, 90, 0}, FermiCase{"2", 720, 100, 0},
                      FermiCase{"-1", 4320, 0, 100}, FermiCase{"1.675", 1110, 100, 0},
                      FermiCase{"-0.675", 3930, 0, 100}, FermiCase{"29.9", -32760, 100, 0},
                      FermiCase{"-24.7", 32760, 0, 100}));

TEST_F(ModelTest, StartRoundsTheTemperatureTiesToEven) {
    Start("300.5", "0.5");
    EXPECT_EQ(model.Temperature.value(), 300);
    Start("301.5", "0.5");
    EXPECT_EQ(model.Temperature.value(), 302);
    Start("0", "0.5");
    EXPECT_EQ(model.Temperature.value(), 0);
    Start("4436", "0.5");
    EXPECT_EQ(model.Temperature.value(), 4436);
}

TEST_F(ModelTest, StartReadsTheLocaleSeparator) {
    HeadlessRuntime comma(",");
    CarrierModel commaModel(comma);
    comma.texts[1] = "0,375";
    commaModel.Command1_Click();
    EXPECT_EQ(commaModel.ElectronCount.value(), 22);
    EXPECT_EQ(commaModel.HoleCount.value(), 38);
    EXPECT_EQ(commaModel.FermiLevelY.value(), 2670);
}

TEST_F(ModelTest, StartPlacesMarkersWithAlternatingDraws) {
    // Draw 2k-1 places electron k, draw 2k hole k.
    std::vector<float> draws(200, 0.375f);  // 2337.5
    draws[0] = 0.5f;                        // electron 1: 2650
    draws[1] = 0.25f;                       // hole 1: 2025
    draws[2] = 0.75f;                       // electron 2: 3275
    draws[3] = 0.125f;                      // hole 2: 1712.5
    draws[4] = 0.0f;                        // electron 3: 1400
    draws[198] = kMaxDraw;                  // electron 100: just below 3900
    draws[199] = 0.0625f;                   // hole 100: 1556.25
    Script(draws);
    Start("300", "0.5");
    EXPECT_EQ(Draws(), 200u);
    EXPECT_EQ(ScriptLeft(), 0u);
    EXPECT_EQ(Electron(1).Left, 2650.0f);
    EXPECT_EQ(Hole(1).Left, 2025.0f);
    EXPECT_EQ(Electron(2).Left, 3275.0f);
    EXPECT_EQ(Hole(2).Left, 1712.5f);
    EXPECT_EQ(Electron(3).Left, 1400.0f);
    EXPECT_EQ(Electron(100).Left, 3899.99976f);
    EXPECT_LT(Electron(100).Left, 3900.0f);
    EXPECT_EQ(Hole(100).Left, 1556.25f);
    for (int k = 4; k < 100; ++k) EXPECT_EQ(Electron(k).Left, 2337.5f) << k;
    for (int k = 3; k < 100; ++k) EXPECT_EQ(Hole(k).Left, 2337.5f) << k;
}

TEST_F(ModelTest, StartTakesExactlyTwoHundredDrawsWhateverTheCounts) {
    for (const char* level : {"0.5", "1", "0", "2", "-1"}) {
        const auto before = Draws();
        Start("300", level);
        EXPECT_EQ(Draws() - before, 200u) << level;
    }
}

TEST_F(ModelTest, StartPlacesEveryMarkerWithinTheRegion) {
    Start("300", "0.5");
    for (int k = 1; k <= 100; ++k) {
        for (const Marker* m : {&Electron(k), &Hole(k)}) {
            EXPECT_GE(m->Left, 1400.0f) << k;
            EXPECT_LT(m->Left, 3900.0f) << k;
        }
    }
    // Marker 0 is never a carrier: it keeps its load place.
    EXPECT_EQ(Electron(0).Left, 240.0f);
    EXPECT_EQ(Electron(0).Top, 7200.0f);
    EXPECT_EQ(Hole(0).Left, 720.0f);
    EXPECT_EQ(Hole(0).Top, 7200.0f);
}

TEST_F(ModelTest, StartResetsTheRunState) {
    // Leftovers of an earlier run, as a completed tick leaves them.
    model.ElectronCellPrev[3] = 7;
    model.HoleCellPrev[19] = 4;
    model.CurrentTally = -7;
    model.ElectronLeftBound = 5;
    model.HoleRightBound = 9;
    Start("300", "0.5");
    const CarrierModel::CellArray zero{};
    EXPECT_EQ(model.ElectronCellPrev, zero);
    EXPECT_EQ(model.HoleCellPrev, zero);
    EXPECT_EQ(model.ElectronCellCount, zero);
    EXPECT_EQ(model.HoleCellCount, zero);
    EXPECT_EQ(model.CurrentTally.value(), 0);
    EXPECT_EQ(model.ElectronLeftBound.value(), 1400);
    EXPECT_EQ(model.ElectronRightBound.value(), 4000);
    EXPECT_EQ(model.HoleLeftBound.value(), 1400);
    EXPECT_EQ(model.HoleRightBound.value(), 4000);
    EXPECT_EQ(model.ElectronRelaxLimit, 2.0f);
    EXPECT_EQ(model.HoleRelaxLimit, 2.0f);
    EXPECT_EQ(model.Temperature.value(), 300);
    EXPECT_TRUE(rt.timer1Enabled);
    EXPECT_EQ(model.LoopIndex.ToIndex(), 101);
}

TEST_F(ModelTest, StartLeavesChartReadoutsFieldAndCellIndexAlone) {
    model.ChartX = 88;
    rt.Picture1PSet(10.0f, 20.0f, 0);
    rt.texts[2] = "17";
    rt.texts[5] = "18";
    rt.texts[6] = "-2";
    rt.check1Value = 1;
    for (int mark = 0; mark <= carriers::kLine7UBound; ++mark) rt.SetLine7Visible(mark, true);
    model.CellIndex = Tagged(Integer(12));
    Start("300", "0.5");
    EXPECT_EQ(model.ChartX.value(), 88);
    EXPECT_EQ(rt.chart.size(), 1u);
    EXPECT_EQ(rt.chartClears, 0);
    EXPECT_EQ(rt.texts[2], "17");
    EXPECT_EQ(rt.texts[5], "18");
    EXPECT_EQ(rt.texts[6], "-2");
    EXPECT_EQ(rt.check1Value, 1);
    EXPECT_TRUE(rt.line7Visible[0]);
    EXPECT_EQ(model.CellIndex.kind(), Tagged::Kind::Integer);
    EXPECT_EQ(model.CellIndex.ToIndex(), 12);
}

TEST_F(ModelTest, TwoStartsGiveSameCountsAtNewPlaces) {
    Start("300", "0.5");
    std::vector<float> first;
    for (int k = 1; k <= 100; ++k) first.push_back(Electron(k).Left);
    model.CurrentTally = 5;
    Start("300", "0.5");
    EXPECT_EQ(model.ElectronCount.value(), 30);
    EXPECT_EQ(model.HoleCount.value(), 30);
    EXPECT_EQ(model.FermiLevelY.value(), 2520);
    EXPECT_EQ(model.CurrentTally.value(), 0);
    int moved = 0;
    for (int k = 1; k <= 100; ++k)
        moved += Electron(k).Left != first[static_cast<std::size_t>(k - 1)];
    EXPECT_GT(moved, 90);
}

TEST_F(ModelTest, RestartReplacesTheWholePopulation) {
    Start("300", "1");  // 60 electrons live
    Start("300", "0.375");
    EXPECT_EQ(model.ElectronCount.value(), 22);
    for (int k = 23; k <= 60; ++k) EXPECT_EQ(Electron(k).Top, 10000.0f) << k;
    for (int k = 1; k <= 38; ++k) EXPECT_EQ(Hole(k).Top, 3120.0f) << k;
}

}  // namespace
}  // namespace carriers::test
