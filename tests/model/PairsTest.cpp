#include "ModelFixture.h"

namespace carriers::test {
namespace {

class PairsTest : public ModelTest {
  protected:
    void SetUp() override { ArrangeRun(); }

    // Live markers 1..count on their band edges, parked above.
    void Population(int electrons, int holes) {
        model.ElectronCount = electrons;
        model.HoleCount = holes;
        for (int k = 1; k <= 100; ++k) {
            Electron(k) =
                Marker{2000.0f + static_cast<float>(k), k <= electrons ? 1800.0f : 10000.0f};
            Hole(k) = Marker{3000.0f + static_cast<float>(k), k <= holes ? 3120.0f : 10000.0f};
        }
    }
    void ExpectCounts(int electrons, int holes) {
        EXPECT_EQ(model.ElectronCount.value(), electrons);
        EXPECT_EQ(model.HoleCount.value(), holes);
    }
};

TEST_F(PairsTest, GeneratePairPlacesTheNextMarkerOfEachKind) {
    Population(5, 3);
    Script({0.5f, 0.25f});
    model.GeneratePair();
    ExpectCounts(6, 4);
    EXPECT_EQ(Draws(), 2u);
    EXPECT_EQ(Electron(6).Left, 2650.0f);
    EXPECT_EQ(Electron(6).Top, 1800.0f);
    EXPECT_EQ(Hole(4).Left, 2025.0f);
    EXPECT_EQ(Hole(4).Top, 3120.0f);
    EXPECT_EQ(Electron(7).Top, 10000.0f);
}

TEST_F(PairsTest, GeneratePairAtTheCapReplacesTheLastMarker) {
    Population(100, 40);
    Script({0.75f, kMaxDraw});
    model.GeneratePair();
    ExpectCounts(100, 41);
    EXPECT_EQ(Electron(100).Left, 3275.0f);
    EXPECT_EQ(Electron(100).Top, 1800.0f);
    EXPECT_EQ(Electron(99).Left, 2099.0f);
    EXPECT_EQ(Hole(41).Top, 3120.0f);
    EXPECT_LT(Hole(41).Left, 3900.0f);
}

TEST_F(PairsTest, RecombinePairParksTheTopmostOfEachKind) {
    Population(5, 3);
    model.RecombinePair();
    ExpectCounts(4, 2);
    EXPECT_EQ(Electron(5).Top, 10000.0f);
    EXPECT_EQ(Electron(5).Left, 2005.0f);
    EXPECT_EQ(Hole(3).Top, 10000.0f);
    EXPECT_EQ(Hole(3).Left, 3003.0f);
    EXPECT_EQ(Electron(4).Top, 1800.0f);
    EXPECT_EQ(Hole(2).Top, 3120.0f);
    EXPECT_EQ(Draws(), 0u);
}

struct ThresholdCase {
    int kelvin;
    float r1;
    bool generates;
};

void PrintTo(const ThresholdCase& c, std::ostream* os) { *os << c.kelvin << " K, r1 " << c.r1; }

class GenerationThreshold : public PairsTest,
                            public ::testing::WithParamInterface<ThresholdCase> {};

TEST_P(GenerationThreshold, PairWhenTheScaledDrawIsBelowTheExponential) {
    const ThresholdCase& c = GetParam();
    model.Temperature = c.kelvin;
    Population(0, 0);                  // no recombination possible
    Script({c.r1, 0.5f, 0.5f, 0.9f});  // r2 = 0.9 never recombines the one new pair
    model.ThermalStep();
    ExpectCounts(c.generates ? 1 : 0, c.generates ? 1 : 0);
    EXPECT_EQ(Draws(), c.generates ? 4u : 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Temperatures, GenerationThreshold,
    ::testing::Values(ThresholdCase{300, 0.0403f, true},   // 403 < e^6 = 403.43
                      ThresholdCase{300, 0.0404f, false},  // 404
                      ThresholdCase{300, 0.0f, true}, ThresholdCase{0, 0.00005f, true},  // 0.5 < 1
                      ThresholdCase{0, 0.0002f, false},                                  // 2
                      ThresholdCase{460, 0.989f, true},    // 9890 < e^9.2 = 9897.1
                      ThresholdCase{460, 0.99f, false},    // 9900
                      ThresholdCase{461, kMaxDraw, true},  // e^9.22 = 10097.6
                      ThresholdCase{4436, kMaxDraw, true}));

TEST_F(PairsTest, ThermalStepDrawsGenerationPlacementsThenRecombination) {
    Population(5, 3);
    // r1 makes a pair, then electron and hole placements, then r2 (9000 > 24: no recombination).
    Script({0.0f, 0.5f, 0.25f, 0.9f});
    model.ThermalStep();
    EXPECT_EQ(ScriptLeft(), 0u);
    ExpectCounts(6, 4);
    EXPECT_EQ(Electron(6).Left, 2650.0f);
    EXPECT_EQ(Hole(4).Left, 2025.0f);
}

TEST_F(PairsTest, RecombinationWhenTheScaledDrawIsBelowTheProduct) {
    Population(5, 3);  // p = 15
    Script({0.9f, 0.0014f});
    model.ThermalStep();
    ExpectCounts(4, 2);
    Population(5, 3);
    Script({0.9f, 0.0015f});  // 15 is not below 15
    model.ThermalStep();
    ExpectCounts(5, 3);
}

TEST_F(PairsTest, RecombinationSeesTheCountsAfterGeneration) {
    Population(1, 0);                     // p = 0 before the pair, 2 after
    Script({0.0f, 0.5f, 0.5f, 0.0001f});  // d2 = 1
    model.ThermalStep();
    ExpectCounts(1, 0);
}

TEST_F(PairsTest, FullBandsAlwaysEndTheTickAtNinetyNine) {
    Population(100, 100);
    // A pair only moves markers 100; then p = 10000 beats the largest draw.
    Script({0.0f, 0.5f, 0.25f, kMaxDraw});
    model.ThermalStep();
    ExpectCounts(99, 99);
    EXPECT_EQ(Electron(100).Top, 10000.0f);
    EXPECT_EQ(Electron(100).Left, 2650.0f);
    EXPECT_EQ(Hole(100).Top, 10000.0f);
    EXPECT_EQ(Hole(100).Left, 2025.0f);

    Population(100, 100);
    Script({0.9f, kMaxDraw});
    model.ThermalStep();
    ExpectCounts(99, 99);
}

TEST_F(PairsTest, NoRecombinationWithoutElectrons) {
    Population(0, 50);
    Script({0.9f, 0.0f});
    model.ThermalStep();
    ExpectCounts(0, 50);
    Population(50, 0);
    Script({0.9f, 0.0f});
    model.ThermalStep();
    ExpectCounts(50, 0);
}

TEST_F(PairsTest, ThresholdBeyondTheSingleRangeOverflows) {
    model.Temperature = 4437;  // e^88.74 is beyond the Single range
    Population(0, 0);
    rt.Dispatch([&] { model.Timer1_Timer(); });
    EXPECT_EQ(rt.runtimeError, ErrorKind::Overflow);
}

struct LightCase {
    int electrons;
    int holes;
    int electronsAfter;
    int holesAfter;
};

void PrintTo(const LightCase& c, std::ostream* os) {
    *os << c.electrons << " electrons, " << c.holes << " holes";
}

class LightInjection : public PairsTest, public ::testing::WithParamInterface<LightCase> {};

TEST_P(LightInjection, FillsTheLeadingBand) {
    const LightCase& c = GetParam();
    Population(c.electrons, c.holes);
    model.Command5_Click();
    ExpectCounts(c.electronsAfter, c.holesAfter);
    const int pairs = c.holesAfter - c.holes;
    EXPECT_EQ(Draws(), static_cast<std::uint64_t>(2 * pairs));
    for (int k = 1; k <= c.electronsAfter; ++k) EXPECT_EQ(Electron(k).Top, 1800.0f) << k;
    for (int k = c.electronsAfter + 1; k <= 100; ++k) EXPECT_EQ(Electron(k).Top, 10000.0f) << k;
    for (int k = 1; k <= c.holesAfter; ++k) EXPECT_EQ(Hole(k).Top, 3120.0f) << k;
    for (int k = c.holesAfter + 1; k <= 100; ++k) EXPECT_EQ(Hole(k).Top, 10000.0f) << k;
    // Readouts change only at the next tick.
    EXPECT_EQ(rt.texts[2], "0");
    EXPECT_EQ(rt.texts[5], "0");
}

INSTANTIATE_TEST_SUITE_P(Table, LightInjection,
                         ::testing::Values(LightCase{30, 30, 99, 99}, LightCase{45, 45, 99, 99},
                                           LightCase{50, 10, 90, 50}, LightCase{10, 50, 59, 99},
                                           LightCase{95, 20, 95, 20}, LightCase{99, 99, 99, 99},
                                           LightCase{100, 100, 100, 100}, LightCase{0, 0, 99, 99}));

TEST_F(ModelTest, LightBeforeAnyStartPlacesNinetyNinePairs) {
    rt.Dispatch([&] { model.Command5_Click(); });
    ASSERT_EQ(rt.runtimeError, std::nullopt);
    EXPECT_EQ(model.ElectronCount.value(), 99);
    EXPECT_EQ(model.HoleCount.value(), 99);
    EXPECT_EQ(Draws(), 198u);
    EXPECT_EQ(Electron(99).Top, 1800.0f);
    EXPECT_EQ(Hole(99).Top, 3120.0f);
    EXPECT_EQ(Electron(100).Top, 7200.0f);
}

}  // namespace
}  // namespace carriers::test
