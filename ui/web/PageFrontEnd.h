#pragma once

#include "Controller.h"

namespace form {

// The page's one controller. Its front end is the page script, reached
// through Module.page: the controls, timers and notices are the script's,
// and its painter reads the markers, lines and chart points straight from
// the controller's memory. The first call makes it, in the given language
// (the program's own if none); later calls return it as it is.
controller::Controller& PageController(const Program& program, const Language* language = nullptr);

}  // namespace form
