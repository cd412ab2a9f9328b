#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace carriers {

// The program's one random generator: uniform Single values in [0, 1), from a
// fixed seed at every launch and never reseeded, so every launch replays the
// same sequence. Tests may script the next draws; scripted values are handed
// out first, then the generator goes on where it stood.
class Random {
  public:
    static constexpr std::uint32_t kSeed = 5489u;

    float Next() {
        ++draws_;
        if (scriptPos_ < script_.size()) return script_[scriptPos_++];
        // 24 random bits scaled by 2^-24: exactly representable, never 1.0.
        return static_cast<float>(engine_() >> 8) * 0x1p-24f;
    }

    // Values to hand out before the generator's own; each must lie in [0, 1).
    void Script(std::vector<float> values);
    std::size_t ScriptLeft() const { return script_.size() - scriptPos_; }
    std::uint64_t Draws() const { return draws_; }

  private:
    std::mt19937 engine_{kSeed};
    std::vector<float> script_;
    std::size_t scriptPos_ = 0;
    std::uint64_t draws_ = 0;
};

}  // namespace carriers
