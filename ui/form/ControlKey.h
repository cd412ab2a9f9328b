#pragma once

#include <string_view>

namespace form {

// A control of the window, by name and, for a control-array member, index.
struct ControlKey {
    std::string_view name;
    int index = -1;

    friend constexpr bool operator==(const ControlKey&, const ControlKey&) = default;
};

// Place and size in twips from the client area's top-left.
struct Placement {
    int left;
    int top;
    int width;
    int height;

    friend constexpr bool operator==(const Placement&, const Placement&) = default;
};

}  // namespace form
