#include <clocale>
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

// Expected texts are those the 15-digit general format gave before it moved
// off to_chars, recorded from the native build.
constexpr ShowCase kShowCases[] = {
    {0.5, "0.5"},
    {2.0 / 3.0, "0.666666666666667"},
    {-2.0 / 3.0, "-0.666666666666667"},
    {1.0 / 3.0, "0.333333333333333"},
    {1.0, "1"},
    {-1.0, "-1"},
    {0.0, "0"},
    {-0.0, "0"},
    {-0.3, "-0.3"},
    {300.0, "300"},
    {-300.0, "-300"},
    {32767.0, "32767"},
    {123.456, "123.456"},
    // A logarithm ratio lands a hair off the decimal value.
    {0.59999999999999998, "0.6"},
    {0.70000000000000007, "0.7"},
    {0.19999999999999996, "0.2"},
    {0.30000000000000004, "0.3"},
    {0.172536375301856, "0.172536375301856"},
    {0.50586970863518932, "0.505869708635189"},  // log10(1.5) / 30 + 0.5
    // Fifteen digits stay plain; a sixteenth place switches to exponent form.
    {123456789012345.0, "123456789012345"},
    {999999999999999.0, "999999999999999"},
    {999999999999999.5, "1E+15"},
    {1e15, "1E+15"},
    {1e16, "1E+16"},
    {-1e16, "-1E+16"},
    {12345678901234567.0, "1.23456789012346E+16"},
    {6.02214076e23, "6.02214076E+23"},
    {1e100, "1E+100"},
    {1.7976931348623157e308, "1.79769313486232E+308"},
    // Down to 1E-4 stays plain; below it is exponent form, two exponent digits at least.
    {1e-4, "0.0001"},
    {1.5e-4, "0.00015"},
    {9.9999999999999896e-05, "9.99999999999999E-05"},
    {1e-5, "1E-05"},
    {-1e-5, "-1E-05"},
    {1.234e-5, "1.234E-05"},
    {1.0 / 3e5, "3.33333333333333E-06"},
    {5.55111512312578E-17, "5.55111512312578E-17"},
    {1e-300, "1E-300"},
    {2.2250738585072014e-308, "2.2250738585072E-308"},
    {4.9406564584124654e-324, "4.94065645841247E-324"},
};

class DoubleToTextTable : public ::testing::TestWithParam<ShowCase> {};

TEST_P(DoubleToTextTable, GeneralFormatOfFifteenDigits) {
    EXPECT_EQ(DoubleToText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, DoubleToTextTable, ::testing::ValuesIn(kShowCases));

TEST(DoubleToText, NonFiniteIsAFloatingPointFault) {
    for (double value :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(ErrorOf([&] { DoubleToText(value); }), ErrorKind::FloatingPointFault) << value;
    }
}

// Qt sets the process locale from the user's; a comma there must not leak
// into the text, which only the separator argument decides.
TEST(DoubleToText, ProcessLocaleWithACommaChangesNothing) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char* found = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            found = name;
            break;
        }
    }
    if (found == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
    const bool comma = std::string(std::localeconv()->decimal_point) == ",";
    if (comma) {
        for (const ShowCase& c : kShowCases) {
            EXPECT_EQ(DoubleToText(c.value), c.expected) << found;
        }
        EXPECT_EQ(DoubleToText(0.5, ","), "0,5") << found;
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_TRUE(comma) << found << " has no decimal comma";
}

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
