#pragma once

#include <optional>
#include <span>
#include <string>

#include "Runtime.h"
#include "form/ControlKey.h"

namespace controller {

// Which control of the description each text box of the runtime is: the
// one place where the model's boxes meet the window's names.
struct BoxRow {
    carriers::TextBoxId box;
    form::ControlKey control;
};
std::span<const BoxRow> BoxTable();
form::ControlKey ControlOf(carriers::TextBoxId box);
std::optional<carriers::TextBoxId> BoxOf(form::ControlKey control);

// A box's text when the window opens, which every build shares.
std::string InitialText(carriers::TextBoxId box);

// Where the window description loads the markers and lines the model moves;
// every polarity mark visible, as controls are at creation, until Form_Load
// hides them.
carriers::LoadState WindowLoadState();

}  // namespace controller
