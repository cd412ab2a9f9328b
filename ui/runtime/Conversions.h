#pragma once

#include <string>
#include <string_view>

#include "Integer.h"

namespace carriers {

// Rounds to the nearest integer, ties to even (22.5 -> 22, 37.5 -> 38);
// a result outside the 16-bit range, or NaN, is the overflow error.
// Inline because the tick converts every cell number to an index.
inline Integer RoundToInteger(double value) {
    // Adding and removing 2^52 leaves the value rounded to an integer in the
    // default round-to-nearest-even mode; exact for every |value| < 2^51,
    // and anything larger overflows anyway.
    constexpr double kShift = 0x1p52;
    if (!(value > -0x1p51 && value < 0x1p51)) Raise(ErrorKind::Overflow);
    const double shifted = value >= 0 ? value + kShift : value - kShift;
    const double r = value >= 0 ? shifted - kShift : shifted + kShift;
    if (r < Integer::kMin || r > Integer::kMax) Raise(ErrorKind::Overflow);
    return Integer(static_cast<int>(r));
}

// Reads text in decimal or exponent form ("300", "0.5", "1e10", " -2,5E-3 ").
// Both '.' and the locale's decimal separator are accepted as the decimal
// point, so the initial texts read the same in every locale. Surrounding
// blanks are ignored. Anything else, or empty text, is a type mismatch; a
// magnitude beyond the double range is an overflow.
double TextToDouble(std::string_view text, std::string_view decimalSeparator = ".");

// TextToDouble followed by RoundToInteger.
Integer TextToInteger(std::string_view text, std::string_view decimalSeparator = ".");

// Plain decimal digits with a leading minus when negative.
std::string IntegerToText(Integer value);

// General format: at most 15 significant digits, no trailing zeros, no point
// for whole numbers, exponent form only for very large or small magnitudes.
std::string DoubleToText(double value, std::string_view decimalSeparator = ".");

}  // namespace carriers
