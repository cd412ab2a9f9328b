#include <gtest/gtest.h>

#include <clocale>
#include <sstream>
#include <string>
#include <vector>

#include "CarrierModel.h"
#include "DataRecord.h"
#include "HeadlessRuntime.h"

namespace controller {
namespace {

constexpr const char* kHeader =
    "tick,time_s,electrons,holes,np,crossings,field,temperature_K,fermi_eV,event";

std::vector<std::string> Lines(const std::string& csv) {
    std::vector<std::string> lines;
    std::istringstream in(csv);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, ',');) cells.push_back(cell);
    if (!line.empty() && line.back() == ',') cells.emplace_back();
    return cells;
}

TEST(DataRecord, HeaderAloneBeforeAnyTick) {
    DataRecord record;
    EXPECT_EQ(record.Csv(), std::string(kHeader) + "\n");
    record.AddTick(30, 30, 0, false);  // no run yet
    EXPECT_EQ(record.Csv(), std::string(kHeader) + "\n");
    record.StartRun(300, 0.5);
    EXPECT_EQ(record.Csv(), std::string(kHeader) + "\n");
}

TEST(DataRecord, RowsEventsAndTime) {
    DataRecord record;
    record.Mark(RecordEvent::Light);  // before any run: not noted
    record.StartRun(350, 0.7);
    record.Mark(RecordEvent::Light);
    record.AddTick(99, 99, -2, false);
    record.Mark(RecordEvent::FieldOn);
    record.Mark(RecordEvent::Diffusion);
    record.AddTick(98, 97, 3, true);
    for (int i = 0; i < 17; ++i) record.AddTick(40, 20, 0, true);
    record.Mark(RecordEvent::FieldOff);
    record.AddTick(41, 21, 1, false);
    const std::vector<std::string> lines = Lines(record.Csv());
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[0], kHeader);
    EXPECT_EQ(lines[1], "1,0.05,99,99,9801,-2,0,350,0.7,Start; Light");
    EXPECT_EQ(lines[2], "2,0.1,98,97,9506,3,1,350,0.7,Field on; Diffusion");
    EXPECT_EQ(lines[3], "3,0.15,40,20,800,0,1,350,0.7,");
    EXPECT_EQ(lines[19], "19,0.95,40,20,800,0,1,350,0.7,");
    EXPECT_EQ(lines[20], "20,1,41,21,861,1,0,350,0.7,Field off");
    // A restart begins again at tick 1 with the new run's columns.
    record.StartRun(400, 1);
    record.AddTick(60, 0, 0, false);
    EXPECT_EQ(Lines(record.Csv()),
              (std::vector<std::string>{kHeader, "1,0.05,60,0,0,0,0,400,1,Start"}));
}

TEST(DataRecord, KeepsTheLastHourAndSaysWhenRowsWereDropped) {
    DataRecord small(4);
    small.StartRun(300, 0.5);
    for (int tick = 1; tick <= 10; ++tick) {
        if (tick == 7) small.Mark(RecordEvent::Light);
        small.AddTick(tick, 0, 0, false);
    }
    EXPECT_EQ(
        Lines(small.Csv()),
        (std::vector<std::string>{kHeader, "7,0.35,7,0,0,0,0,300,0.5,earlier rows dropped; Light",
                                  "8,0.4,8,0,0,0,0,300,0.5,", "9,0.45,9,0,0,0,0,300,0.5,",
                                  "10,0.5,10,0,0,0,0,300,0.5,"}));

    DataRecord hour;
    hour.StartRun(300, 0.5);
    for (std::size_t tick = 0; tick < DataRecord::kHourOfTicks; ++tick)
        hour.AddTick(30, 30, 0, false);
    EXPECT_FALSE(hour.Dropped());
    hour.AddTick(31, 29, 0, false);
    EXPECT_TRUE(hour.Dropped());
    EXPECT_EQ(hour.Rows(), 72000u);
    const std::vector<std::string> lines = Lines(hour.Csv());
    ASSERT_EQ(lines.size(), 72001u);
    EXPECT_EQ(lines[1], "2,0.1,30,30,900,0,0,300,0.5,earlier rows dropped");
    EXPECT_EQ(lines.back(), "72001,3600.05,31,29,899,0,0,300,0.5,");
}

