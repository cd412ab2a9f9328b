#pragma once

// How large the window can be made, in times its designed size: the same
// steps on the desktop and in the page.
namespace form {

inline constexpr double kZoomSteps[] = {1.0, 1.25, 1.5, 2.0, 2.5, 3.0, 4.0};

}  // namespace form
