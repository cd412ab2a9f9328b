#include "ClassData.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "CarrierModel.h"

namespace controller {

namespace {

using carriers::CarrierModel;

ClassDataPoint Means(const auto& sums) {
    const auto ticks = static_cast<double>(sums.ticks);
    return ClassDataPoint{sums.firstTick, sums.ticks, sums.electrons / ticks, sums.holes / ticks,
                          sums.np / ticks};
}

}  // namespace

void ClassData::Sums::Add(const Sums& other) {
    if (ticks == 0) firstTick = other.firstTick;
    ticks += other.ticks;
    electrons += other.electrons;
    holes += other.holes;
    np += other.np;
}

void ClassData::MergePairs(std::vector<Sums>& sums) {
    for (std::size_t i = 0; i + 1 < sums.size(); i += 2) {
        Sums merged = sums[i];
        merged.Add(sums[i + 1]);
        sums[i / 2] = merged;
    }
    sums.resize(sums.size() / 2);
}

void ClassData::Reset(int temperatureK, std::optional<std::pair<int, int>> left) {
    left_ = left;
    // The model's own rates: a pair is born with e^(T/50) / 10000 a tick and
    // recombines with n x p / 10000, so n x p settles where the two meet.
    const double kelvin = temperatureK;
    law_ = std::min(std::exp(kelvin / CarrierModel::GenerationTemperatureScale), kLawCap);
    intrinsic_ = std::min(std::exp(kelvin / (2.0 * CarrierModel::GenerationTemperatureScale)),
                          kIntrinsicCap);
    total_ = Sums{};
    batches_.clear();
    batches_.reserve(kMaxBatches);
    batch_ = Sums{};
    batchTicks_ = 1;
    history_.clear();
    history_.reserve(kMaxHistoryPoints);
    point_ = Sums{};
    pointTicks_ = 1;
}

void ClassData::AddTick(int electrons, int holes) {
    const Sums tick{total_.ticks + 1, 1, static_cast<double>(electrons), static_cast<double>(holes),
                    static_cast<double>(electrons) * static_cast<double>(holes)};
    total_.Add(tick);
    batch_.Add(tick);
    if (batch_.ticks == batchTicks_) {
        batches_.push_back(batch_);
        batch_ = Sums{};
        if (batches_.size() == kMaxBatches) {
            MergePairs(batches_);
            batchTicks_ *= 2;
        }
    }
    point_.Add(tick);
    if (point_.ticks == pointTicks_) {
        history_.push_back(point_);
        point_ = Sums{};
        if (history_.size() == kMaxHistoryPoints) {
            MergePairs(history_);
            pointTicks_ *= 2;
        }
    }
}

ClassDataSummary ClassData::Summary() const {
    ClassDataSummary summary;
    summary.ticks = total_.ticks;
    summary.lawNP = law_;
    summary.intrinsic = intrinsic_;
    if (total_.ticks == 0 && !left_) {
        const double none = std::numeric_limits<double>::quiet_NaN();
        summary.meanNP = summary.meanElectrons = summary.meanHoles = summary.rootMeanNP = none;
        return summary;
    }
    const ClassDataPoint means =
        total_.ticks > 0 ? Means(total_)
                         : ClassDataPoint{0, 0, static_cast<double>(left_->first),
                                          static_cast<double>(left_->second),
                                          static_cast<double>(left_->first) * left_->second};
    summary.meanNP = means.np;
    summary.meanElectrons = means.electrons;
    summary.meanHoles = means.holes;
    summary.rootMeanNP = std::sqrt(means.np);
    if (batches_.size() >= kMinBatchesForError) {
        // The spread of the batch means around their own mean, over the
        // square root of their number.
        const auto count = static_cast<double>(batches_.size());
        const auto size = static_cast<double>(batchTicks_);
        double sum = 0.0;
        for (const Sums& batch : batches_) sum += batch.np / size;
        const double mean = sum / count;
        double squares = 0.0;
        for (const Sums& batch : batches_) {
            const double deviation = batch.np / size - mean;
            squares += deviation * deviation;
        }
        summary.meanNPError = std::sqrt(squares / (count - 1.0) / count);
    }
    return summary;
}

std::vector<ClassDataPoint> ClassData::History() const {
    std::vector<ClassDataPoint> points;
    points.reserve(history_.size() + 1);
    for (const Sums& sums : history_) points.push_back(Means(sums));
    if (point_.ticks > 0) points.push_back(Means(point_));
    return points;
}

}  // namespace controller