// The counts of every row are what the model wrote into Text3 and Text6,
// and the crossings of each two seconds add up to what Timer2 shows.
TEST(DataRecord, RowsMatchTheModelsReadouts) {
    carriers::HeadlessRuntime rt;
    carriers::CarrierModel model(rt);
    DataRecord record;
    const auto text = [&](carriers::TextBoxId box) {
        return rt.texts[static_cast<std::size_t>(box) - 1];
    };
    rt.texts[0] = "400";
    rt.texts[1] = "0.75";
    model.Command1_Click();
    record.StartRun(model.Temperature.value(), 0.75);
    std::vector<std::string> shown;  // "electrons,holes" after each tick
    std::vector<int> currents;       // Text7 after each Timer2
    constexpr int kTicks = 1200;
    constexpr int kTicksPerCurrent = 40;
    for (int tick = 1; tick <= kTicks; ++tick) {
        if (tick == 300) {
            model.Command5_Click();
            record.Mark(RecordEvent::Light);
        }
        if (tick == 500 || tick == 900) {
            rt.check1Value = tick == 500 ? 1 : 0;
            model.Check1_Click();
            record.Mark(tick == 500 ? RecordEvent::FieldOn : RecordEvent::FieldOff);
        }
        const int before = model.CurrentTally.value();
        model.Timer1_Timer();
        record.AddTick(model.ElectronCount.value(), model.HoleCount.value(),
                       model.CurrentTally.value() - before, rt.check1Value == 1);
        shown.push_back(text(carriers::TextBoxId::Text3) + "," + text(carriers::TextBoxId::Text6));
        if (tick % kTicksPerCurrent == 0) {
            model.Timer2_Timer();
            currents.push_back(std::stoi(text(carriers::TextBoxId::Text7)));
        }
    }
    ASSERT_EQ(rt.runtimeError, std::nullopt);
    const std::vector<std::string> lines = Lines(record.Csv());
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kTicks) + 1);
    int crossingSum = 0;
    int crossingsSeen = 0;
    for (int tick = 1; tick <= kTicks; ++tick) {
        const std::vector<std::string> cells = Cells(lines[static_cast<std::size_t>(tick)]);
        ASSERT_EQ(cells.size(), 10u) << lines[static_cast<std::size_t>(tick)];
        EXPECT_EQ(cells[0], std::to_string(tick));
        EXPECT_EQ(cells[2] + "," + cells[3], shown[static_cast<std::size_t>(tick - 1)]) << tick;
        EXPECT_EQ(std::stoi(cells[4]), std::stoi(cells[2]) * std::stoi(cells[3])) << tick;
        EXPECT_EQ(cells[6], tick >= 500 && tick < 900 ? "1" : "0") << tick;
        EXPECT_EQ(cells[7] + " " + cells[8], "400 0.75");
        crossingSum += std::stoi(cells[5]);
        if (std::stoi(cells[5]) != 0) ++crossingsSeen;
        if (tick % kTicksPerCurrent == 0) {
            EXPECT_EQ(crossingSum, currents[static_cast<std::size_t>(tick / kTicksPerCurrent - 1)])
                << tick;
            crossingSum = 0;
        }
    }
    EXPECT_GT(crossingsSeen, 10);  // the field makes crossings, so the sums say something
    EXPECT_EQ(Cells(lines[300])[9], "Light");
    EXPECT_EQ(Cells(lines[500])[9], "Field on");
    EXPECT_EQ(Cells(lines[900])[9], "Field off");
}

TEST(DataRecord, ThePointIsAPointInACommaLocale) {
    const auto csv = [] {
        DataRecord record;
        record.StartRun(300, 0.666666666666667);
        record.AddTick(40, 20, 1, true);
        record.AddTick(41, 21, -1, true);
        return record.Csv();
    };
    const std::string inC = csv();
    EXPECT_NE(inC.find(",0.05,40,20,800,1,1,300,0.666666666666667,Start\n"), std::string::npos)
        << inC;
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char* found = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            found = name;
            break;
        }
    }
    if (found == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::string inComma = csv();
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(inComma, inC) << found;
}

}  // namespace
}  // namespace controller
