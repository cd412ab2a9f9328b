#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "Setup.h"
#include "TextFill.h"
#include "TypedForms.h"
#include "captions/Language.h"

namespace controller {
namespace {

const DopingBoxes kInitialDoping{"1e10", "1e10"};

// What a set-up should come to: no problem, or the first bad key and its text.
struct Expected {
    std::optional<SetupKey> badKey;
    std::string badValue;
};

struct FragmentCase {
    const char* fragment;
    Expected expected;
};

void PrintTo(const FragmentCase& c, std::ostream* os) { *os << '"' << c.fragment << '"'; }

class FragmentTable : public ::testing::TestWithParam<FragmentCase> {};

TEST_P(FragmentTable, FirstProblemNamesTheKeyAndItsTextAsTyped) {
    const FragmentCase& c = GetParam();
    const auto problem = FirstProblem(SetupFromFragment(c.fragment), kInitialDoping);
    if (!c.expected.badKey) {
        EXPECT_FALSE(problem.has_value()) << SetupKeyName(problem->key) << " " << problem->value;
        return;
    }
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(SetupKeyName(problem->key), SetupKeyName(*c.expected.badKey));
    EXPECT_EQ(problem->value, c.expected.badValue);
}

constexpr auto T = SetupKey::Temperature;
constexpr auto F = SetupKey::Fermi;
constexpr auto ND = SetupKey::Donors;
constexpr auto NA = SetupKey::Acceptors;

INSTANTIATE_TEST_SUITE_P(
    Values, FragmentTable,
    ::testing::Values(
        FragmentCase{"temperature=350&fermi=0.7&nd=1e16&na=1e10&field=on&speed=5&start", {}},
        FragmentCase{"#temperature=4436.5&fermi=-24.706", {}},
        FragmentCase{"temperature=0&fermi=29.907&start=1&speed=20&field=off", {}},
        FragmentCase{"nd=-1e10&na=-1e10", {}},             // both negative: mid-gap
        FragmentCase{"na=1e16", {}},                       // paired with the box's 1e10
        FragmentCase{"colour=red&temperature=300&&", {}},  // unknown keys ignored
        FragmentCase{"fermi=0%2E7&nd=1e%2B16&na=1e+10", {}}, FragmentCase{"", {}},
        FragmentCase{"temperature=4436.6", {T, "4436.6"}},
        FragmentCase{"temperature=-1", {T, "-1"}}, FragmentCase{"temperature=", {T, ""}},
        FragmentCase{"temperature=3%2C5", {T, "3,5"}},  // the page reads '.' only
        FragmentCase{"fermi=29.91", {F, "29.91"}}, FragmentCase{"fermi=half", {F, "half"}},
        FragmentCase{"nd=0", {ND, "0"}}, FragmentCase{"na=0&nd=1e16", {NA, "0"}},
        FragmentCase{"nd=0&na=1e10", {ND, "0"}}, FragmentCase{"nd=1e16&na=-1e10", {NA, "-1e10"}},
        FragmentCase{"nd=lots&na=1e10", {ND, "lots"}}, FragmentCase{"nd=1e16&na=x", {NA, "x"}},
        FragmentCase{"field=maybe", {SetupKey::Field, "maybe"}},
        FragmentCase{"speed=3", {SetupKey::Speed, "3"}},
        FragmentCase{"speed=fast", {SetupKey::Speed, "fast"}},
        FragmentCase{"start=yes", {SetupKey::Start, "yes"}},
        // The first in the order of application, wherever it stands.
        FragmentCase{"speed=3&start=no&temperature=9999", {T, "9999"}},
        FragmentCase{"temperature=300&temperature=9999", {T, "9999"}},  // the last one counts
        FragmentCase{"temperature=%E2%88%9E", {T, "\u221e"}}));

TEST(SharedSetup, TheDopingPairIsCheckedWithTheBoxesItMeets) {
    const SharedSetup onlyDonors = SetupFromFragment("nd=1e16");
    EXPECT_FALSE(FirstProblem(onlyDonors, {"1e10", "1e10"}).has_value());
    const auto problem = FirstProblem(onlyDonors, {"1e10", ""});
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->key, SetupKey::Donors);
    EXPECT_EQ(problem->accepts, SetupAccepts::DopingPair);
    // A comma locale's box reads "0,7", as Start would.
    EXPECT_FALSE(FirstProblem(SetupFromFragment("fermi=0%2C7"), kInitialDoping, ",").has_value());
}

TEST(SharedSetup, TypedValuesAndTheRangeOfARefusal) {
    const SharedSetup full =
        SetupFromFragment("temperature=350&fermi=0.7&nd=1e16&na=1e10&field=on&speed=5&start");
    EXPECT_EQ(full.Value(SetupKey::Temperature), "350");
    EXPECT_EQ(full.Value(SetupKey::Donors), "1e16");
    EXPECT_EQ(full.Field(), true);
    EXPECT_EQ(full.Speed(), 5);
    EXPECT_TRUE(full.Start());
    const SharedSetup none = SetupFromFragment("field=off&speed=10");
    EXPECT_EQ(none.Field(), false);
    EXPECT_EQ(none.Speed(), 10);
    EXPECT_FALSE(none.Start());
    EXPECT_FALSE(none.Value(SetupKey::Temperature).has_value());

    const auto hot = FirstProblem(SetupFromFragment("temperature=5000"), kInitialDoping);
    ASSERT_TRUE(hot.has_value());
    EXPECT_EQ(hot->accepts, SetupAccepts::Range);
    EXPECT_EQ(hot->range.low, 0.0);
    EXPECT_EQ(hot->range.high, 4436.0);
    const auto deep = FirstProblem(SetupFromFragment("fermi=-30"), kInitialDoping);
    ASSERT_TRUE(deep.has_value());
    EXPECT_EQ(deep->range.low, -24.706);
    EXPECT_EQ(deep->range.high, 29.907);
}

TEST(SharedSetup, StepsFollowTheOrderOfApplication) {
    const SharedSetup setup =
        SetupFromFragment("start&speed=10&field=on&na=1e10&nd=1e13&fermi=0.9&temperature=400");
    std::vector<SetupKey> keys;
    for (const SharedSetup::Step& step : setup.Steps()) keys.push_back(step.key);
    EXPECT_EQ(keys, (std::vector<SetupKey>{T, F, ND, NA, SetupKey::Field, SetupKey::Speed,
                                           SetupKey::Start}));
    const CommandLine line = SetupFromCommandLine({"--start", "--na", "1e10", "--temperature=400"});
    keys.clear();
    for (const SharedSetup::Step& step : line.setup.Steps()) keys.push_back(step.key);
    EXPECT_EQ(keys, (std::vector<SetupKey>{T, NA, SetupKey::Start}));
}

TEST(SharedSetup, FragmentRoundTrip) {
    for (const char* fragment :
         {"temperature=350&fermi=0.7&nd=1e16&na=1e10&field=on&speed=5&start", "fermi=0%2C7&start=1",
          "nd=1e%2B16&field", "temperature=%E5%A4%A7%26%3D%25"}) {
        EXPECT_EQ(FragmentOf(SetupFromFragment(fragment)), fragment);
    }
}

struct BoxesCase {
    SetupBoxes boxes;
    const char* separator;
    const char* fragment;
};

TEST(SharedSetup, LinkFromTheBoxes) {
    const BoxesCase cases[] = {
        {{"350", "0.7", "1e16", "1e10", true, 5},
         ".",
         "temperature=350&fermi=0.7&nd=1e16&na=1e10&field=on&speed=5&start"},
        // A comma locale's boxes give a link that reads alike everywhere.
        {{"300,5", "0,7", "1e16", "1e10", false, 1},
         ",",
         "temperature=300.5&fermi=0.7&nd=1e16&na=1e10&field=off&speed=1&start"},
        // The Fermi level typed after the doping: the doping would overwrite it.
        {{"300", "0.9", "1e16", "1e10", false, 20},
         ".",
         "temperature=300&fermi=0.9&field=off&speed=20&start"},
        {{"warm", "0.5", "1e10", "", false, 2},
         ".",
         "temperature=warm&fermi=0.5&field=off&speed=2&start"},
    };
    for (const BoxesCase& c : cases) {
        const SharedSetup setup = SetupOf(c.boxes, c.separator);
        EXPECT_EQ(FragmentOf(setup), c.fragment);
        // Read back, it sets the same boxes.
        const SharedSetup back = SetupFromFragment(FragmentOf(setup));
        EXPECT_EQ(back.Speed(), c.boxes.speed);
        EXPECT_EQ(back.Field(), c.boxes.field);
        EXPECT_TRUE(back.Start());
    }
}

struct CommandLineCase {
    std::vector<std::string> arguments;
    CommandLine::Fault fault;
    const char* option;
    Expected expected;
};

TEST(SharedSetup, CommandLineTable) {
    using Fault = CommandLine::Fault;
    const CommandLineCase cases[] = {
        {{"--temperature", "350", "--fermi", "0.7", "--nd", "1e16", "--na", "1e10", "--field",
          "--speed", "5", "--start"},
         Fault::None,
         "",
         {}},
        {{"--temperature=350", "--field=off", "--speed=2"}, Fault::None, "", {}},
        {{"-platform", "offscreen", "-style", "fusion", "--start"}, Fault::None, "", {}},
        {{"--fermi", "-0.5", "--field", "off"}, Fault::None, "", {}},
        {{"--bogus"}, Fault::UnknownOption, "bogus", {}},
        {{"--start", "--Temperature=300"}, Fault::UnknownOption, "Temperature", {}},
        {{"--temperature"}, Fault::NeedsValue, "temperature", {}},
        {{"--nd", "--start"}, Fault::NeedsValue, "nd", {}},
        {{"--speed", "3"}, Fault::None, "", {SetupKey::Speed, "3"}},
        {{"--field=sideways"}, Fault::None, "", {SetupKey::Field, "sideways"}},
        {{"--temperature", "99999", "--fermi", "40"}, Fault::None, "", {T, "99999"}},
        {{"--na", "0"}, Fault::None, "", {NA, "0"}},
    };
    for (const CommandLineCase& c : cases) {
        const CommandLine line = SetupFromCommandLine(c.arguments);
        const std::string what = c.arguments.front();
        EXPECT_EQ(line.fault, c.fault) << what;
        EXPECT_EQ(line.option, c.option) << what;
        EXPECT_FALSE(line.help) << what;
        const auto problem = FirstProblem(line.setup, kInitialDoping);
        EXPECT_EQ(problem.has_value(), c.expected.badKey.has_value()) << what;
        if (problem && c.expected.badKey) {
            EXPECT_EQ(problem->key, *c.expected.badKey) << what;
            EXPECT_EQ(problem->value, c.expected.badValue) << what;
        }
    }
    const CommandLine full = SetupFromCommandLine(cases[0].arguments);
    EXPECT_EQ(FragmentOf(full.setup),
              "temperature=350&fermi=0.7&nd=1e16&na=1e10&field&speed=5&start");
    EXPECT_EQ(SetupFromCommandLine({"--field", "off"}).setup.Field(), false);
    EXPECT_EQ(SetupFromCommandLine({"--field", "-reverse"}).setup.Field(), true);
    EXPECT_TRUE(SetupFromCommandLine({"-platform", "offscreen", "--help"}).help);
}

TEST(SharedSetup, OneLineErrorsNameTheOptionAndItsRange) {
    const form::Language& en = form::EnglishLanguage();
    const auto line = [&](std::vector<std::string> arguments) {
        return CommandLineError(SetupFromCommandLine(arguments), kInitialDoping, en, "quarvel");
    };
    EXPECT_EQ(line({"--temperature", "99999"}),
              "quarvel: --temperature \"99999\" is not accepted: --temperature takes a number "
              "from 0 to 4436.");
    EXPECT_EQ(line({"--speed=4"}),
              "quarvel: --speed \"4\" is not accepted: --speed takes one of 1, 2, 5, 10, 20.");
    EXPECT_EQ(line({"--colour"}),
              "quarvel: unknown option --colour; quarvel --help lists the options.");
    EXPECT_EQ(line({"--fermi"}),
              "quarvel: --fermi needs a value; quarvel --help lists the options.");
    EXPECT_EQ(line({"--temperature", "300", "--start"}), std::nullopt);
}

// Every text of both languages, filled: no field is left, and what the user
// typed and what the key takes are in it.
TEST(SharedSetup, BothLanguagesFillEveryText) {
    const SetupProblem problems[] = {
        {T, "{accepts}", SetupAccepts::Range, {0.0, 4436.0}},
        {NA, "0", SetupAccepts::DopingPair},
        {SetupKey::Field, "x", SetupAccepts::OnOff},
        {SetupKey::Speed, "3", SetupAccepts::Speed},
        {SetupKey::Start, "no", SetupAccepts::Flag},
    };
    for (const form::Language* language : {&form::EnglishLanguage(), &form::JapaneseLanguage()}) {
        const form::SetupTexts* texts = &language->setup;
        for (const SetupProblem& problem : problems) {
            const std::string accepts = AcceptsText(problem, *texts);
            const std::string notice = LinkNotice(problem, *language);
            EXPECT_EQ(accepts.find('{'), std::string::npos) << accepts;
            EXPECT_NE(notice.find(accepts), std::string::npos) << notice;
            EXPECT_NE(notice.find(problem.value), std::string::npos) << notice;
            EXPECT_NE(notice.find(SetupKeyName(problem.key)), std::string::npos) << notice;
        }
        const std::string help = HelpText(*texts, "norvia");
        EXPECT_EQ(help.find('{'), std::string::npos) << help;
        for (const char* part : {"norvia", "--temperature", "4436", "-24.706", "29.907", "--speed",
                                 "20", "--help", "--start", "--field", "--nd", "--na"}) {
            EXPECT_NE(help.find(part), std::string::npos) << part;
        }
        for (const auto& arguments : std::vector<std::vector<std::string>>{
                 {"--x"}, {"--fermi"}, {"--fermi=99"}, {"--nd=0"}}) {
            const auto error = CommandLineError(SetupFromCommandLine(arguments), kInitialDoping,
                                                *language, "norvia");
            ASSERT_TRUE(error.has_value());
            EXPECT_EQ(error->find('{'), std::string::npos) << *error;
            EXPECT_EQ(error->find('\n'), std::string::npos) << *error;
            EXPECT_FALSE(texts->copyLink.empty());
        }
    }
    EXPECT_NE(AcceptsText(problems[3], form::JapaneseLanguage().setup).find("1、2、5、10、20"),
              std::string::npos);
}

}  // namespace
}  // namespace controller

