#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "CarrierModel.h"
#include "ClassData.h"
#include "HeadlessRuntime.h"

namespace controller {
namespace {

struct Counts {
    int electrons;
    int holes;
};

ClassData Fed(const std::vector<Counts>& ticks, int kelvin = 300) {
    ClassData data;
    data.Reset(kelvin);
    for (const Counts& c : ticks) data.AddTick(c.electrons, c.holes);
    return data;
}

// n x p = 2, 4, 3, 6, 4, 1, 8, 9: eight batches of one tick. Mean 4.625;
// sample deviation 2.82527..., over sqrt(8): 0.998883.
TEST(ClassData, EightTicksGiveTheFirstError) {
    const std::vector<Counts> ticks{{1, 2}, {2, 2}, {3, 1}, {2, 3}, {4, 1}, {1, 1}, {2, 4}, {3, 3}};
    const ClassDataSummary seven = Fed({ticks.begin(), ticks.end() - 1}).Summary();
    EXPECT_EQ(seven.ticks, 7u);
    EXPECT_FALSE(seven.meanNPError.has_value());
    const ClassDataSummary s = Fed(ticks).Summary();
    EXPECT_EQ(s.ticks, 8u);
    EXPECT_DOUBLE_EQ(s.meanNP, 4.625);
    ASSERT_TRUE(s.meanNPError.has_value());
    EXPECT_NEAR(*s.meanNPError, 0.998883305, 1e-9);
    EXPECT_DOUBLE_EQ(s.meanElectrons, 2.25);
    EXPECT_DOUBLE_EQ(s.meanHoles, 2.125);
    EXPECT_NEAR(s.rootMeanNP, 2.150581317, 1e-9);
}

// n x p = 1, 2, ..., 40: after 32 ticks the batches merge into pairs, so
// 20 batches of two with means 1.5, 3.5, ... 39.5: deviation sqrt(140),
// error sqrt(140 / 20) = sqrt(7). The 41st tick counts in the mean (861 /
// 41 = 21) but not yet in the error.
TEST(ClassData, BatchesMergeAndAPartBatchCountsOnlyInTheMean) {
    std::vector<Counts> ticks;
    for (int i = 1; i <= 41; ++i) ticks.push_back({i, 1});
    const ClassDataSummary forty = Fed({ticks.begin(), ticks.end() - 1}).Summary();
    EXPECT_DOUBLE_EQ(forty.meanNP, 20.5);
    EXPECT_NEAR(forty.meanNPError.value_or(0.0), 2.645751311, 1e-9);
    const ClassDataSummary s = Fed(ticks).Summary();
    EXPECT_DOUBLE_EQ(s.meanNP, 21.0);
    EXPECT_NEAR(s.meanNPError.value_or(0.0), 2.645751311, 1e-9);
}

// Alternating 0 and 4: each tick alone scatters (an error of 0.25 from
// 64 independent samples), but every batch of two or more has mean 2 exactly.
TEST(ClassData, CorrelatedTicksAreJudgedByTheirBatches) {
    std::vector<Counts> ticks;
    for (int i = 0; i < 64; ++i) ticks.push_back(i % 2 == 0 ? Counts{0, 5} : Counts{2, 2});
    const ClassDataSummary s = Fed(ticks).Summary();
    EXPECT_DOUBLE_EQ(s.meanNP, 2.0);
    EXPECT_EQ(s.meanNPError.value_or(-1.0), 0.0);
}

TEST(ClassData, TheLawAndTheIntrinsicDensityByTemperature) {
    struct Case {
        int kelvin;
        double law;
        double intrinsic;
    };
    for (const Case& c : {Case{300, 403.428793, 20.0855369}, Case{400, 2980.957987, 54.5981500},
                          Case{460, 9897.129059, 99.4843156}, Case{461, 10000.0, 100.0},
                          Case{4436, 10000.0, 100.0}, Case{0, 1.0, 1.0}}) {
        const ClassDataSummary s = Fed({}, c.kelvin).Summary();
        EXPECT_NEAR(s.lawNP, c.law, 1e-6) << c.kelvin;
        EXPECT_NEAR(s.intrinsic, c.intrinsic, 1e-6) << c.kelvin;
        EXPECT_EQ(s.ticks, 0u);
        EXPECT_TRUE(std::isnan(s.meanNP));
    }
}

TEST(ClassData, ResetForgetsEverySample) {
    ClassData data = Fed({{10, 10}, {20, 20}});
    data.Reset(400);
    data.AddTick(3, 4);
    const ClassDataSummary s = data.Summary();
    EXPECT_EQ(s.ticks, 1u);
    EXPECT_DOUBLE_EQ(s.meanNP, 12.0);
    ASSERT_EQ(data.History().size(), 1u);
    EXPECT_EQ(data.History()[0].firstTick, 1u);
}

// n = tick, p = 2. 512 points fill the history and merge into 256 of two
// ticks; 512 of those merge again into 256 of four. After 1030 ticks: 257
// points of four ticks (1 to 1028) and the point being filled (1029, 1030).
TEST(ClassData, TheHistoryHalvesItsResolutionWhenFull) {
    ClassData data;
    data.Reset(300);
    for (int tick = 1; tick <= 1030; ++tick) {
        data.AddTick(tick, 2);
        ASSERT_LE(data.History().size(), ClassData::kMaxHistoryPoints + 1) << tick;
    }
    const std::vector<ClassDataPoint> points = data.History();
    ASSERT_EQ(points.size(), 258u);
    EXPECT_EQ(points[0].firstTick, 1u);
    EXPECT_EQ(points[0].ticks, 4u);
    EXPECT_DOUBLE_EQ(points[0].electrons, 2.5);
    EXPECT_DOUBLE_EQ(points[0].holes, 2.0);
    EXPECT_DOUBLE_EQ(points[0].np, 5.0);
    EXPECT_EQ(points[256].firstTick, 1025u);
    EXPECT_DOUBLE_EQ(points[256].electrons, 1026.5);
    EXPECT_EQ(points[257].firstTick, 1029u);
    EXPECT_EQ(points[257].ticks, 2u);
    EXPECT_DOUBLE_EQ(points[257].np, 2059.0);
}

struct LawCase {
    const char* kelvin;
    const char* fermiLevel;
};

void PrintTo(const LawCase& c, std::ostream* os) {
    *os << c.kelvin << " K, " << c.fermiLevel << " eV";
}

class MassActionLaw : public ::testing::TestWithParam<LawCase> {};

// The real model, whose generator is fixed-seeded: after 40,000 ticks (a
// hundred seconds at speed 20) the measured mean of n x p meets e^(T/50)
// within three of its standard errors, intrinsic or doped. The error must
// be small enough to say something, and far above what independent ticks
// would give, since successive ticks are correlated.
TEST_P(MassActionLaw, MeasuredMeanMeetsTheLaw) {
    const LawCase& c = GetParam();
    carriers::HeadlessRuntime rt;
    carriers::CarrierModel model(rt);
    rt.texts[0] = c.kelvin;
    rt.texts[1] = c.fermiLevel;
    model.Command1_Click();
    ClassData data;
    data.Reset(model.Temperature.value());
    constexpr int kTicks = 40000;
    double sum = 0.0;
    double squares = 0.0;
    for (int tick = 0; tick < kTicks; ++tick) {
        model.Timer1_Timer();
        const int electrons = model.ElectronCount.value();
        const int holes = model.HoleCount.value();
        data.AddTick(electrons, holes);
        const double np = electrons * holes;
        sum += np;
        squares += np * np;
    }
    ASSERT_EQ(rt.runtimeError, std::nullopt);
    const ClassDataSummary s = data.Summary();
    ASSERT_TRUE(s.meanNPError.has_value());
    const double law = std::exp(std::stod(c.kelvin) / 50.0);
    EXPECT_NEAR(s.meanNP, law, 3.0 * *s.meanNPError);
    EXPECT_LT(*s.meanNPError, 0.05 * law);
    const double mean = sum / kTicks;
    const double independentError = std::sqrt((squares / kTicks - mean * mean) / kTicks);
    EXPECT_GT(*s.meanNPError, 3.0 * independentError);
    EXPECT_DOUBLE_EQ(s.meanNP, mean);
}

INSTANTIATE_TEST_SUITE_P(Runs, MassActionLaw,
                         ::testing::Values(LawCase{"300", "0.5"}, LawCase{"300", "1"},
                                           LawCase{"400", "0.5"}, LawCase{"400", "1"}));

}  // namespace
}  // namespace controller
