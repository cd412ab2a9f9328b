#include <random>
#include <string>
#include <vector>

#include "ModelFixture.h"

namespace carriers::test {
namespace {

struct RejectCase {
    const char* kelvin;
    const char* fermiLevel;
    TextBoxId box;
};

void PrintTo(const RejectCase& c, std::ostream* os) {
    *os << '"' << c.kelvin << "\" K, \"" << c.fermiLevel << "\" eV";
}

class StartRejects : public ModelTest, public ::testing::WithParamInterface<RejectCase> {};

TEST_P(StartRejects, BadInputChangesNothingAndNamesTheBox) {
    const RejectCase& c = GetParam();
    model.Form_Load();
    Start("300", "0.5");
    model.Timer1_Timer();
    model.CurrentTally = 4;
    rt.timer1Enabled = false;  // shows whether Start touched the timer
    Box(TextBoxId::Text1) = c.kelvin;
    Box(TextBoxId::Text2) = c.fermiLevel;
    const StateSnapshot before = Snapshot();
    rt.Dispatch([&] { model.Command1_Click(); });
    EXPECT_EQ(rt.runtimeError, std::nullopt);
    ExpectSameState(before, Snapshot());
    ASSERT_EQ(rt.rejections.size(), 1u);
    EXPECT_EQ(rt.rejections[0].box, c.box);
    if (c.box == TextBoxId::Text1) {
        EXPECT_EQ(rt.rejections[0].accepted.low, 0.0);
        EXPECT_EQ(rt.rejections[0].accepted.high, 4436.0);
    } else {
        EXPECT_NEAR(rt.rejections[0].accepted.low, -24.706, 0.001);
        EXPECT_NEAR(rt.rejections[0].accepted.high, 29.907, 0.001);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, StartRejects,
    ::testing::Values(
        RejectCase{"", "0.5", TextBoxId::Text1}, RejectCase{"abc", "0.5", TextBoxId::Text1},
        RejectCase{"-0.3", "0.5", TextBoxId::Text1}, RejectCase{"-1", "0.5", TextBoxId::Text1},
        RejectCase{"4436.6", "0.5", TextBoxId::Text1}, RejectCase{"4437", "0.5", TextBoxId::Text1},
        RejectCase{"1e10", "0.5", TextBoxId::Text1}, RejectCase{"1e400", "0.5", TextBoxId::Text1},
        RejectCase{"abc", "abc", TextBoxId::Text1},  // Text1 is checked first
        RejectCase{"300", "", TextBoxId::Text2}, RejectCase{"300", "0.5eV", TextBoxId::Text2},
        RejectCase{"300", "30", TextBoxId::Text2}, RejectCase{"300", "-24.71", TextBoxId::Text2},
        RejectCase{"300", "1e400", TextBoxId::Text2}));

TEST_F(ModelTest, StartAcceptsTheEdgesOfTheRanges) {
    Start("0", "29.9");
    EXPECT_EQ(model.Temperature.value(), 0);
    EXPECT_EQ(model.FermiLevelY.value(), -32760);
    Start("4436.5", "-24.7");  // rounds to the even 4436
    EXPECT_EQ(model.Temperature.value(), 4436);
    EXPECT_EQ(model.FermiLevelY.value(), 32760);
    EXPECT_TRUE(rt.rejections.empty());
    EXPECT_EQ(rt.line3Y1, 32760.0f);
}

TEST_F(ModelTest, TheLastResortStillReportsErrorsOfDirectlySetState) {
    Start("300", "0.5");
    model.CurrentTally = 32767;
    model.HoleCount = 0;
    OneElectron(3990.0f, 1000.0f);
    rt.check1Value = 1;  // drifts out at the right end: +1
    Script({0.5f, 0.0f, 0.5f});
    rt.Dispatch([&] { model.ElectronPass(); });
    EXPECT_EQ(rt.runtimeError, ErrorKind::Overflow);
    EXPECT_EQ(rt.handlersRun, 1);
}

// No sequence of user events may reach the run-time-error report: random
// texts in every box, random clicks, and the two timers at their real ratio.
TEST_F(ModelTest, NoUserInputReachesTheErrorReport) {
    const std::vector<std::string> texts = {
        "300",   "0",     "4436",   "4437",  "-1",  "-0.3", "300.5", "1e-300",
        "abc",   "",      " ",      "0.5",   "1.5", "-1",   "2",     "29.9",
        "30",    "-24.7", "-24.71", "1e400", "0,5", " 7 ",  "1e10",  "1e16",
        "-1e10", "1e300", "1e-300", "0x10",  "inf", "1e",   "99999", "0.375"};
    std::mt19937 pick(20240611u);
    auto anyText = [&] { return texts[pick() % texts.size()]; };
    model.Form_Load();
    bool started = false;
    int ticksSinceReadout = 0;
    for (int event = 0; event < 4000; ++event) {
        const auto kind = pick() % 20;
        if (kind < 2) {
            Box(TextBoxId::Text1) = anyText();
        } else if (kind < 4) {
            Box(TextBoxId::Text2) = anyText();
        } else if (kind < 6) {
            Box(TextBoxId::Text4) = anyText();
            rt.Dispatch([&] { model.Text4_Change(); });
        } else if (kind < 7) {
            Box(TextBoxId::Text5) = anyText();
            rt.Dispatch([&] { model.Text5_Change(); });
        } else if (kind < 9) {
            rt.Dispatch([&] { model.Command1_Click(); });
            started = started || rt.timer1Enabled;
        } else if (kind < 10) {
            rt.Dispatch([&] { model.Command4_Click(); });
        } else if (kind < 11) {
            rt.Dispatch([&] { model.Command5_Click(); });
        } else if (kind < 12) {
            rt.check1Value = static_cast<int>(pick() % 3);
            rt.Dispatch([&] { model.Check1_Click(); });
        } else if (rt.timer1Enabled) {
            rt.Dispatch([&] { model.Timer1_Timer(); });
            if (++ticksSinceReadout == 40) {
                rt.Dispatch([&] { model.Timer2_Timer(); });
                ticksSinceReadout = 0;
            }
        }
        ASSERT_EQ(rt.runtimeError, std::nullopt) << "event " << event;
        const int electrons = model.ElectronCount.value();
        const int holes = model.HoleCount.value();
        ASSERT_GE(electrons, 0);
        ASSERT_LE(electrons, 100);
        ASSERT_GE(holes, 0);
        ASSERT_LE(holes, 100);
        if (started) {
            for (int k = electrons + 1; k <= 100; ++k) ASSERT_EQ(Electron(k).Top, 10000.0f);
            for (int k = holes + 1; k <= 100; ++k) ASSERT_EQ(Hole(k).Top, 10000.0f);
        }
    }
    // The sequence did reach the paths it is meant to probe.
    EXPECT_TRUE(started);
    EXPECT_FALSE(rt.rejections.empty());
    EXPECT_GT(rt.handlersRun, 1000);
}

}  // namespace
}  // namespace carriers::test
