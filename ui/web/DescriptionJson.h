#pragma once

#include <string>

#include "form/FormDescription.h"

namespace form {

// The whole window description of one build as JSON, for the browser page to
// build its controls and paint its surface from: controls with their
// captions and places, shapes, lines, paint order, fonts, timers, bindings
// and the page's own texts.
std::string DescriptionJson(const FormDescription& form);

}  // namespace form
