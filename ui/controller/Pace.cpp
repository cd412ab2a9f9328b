#include "Pace.h"

#include <algorithm>

namespace controller {

namespace {

constexpr int kSpeeds[] = {1, 2, 5, 10, 20};

}  // namespace

std::span<const int> Pace::Speeds() { return kSpeeds; }

bool Pace::SetSpeed(int speed) {
    if (std::find(std::begin(kSpeeds), std::end(kSpeeds), speed) == std::end(kSpeeds)) return false;
    if (speed != speed_) ticksSinceReadout_ = 0;
    speed_ = speed;
    return true;
}

bool Pace::TickCounted() {
    if (!ReadoutFollowsTicks()) return false;
    if (++ticksSinceReadout_ < ticksPerReadout_) return false;
    ticksSinceReadout_ = 0;
    return true;
}

}  // namespace controller
