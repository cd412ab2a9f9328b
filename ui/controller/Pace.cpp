#include "Pace.h"

#include <algorithm>

namespace controller {

bool Pace::SetSpeed(int speed) {
    if (std::find(kSpeeds.begin(), kSpeeds.end(), speed) == kSpeeds.end()) return false;
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
