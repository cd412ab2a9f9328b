#include "TextFill.h"

namespace controller {

// One pass over the pattern, so that a value (text as a user typed it) is
// never searched for fields itself.
std::string Fill(std::string_view pattern,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> fields) {
    std::string text;
    text.reserve(pattern.size());
    std::size_t at = 0;
    while (at < pattern.size()) {
        bool replaced = false;
        if (pattern[at] == '{') {
            for (const auto& [field, value] : fields) {
                if (pattern.substr(at, field.size()) == field) {
                    text += value;
                    at += field.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) text += pattern[at++];
    }
    return text;
}

namespace {

// A typed text up to this many characters is shown whole; a longer one keeps
// kShownAtEachEnd at each end.
constexpr std::size_t kShownWhole = 24;
constexpr std::size_t kShownAtEachEnd = 10;

bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

}  // namespace

std::string Shortened(std::string_view typed) {
    std::size_t characters = 0;
    for (const char c : typed) characters += StartsCharacter(c) ? 1U : 0U;
    if (characters <= kShownWhole) return std::string(typed);
    // The byte where the n-th character from the start begins.
    const auto startOf = [&](std::size_t n) {
        std::size_t at = 0;
        for (std::size_t seen = 0; at < typed.size(); ++at) {
            if (StartsCharacter(typed[at]) && seen++ == n) break;
        }
        return at;
    };
    return std::string(typed.substr(0, startOf(kShownAtEachEnd))) + "\u2026" +
           std::string(typed.substr(startOf(characters - kShownAtEachEnd)));
}

}  // namespace controller
