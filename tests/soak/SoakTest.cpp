// An hour of class for each temperature and Fermi level: the run never fails,
// the invariants hold after every tick, and near 300 K the population settles
// where generation and recombination balance.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ostream>
#include <random>
#include <string>

#include "CarrierModel.h"
#include "HeadlessRuntime.h"
#include "Invariants.h"

namespace carriers {
namespace {

// 72,000 ticks is an hour at 20 ticks a second; QUARVEL_SOAK_TICKS overrides.
long SoakTicks() {
    const char* env = std::getenv("QUARVEL_SOAK_TICKS");
    return env ? std::strtol(env, nullptr, 10) : 72000;
}

struct SoakCase {
    const char* temperature;
    const char* fermiLevel;
};

// Without this GoogleTest prints the two pointers' bytes, which change from
// build to build.
void PrintTo(const SoakCase& c, std::ostream* os) {
    *os << c.temperature << " K, " << c.fermiLevel << " eV";
}

class Soak : public ::testing::TestWithParam<SoakCase> {};

TEST_P(Soak, RunsAnHourWithRandomExperiments) {
    const SoakCase c = GetParam();
    HeadlessRuntime rt;
    CarrierModel model(rt);
    rt.Dispatch([&] { model.Form_Load(); });
    rt.SetText(TextBoxId::Text1, c.temperature);
    rt.SetText(TextBoxId::Text2, c.fermiLevel);
    rt.Dispatch([&] { model.Command1_Click(); });
    ASSERT_TRUE(rt.rejections.empty()) << "Start refused the case itself";

    // The experiments are switched by the test's own generator, so the
    // program's sequence is not disturbed in any way a user could not.
    std::mt19937 events(std::hash<std::string>{}(std::string(c.temperature) + c.fermiLevel));
    std::uniform_int_distribution<int> pick(0, 999);
    const long ticks = SoakTicks();
    for (long t = 0; t < ticks; ++t) {
        const int e = pick(events);
        if (e == 0) rt.Dispatch([&] { model.Command5_Click(); });
        if (e == 1) rt.Dispatch([&] { model.Command4_Click(); });
        if (e == 2) {
            rt.check1Value = 1 - rt.check1Value;
            rt.Dispatch([&] { model.Check1_Click(); });
        }
        rt.Dispatch([&] { model.Timer1_Timer(); });
        if (t % 40 == 0) rt.Dispatch([&] { model.Timer2_Timer(); });
        ASSERT_FALSE(rt.runtimeError.has_value())
            << ErrorKindName(*rt.runtimeError) << " at tick " << t;
        const std::string broken = testing::CheckInvariants(model, rt);
        ASSERT_TRUE(broken.empty()) << "tick " << t << ": " << broken;
        ASSERT_EQ(rt.Text(TextBoxId::Text3), std::to_string(model.ElectronCount.value()));
        ASSERT_EQ(rt.Text(TextBoxId::Text6), std::to_string(model.HoleCount.value()));
    }
}

std::vector<SoakCase> AllCases() {
    std::vector<SoakCase> cases;
    for (const char* t : {"0", "300", "460", "461", "4436"}) {
        for (const char* ef : {"-24", "-0.7", "0", "0.5", "1", "1.7", "29.9"}) {
            cases.push_back({t, ef});
        }
    }
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<SoakCase>& info) {
    std::string name = std::string("T") + info.param.temperature + "_EF" + info.param.fermiLevel;
    for (char& ch : name) {
        if (ch == '-') ch = 'm';
        if (ch == '.') ch = 'p';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(TemperaturesAndFermiLevels, Soak, ::testing::ValuesIn(AllCases()),
                         CaseName);

// Below 461 K a pair appears with probability e^(T/50)/10000 per tick and
// recombines with probability n x p/10000, so n x p hovers around e^(T/50):
// about 403 at 300 K. No experiments here, to see the undisturbed balance.
TEST(Equilibrium, ProductOfCountsNearExpOfTOver50At300K) {
    HeadlessRuntime rt;
    CarrierModel model(rt);
    model.Form_Load();
    model.Command1_Click();                               // 300 K, 0.5 eV: starts at 30 x 30 = 900
    for (int t = 0; t < 5000; ++t) model.Timer1_Timer();  // settle
    double sum = 0.0;
    const int window = 60000;
    for (int t = 0; t < window; ++t) {
        model.Timer1_Timer();
        sum += model.ElectronCount.value() * model.HoleCount.value();
    }
    const double mean = sum / window;
    EXPECT_GT(mean, 403.43 * 0.75);
    EXPECT_LT(mean, 403.43 * 1.25);
}

}  // namespace
}  // namespace carriers