namespace controller {
namespace {

struct DopingCase {
    const char* nd;  // null: not given
    const char* na;
    bool blamesNd;
    bool blamesNa;
};

// A doping pair that gives no Fermi level names the value that is wrong, or
// both, in the link's notice and on the command line alike.
TEST(SetupMistakes, ADopingPairNamesTheValueThatIsWrong) {
    const DopingCase cases[] = {
        {"-1", "1e10", true, false},     {"-1e16", "1e10", true, false},
        {"1e16", "-1e10", false, true},  {"0", "1e10", true, false},
        {"1e16", "0", false, true},      {"0", "0", true, true},
        {"abc", "-5", true, false},      {"x", "y", true, true},
        {"1e300", "1e-300", true, true},  // too far apart for a Fermi level
        {nullptr, "-1", false, true},    {"0", nullptr, true, false},
        {"1e10", "1e400", false, true},  // beyond a double
    };
    const form::Language& en = form::EnglishLanguage();
    for (const DopingCase& c : cases) {
        std::string fragment;
        std::vector<std::string> arguments;
        for (const auto& [key, value] : {std::pair{"nd", c.nd}, {"na", c.na}}) {
            if (!value) continue;
            fragment += std::string(fragment.empty() ? "" : "&") + key + "=" + value;
            arguments.insert(arguments.end(), {std::string("--") + key, value});
        }
        const auto problem = FirstProblem(SetupFromFragment(fragment), kInitialDoping);
        ASSERT_TRUE(problem.has_value()) << fragment;
        const std::string notice = LinkNotice(*problem, en);
        EXPECT_EQ(notice.find("nd to “") != std::string::npos, c.blamesNd) << notice;
        EXPECT_EQ(notice.find("na to “") != std::string::npos, c.blamesNa) << notice;
        const auto line =
            CommandLineError(SetupFromCommandLine(arguments), kInitialDoping, en, "q");
        ASSERT_TRUE(line.has_value()) << fragment;
        EXPECT_EQ(line->find("--nd \"") != std::string::npos, c.blamesNd) << *line;
        EXPECT_EQ(line->find("--na \"") != std::string::npos, c.blamesNa) << *line;
    }
}

struct LineCase {
    std::vector<std::string> arguments;
    const char* said;  // what the one line must hold, or null for none
};

// What the command line names: the unknown option, the stray argument, the
// bad value, shortened where it is long; Qt's own options pass.
TEST(SetupMistakes, TheCommandLineNamesEachMistake) {
    const std::string digits(5000, '9');
    const LineCase cases[] = {
        {{"--temperature", "300", "extra"}, "quarvel: unexpected argument \"extra\";"},
        {{"extra", "--start"}, "unexpected argument \"extra\""},
        {{"-reverse", "350"}, "unexpected argument \"350\""},  // -reverse takes no value
        {{"--temperature", "300", "-"}, "unexpected argument \"-\""},
        {{"-platform", "offscreen", "-style", "fusion", "-session", "s1", "--start"}, nullptr},
        {{"-qwindowtitle", "Lab 3", "-reverse", "--field", "off"}, nullptr},
        {{"--Temperature=300"}, "unknown option --Temperature;"},
        {{"--temperature", digits}, "--temperature \"9999999999…9999999999\" is not"},
        {{digits}, "unexpected argument \"9999999999…9999999999\";"},
        {{"--" + digits}, "unknown option --9999999999…9999999999;"},
        {{"--language", digits}, "--language \"9999999999…9999999999\" is not"},
    };
    for (const LineCase& c : cases) {
        const auto line = CommandLineError(SetupFromCommandLine(c.arguments), kInitialDoping,
                                           form::EnglishLanguage(), "quarvel");
        if (!c.said) {
            EXPECT_EQ(line, std::nullopt) << c.arguments.front();
            continue;
        }
        ASSERT_TRUE(line.has_value()) << c.arguments.front();
        EXPECT_NE(line->find(c.said), std::string::npos) << *line;
        EXPECT_LT(line->size(), 200U) << *line;
    }
}

struct ShortCase {
    std::string typed;
    std::string shown;
};

TEST(SetupMistakes, ALongValueShowsItsStartAndEnd) {
    std::string fullWidth;
    for (int i = 0; i < 25; ++i) fullWidth += i < 10 ? "１" : i < 15 ? "２" : "３";
    const ShortCase cases[] = {
        {std::string(24, '7'), std::string(24, '7')},  // whole up to 24 characters
        {"0123456789abcdeABCDE9876543210", "0123456789…9876543210"},
        {fullWidth, "１１１１１１１１１１…３３３３３３３３３３"},  // never cut inside a character
        {"", ""},
    };
    for (const ShortCase& c : cases) EXPECT_EQ(Shortened(c.typed), c.shown);
}

struct NarrowCase {
    const char* typed;
    const char* read;
};

// What an input method types, read as the number it means; anything else
// stays as typed.
TEST(SetupMistakes, FullWidthFormsReadAsTheirAscii) {
    const NarrowCase cases[] = {
        {"３５０", "350"},
        {"０．７", "0.7"},
        {"１ｅ１６", "1e16"},
        {"－１．５Ｅ＋１６", "-1.5E+16"},
        {"−3", "-3"},               // the minus sign
        {"ー０。５", "-0.5"},       // a kana keyboard's '-' and '.'
        {"\u3000３\u3000", " 3 "},  // ideographic spaces
        {"ｏｆｆ", "off"},
        {"温度 300 K", "温度 300 K"},
        {"\xEF\xBC", "\xEF\xBC"},  // a cut-off sequence stays
    };
    for (const NarrowCase& c : cases) EXPECT_EQ(NarrowForms(c.typed), c.read) << c.typed;
    // A link and the command line take them as the boxes do.
    const SharedSetup link = SetupFromFragment(
        "temperature=３５０&fermi=%EF%BC%90%EF%BC%8E%EF%BC%97&nd=１ｅ１６&na=１ｅ１０&field=ｏｎ&"
        "speed=５&start=１");
    EXPECT_EQ(FirstProblem(link, kInitialDoping), std::nullopt);
    EXPECT_EQ(link.Speed(), 5);
    EXPECT_EQ(link.Field(), true);
    EXPECT_TRUE(link.Start());
    const CommandLine line = SetupFromCommandLine(
        {"--temperature", "３５０", "--nd", "－１ｅ１６", "--na", "－１ｅ１０", "--speed=２０"});
    EXPECT_EQ(FirstProblem(line.setup, kInitialDoping), std::nullopt);
    EXPECT_EQ(line.setup.Speed(), 20);
    const auto hot = FirstProblem(SetupFromFragment("temperature=９９９９"), kInitialDoping);
    ASSERT_TRUE(hot.has_value());
    EXPECT_EQ(hot->value, "９９９９");  // named as typed
}

}  // namespace
}  // namespace controller
