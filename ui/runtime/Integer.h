#pragma once

#include <compare>
#include <cstdint>

#include "RuntimeError.h"

namespace carriers {

// 16-bit signed integer whose arithmetic never wraps: a result outside
// -32768..32767 raises the overflow error instead.
class Integer {
  public:
    static constexpr int kMin = -32768;
    static constexpr int kMax = 32767;

    constexpr Integer() = default;
    // Implicit so that literals and small ints mix freely; out of range overflows.
    constexpr Integer(int value) : value_(Narrow(value)) {}

    constexpr int value() const { return value_; }
    explicit constexpr operator double() const { return value_; }

    friend constexpr Integer operator+(Integer a, Integer b) {
        return Integer(a.value_ + b.value_);
    }
    friend constexpr Integer operator-(Integer a, Integer b) {
        return Integer(a.value_ - b.value_);
    }
    friend constexpr Integer operator*(Integer a, Integer b) {
        return Integer(a.value_ * b.value_);
    }
    friend constexpr bool operator==(Integer a, Integer b) = default;
    friend constexpr auto operator<=>(Integer a, Integer b) = default;

  private:
    static constexpr std::int16_t Narrow(int v) {
        if (v < kMin || v > kMax) Raise(ErrorKind::Overflow);
        return static_cast<std::int16_t>(v);
    }

    std::int16_t value_ = 0;
};

}  // namespace carriers
