#pragma once

#include <string>

#include "Controller.h"
#include "FormDescription.h"

namespace form {

// The whole window description of one build as JSON, for the browser page to
// build its controls and paint its surface from: controls with their
// captions and places, shapes, lines, paint order, fonts, timers, bindings,
// the commands around the window and the page's own texts.
std::string DescriptionJson(const FormDescription& form);

// The page's commands as they stand now: pause or resume, the speed, and
// each command's words and whether it can be used, in the description's
// order of commands.
std::string CommandsJson(const controller::Controller& controller);

// The "Class data" panel's view, every figure already in words.
std::string PanelJson(const controller::ClassDataView& view);

}  // namespace form
