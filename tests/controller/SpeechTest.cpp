#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Controller.h"
#include "FakeFrontEnd.h"
#include "captions/Language.h"

namespace controller {
namespace {

using carriers::TextBoxId;
using form::Announcement;
using testing::FakeFrontEnd;

// A loaded window in one language, speech on unless a case turns it off.
struct Window {
    explicit Window(const char* code)
        : language(*form::FindLanguage(code)), c(form::Quarvel(), front, ".", &language) {
        c.Load();
        c.SetSpeechState(SpeechState::Ready);
        c.Run(Command::Speak);
    }
    void Do(Announcement action) { c.Fire(*Controller::BindingFor(action)); }
    // What the last action said aloud, empty if nothing.
    std::string Heard(std::size_t before) const {
        return front.spoken.size() > before ? front.spoken.back().text : std::string();
    }

    const form::Language& language;
    FakeFrontEnd front;
    Controller c;
};

constexpr const char* kLanguages[] = {"en", "ja", "ar"};

// Each action is heard in the window's language with what a screen reader
// is told of it, and with a voice of that language.
TEST(Speech, EachActionIsHeardAsTheScreenReaderIsToldIt) {
    for (const char* code : kLanguages) {
        Window w(code);
        const auto act = [&](auto action) -> std::string {
            const std::size_t told = w.front.announced.size();
            const std::size_t said = w.front.spoken.size();
            action();
            EXPECT_EQ(w.front.spoken.size(), said + 1) << code;
            if (w.front.spoken.size() != said + 1) return {};
            const Utterance& heard = w.front.spoken.back();
            EXPECT_EQ(heard.languageTag, w.language.tag) << code;
            if (w.front.announced.size() > told) {
                EXPECT_EQ(heard.text, w.front.announced.back()) << code;
            }
            return heard.text;
        };
        const std::string started = act([&] { w.Do(Announcement::Start); });
        EXPECT_NE(started.find("300"), std::string::npos) << code << ": " << started;
        act([&] { w.Do(Announcement::Light); });
        act([&] { w.Do(Announcement::Diffusion); });
        w.front.check1 = 1;
        EXPECT_EQ(act([&] { w.Do(Announcement::Field); }), w.language.spoken.fieldOn) << code;
        EXPECT_EQ(act([&] { w.c.Run(Command::PauseResume); }), w.language.spoken.paused);
        EXPECT_EQ(act([&] { w.c.Run(Command::PauseResume); }), w.language.spoken.resumed);
        EXPECT_NE(act([&] { w.c.Run(Command::Faster); }).find('2'), std::string::npos) << code;
        EXPECT_EQ(act([&] { w.c.Run(Command::SayScene); }), w.c.Scene()) << code;
        // The doping boxes speak once the typing pauses, as they announce.
        w.front.texts[3] = "1e16";
        act([&] { w.Do(Announcement::Doping); });
        EXPECT_TRUE(w.front.spoken.back().onceTypingPauses) << code;
    }
}

TEST(Speech, ARefusedValuesNoticeIsHeard) {
    for (const char* code : kLanguages) {
        Window w(code);
        w.front.texts[0] = "9999";
        w.Do(Announcement::Start);
        ASSERT_EQ(w.front.refusals.size(), 1U) << code;
        ASSERT_EQ(w.front.spoken.size(), 1U) << code;
        EXPECT_EQ(w.front.spoken[0].text, w.front.refusals[0].text);
        EXPECT_EQ(w.front.spoken[0].languageTag, w.language.tag);
    }
}

// Nothing is said by itself while a run goes on, at any speed.
TEST(Speech, ARunSaysNothingByItself) {
    Window w("en");
    w.Do(Announcement::Start);
    w.c.SetSpeed(20);
    const std::size_t said = w.front.spoken.size();
    const auto timers = form::TimerTable();
    for (int pulse = 0; pulse < 200; ++pulse) {
        for (std::size_t row = 0; row < timers.size(); ++row) w.c.TimerFired(row);
    }
    EXPECT_GT(w.c.Record().Ticks(), 1000U);
    EXPECT_EQ(w.front.spoken.size(), said);
}

struct SilentCase {
    const char* why;
    bool on;
    SpeechState state;
};

// Off, or without a voice of the language, nothing is heard at all (never
// another language's voice), and the command says why it cannot be used.
TEST(Speech, SilentWhenOffOrWithoutAVoiceOfTheLanguage) {
    const SilentCase cases[] = {
        {"off", false, SpeechState::Ready},
        {"no voice", true, SpeechState::NoVoice},
        {"no service", true, SpeechState::NoService},
    };
    for (const SilentCase& c : cases) {
        Window w("es");
        w.c.SetSpeakOn(c.on);
        w.c.SetSpeechState(c.state);
        w.Do(Announcement::Start);
        w.c.Run(Command::PauseResume);
        w.c.Run(Command::SayScene);
        EXPECT_TRUE(w.front.spoken.empty()) << c.why;
        EXPECT_FALSE(w.front.announced.empty()) << c.why;  // the screen reader still hears
        const bool mayUse = c.state == SpeechState::Ready;
        EXPECT_EQ(w.c.Enabled(Command::Speak), mayUse) << c.why;
        EXPECT_EQ(w.c.Enabled(Command::SayScene), mayUse && c.on) << c.why;
    }
    Window w("es");
    w.c.SetSpeechState(SpeechState::NoVoice);
    EXPECT_NE(w.c.Caption(Command::Speak).find("Español"), std::string::npos);
    w.c.SetSpeechState(SpeechState::NoService);
    EXPECT_NE(w.c.Caption(Command::Speak), w.c.Caption(Command::SayScene));
    EXPECT_EQ(w.c.Caption(Command::Speak).find("Español"), std::string::npos);
}

struct LinkCase {
    const char* fragment;
    bool speaking;
};

// A link turns speech on before Start, so that Start is heard; a bad value
// turns nothing on and starts nothing.
TEST(Speech, ALinkTurnsSpeechOnBeforeStart) {
    const LinkCase cases[] = {{"speak=on&start", true},
                              {"speak&start", true},
                              {"start", false},
                              {"speak=off&start", false}};
    for (const LinkCase& c : cases) {
        Window w("en");
        w.c.SetSpeakOn(false);
        w.c.Apply(SetupFromFragment(c.fragment));
        EXPECT_EQ(w.c.SpeakOn(), c.speaking) << c.fragment;
        EXPECT_EQ(w.front.spoken.size(), c.speaking ? 1U : 0U) << c.fragment;
        EXPECT_TRUE(w.c.RunStarted()) << c.fragment;
    }
    Window w("en");
    w.c.SetSpeakOn(false);
    EXPECT_TRUE(w.c.Apply(SetupFromFragment("speak=loud&start")).has_value());
    EXPECT_FALSE(w.c.SpeakOn());
    EXPECT_FALSE(w.c.RunStarted());
    // The copied link leaves speech to each listener.
    w.c.SetSpeakOn(true);
    EXPECT_EQ(w.c.SetupLink().find("speak"), std::string::npos);
}

// The front end finds its engine when speech is first turned on, by the
// command or a link, and falls silent when it is turned off; a link that
// repeats the state tells it nothing.
TEST(Speech, TheFrontEndIsToldWhenSpeechIsTurnedOnOrOff) {
    Window w("en");  // turned on by the command
    w.c.Apply(SetupFromFragment("speak=on"));
    w.c.Run(Command::Speak);
    w.c.Apply(SetupFromFragment("speak"));
    EXPECT_EQ(w.front.speakSwitches, "+-+");
}

}  // namespace
}  // namespace controller
