#include <cmath>
#include <numeric>

#include "ModelFixture.h"

namespace carriers::test {
namespace {

// Draws that pick each jitter direction: below 1/3 up (-1), middle (0), above 2/3 (+1).
constexpr float kMinus = 0.0f;
constexpr float kZero = 0.5f;
constexpr float kPlus = 0.9f;
constexpr float kNoRelax = 0.0f;  // p = 0 never exceeds the threshold

class MotionTest : public ModelTest {
  protected:
    void SetUp() override { ArrangeRun(); }

    Marker MoveElectron(float left, float top, float r1, float r2, float r3) {
        OneElectron(left, top);
        Script({r1, r2, r3});
        model.ElectronPass();
        EXPECT_EQ(ScriptLeft(), 0u);
        return Electron(1);
    }
    Marker MoveHole(float left, float top, float r1, float r2, float r3) {
        OneHole(left, top);
        Script({r1, r2, r3});
        model.HolePass();
        EXPECT_EQ(ScriptLeft(), 0u);
        return Hole(1);
    }
    static int Sum(const CarrierModel::CellArray& cells) {
        int total = 0;
        for (Integer v : cells) total += v.value();
        return total;
    }
};

struct JitterCase {
    float draw;
    float electronTop;  // from 1000
    float holeTop;      // from 3800
};

void PrintTo(const JitterCase& c, std::ostream* os) { *os << "r1 " << c.draw; }

class VerticalJitter : public MotionTest, public ::testing::WithParamInterface<JitterCase> {};

TEST_P(VerticalJitter, ThirdsOfTheDrawPickTheDirection) {
    const JitterCase& c = GetParam();
    EXPECT_EQ(MoveElectron(2000.0f, 1000.0f, c.draw, kNoRelax, kZero).Top, c.electronTop);
    EXPECT_EQ(MoveHole(2000.0f, 3800.0f, c.draw, kNoRelax, kZero).Top, c.holeTop);
    EXPECT_EQ(Electron(1).Left, 2000.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, VerticalJitter,
    ::testing::Values(JitterCase{0.0f, 940.0f, 3740.0f},
                      JitterCase{std::nextafter(1.0f / 3.0f, 0.0f), 940.0f, 3740.0f},
                      JitterCase{1.0f / 3.0f, 1000.0f, 3800.0f},
                      JitterCase{std::nextafter(2.0f / 3.0f, 0.0f), 1000.0f, 3800.0f},
                      JitterCase{2.0f / 3.0f, 1060.0f, 3860.0f},
                      JitterCase{kMaxDraw, 1060.0f, 3860.0f}));

TEST_F(MotionTest, HorizontalJitterMovesByAFifthOfTheTemperature) {
    EXPECT_EQ(MoveElectron(2000.0f, 1000.0f, kZero, kNoRelax, kMinus).Left, 1940.0f);
    EXPECT_EQ(MoveElectron(2000.0f, 1000.0f, kZero, kNoRelax, kZero).Left, 2000.0f);
    EXPECT_EQ(MoveElectron(2000.0f, 1000.0f, kZero, kNoRelax, kPlus).Left, 2060.0f);
    EXPECT_EQ(MoveHole(2000.0f, 3800.0f, kZero, kNoRelax, kMinus).Left, 1940.0f);
    EXPECT_EQ(MoveHole(2000.0f, 3800.0f, kZero, kNoRelax, kPlus).Left, 2060.0f);
}

TEST_F(MotionTest, RelaxationNeedsTheProductStrictlyAboveTheLimit) {
    // Top 1520 and 3520 stand 1000 twips from the Fermi line: f = 4.
    EXPECT_EQ(MoveElectron(2000.0f, 1520.0f, kZero, 0.5f, kZero).Top, 1520.0f);
    EXPECT_EQ(MoveElectron(2000.0f, 1520.0f, kZero, std::nextafter(0.5f, 1.0f), kZero).Top,
              1580.0f);
    EXPECT_EQ(MoveHole(2000.0f, 3520.0f, kZero, 0.5f, kZero).Top, 3520.0f);
    EXPECT_EQ(MoveHole(2000.0f, 3520.0f, kZero, std::nextafter(0.5f, 1.0f), kZero).Top, 3460.0f);
}

TEST_F(MotionTest, RelaxationThresholdsNearTheBandEdges) {
    // Hole at 3240: f = 1.44^2 = 2.0736, so it moves only for r2 > 0.96451.
    EXPECT_EQ(MoveHole(2000.0f, 3240.0f, kZero, 0.9645f, kZero).Top, 3240.0f);
    EXPECT_EQ(MoveHole(2000.0f, 3240.0f, kZero, 0.9646f, kZero).Top, 3180.0f);
    // At 3120 and 3180 (f = 1.44 and 1.7424) a hole never relaxes.
    EXPECT_EQ(MoveHole(2000.0f, 3120.0f, kZero, kMaxDraw, kZero).Top, 3120.0f);
    EXPECT_EQ(MoveHole(2000.0f, 3180.0f, kZero, kMaxDraw, kZero).Top, 3180.0f);
    // Electron at 360: f = 4.32^2 = 18.6624, threshold r2 > 0.107167.
    EXPECT_EQ(MoveElectron(2000.0f, 360.0f, kZero, 0.1071f, kZero).Top, 360.0f);
    EXPECT_EQ(MoveElectron(2000.0f, 360.0f, kZero, 0.1072f, kZero).Top, 420.0f);
    // Electron at the edge relaxes below it and is put back.
    EXPECT_EQ(MoveElectron(2000.0f, 1800.0f, kZero, kMaxDraw, kZero).Top, 1800.0f);
}

TEST_F(MotionTest, RelaxationReadsTheTopAfterTheJitter) {
    // 1580 jitters to 1520 (f = 4, p = 2.2 moves); from 1580 itself f = 3.5344, p = 1.94 would not.
    EXPECT_EQ(MoveElectron(2000.0f, 1580.0f, kMinus, 0.55f, kZero).Top, 1580.0f);
}

TEST_F(MotionTest, ConfinementKeepsCarriersInTheirBands) {
    EXPECT_EQ(MoveElectron(2000.0f, 1800.0f, kPlus, kNoRelax, kZero).Top, 1800.0f);
    EXPECT_EQ(MoveElectron(2000.0f, 360.0f, kMinus, kNoRelax, kZero).Top, 360.0f);
    EXPECT_EQ(MoveHole(2000.0f, 3120.0f, kMinus, kNoRelax, kZero).Top, 3120.0f);
    EXPECT_EQ(MoveHole(2000.0f, 4500.0f, kPlus, kNoRelax, kZero).Top, 4500.0f);
    // Exactly on a limit stays.
    EXPECT_EQ(MoveElectron(2000.0f, 1800.0f, kZero, kNoRelax, kZero).Top, 1800.0f);
    EXPECT_EQ(MoveElectron(2000.0f, 360.0f, kZero, kNoRelax, kZero).Top, 360.0f);
    EXPECT_EQ(MoveHole(2000.0f, 3120.0f, kZero, kNoRelax, kZero).Top, 3120.0f);
    EXPECT_EQ(MoveHole(2000.0f, 4500.0f, kZero, kNoRelax, kZero).Top, 4500.0f);
    // After relaxation: 1780 relaxes to 1840 (f = 2.1904, p = 2.08) and is put back.
    EXPECT_EQ(MoveElectron(2000.0f, 1780.0f, kZero, 0.95f, kZero).Top, 1800.0f);
}

TEST_F(MotionTest, DiffusionMovesTowardsTheEmptierNeighbour) {
    model.ElectronCellPrev[0] = 3;
    model.ElectronCellPrev[2] = 1;
    EXPECT_EQ(MoveElectron(1595.0f, 1000.0f, kZero, kNoRelax, kZero).Left, 1655.0f);
    model.ElectronCellPrev[0] = 1;
    model.ElectronCellPrev[2] = 3;
    EXPECT_EQ(MoveElectron(1595.0f, 1000.0f, kZero, kNoRelax, kZero).Left, 1535.0f);
    // Equal neighbours: no move, however full the carrier's own cell was.
    model.ElectronCellPrev[0] = 2;
    model.ElectronCellPrev[1] = 50;
    model.ElectronCellPrev[2] = 2;
    EXPECT_EQ(MoveElectron(1595.0f, 1000.0f, kZero, kNoRelax, kZero).Left, 1595.0f);
}

TEST_F(MotionTest, DiffusionUsesTheCellAfterTheHorizontalJitter) {
    model.ElectronCellPrev[0] = 3;
    model.ElectronCellPrev[2] = 1;
    // 1500 (cell 0) jitters to 1560 (cell 1), then diffuses right.
    EXPECT_EQ(MoveElectron(1500.0f, 1000.0f, kZero, kNoRelax, kPlus).Left, 1620.0f);
}

TEST_F(MotionTest, DiffusionActsInCellEighteen) {
    model.ElectronCellPrev[17] = 3;
    model.ElectronCellPrev[19] = 1;
    EXPECT_EQ(MoveElectron(3800.0f, 1000.0f, kZero, kNoRelax, kZero).Left, 3860.0f);
    EXPECT_EQ(model.ElectronCellCount[18].value(), 1);
}

TEST_F(MotionTest, NoDiffusionInEndCellsOrOutsideTheStretch) {
    for (std::size_t c = 0; c <= 20; ++c) model.ElectronCellPrev[c] = static_cast<int>(c % 3) * 4;
    model.ElectronCellPrev[1] = 5;   // would pull cell 0 left if it applied
    model.ElectronCellPrev[18] = 5;  // would push cell 19 right
    model.ElectronCellPrev[20] = 0;
    model.ElectronCellPrev[19] = 5;  // would push cell 20 back
    // Diffusion in an end cell would read a neighbour that is not there.
    rt.Dispatch([&] {
        EXPECT_EQ(MoveElectron(1450.0f, 1000.0f, kZero, kNoRelax, kZero).Left, 1450.0f);  // 0
        EXPECT_EQ(MoveElectron(3900.0f, 1000.0f, kZero, kNoRelax, kZero).Left, 3900.0f);  // 19
        EXPECT_EQ(MoveElectron(4000.0f, 1000.0f, kZero, kNoRelax, kZero).Left, 4000.0f);  // 20
        // 3990 jitters to 4050 (cell 20): no diffusion, then wraps.
        EXPECT_EQ(MoveElectron(3990.0f, 1000.0f, kZero, kNoRelax, kPlus).Left, 1400.0f);
    });
    EXPECT_EQ(rt.runtimeError, std::nullopt);
}

TEST_F(MotionTest, HolesDiffuseOnTheirOwnPreviousCounts) {
    model.HoleCellPrev[0] = 3;
    model.HoleCellPrev[2] = 1;
    model.ElectronCellPrev[0] = 1;
    model.ElectronCellPrev[2] = 3;
    EXPECT_EQ(MoveHole(1595.0f, 3800.0f, kZero, kNoRelax, kZero).Left, 1655.0f);
    EXPECT_EQ(model.HoleCellCount[1].value(), 1);
    EXPECT_EQ(Sum(model.ElectronCellCount), 0);
}

TEST_F(MotionTest, DriftOnlyWhenTheBoxValueIsOne) {
    rt.check1Value = 1;
    EXPECT_EQ(MoveElectron(2000.0f, 1000.0f, kZero, kNoRelax, kZero).Left, 2045.0f);
    EXPECT_EQ(MoveHole(2000.0f, 3800.0f, kZero, kNoRelax, kZero).Left, 1955.0f);
    rt.check1Value = 2;
    EXPECT_EQ(MoveElectron(2000.0f, 1000.0f, kZero, kNoRelax, kZero).Left, 2000.0f);
    EXPECT_EQ(MoveHole(2000.0f, 3800.0f, kZero, kNoRelax, kZero).Left, 2000.0f);
}

struct WrapCase {
    bool hole;
    float left;
    float r3;
    int field;
    float endLeft;
    int tally;
    std::size_t cell;
};

void PrintTo(const WrapCase& c, std::ostream* os) {
    *os << (c.hole ? "hole at " : "electron at ") << c.left << ", field " << c.field;
}

class WrapAround : public MotionTest, public ::testing::WithParamInterface<WrapCase> {};

TEST_P(WrapAround, EndsAreCountedIntoTheCurrentTally) {
    const WrapCase& c = GetParam();
    rt.check1Value = c.field;
    model.CurrentTally = 5;
    const Marker m = c.hole ? MoveHole(c.left, 3800.0f, kZero, kNoRelax, c.r3)
                            : MoveElectron(c.left, 1000.0f, kZero, kNoRelax, c.r3);
    EXPECT_EQ(m.Left, c.endLeft);
    EXPECT_EQ(model.CurrentTally.value(), 5 + c.tally);
    const auto& counts = c.hole ? model.HoleCellCount : model.ElectronCellCount;
    EXPECT_EQ(counts[c.cell].value(), 1);
    EXPECT_EQ(Sum(counts), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WrapAround,
    ::testing::Values(WrapCase{false, 1450.0f, kMinus, 0, 4000.0f, -1, 20},  // 1390, cell -1
                      WrapCase{false, 3990.0f, kZero, 1, 1400.0f, +1, 0},    // drift to 4035
                      WrapCase{false, 1400.0f, kZero, 0, 1400.0f, 0, 0},
                      WrapCase{false, 4000.0f, kZero, 0, 4000.0f, 0, 20},
                      WrapCase{false, 3955.0f, kZero, 1, 4000.0f, 0, 20},  // drift to exactly 4000
                      WrapCase{false, 3999.0f, kZero, 0, 3999.0f, 0, 19},
                      WrapCase{false, 1530.0f, kZero, 0, 1530.0f, 0, 1},
                      WrapCase{true, 1450.0f, kMinus, 0, 4000.0f, +1, 20},
                      WrapCase{true, 3950.0f, kPlus, 0, 1400.0f, -1, 0},   // 4010
                      WrapCase{true, 1430.0f, kZero, 1, 4000.0f, +1, 20},  // drift to 1385
                      WrapCase{true, 1400.0f, kZero, 0, 1400.0f, 0, 0}));

TEST_F(MotionTest, FractionalStepsAtTemperaturesNotAMultipleOfFive) {
    model.Temperature = 301;
    EXPECT_EQ(MoveElectron(2000.0f, 1000.0f, kMinus, kNoRelax, kPlus).Top, 939.8f);
    EXPECT_EQ(Electron(1).Left, 2060.2f);
    model.ElectronCellPrev[0] = 3;
    model.ElectronCellPrev[2] = 1;
    EXPECT_EQ(MoveElectron(1595.0f, 1000.0f, kZero, kNoRelax, kZero).Left, 1655.2f);
}

TEST_F(MotionTest, AtZeroKelvinOnlyRelaxationAndDriftAct) {
    model.Temperature = 0;
    model.ElectronCellPrev[0] = 3;
    model.ElectronCellPrev[2] = 1;
    Marker m = MoveElectron(1595.0f, 1000.0f, kMinus, kNoRelax, kMinus);
    EXPECT_EQ(m.Left, 1595.0f);
    EXPECT_EQ(m.Top, 1000.0f);
    rt.check1Value = 1;
    m = MoveElectron(1595.0f, 1000.0f, kPlus, 0.9f, kPlus);  // f = 9.2416
    EXPECT_EQ(m.Top, 1060.0f);
    EXPECT_EQ(m.Left, 1640.0f);
}

TEST_F(MotionTest, NegativeTemperatureDiffusesTowardsTheFullerCell) {
    model.Temperature = -300;
    model.ElectronCellPrev[0] = 3;
    model.ElectronCellPrev[2] = 1;
    EXPECT_EQ(MoveElectron(1595.0f, 1000.0f, kZero, kNoRelax, kZero).Left, 1535.0f);
}

TEST_F(MotionTest, ThreeDrawsPerCarrierAndNoneForAnEmptyPass) {
    model.ElectronCount = 3;
    model.HoleCount = 2;
    for (int k = 1; k <= 3; ++k) Electron(k) = Marker{2000.0f, 1000.0f};
    for (int k = 1; k <= 2; ++k) Hole(k) = Marker{2000.0f, 3800.0f};
    Electron(4) = Marker{2100.0f, 10000.0f};
    auto before = Draws();
    model.ElectronPass();
    EXPECT_EQ(Draws() - before, 9u);
    before = Draws();
    model.HolePass();
    EXPECT_EQ(Draws() - before, 6u);
    EXPECT_EQ(Electron(4).Left, 2100.0f);  // above the count: untouched
    EXPECT_EQ(Electron(4).Top, 10000.0f);
    EXPECT_EQ(Electron(0).Left, 240.0f);

    for (int count : {0, -5}) {
        model.ElectronCount = count;
        model.HoleCount = count;
        const StateSnapshot state = Snapshot();
        model.ElectronPass();
        model.HolePass();
        ExpectSameState(state, Snapshot(), Counters::Ignore);
    }
}

TEST_F(MotionTest, ATickMovesElectronsBeforeHoles) {
    OneElectron(2000.0f, 1000.0f);
    OneHole(2000.0f, 3800.0f);
    // Electron draws, hole draws, then the thermal step's two (no pair, no recombination).
    Script({kZero, kNoRelax, kMinus, kZero, kNoRelax, kPlus, 0.9f, 0.9f});
    model.Timer1_Timer();
    EXPECT_EQ(ScriptLeft(), 0u);
    EXPECT_EQ(Draws(), 8u);
    EXPECT_EQ(Electron(1).Left, 1940.0f);
    EXPECT_EQ(Hole(1).Left, 2060.0f);
}

TEST_F(MotionTest, AfterAPassEveryCarrierIsInItsBandAndCountedOnce) {
    Start("300", "0.5");
    for (int tick = 0; tick < 50; ++tick) {
        model.ElectronPass();
        model.HolePass();
        EXPECT_EQ(Sum(model.ElectronCellCount), model.ElectronCount.value());
        EXPECT_EQ(Sum(model.HoleCellCount), model.HoleCount.value());
        for (int k = 1; k <= model.ElectronCount.value(); ++k) {
            ASSERT_GE(Electron(k).Top, 360.0f);
            ASSERT_LE(Electron(k).Top, 1800.0f);
            ASSERT_GE(Electron(k).Left, 1400.0f);
            ASSERT_LE(Electron(k).Left, 4000.0f);
        }
        for (int k = 1; k <= model.HoleCount.value(); ++k) {
            ASSERT_GE(Hole(k).Top, 3120.0f);
            ASSERT_LE(Hole(k).Top, 4500.0f);
            ASSERT_GE(Hole(k).Left, 1400.0f);
            ASSERT_LE(Hole(k).Left, 4000.0f);
        }
        model.RollCellTallies();
    }
}

TEST_F(MotionTest, FirstTickAfterStartMakesNoDiffusionMove) {
    // A gradient left over from an earlier run would push every carrier left.
    for (std::size_t c = 0; c <= 20; ++c) {
        model.ElectronCellPrev[c] = static_cast<int>(c);
        model.HoleCellPrev[c] = static_cast<int>(c);
    }
    Start("300", "0.5");
    std::vector<float> lefts;
    for (int k = 1; k <= 30; ++k) lefts.push_back(Electron(k).Left);
    for (int k = 1; k <= 30; ++k) lefts.push_back(Hole(k).Left);
    std::vector<float> draws;
    for (int i = 0; i < 60; ++i) draws.insert(draws.end(), {kZero, kNoRelax, kZero});
    Script(draws);
    model.ElectronPass();
    model.HolePass();
    for (int k = 1; k <= 30; ++k) {
        EXPECT_EQ(Electron(k).Left, lefts[static_cast<std::size_t>(k - 1)]) << k;
        EXPECT_EQ(Hole(k).Left, lefts[static_cast<std::size_t>(k + 29)]) << k;
    }
}

TEST_F(MotionTest, CountsAddToThoseOfTheTickSoFar) {
    model.ElectronCellCount[4] = 2;
    MoveElectron(2000.0f, 1000.0f, kZero, kNoRelax, kZero);  // cell 4
    EXPECT_EQ(model.ElectronCellCount[4].value(), 3);
}

}  // namespace
}  // namespace carriers::test
