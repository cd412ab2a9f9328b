#include "ModelFixture.h"

namespace carriers::test {
namespace {

struct DopingCase {
    const char* donors;
    const char* acceptors;
    const char* fermiLevel;
};

void PrintTo(const DopingCase& c, std::ostream* os) { *os << c.donors << " / " << c.acceptors; }

class DopingTable : public ModelTest, public ::testing::WithParamInterface<DopingCase> {};

TEST_P(DopingTable, EitherBoxWritesTheFermiLevel) {
    const DopingCase& c = GetParam();
    Box(TextBoxId::Text4) = c.donors;
    Box(TextBoxId::Text5) = c.acceptors;
    rt.dopingComplete = false;
    model.Text4_Change();
    EXPECT_EQ(Box(TextBoxId::Text2), c.fermiLevel);
    EXPECT_TRUE(rt.dopingComplete);
    Box(TextBoxId::Text2) = "x";
    model.Text5_Change();
    EXPECT_EQ(Box(TextBoxId::Text2), c.fermiLevel);
}

INSTANTIATE_TEST_SUITE_P(
    Concentrations, DopingTable,
    ::testing::Values(DopingCase{"1e10", "1e10", "0.5"}, DopingCase{"1e13", "1e10", "0.6"},
                      DopingCase{"1e15", "1e10", "0.666666666666667"},
                      DopingCase{"1e16", "1e10", "0.7"}, DopingCase{"1e25", "1e10", "1"},
                      DopingCase{"1e10", "1e16", "0.3"}, DopingCase{"1e40", "1e10", "1.5"},
                      DopingCase{"1e1", "1e10", "0.2"}, DopingCase{"-1e10", "-1e10", "0.5"},
                      DopingCase{"2e10", "2e10", "0.5"}));

TEST_F(ModelTest, EditingTheDonorBoxDigitByDigit) {
    Box(TextBoxId::Text4) = "1e1";
    model.Text4_Change();
    EXPECT_EQ(Box(TextBoxId::Text2), "0.2");
    Box(TextBoxId::Text4) = "1e16";
    model.Text4_Change();
    EXPECT_EQ(Box(TextBoxId::Text2), "0.7");
}

TEST_F(ModelTest, DopingWritesTheLocaleSeparatorThatStartReads) {
    HeadlessRuntime comma(",");
    CarrierModel commaModel(comma);
    comma.texts[3] = "1e13";
    commaModel.Text4_Change();
    EXPECT_EQ(comma.texts[1], "0,6");
    commaModel.Command1_Click();
    EXPECT_EQ(commaModel.ElectronCount.value(), 36);
    EXPECT_TRUE(comma.rejections.empty());
}

struct IncompleteCase {
    const char* donors;
    const char* acceptors;
};

void PrintTo(const IncompleteCase& c, std::ostream* os) {
    *os << '"' << c.donors << "\" / \"" << c.acceptors << '"';
}

class IncompleteDoping : public ModelTest, public ::testing::WithParamInterface<IncompleteCase> {};

TEST_P(IncompleteDoping, KeepsTheFermiLevelAndFlagsTheEntry) {
    const IncompleteCase& c = GetParam();
    Box(TextBoxId::Text2) = "0.42";
    Box(TextBoxId::Text4) = c.donors;
    Box(TextBoxId::Text5) = c.acceptors;
    rt.Dispatch([&] { model.Text4_Change(); });
    EXPECT_EQ(rt.runtimeError, std::nullopt);
    EXPECT_EQ(Box(TextBoxId::Text2), "0.42");
    EXPECT_FALSE(rt.dopingComplete);
    rt.dopingComplete = true;
    rt.Dispatch([&] { model.Text5_Change(); });
    EXPECT_EQ(rt.runtimeError, std::nullopt);
    EXPECT_EQ(Box(TextBoxId::Text2), "0.42");
    EXPECT_FALSE(rt.dopingComplete);
    // Complete again: the flag clears and the level is written.
    Box(TextBoxId::Text4) = "1e10";
    Box(TextBoxId::Text5) = "1e10";
    model.Text5_Change();
    EXPECT_TRUE(rt.dopingComplete);
    EXPECT_EQ(Box(TextBoxId::Text2), "0.5");
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, IncompleteDoping,
    ::testing::Values(IncompleteCase{"", "1e10"}, IncompleteCase{"1e10", ""},
                      IncompleteCase{"abc", "1e10"}, IncompleteCase{"1e10", "1e"},
                      IncompleteCase{"1e10", "0"}, IncompleteCase{"0", "1e10"},
                      IncompleteCase{"0", "0"}, IncompleteCase{"-1e10", "1e10"},
                      IncompleteCase{"1e10", "-1e10"}, IncompleteCase{"1e400", "1e10"},
                      IncompleteCase{"1e300", "1e-300"},    // ratio beyond the double range
                      IncompleteCase{"1e-300", "1e300"}));  // ratio underflows to 0

TEST_F(ModelTest, DopingEntryLeavesTheRunAlone) {
    Start("300", "0.5");
    const StateSnapshot before = Snapshot();
    Box(TextBoxId::Text4) = "1e16";
    model.Text4_Change();
    model.Text5_Change();
    StateSnapshot after = Snapshot();
    EXPECT_EQ(after.texts[1], "0.7");
    after.texts[1] = before.texts[1];
    after.texts[3] = before.texts[3];
    ExpectSameState(before, after, Counters::Ignore);
}

}  // namespace
}  // namespace carriers::test
