#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Controller.h"
#include "FakeFrontEnd.h"
#include "Setup.h"
#include "captions/Language.h"

namespace controller {
namespace {

using carriers::TextBoxId;
using form::Announcement;
using testing::FakeFrontEnd;

struct FindCase {
    const char* asked;
    const char* found;  // nullptr: none
};

TEST(Languages, CodesMatchWithoutCaseAndABareLanguagePicksItsVariant) {
    const FindCase cases[] = {
        {"en", "en"},      {"EN", "en"},           {"pt-br", "pt-BR"}, {"PT", "pt-BR"},
        {"zh", "zh-Hans"}, {"ZH-hans", "zh-Hans"}, {"ja", "ja"},       {"xx", nullptr},
        {"", nullptr},     {"e", nullptr},         {"pt-", nullptr},   {"en-US", nullptr},
    };
    for (const FindCase& c : cases) {
        const form::Language* found = form::FindLanguage(c.asked);
        if (!c.found) {
            EXPECT_EQ(found, nullptr) << c.asked;
        } else {
            ASSERT_NE(found, nullptr) << c.asked;
            EXPECT_EQ(found->code, c.found) << c.asked;
        }
    }
}

TEST(Languages, EveryLanguageIsCompleteAndNamedInItself) {
    std::vector<std::string_view> names;
    for (const form::Language* language : form::Languages()) {
        EXPECT_EQ(form::FindLanguage(language->code), language);
        EXPECT_FALSE(language->name.empty());
        for (std::string_view other : names) EXPECT_NE(language->name, other);
        names.push_back(language->name);
        // Each program keeps its own name in every language.
        EXPECT_NE(language->title.find("{program}"), std::string_view::npos) << language->code;
    }
    EXPECT_EQ(form::EnglishLanguage().name, "English");
    EXPECT_EQ(form::JapaneseLanguage().name, "日本語");
}

struct PluralCase {
    const char* code;
    long count;
    const char* electrons;
};

// The counts take the language's own forms, from its file's Plural-Forms.
TEST(Languages, CountsTakeTheLanguagesPluralForms) {
    const PluralCase cases[] = {
        {"en", 0, "0 electrons"}, {"en", 1, "1 electron"}, {"en", 2, "2 electrons"},
        {"fr", 0, "0 électron"},  {"fr", 1, "1 électron"}, {"fr", 2, "2 électrons"},
        {"ja", 1, "電子 1 個"},   {"ja", 7, "電子 7 個"},
    };
    for (const PluralCase& c : cases) {
        const form::Language* language = form::FindLanguage(c.code);
        ASSERT_NE(language, nullptr) << c.code;
        std::string text(language->spoken.electrons.For(c.count));
        text.replace(text.find("{n}"), 3, std::to_string(c.count));
        EXPECT_EQ(text, c.electrons) << c.code << " " << c.count;
    }
    // Arabic has six forms: 0, 1, 2, 3-10, 11-99, and 100-102 like 0.
    const form::Language* arabic = form::FindLanguage("ar");
    ASSERT_NE(arabic, nullptr);
    const auto& holes = arabic->spoken.holes;
    ASSERT_EQ(holes.forms.size(), 6U);
    const long counts[] = {0, 1, 2, 3, 10, 11, 99, 100, 102, 103};
    const std::size_t forms[] = {0, 1, 2, 3, 3, 4, 4, 5, 5, 3};
    for (std::size_t i = 0; i < std::size(counts); ++i) {
        EXPECT_EQ(holes.For(counts[i]), holes.forms[forms[i]]) << counts[i];
    }
}

// A controller of Quarvel, loaded, driven by the same scripted actions.
struct Session {
    explicit Session(const form::Language* language = nullptr)
        : controller(form::Quarvel(), front, ".", language) {
        controller.Load();
    }
    void Do(Announcement action) { controller.Fire(*Controller::BindingFor(action)); }
    FakeFrontEnd front;
    Controller controller;
};

// Choosing a language while a run goes on changes nothing a tick does.
TEST(Languages, ASwitchMidRunChangesNoTick) {
    Session plain;
    Session switched;
    for (Session* run : {&plain, &switched}) {
        run->front.texts[1] = "0.7";
        run->Do(Announcement::Start);
        run->controller.SetPaused(true);
    }
    const auto steps = [](Session& run, int n) {
        for (int i = 0; i < n; ++i) run.controller.Step();
    };
    steps(plain, 200);
    steps(switched, 100);
    switched.controller.SetLanguage(*form::FindLanguage("ar"));
    steps(switched, 100);
    switched.controller.SetLanguage(*form::FindLanguage("ja"));
    switched.Do(Announcement::Light);
    plain.Do(Announcement::Light);
    steps(switched, 100);
    steps(plain, 100);
    EXPECT_EQ(switched.controller.Csv(), plain.controller.Csv());
    EXPECT_GT(switched.controller.Record().Ticks(), 200U);
    // What it says follows the language at once.
    EXPECT_EQ(switched.front.announced.back().rfind("光照射: 電子", 0), 0U)
        << switched.front.announced.back();
    EXPECT_EQ(plain.front.announced.back().rfind("Light: ", 0), 0U);
}

TEST(Languages, ALinkChoosesTheLanguageFirstAndALanguageItLacksIsNamed) {
    Session spanish;
    spanish.controller.Apply(SetupFromFragment("temperature=350&lang=ES&start"));
    EXPECT_EQ(spanish.controller.Description().language().code, "es");
    EXPECT_TRUE(spanish.controller.RunStarted());
    EXPECT_TRUE(spanish.front.refusals.empty());
    // The run's announcement is already in the language the link chose.
    const std::string_view started = spanish.controller.Description().language().spoken.started;
    const std::string_view before = started.substr(0, started.find('{'));
    EXPECT_FALSE(before.empty());
    EXPECT_EQ(spanish.front.announced.back().rfind(before, 0), 0U)
        << spanish.front.announced.back();
    // The link it gives back keeps the language.
    EXPECT_EQ(spanish.controller.SetupLink().rfind("lang=es&temperature=350&", 0), 0U)
        << spanish.controller.SetupLink();

    Session lacking;
    lacking.controller.Apply(SetupFromFragment("lang=tlh&temperature=350&start"));
    EXPECT_EQ(lacking.controller.Description().language().code, "en");
    EXPECT_TRUE(lacking.controller.RunStarted());
    ASSERT_EQ(lacking.front.refusals.size(), 1U);
    EXPECT_FALSE(lacking.front.refusals[0].box.has_value());
    EXPECT_NE(lacking.front.refusals[0].text.find("“tlh”"), std::string::npos);
    EXPECT_NE(lacking.front.refusals[0].text.find("English"), std::string::npos);
    EXPECT_EQ(lacking.controller.SetupLink().find("lang="), std::string::npos);

    // Both faults in one notice, and the refused box still has the focus.
    Session both;
    both.controller.Apply(SetupFromFragment("lang=tlh&temperature=9999&start"));
    EXPECT_FALSE(both.controller.RunStarted());
    ASSERT_EQ(both.front.refusals.size(), 1U);
    EXPECT_EQ(both.front.refusals[0].box, TextBoxId::Text1);
    EXPECT_NE(both.front.refusals[0].text.find("“tlh”"), std::string::npos);
    EXPECT_NE(both.front.refusals[0].text.find("9999"), std::string::npos);
}

TEST(Languages, TheCommandLineRefusesALanguageItLacksAndHelpListsTheCodes) {
    const form::SetupTexts& texts = form::EnglishLanguage().setup;
    const DopingBoxes before{"1e10", "1e10"};
    const form::Language& english = form::EnglishLanguage();
    EXPECT_FALSE(
        CommandLineError(SetupFromCommandLine({"--language", "PT"}), before, english, "q"));
    const auto error =
        CommandLineError(SetupFromCommandLine({"--language=xx", "--temperature", "9999"}), before,
                         english, "quarvel");
    ASSERT_TRUE(error);
    EXPECT_EQ(
        error->rfind("quarvel: --language \"xx\" is not accepted: --language takes one of en, ja, ",
                     0),
        0U)
        << *error;
    const std::string help = HelpText(texts, "quarvel");
    for (const form::Language* language : form::Languages()) {
        EXPECT_NE(LanguageCodes(texts).find(language->code), std::string::npos);
    }
    EXPECT_NE(help.find("--language CODE"), std::string::npos);
    EXPECT_NE(help.find(LanguageCodes(texts)), std::string::npos);
}

struct DecodeCase {
    const char* fragment;
    const char* temperature;
};

// A link's value is decoded once, and bytes that are no UTF-8 read as U+FFFD
// wherever the value is shown.
TEST(Languages, ALinksBrokenEscapesReadAsReplacementCharacters) {
    const DecodeCase cases[] = {
        {"temperature=%E0%A4%A", "\xEF\xBF\xBD%A"},  // one for the cut-off sequence
        {"temperature=%E0%A4%A5", "\xE0\xA4\xA5"},
        {"temperature=%C0%AF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                 // an overlong '/'
        {"temperature=%ED%A0%80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
        {"temperature=%E2%88", "\xEF\xBF\xBD"},
        {"temperature=%FF1",
         "\xEF\xBF\xBD"
         "1"},
        {"temperature=%F4%90%80%80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"temperature=%25E0", "%E0"},  // decoded once, not twice
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(SetupFromFragment(c.fragment).Value(SetupKey::Temperature), c.temperature)
            << c.fragment;
    }
}

}  // namespace
}  // namespace controller
