#include "ModelFixture.h"

namespace carriers::test {
namespace {

class ReadoutsTest : public ModelTest {
  protected:
    void SetUp() override {
        ArrangeRun();
        model.Form_Load();
    }
};

TEST_F(ReadoutsTest, FormLoadHidesTheMarksAndClearsTheChart) {
    for (bool visible : rt.line7Visible) EXPECT_FALSE(visible);
    EXPECT_EQ(model.ChartX.value(), 0);
    EXPECT_EQ(rt.chartClears, 1);
    EXPECT_TRUE(rt.chart.empty());
}

struct ChartCase {
    int electrons;
    float y;
};

void PrintTo(const ChartCase& c, std::ostream* os) { *os << c.electrons << " electrons"; }

class ChartPoint : public ReadoutsTest, public ::testing::WithParamInterface<ChartCase> {};

TEST_P(ChartPoint, PlotsTheElectronCountAndShowsBothCounts) {
    model.ElectronCount = GetParam().electrons;
    model.HoleCount = 7;
    model.ChartX = 100;
    model.ReadoutStage();
    ASSERT_EQ(rt.chart.size(), 1u);
    EXPECT_EQ(rt.chart[0].x, 100.0f);
    EXPECT_EQ(rt.chart[0].y, GetParam().y);
    EXPECT_EQ(rt.chart[0].rgb, 0u);
    EXPECT_EQ(model.ChartX.value(), 102);
    EXPECT_EQ(rt.texts[2], std::to_string(GetParam().electrons));
    EXPECT_EQ(rt.texts[5], "7");
}

INSTANTIATE_TEST_SUITE_P(Counts, ChartPoint,
                         ::testing::Values(ChartCase{0, 1380.0f}, ChartCase{30, 960.0f},
                                           ChartCase{60, 540.0f}, ChartCase{98, 8.0f},
                                           ChartCase{100, -20.0f}));

TEST_F(ReadoutsTest, ReadoutStageRollsTheCellTallies) {
    model.ElectronCellCount[3] = 7;
    model.HoleCellCount[20] = 2;
    model.ElectronCellPrev[5] = 9;
    model.ReadoutStage();
    const CarrierModel::CellArray zero{};
    EXPECT_EQ(model.ElectronCellCount, zero);
    EXPECT_EQ(model.HoleCellCount, zero);
    EXPECT_EQ(model.ElectronCellPrev[3].value(), 7);
    EXPECT_EQ(model.ElectronCellPrev[5].value(), 0);
    EXPECT_EQ(model.HoleCellPrev[20].value(), 2);
}

TEST_F(ReadoutsTest, ChartWrapsAfterTheColumnAt2660) {
    model.ChartX = 2658;
    model.ReadoutStage();
    EXPECT_EQ(rt.chart.back().x, 2658.0f);
    EXPECT_EQ(model.ChartX.value(), 2660);
    EXPECT_EQ(rt.chartClears, 1);
    model.ReadoutStage();
    EXPECT_EQ(model.ChartX.value(), 0);
    EXPECT_EQ(rt.chartClears, 2);
    EXPECT_TRUE(rt.chart.empty());  // the point at 2660 went with the clear
    model.ReadoutStage();
    ASSERT_EQ(rt.chart.size(), 1u);
    EXPECT_EQ(rt.chart[0].x, 0.0f);
}

TEST_F(ReadoutsTest, ASweepTakes1331TicksAndRestartDoesNotShortenIt) {
    // As the window runs them, so that an error in any tick is reported.
    const auto tick = [&] { rt.Dispatch([&] { model.Timer1_Timer(); }); };
    rt.Dispatch([&] { Start("300", "0.5"); });
    for (int t = 1; t <= 1330; ++t) {
        tick();
        if (t == 500) rt.Dispatch([&] { Start("300", "0.5"); });
    }
    ASSERT_EQ(rt.runtimeError, std::nullopt);
    EXPECT_EQ(rt.chartClears, 1);
    EXPECT_EQ(rt.chart.size(), 1330u);
    EXPECT_EQ(model.ChartX.value(), 2660);
    tick();
    EXPECT_EQ(rt.chartClears, 2);
    EXPECT_TRUE(rt.chart.empty());
    EXPECT_EQ(model.ChartX.value(), 0);
    EXPECT_EQ(rt.runtimeError, std::nullopt);
}

TEST_F(ReadoutsTest, TickShowsTheCountsAfterTheThermalStep) {
    model.ElectronCount = 0;
    model.HoleCount = 0;
    Script({0.0f, 0.5f, 0.5f, 0.5f});  // a pair, no recombination
    model.Timer1_Timer();
    EXPECT_EQ(rt.texts[2], "1");
    EXPECT_EQ(rt.texts[5], "1");
    ASSERT_EQ(rt.chart.size(), 1u);
    EXPECT_EQ(rt.chart[0].y, 1366.0f);
}

TEST_F(ReadoutsTest, CurrentReadoutShowsThenClearsTheTally) {
    model.CurrentTally = -3;
    model.Timer2_Timer();
    EXPECT_EQ(rt.texts[6], "-3");
    EXPECT_EQ(model.CurrentTally.value(), 0);
    model.Timer2_Timer();
    EXPECT_EQ(rt.texts[6], "0");
}

}  // namespace
}  // namespace carriers::test
