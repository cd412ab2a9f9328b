#include "DataRecord.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

#include "Conversions.h"

namespace controller {

namespace {

// A data format, read by spreadsheets and class data tools: the same in
// every language.
constexpr std::string_view kHeader =
    "tick,time_s,electrons,holes,np,crossings,field,temperature_K,fermi_eV,event\n";
constexpr std::array<std::string_view, 6> kEventNames{"",          "Start",    "Light",
                                                      "Diffusion", "Field on", "Field off"};
constexpr std::string_view kDroppedNote = "earlier rows dropped";
constexpr std::string_view kEventSeparator = "; ";

constexpr int kEventBits = 3;
constexpr std::uint16_t kEventMask = (1u << kEventBits) - 1;
constexpr std::uint16_t kFieldBit = 1u << 15;
constexpr int kTicksPerSecond = 20;

int EventAt(std::uint16_t events, std::size_t slot) {
    return (events >> (slot * kEventBits)) & kEventMask;
}

std::int16_t Compact(int value) {
    using Limits = std::numeric_limits<std::int16_t>;
    return static_cast<std::int16_t>(std::clamp(value, int{Limits::min()}, int{Limits::max()}));
}

// 50 ms a tick, written from whole numbers so no rounding shows: "0.05", "1.5".
void AppendTime(std::string& out, std::uint64_t tick) {
    out += std::to_string(tick / kTicksPerSecond);
    const auto hundredths = static_cast<unsigned>(tick % kTicksPerSecond) * 5;
    if (hundredths == 0) return;
    out += '.';
    out += static_cast<char>('0' + hundredths / 10);
    if (hundredths % 10 != 0) out += static_cast<char>('0' + hundredths % 10);
}

}  // namespace

DataRecord::DataRecord(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

void DataRecord::StartRun(int temperatureK, double fermiEV) {
    rows_.clear();
    next_ = 0;
    ticks_ = 0;
    running_ = true;
    temperature_ = temperatureK;
    fermi_ = carriers::DoubleToText(fermiEV);
    pending_ = 0;
    Mark(RecordEvent::Start);
}

void DataRecord::Mark(RecordEvent event) {
    if (!running_) return;
    for (std::size_t slot = 0; slot < kMaxEventsPerRow; ++slot) {
        if (EventAt(pending_, slot) == 0) {
            pending_ = static_cast<std::uint16_t>(
                pending_ | (static_cast<unsigned>(event) << (slot * kEventBits)));
            return;
        }
    }
}

void DataRecord::AddTick(int electrons, int holes, int crossings, bool field) {
    if (!running_) return;
    const Row row{Compact(electrons), Compact(holes), Compact(crossings),
                  static_cast<std::uint16_t>(pending_ | (field ? kFieldBit : 0))};
    pending_ = 0;
    ++ticks_;
    if (rows_.size() < capacity_) {
        rows_.push_back(row);
        return;
    }
    rows_[next_] = row;
    next_ = (next_ + 1) % capacity_;
}

std::string DataRecord::Csv() const {
    std::string out(kHeader);
    // A row runs to about 40 characters.
    out.reserve(kHeader.size() + rows_.size() * 48);
    std::string runColumns(1, ',');
    runColumns += std::to_string(temperature_);
    runColumns += ',';
    runColumns += fermi_;
    runColumns += ',';
    std::uint64_t tick = ticks_ - rows_.size();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[(next_ + i) % rows_.size()];
        ++tick;
        out += std::to_string(tick);
        out += ',';
        AppendTime(out, tick);
        out += ',';
        out += std::to_string(row.electrons);
        out += ',';
        out += std::to_string(row.holes);
        out += ',';
        out += std::to_string(int{row.electrons} * int{row.holes});
        out += ',';
        out += std::to_string(row.crossings);
        out += (row.eventsAndField & kFieldBit) != 0 ? ",1" : ",0";
        out += runColumns;
        bool first = true;
        const auto append = [&](std::string_view text) {
            if (!first) out += kEventSeparator;
            out += text;
            first = false;
        };
        if (i == 0 && Dropped()) append(kDroppedNote);
        for (std::size_t slot = 0; slot < kMaxEventsPerRow; ++slot) {
            const int event = EventAt(row.eventsAndField, slot);
            if (event == 0) break;
            append(kEventNames[static_cast<std::size_t>(event)]);
        }
        out += '\n';
    }
    return out;
}

}  // namespace controller
