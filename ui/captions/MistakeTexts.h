#pragma once

#include <string_view>

#include "captions/PluralText.h"

namespace form {

// What a set-up says of the mistakes in it beyond a single refused value:
// a doping pair whose two values are both wrong, keys a link holds that the
// page does not know, and an argument on the command line that is no option.
// {program}, {key}, {value}, {otherKey}, {otherValue}, {option},
// {otherOption}, {accepts}, {keys}, {known}, {argument} and {text} are
// filled in.
struct MistakeTexts {
    std::string_view quoted;           // {text}: a key as typed, in quotation marks
    std::string_view linkPairRefused;  // {key} {value} {otherKey} {otherValue} {accepts}
    PluralText linkKeysUnknown;        // {keys} {known}, by the count of keys
    // One line on standard error before the program exits with status 2.
    std::string_view
        optionPairRefused;  // {program} {option} {value} {otherOption} {otherValue} {accepts}
    std::string_view argumentStray;  // {program} {argument}
};

}  // namespace form
