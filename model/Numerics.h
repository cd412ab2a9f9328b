#pragma once

#include <cmath>

#include "RuntimeError.h"

namespace carriers {

// Every intermediate is a double; it becomes a Single once, where it is
// stored. A non-finite intermediate is the floating-point fault, a finite one
// beyond the Single range the overflow error.
inline float ToSingle(double value) {
    // Magnitudes from here up no longer round to a finite Single.
    constexpr double kSingleLimit = 0x1.ffffffp127;
    if (!(std::fabs(value) < kSingleLimit)) {
        Raise(std::isfinite(value) ? ErrorKind::Overflow : ErrorKind::FloatingPointFault);
    }
    return static_cast<float>(value);
}

// floor for the cell numbers, without a library call on the tick's hot path.
inline double Floor(double value) {
    if (!(std::fabs(value) < 0x1p52)) return value;  // already whole, or not finite
    const double truncated = static_cast<double>(static_cast<long long>(value));
    return truncated > value ? truncated - 1.0 : truncated;
}

inline double CheckedQuotient(double numerator, double denominator) {
    const double q = numerator / denominator;
    if (!std::isfinite(q)) Raise(ErrorKind::FloatingPointFault);
    return q;
}

}  // namespace carriers
