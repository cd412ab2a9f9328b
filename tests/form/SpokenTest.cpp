#include <gtest/gtest.h>

#include <vector>

#include "captions/Language.h"
#include "controller/Spoken.h"

namespace form {
namespace {

const SpokenTexts& en = EnglishLanguage().spoken;

SceneFacts Running(double ef, int electrons, int holes, bool field = false) {
    return {true, 300, ef, electrons, holes, field, true};
}

TEST(SpokenScene, ReadsAsAStudentWouldSayIt) {
    EXPECT_EQ(
        DescribeScene(en, Running(0.5, 29, 29)),
        "Band diagram. Running at 300 K. Fermi level 0.5 eV, midway between the band "
        "edges. 29 electrons in the conduction band, 29 holes in the valence band. No field.");
    EXPECT_EQ(DescribeScene(en, {false, 0, 0.0, 0, 0, true, true}),
              "Band diagram. Not started. Weak field on: electrons drift right, holes drift left.");
    EXPECT_EQ(DescribeScene(JapaneseLanguage().spoken, Running(0.5, 29, 29)),
              "バンド図。 300 K で実行中です。 フェルミ準位は 0.5 eV で、二つのバンド端の中央に"
              "あります。 伝導帯に電子 29 個、価電子帯に正孔 29 個。 電界なし。");
}

TEST(SpokenScene, SaysWhereTheFermiLevelLiesAndRoundsItForTheEar) {
    const struct {
        double ef;
        const char* heard;
    } rows[] = {
        {-0.5, "Fermi level -0.5 eV, at or below the valence band edge."},
        {0.0, "Fermi level 0 eV, at or below the valence band edge."},
        {0.172536375301856, "Fermi level 0.17 eV, closer to the valence band edge."},
        {0.45, "Fermi level 0.45 eV, midway between the band edges."},
        {0.55, "Fermi level 0.55 eV, midway between the band edges."},
        {0.7, "Fermi level 0.7 eV, closer to the conduction band edge."},
        {1.0, "Fermi level 1 eV, at or above the conduction band edge."},
        {29.9, "Fermi level 29.9 eV, at or above the conduction band edge."},
    };
    for (const auto& row : rows) {
        const std::string scene = DescribeScene(en, Running(row.ef, 1, 1));
        EXPECT_NE(scene.find(row.heard), std::string::npos) << scene;
    }
}

TEST(SpokenAnnouncements, NameWhatEachActionDid) {
    const SceneFacts facts = Running(0.7, 42, 18, true);
    EXPECT_EQ(Announce(en, Announcement::Start, facts, ""),
              "Started at 300 K, Fermi level 0.7 eV: 42 electrons, 18 holes.");
    EXPECT_EQ(Announce(en, Announcement::Light, facts, ""), "Light: 42 electrons, 18 holes.");
    EXPECT_EQ(Announce(en, Announcement::Field, facts, ""),
              "Weak field on: electrons drift right, holes drift left.");
    EXPECT_EQ(Announce(en, Announcement::Field, Running(0.7, 42, 18, false), ""), "No field.");
    EXPECT_EQ(Announce(en, Announcement::Doping, facts, "0.172536375301856"),
              "Fermi level set to 0.17 eV.");
    EXPECT_EQ(Announce(en, Announcement::Doping, facts, "1e"), "");  // nothing usable written
    SceneFacts unusable = facts;
    unusable.dopingUsable = false;  // Text2 still holds the last level the boxes gave
    EXPECT_EQ(Announce(en, Announcement::Doping, unusable, "0.172536375301856"), "");
    EXPECT_EQ(Announce(en, Announcement::None, facts, ""), "");
}

TEST(SpokenChart, GivesTheCountAndItsRangeOverTheLastMinute) {
    EXPECT_EQ(DescribeChart(en, {}), "Electron count over time: no points yet.");
    std::vector<carriers::ChartPoint> points;
    const auto plot = [&](int electrons) {
        points.push_back({0.0f, static_cast<float>(1380 - 14 * electrons), 0});
    };
    plot(80);  // more than a minute ago: forgotten
    for (int tick = 0; tick < 1200; ++tick) plot(22 + tick % 14);
    plot(29);
    EXPECT_EQ(DescribeChart(en, points),
              "Electron count over time: now 29, between 22 and 35 over the last minute.");
}

TEST(SpokenInputs, GiveUnitAndRange) {
    EXPECT_EQ(DescribeInput(en, {"Text1"}), "Temperature in kelvin, from 0 to 4436.");
    EXPECT_EQ(DescribeInput(en, {"Text2"}),
              "Fermi level in eV above the valence band edge, from -24.706 to 29.907.");
    EXPECT_EQ(DescribeInput(en, {"Text4"}), "Donor concentration per cubic centimetre.");
    EXPECT_EQ(DescribeInput(en, {"Text5"}), "Acceptor concentration per cubic centimetre.");
    EXPECT_EQ(DescribeInput(en, {"Text3"}), "");
}

}  // namespace
}  // namespace form
