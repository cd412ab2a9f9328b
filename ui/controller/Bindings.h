#pragma once

#include <span>

#include "CarrierModel.h"
#include "controller/Spoken.h"
#include "form/ControlKey.h"

namespace form {

enum class Event { Load, Click, Change, Timer };

// Which control event runs which handler. Every other event of every
// control is left to the platform.
struct Binding {
    ControlKey control;
    Event event;
    // A handler of the carrier model; none for Command2, whose click ends
    // the program, which only the window itself can do.
    void (carriers::CarrierModel::*handler)();
    // What a screen reader is told once the handler has run.
    Announcement announce = Announcement::None;
};

std::span<const Binding> BindingTable();

}  // namespace form
