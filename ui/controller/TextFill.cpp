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

}  // namespace controller
