#include <cmath>
#include <limits>
#include <string>

#include "ModelFixture.h"

namespace carriers::test {
namespace {

struct RoundCase {
    double value;
    int expected;
};

void PrintTo(const RoundCase& c, std::ostream* os) { *os << c.value; }

class RoundToIntegerTable : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundToIntegerTable, RoundsToNearestTiesToEven) {
    EXPECT_EQ(RoundToInteger(GetParam().value).value(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundToIntegerTable,
    ::testing::Values(RoundCase{22.5, 22}, RoundCase{37.5, 38}, RoundCase{2.5, 2},
                      RoundCase{3.5, 4}, RoundCase{-2.5, -2}, RoundCase{-3.5, -4},
                      RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.4999, 2}, RoundCase{2.6, 3},
                      RoundCase{-2.6, -3}, RoundCase{32767.4, 32767}, RoundCase{-32768.5, -32768}));

TEST(RoundToInteger, BeyondSixteenBitsOverflows) {
    for (double value :
         {32767.5, 32768.0, -32768.6, -32769.0, 1e10, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(ErrorOf([&] { RoundToInteger(value); }), ErrorKind::Overflow) << value;
    }
}

struct TextCase {
    const char* text;
    double expected;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class TextToDoubleTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextToDoubleTable, ReadsDecimalAndExponentForms) {
    EXPECT_EQ(TextToDouble(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, TextToDoubleTable,
                         ::testing::Values(TextCase{"300", 300.0}, TextCase{"0.5", 0.5},
                                           TextCase{"1e10", 1e10}, TextCase{" 2 ", 2.0},
                                           TextCase{".5", 0.5}, TextCase{"-3e-2", -0.03},
                                           TextCase{"1E3", 1000.0}, TextCase{"+7", 7.0},
                                           TextCase{"-24.7", -24.7}, TextCase{"5.", 5.0}));

TEST(TextToDouble, TextThatIsNotANumberIsATypeMismatch) {
    for (const char* text : {"", " ", "abc", "1e", "--1", "0x10", "inf", "nan", "1.2.3", "1e10x",
                             "e5", ".", "-", "1 0", "\xEF\xBC\x93\xEF\xBC\x90\xEF\xBC\x90"}) {
        EXPECT_EQ(ErrorOf([&] { TextToDouble(text); }), ErrorKind::TypeMismatch) << text;
    }
}

TEST(TextToDouble, MagnitudeBeyondDoubleRangeOverflows) {
    EXPECT_EQ(ErrorOf([] { TextToDouble("1e400"); }), ErrorKind::Overflow);
    EXPECT_EQ(ErrorOf([] { TextToDouble("-1e400"); }), ErrorKind::Overflow);
}

TEST(TextToDouble, CommaLocaleReadsBothSeparators) {
    HeadlessRuntime comma(",");
    EXPECT_EQ(comma.TextToDouble("0,5"), 0.5);
    EXPECT_EQ(comma.TextToDouble("0.5"), 0.5);
    EXPECT_EQ(comma.TextToDouble("-2,5E-3"), -0.0025);
    EXPECT_EQ(ErrorOf([&] { comma.TextToDouble("0,5,1"); }), ErrorKind::TypeMismatch);
}

TEST(TextToInteger, RoundsTheNumberTiesToEven) {
    EXPECT_EQ(TextToInteger("2.5").value(), 2);
    EXPECT_EQ(TextToInteger("3.5").value(), 4);
    EXPECT_EQ(TextToInteger("300.5").value(), 300);
    EXPECT_EQ(TextToInteger("301.5").value(), 302);
    EXPECT_EQ(TextToInteger("-30").value(), -30);
    EXPECT_EQ(ErrorOf([] { TextToInteger("40000"); }), ErrorKind::Overflow);
    EXPECT_EQ(ErrorOf([] { TextToInteger("abc"); }), ErrorKind::TypeMismatch);
}

struct ShowCase {
    double value;
    const char* expected;
};

void PrintTo(const ShowCase& c, std::ostream* os) { *os << c.expected; }

class DoubleToTextTable : public ::testing::TestWithParam<ShowCase> {};

TEST_P(DoubleToTextTable, GeneralFormatOfFifteenDigits) {
    EXPECT_EQ(DoubleToText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DoubleToTextTable,
    ::testing::Values(ShowCase{0.5, "0.5"}, ShowCase{2.0 / 3.0, "0.666666666666667"},
                      ShowCase{1.0, "1"}, ShowCase{0.0, "0"}, ShowCase{-0.0, "0"},
                      ShowCase{-0.3, "-0.3"}, ShowCase{300.0, "300"},
                      // A logarithm ratio lands a hair off the decimal value.
                      ShowCase{0.59999999999999998, "0.6"}, ShowCase{0.70000000000000007, "0.7"},
                      ShowCase{0.19999999999999996, "0.2"},
                      ShowCase{123456789012345.0, "123456789012345"}));

TEST(DoubleToText, VeryLargeAndSmallMagnitudesUseExponentForm) {
    for (double value : {1e25, -1.5e30, 1e-20}) {
        const std::string text = DoubleToText(value);
        EXPECT_NE(text.find_first_of("eE"), std::string::npos) << text;
        EXPECT_EQ(TextToDouble(text), value) << text;
    }
    const std::string rounded = DoubleToText(1.234567890123456789e17);
    EXPECT_EQ(TextToDouble(rounded), 1.23456789012346e17) << rounded;
}

TEST(DoubleToText, CommaLocaleWritesComma) {
    HeadlessRuntime comma(",");
    EXPECT_EQ(comma.DoubleToText(0.5), "0,5");
    EXPECT_EQ(comma.DoubleToText(2.0 / 3.0), "0,666666666666667");
    EXPECT_EQ(comma.DoubleToText(1.0), "1");
}

TEST(IntegerToText, PlainDigitsWithLeadingMinus) {
    EXPECT_EQ(IntegerToText(-30), "-30");
    EXPECT_EQ(IntegerToText(0), "0");
    EXPECT_EQ(IntegerToText(32767), "32767");
    EXPECT_EQ(IntegerToText(-32768), "-32768");
}

}  // namespace
}  // namespace carriers::test
