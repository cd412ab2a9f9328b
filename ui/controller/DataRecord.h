#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace controller {

// What happened between two ticks, noted in the next row.
enum class RecordEvent : std::uint8_t { Start = 1, Light, Diffusion, FieldOn, FieldOff };

// One row per tick since the last Start, for "Save data as CSV":
//   tick,time_s,electrons,holes,np,crossings,field,temperature_K,fermi_eV,event
// Tick 1 is the first tick after Start, 50 ms of simulated time each. The
// record keeps the last `capacity` rows (an hour by default) in compact
// rows, so a run left on all day holds its memory; the first row then says
// that earlier rows were dropped. The text is the same in every locale.
class DataRecord {
  public:
    static constexpr std::size_t kHourOfTicks = 72000;  // 3600 s / 50 ms
    static constexpr std::size_t kMaxEventsPerRow = 5;

    explicit DataRecord(std::size_t capacity = kHourOfTicks);

    // Clears the record for a new run at this temperature and Fermi level,
    // and notes Start for its first row.
    void StartRun(int temperatureK, double fermiEV);
    // Notes an event for the next row, after any noted before it; past
    // kMaxEventsPerRow in one row, further events are not noted.
    void Mark(RecordEvent event);
    // One tick: the counts it showed, its net crossings at the region's
    // ends, and whether the field was on. Ignored before the first Start.
    void AddTick(int electrons, int holes, int crossings, bool field);

    std::uint64_t Ticks() const { return ticks_; }  // since StartRun
    std::size_t Rows() const { return rows_.size(); }
    bool Dropped() const { return ticks_ > rows_.size(); }

    // Header and rows, '\n' after each line.
    std::string Csv() const;

  private:
    // 8 bytes: up to five 3-bit event codes in order, and the field's bit.
    struct Row {
        std::int16_t electrons;
        std::int16_t holes;
        std::int16_t crossings;
        std::uint16_t eventsAndField;
    };

    std::size_t capacity_;
    std::vector<Row> rows_;  // a ring once full; oldest at next_
    std::size_t next_ = 0;
    std::uint64_t ticks_ = 0;
    bool running_ = false;
    int temperature_ = 0;
    std::string fermi_;
    std::uint16_t pending_ = 0;  // events for the next row
};

}  // namespace controller
