#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace controller {

// A caption table's pattern with its fields ("{low}", "{program}") replaced;
// a value that itself holds a field's name is left as it is.
std::string Fill(std::string_view pattern,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> fields);

// What a message shows of a text the user typed: the text, or where it is
// longer than a message's line can hold, its start and end around an
// ellipsis ("1111111111…1111111111"), never cut inside a character.
std::string Shortened(std::string_view typed);

}  // namespace controller
