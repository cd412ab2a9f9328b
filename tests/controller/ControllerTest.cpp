#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Controller.h"
#include "FakeFrontEnd.h"
#include "WindowTables.h"
#include "captions/Language.h"
#include "form/FormLayout.h"

namespace controller {
namespace {

using carriers::TextBoxId;
using form::Announcement;
using testing::FakeFrontEnd;

// The controller of an English window, loaded, with its timers by role.
class ControllerTest : public ::testing::Test {
  protected:
    ControllerTest() {
        const auto timers = form::TimerTable();
        for (std::size_t row = 0; row < timers.size(); ++row) {
            (timers[row].role == form::TimerRole::Tick ? tick_ : readout_) = row;
        }
        c_.Load();
    }
    void Do(Announcement action) { c_.Fire(*Controller::BindingFor(action)); }
    void Pulse() { c_.TimerFired(tick_); }
    int Ticks() const { return static_cast<int>(c_.Record().Ticks()); }
    bool TickRunning() const { return front_.running[tick_]; }
    bool ReadoutRunning() const { return front_.running[readout_]; }

    FakeFrontEnd front_;
    Controller c_{form::Quarvel(), front_, "."};
    std::size_t tick_ = 0;
    std::size_t readout_ = 0;
};

TEST_F(ControllerTest, TimersFollowTheRunThePauseAndTheSpeed) {
    EXPECT_FALSE(TickRunning());
    EXPECT_TRUE(ReadoutRunning());  // from load, before any Start
    Do(Announcement::Start);
    EXPECT_TRUE(TickRunning());
    c_.SetPaused(true);
    EXPECT_FALSE(TickRunning());
    EXPECT_FALSE(ReadoutRunning());
    c_.SetPaused(false);
    c_.SetSpeed(5);
    // Faster than 1 the readout follows the ticks, not the wall clock.
    EXPECT_TRUE(TickRunning());
    EXPECT_FALSE(ReadoutRunning());
    c_.SetSpeed(1);
    EXPECT_TRUE(ReadoutRunning());
}

TEST_F(ControllerTest, APulseRunsAsManyTicksAsTheSpeedAndNoneWhilePaused) {
    Do(Announcement::Start);
    for (const auto& [speed, ticks] : {std::pair{1, 1}, {2, 3}, {20, 23}, {5, 28}}) {
        c_.SetSpeed(speed);
        Pulse();
        EXPECT_EQ(Ticks(), ticks) << "speed " << speed;
    }
    c_.SetPaused(true);
    Pulse();
    EXPECT_EQ(Ticks(), 28);
    c_.Step();
    EXPECT_EQ(Ticks(), 29);
    EXPECT_TRUE(c_.Run(Command::Step));  // the controller's own command
    EXPECT_EQ(Ticks(), 30);
    c_.SetPaused(false);
    EXPECT_FALSE(c_.Enabled(Command::Step));
    c_.Step();  // only while paused
    EXPECT_EQ(Ticks(), 30);
}

TEST_F(ControllerTest, AtSpeedTheCurrentReadoutShowsFortyTicks) {
    Do(Announcement::Start);
    c_.SetSpeed(10);
    front_.texts[6] = "untouched";
    for (int pulse = 0; pulse < 3; ++pulse) Pulse();
    EXPECT_EQ(front_.Text(TextBoxId::Text7), "untouched");  // 30 ticks
    Pulse();                                                // 40
    EXPECT_NE(front_.Text(TextBoxId::Text7), "untouched");
    // The wall-clock readout stays quiet meanwhile.
    front_.texts[6] = "untouched";
    c_.TimerFired(readout_);
    EXPECT_EQ(front_.Text(TextBoxId::Text7), "untouched");
}

TEST_F(ControllerTest, StartResumesAPausedRunButARefusedStartDoesNot) {
    Do(Announcement::Start);
    c_.SetPaused(true);
    front_.texts[0] = "abc";
    Do(Announcement::Start);
    EXPECT_TRUE(c_.Paused());
    ASSERT_EQ(front_.refusals.size(), 1u);
    EXPECT_EQ(front_.refusals[0].box, TextBoxId::Text1);
    EXPECT_EQ(front_.refusals[0].text, "Temp.(K): enter a number from 0 to 4436.");
    front_.texts[0] = "300";
    Do(Announcement::Start);
    EXPECT_FALSE(c_.Paused());
    EXPECT_TRUE(TickRunning());
}

TEST_F(ControllerTest, LightWhilePausedActsAtOnceAndTheReadoutsFollowAtTheNextTick) {
    Do(Announcement::Start);
    Pulse();
    c_.SetPaused(true);
    Do(Announcement::Light);
    EXPECT_EQ(c_.Model().ElectronCount.value(), 99);
    EXPECT_NE(front_.Text(TextBoxId::Text3), "99");
    c_.Step();
    EXPECT_EQ(front_.Text(TextBoxId::Text3), std::to_string(c_.Model().ElectronCount.value()));
    // The class data begins again at Light: one tick since, not two.
    EXPECT_NE(c_.ClassDataPanel().heading.find(": 1 tick ("), std::string::npos);
}

// Light while paused starts the measurement as it does while running: the
// panel shows the counts Light made, not how to begin, until the first tick.
TEST_F(ControllerTest, LightWhilePausedShowsTheCountsItMadeInThePanel) {
    Do(Announcement::Start);
    c_.SetPaused(true);
    Do(Announcement::Light);
    const ClassDataView view = c_.ClassDataPanel();
    EXPECT_NE(view.heading.find(": 0 ticks ("), std::string::npos) << view.heading;
    const int n = c_.Model().ElectronCount.value(), p = c_.Model().HoleCount.value();
    EXPECT_EQ(view.rows[0].value, Figure(double(n) * p, ".") + " (error after more ticks)");
    EXPECT_EQ(view.rows[2].value, Figure(n, "."));
    EXPECT_EQ(view.rows[3].value, Figure(p, "."));
    EXPECT_NE(view.described, view.heading);  // the figures are read out too
    // The chart names the law's dashed line as its row does, and each axis.
    EXPECT_EQ(view.law, view.rows[1].label);
    EXPECT_EQ(view.countsAxis, "carriers n, p");
    EXPECT_EQ(view.productAxis, "product n·p");
}

TEST_F(ControllerTest, TheLawIsShownOnceStartHasTakenTheTemperature) {
    EXPECT_EQ(c_.ClassDataPanel().rows[1].value, "–");
    EXPECT_EQ(c_.ClassDataPanel().lawNP, 0.0);
    Do(Announcement::Start);
    EXPECT_EQ(c_.ClassDataPanel().rows[1].value, "403.4");  // e^(300/50)
    EXPECT_EQ(c_.ClassDataPanel().rows[5].value, "20.09");  // e^(300/100)
}

TEST_F(ControllerTest, TheCsvHasARowPerTickWithTheReadoutsCounts) {
    Do(Announcement::Start);
    std::string readouts;
    for (int tick = 1; tick <= 5; ++tick) {
        Pulse();
        readouts += front_.Text(TextBoxId::Text3) + "," + front_.Text(TextBoxId::Text6) + ";";
    }
    std::istringstream csv(c_.Csv());
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "tick,time_s,electrons,holes,np,crossings,field,temperature_K,fermi_eV,event");
    std::string rows;
    int count = 0;
    while (std::getline(csv, line)) {
        ++count;
        // electrons and holes are the third and fourth columns
        std::istringstream fields(line);
        std::string tick, time, n, p;
        std::getline(fields, tick, ',');
        std::getline(fields, time, ',');
        std::getline(fields, n, ',');
        std::getline(fields, p, ',');
        rows += n + "," + p + ";";
        if (count == 1) {
            EXPECT_NE(line.find(",Start"), std::string::npos) << line;
        }
    }
    EXPECT_EQ(count, 5);
    EXPECT_EQ(rows, readouts);
}

struct SetupCase {
    const char* fragment;
    bool started;
    std::optional<TextBoxId> refusedBox;
    const char* text1;
};

TEST_F(ControllerTest, ASetUpIsTypedInOrderAndABadValueStartsNothing) {
    const SetupCase cases[] = {
        {"temperature=350&fermi=0.7&speed=5&start", true, std::nullopt, "350"},
        {"nd=1e16&na=1e10&field=on", false, std::nullopt, "300"},
        {"temperature=abc&fermi=0.7&start", false, TextBoxId::Text1, "abc"},
        {"temperature=350&speed=3&start", false, std::nullopt, "350"},
    };
    for (const SetupCase& s : cases) {
        FakeFrontEnd front;
        Controller c(form::Quarvel(), front, ".");
        c.Load();
        const auto problem = c.Apply(SetupFromFragment(s.fragment));
        EXPECT_EQ(c.RunStarted(), s.started) << s.fragment;
        EXPECT_EQ(front.Text(TextBoxId::Text1), s.text1) << s.fragment;
        EXPECT_EQ(problem.has_value(), !front.refusals.empty()) << s.fragment;
        if (!front.refusals.empty()) {
            EXPECT_EQ(front.refusals[0].box, s.refusedBox) << s.fragment;
        }
    }
    FakeFrontEnd front;
    Controller c(form::Quarvel(), front, ".");
    c.Load();
    c.Apply(SetupFromFragment("nd=1e16&na=1e10&field=on&speed=5"));
    EXPECT_EQ(front.Text(TextBoxId::Text2), "0.7");  // the doping boxes set it
    EXPECT_EQ(front.check1, 1);
    EXPECT_EQ(c.Speed(), 5);
    EXPECT_TRUE(c.Model().ElectronCount.value() == 0);
}

struct NoticeCase {
    const char* fragment;
    bool started;
    int temperature;  // once started
    std::optional<TextBoxId> box;
    std::vector<const char*> said;  // each exactly once in the one notice
};

// Every mistake of a link in one notice, each named once, the rest applied.
TEST_F(ControllerTest, ALinksNoticeNamesEveryMistakeOnce) {
    const NoticeCase cases[] = {
        {"Temperature=350&start", true, 300, std::nullopt, {"key “Temperature” in"}},
        {"foo=bar&start", true, 300, std::nullopt, {"“foo”", "lang, temperature, fermi"}},
        {"foo=1&bar&foo=2&temperature=320&start",
         true,
         320,
         std::nullopt,
         {"keys “foo”, “bar” in"}},
        {"nd=-1&na=1e10&colour=red&start",
         false,
         0,
         TextBoxId::Text4,
         {"“colour”", "nd to “-1”, but nd takes"}},
        {"lang=xx&nd=0&na=0",
         false,
         0,
         TextBoxId::Text4,
         {"“xx”", "nd to “0” and na to “0”, but nd and na take"}},
        {"temperature=１ｅ９９９９&start", false, 0, TextBoxId::Text1, {"“１ｅ９９９９”"}},
    };
    for (const NoticeCase& n : cases) {
        FakeFrontEnd front;
        Controller c(form::Quarvel(), front, ".");
        c.Load();
        c.Apply(SetupFromFragment(n.fragment));
        EXPECT_EQ(c.RunStarted(), n.started) << n.fragment;
        if (n.started) {
            EXPECT_EQ(c.Model().Temperature.value(), n.temperature) << n.fragment;
        }
        ASSERT_EQ(front.refusals.size(), 1U) << n.fragment;
        EXPECT_EQ(front.refusals[0].box, n.box) << n.fragment;
        const std::string& text = front.refusals[0].text;
        for (const char* part : n.said) {
            const std::size_t at = text.find(part);
            EXPECT_NE(at, std::string::npos) << part << " in " << text;
            EXPECT_EQ(text.find(part, at + 1), std::string::npos) << part << " twice in " << text;
        }
    }
    // A long key or value is shown by its ends, so the notice stays short.
    FakeFrontEnd front;
    Controller c(form::Quarvel(), front, ".");
    c.Load();
    c.Apply(SetupFromFragment(std::string(5000, 'k') + "=1&temperature=" + std::string(5000, '9')));
    ASSERT_EQ(front.refusals.size(), 1U);
    EXPECT_LT(front.refusals[0].text.size(), 600U);
    EXPECT_NE(front.refusals[0].text.find("“kkkkkkkkkk…kkkkkkkkkk”"), std::string::npos);
    EXPECT_NE(front.refusals[0].text.find("“9999999999…9999999999”"), std::string::npos);
}

struct TypedCase {
    TextBoxId box;
    const char* typed;
};

// A Japanese input method's full-width text in the boxes is read as the same
// number: Start takes it, the doping sets the Fermi level, the link gives it
// back in ASCII.
TEST_F(ControllerTest, FullWidthBoxesReadAsTheirNumbers) {
    const TypedCase typed[] = {{TextBoxId::Text1, "３５０"},
                               {TextBoxId::Text4, "１ｅ１６"},
                               {TextBoxId::Text5, "１．０Ｅ＋１０"}};
    for (const TypedCase& t : typed) {
        front_.SetText(t.box, t.typed);
        if (const auto change = Controller::BindingOf(ControlOf(t.box), form::Event::Change)) {
            c_.Fire(*change);
        }
    }
    EXPECT_EQ(front_.Text(TextBoxId::Text2), "0.7");
    EXPECT_EQ(front_.lastHint, "");  // the pair is usable
    Do(Announcement::Start);
    EXPECT_TRUE(front_.refusals.empty());
    EXPECT_EQ(c_.Model().Temperature.value(), 350);
    EXPECT_EQ(c_.SetupLink(),
              "temperature=350&fermi=0.7&nd=1e16&na=1.0E%2B10&field=off&speed=1&start");
    front_.texts[1] = "－０．５";  // a full-width minus in the Fermi level
    Do(Announcement::Start);
    EXPECT_TRUE(front_.refusals.empty());
}

TEST_F(ControllerTest, TheLinkGivesTheBoxesBack) {
    front_.texts[0] = "350";
    front_.check1 = 1;
    c_.SetSpeed(10);
    EXPECT_EQ(c_.SetupLink(), "temperature=350&fermi=0.5&nd=1e10&na=1e10&field=on&speed=10&start");
}

TEST_F(ControllerTest, ClosingEndsOnceAndStopsEveryTimerButKeepsTheData) {
    Do(Announcement::Start);
    Pulse();
    c_.Close();
    EXPECT_TRUE(c_.Enabled(Command::SaveData));
    EXPECT_FALSE(c_.Enabled(Command::PauseResume));
    c_.Close();
    EXPECT_EQ(front_.ended, 0);
    EXPECT_FALSE(TickRunning());
    EXPECT_FALSE(ReadoutRunning());
    Pulse();
    EXPECT_EQ(Ticks(), 1);
}

}  // namespace
}  // namespace controller
