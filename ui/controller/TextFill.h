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

}  // namespace controller
