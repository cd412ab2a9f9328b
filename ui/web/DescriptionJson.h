#pragma once

#include <string>

#include "Controller.h"
#include "FormDescription.h"

namespace form {

// What the browser page reads of the window description, as JSON.

// Everything the page reads once, whatever the language: the controls'
// kinds and tab order, shapes, lines, paint order, fonts, timers, bindings,
// where the model's memory lies, the commands around the window, and every
// language the page can show, each in its own name.
std::string LayoutJson(const FormDescription& form);

// The texts of the language the description shows: every caption,
// accessible name and description with the control's place in this
// language, the title and the page's own words. "shown" lists the texts the
// module fills in later, so that the page's fonts can be cut to them.
std::string TextsJson(const FormDescription& form);

// The page's commands as they stand now: pause or resume, the speed, and
// each command's words and whether it can be used, in the description's
// order of commands.
std::string CommandsJson(const controller::Controller& controller);

// The "Class data" panel's view, every figure already in words.
std::string PanelJson(const controller::ClassDataView& view);

// What tests and the page's commands read of the model and the time
// controls besides the markers.
std::string StateJson(const controller::Controller& controller);

}  // namespace form
