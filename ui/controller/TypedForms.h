#pragma once

#include <string>
#include <string_view>

namespace controller {

// Text as a Japanese input method types it, with its full-width forms read
// as the characters they stand for: "３５０" is "350", "－１．５ｅ１６" is
// "-1.5e16". Every full-width ASCII form becomes its ASCII character, the
// ideographic space a space, and the minus sign and the long-vowel mark that
// a kana keyboard gives for '-' a minus; everything else stays as it is.
// Both front ends read their boxes and a set-up's values through it.
std::string NarrowForms(std::string_view text);

}  // namespace controller
