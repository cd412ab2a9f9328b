#include <vector>

#include "ModelFixture.h"

namespace carriers::test {
namespace {

TEST(Integer, ArithmeticOverflowsInsteadOfWrapping) {
    EXPECT_EQ(ErrorOf([] { Integer(32767) + Integer(1); }), ErrorKind::Overflow);
    EXPECT_EQ(ErrorOf([] { Integer(-32768) - Integer(1); }), ErrorKind::Overflow);
    EXPECT_EQ(ErrorOf([] { Integer(200) * Integer(200); }), ErrorKind::Overflow);
    EXPECT_EQ(ErrorOf([] { Integer(-32768) * Integer(-1); }), ErrorKind::Overflow);
    EXPECT_EQ(ErrorOf([] { Integer(40000); }), ErrorKind::Overflow);
    EXPECT_EQ((Integer(32766) + Integer(1)).value(), 32767);
    EXPECT_EQ((Integer(181) * Integer(181)).value(), 32761);
    EXPECT_EQ((Integer(-32767) - Integer(1)).value(), -32768);
}

TEST(Tagged, IndexRoundsToNearestTiesToEven) {
    EXPECT_EQ(Tagged(2.5f).ToIndex(), 2);
    EXPECT_EQ(Tagged(3.5f).ToIndex(), 4);
    EXPECT_EQ(Tagged(4.4f).ToIndex(), 4);
    EXPECT_EQ(Tagged(Integer(7)).ToIndex(), 7);
    EXPECT_EQ(ErrorOf([] { Tagged(40000.0f).ToIndex(); }), ErrorKind::Overflow);
}

TEST(Random, DrawsStayBelowOne) {
    Random random;
    float largest = 0.0f;
    for (int i = 0; i < 200000; ++i) {
        const float r = random.Next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        if (r > largest) largest = r;
    }
    EXPECT_GT(largest, 0.99f);  // uniform over the whole interval
}

TEST(Random, EveryLaunchReplaysTheSameSequence) {
    Random first;
    Random second;
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(first.Next(), second.Next()) << i;
}

TEST(Random, ScriptedDrawsComeFirstThenTheSequenceGoesOn) {
    Random fresh;
    const float firstOwn = fresh.Next();
    Random scripted;
    scripted.Script({0.25f, 0.75f});
    EXPECT_EQ(scripted.Next(), 0.25f);
    EXPECT_EQ(scripted.Next(), 0.75f);
    EXPECT_EQ(scripted.Next(), firstOwn);
    EXPECT_EQ(scripted.Draws(), 3u);
}

TEST(Markers, OnlyIndexesZeroToHundredExist) {
    HeadlessRuntime rt;
    EXPECT_EQ(ErrorOf([&] { rt.Shape1()(101); }), ErrorKind::MissingMarker);
    EXPECT_EQ(ErrorOf([&] { rt.Shape1()(-1); }), ErrorKind::MissingMarker);
    EXPECT_EQ(ErrorOf([&] { rt.Shape2()(101); }), ErrorKind::MissingMarker);
    EXPECT_EQ(ErrorOf([&] { rt.Shape1()(Tagged(100.6f)); }), ErrorKind::MissingMarker);
    EXPECT_EQ(ErrorOf([&] { rt.Shape1()(Tagged(100.5f)); }), std::nullopt);
    EXPECT_EQ(ErrorOf([&] { rt.Shape1()(0); }), std::nullopt);
    EXPECT_EQ(ErrorOf([&] { rt.Shape2()(100); }), std::nullopt);
}

TEST(Markers, StandBelowTheClientAreaAtLoad) {
    HeadlessRuntime rt;
    for (int k = 0; k <= 100; ++k) {
        EXPECT_EQ(rt.Shape1()(k).Top, 7200.0f);
        EXPECT_EQ(rt.Shape2()(k).Top, 7200.0f);
    }
    EXPECT_EQ(rt.Shape1()(0).Left, 240.0f);
    EXPECT_EQ(rt.Shape2()(0).Left, 720.0f);
}

TEST(Line7, OnlySixMarksExist) {
    HeadlessRuntime rt;
    EXPECT_EQ(ErrorOf([&] { rt.SetLine7Visible(6, true); }), ErrorKind::MissingMarker);
    EXPECT_EQ(ErrorOf([&] { rt.SetLine7Visible(-1, true); }), ErrorKind::MissingMarker);
    rt.SetLine7Visible(5, false);
    EXPECT_FALSE(rt.line7Visible[5]);
}

TEST(Dispatch, ReportsARuntimeErrorAndFinishesTheHandlerOnce) {
    HeadlessRuntime rt;
    bool after = false;
    rt.Dispatch([&] {
        Integer(32767) + Integer(1);
        after = true;
    });
    EXPECT_FALSE(after);
    EXPECT_EQ(rt.runtimeError, ErrorKind::Overflow);
    EXPECT_EQ(rt.handlersRun, 1);

    HeadlessRuntime quiet;
    quiet.Dispatch([] {});
    EXPECT_EQ(quiet.runtimeError, std::nullopt);
    EXPECT_EQ(quiet.handlersRun, 1);
}

TEST(CellAccess, ChecksTheBoundsZeroToTwenty) {
    CarrierModel::CellArray cells{};
    EXPECT_EQ(ErrorOf([&] { CarrierModel::Cell(cells, 21); }), ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { CarrierModel::Cell(cells, -1); }), ErrorKind::SubscriptOutOfRange);
    CarrierModel::Cell(cells, 20) = 5;
    CarrierModel::Cell(cells, 0) = 2;
    EXPECT_EQ(cells[20].value(), 5);
    EXPECT_EQ(cells[0].value(), 2);
}

}  // namespace
}  // namespace carriers::test
