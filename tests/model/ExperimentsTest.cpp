#include <vector>

#include "ModelFixture.h"

namespace carriers::test {
namespace {

TEST_F(ModelTest, FieldBoxShowsAndHidesAllSixMarks) {
    model.Form_Load();
    rt.check1Value = 1;
    model.Check1_Click();
    for (bool visible : rt.line7Visible) EXPECT_TRUE(visible);
    rt.check1Value = 0;
    model.Check1_Click();
    for (bool visible : rt.line7Visible) EXPECT_FALSE(visible);
    rt.check1Value = 1;
    model.Check1_Click();
    rt.check1Value = 2;  // greyed counts as off
    model.Check1_Click();
    for (bool visible : rt.line7Visible) EXPECT_FALSE(visible);
}

TEST_F(ModelTest, FieldBoxChangesNoModelState) {
    model.Form_Load();
    Start("300", "0.5");
    const StateSnapshot before = Snapshot();
    rt.check1Value = 1;
    model.Check1_Click();
    rt.check1Value = 0;
    model.Check1_Click();
    ExpectSameState(before, Snapshot(), Counters::Ignore);
}

class DiffusionTest : public ModelTest {
  protected:
    std::vector<Marker> Markers(const MarkerArray& shapes) {
        return {shapes.members().begin(), shapes.members().end()};
    }
};

TEST_F(DiffusionTest, GathersMarkersZeroToCountAtTheMiddle) {
    Start("300", "0.5");
    const auto electrons = Markers(rt.Shape1());
    const auto holes = Markers(rt.Shape2());
    const StateSnapshot before = Snapshot();
    model.Command4_Click();
    for (std::size_t k = 0; k <= 100; ++k) {
        const Marker& e = rt.Shape1().members()[k];
        const Marker& h = rt.Shape2().members()[k];
        EXPECT_EQ(e.Left, k <= 30 ? 2700.0f : electrons[k].Left) << k;
        EXPECT_EQ(h.Left, k <= 30 ? 2700.0f : holes[k].Left) << k;
        EXPECT_EQ(e.Top, electrons[k].Top) << k;
        EXPECT_EQ(h.Top, holes[k].Top) << k;
    }
    StateSnapshot after = Snapshot();
    EXPECT_EQ(before.integers, after.integers);  // counts, tallies, draws unchanged
}

TEST_F(DiffusionTest, UnevenCountsGatherTheirOwnPrefix) {
    Start("300", "0.825");  // 50 electrons, 11 holes
    const auto holes = Markers(rt.Shape2());
    model.Command4_Click();
    EXPECT_EQ(rt.Shape1()(50).Left, 2700.0f);
    EXPECT_NE(rt.Shape1()(51).Left, 2700.0f);
    EXPECT_EQ(rt.Shape2()(11).Left, 2700.0f);
    EXPECT_EQ(rt.Shape2()(12).Left, holes[12].Left);
}

TEST_F(DiffusionTest, BeforeAnyStartOnlyMarkerZeroMoves) {
    model.Command4_Click();
    EXPECT_EQ(rt.Shape1()(0).Left, 2700.0f);
    EXPECT_EQ(rt.Shape2()(0).Left, 2700.0f);
    EXPECT_EQ(rt.Shape1()(0).Top, 7200.0f);
    EXPECT_EQ(rt.Shape1()(1).Left, 240.0f);
    EXPECT_EQ(rt.Shape2()(1).Left, 720.0f);
}

TEST_F(DiffusionTest, PressingTwiceEqualsPressingOnce) {
    Start("300", "0.5");
    model.Command4_Click();
    const StateSnapshot once = Snapshot();
    model.Command4_Click();
    ExpectSameState(once, Snapshot());
}

TEST_F(DiffusionTest, GatheredCarriersSpreadFromTheSecondTick) {
    Start("300", "0.5");
    ArrangeRun();
    model.ElectronCount = 2;
    Electron(1) = Marker{2000.0f, 1000.0f};
    Electron(2) = Marker{2000.0f, 1000.0f};
    model.ElectronPass();  // both counted in cell 4
    model.RollCellTallies();
    model.Command4_Click();  // gathered in cell 10
    // First tick after the press: the profile is the one from before it.
    Script({0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f});
    model.ElectronPass();
    EXPECT_EQ(Electron(1).Left, 2700.0f);
    model.RollCellTallies();
    // Second tick: a carrier jittered into cell 9 sees cell 10 full and moves away.
    Script({0.5f, 0.0f, 0.0f, 0.5f, 0.0f, 0.5f});
    model.ElectronPass();
    EXPECT_EQ(Electron(1).Left, 2580.0f);  // 2640 in cell 9, pushed left by cell 10
    EXPECT_EQ(Electron(2).Left, 2700.0f);
}

}  // namespace
}  // namespace carriers::test
