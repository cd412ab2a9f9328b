#include "Random.h"

#include <stdexcept>

namespace carriers {

void Random::Script(std::vector<float> values) {
    for (float v : values) {
        if (!(v >= 0.0f && v < 1.0f)) throw std::invalid_argument("scripted draw outside [0, 1)");
    }
    script_.erase(script_.begin(), script_.begin() + static_cast<std::ptrdiff_t>(scriptPos_));
    scriptPos_ = 0;
    script_.insert(script_.end(), values.begin(), values.end());
}

}  // namespace carriers
