#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace controller {

// The "Class data" panel's figures since the last Start or Light.
struct ClassDataSummary {
    std::uint64_t ticks = 0;  // ticks sampled; the means are NaN while 0
    double meanNP = 0.0;      // measured mean of n x p
    // Its standard error by batch means; none until kMinBatchesForError
    // batches are complete.
    std::optional<double> meanNPError;
    double lawNP = 0.0;  // the law of mass action: e^(T/50), capped at 10000
    double meanElectrons = 0.0;
    double meanHoles = 0.0;
    double rootMeanNP = 0.0;  // sqrt(meanNP), to set beside n_i
    double intrinsic = 0.0;   // n_i = e^(T/100), capped at 100
};

// A point of the chart over time: the mean counts of `ticks` ticks from
// `firstTick` on (tick 1 is the first after the reset).
struct ClassDataPoint {
    std::uint64_t firstTick = 0;
    std::uint64_t ticks = 0;
    double electrons = 0.0;
    double holes = 0.0;
    double np = 0.0;
};

// The law of mass action, measured: n x p sampled after every tick, in
// constant memory however long the run. Successive ticks are correlated,
// so the error comes from the means of batches of ticks; when the batches
// are full, pairs merge and the batch size doubles. The history likewise
// halves its resolution when full, so the chart always shows the whole run.
class ClassData {
  public:
    static constexpr std::size_t kMaxBatches = 32;
    static constexpr std::size_t kMinBatchesForError = 8;
    static constexpr std::size_t kMaxHistoryPoints = 512;
    // Both counts reach 100 from 461 K up, and n x p cannot exceed 10000.
    static constexpr double kLawCap = 10000.0;
    static constexpr double kIntrinsicCap = 100.0;

    // The law's values at this temperature; forgets every sample. Until the
    // first tick the means are the counts the reset left, if given, so that
    // a paused run shows what Light made of it.
    void Reset(int temperatureK, std::optional<std::pair<int, int>> left = std::nullopt);
    // The counts the tick left.
    void AddTick(int electrons, int holes);

    ClassDataSummary Summary() const;
    // Oldest first, at most kMaxHistoryPoints complete points and then the
    // point being filled, if it has a tick yet.
    std::vector<ClassDataPoint> History() const;

  private:
    // Sums, not means, so that merging and averaging stay exact.
    struct Sums {
        std::uint64_t firstTick = 0;
        std::uint64_t ticks = 0;
        double electrons = 0.0;
        double holes = 0.0;
        double np = 0.0;
        void Add(const Sums& other);
    };
    static void MergePairs(std::vector<Sums>& sums);

    double law_ = 1.0;
    double intrinsic_ = 1.0;
    std::optional<std::pair<int, int>> left_;
    Sums total_;
    std::vector<Sums> batches_;  // complete batches of batchTicks_ each
    Sums batch_;                 // the batch being filled
    std::uint64_t batchTicks_ = 1;
    std::vector<Sums> history_;  // complete points of pointTicks_ each
    Sums point_;
    std::uint64_t pointTicks_ = 1;
};

}  // namespace controller
