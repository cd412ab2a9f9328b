#pragma once

#include <array>
#include <span>

namespace controller {

// The speeds a run goes at, in ticks per pulse of 50 ms.
inline constexpr std::array<int, 5> kSpeeds{1, 2, 5, 10, 20};

// How many ticks pass per pulse of the tick timer, and whether they pass at
// all: pausing and speed change the wall clock's share, never what a tick
// does.
class Pace {
  public:
    // `ticksPerReadout`: the ticks whose crossings one current readout shows.
    explicit Pace(int ticksPerReadout) : ticksPerReadout_(ticksPerReadout) {}

    bool Paused() const { return paused_; }
    int Speed() const { return speed_; }
    void SetPaused(bool paused) { paused_ = paused; }
    // False for a speed not offered.
    bool SetSpeed(int speed);
    // At speed 1 the readout has its own timer; faster, it follows the ticks,
    // so that its number means the same at every speed.
    bool ReadoutFollowsTicks() const { return speed_ > 1; }
    // One tick has run: true when the readout is due.
    bool TickCounted();

  private:
    int ticksPerReadout_;
    int ticksSinceReadout_ = 0;
    int speed_ = 1;
    bool paused_ = false;
};

}  // namespace controller
