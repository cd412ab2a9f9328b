#pragma once

#include <string_view>

#include "captions/Language.h"
#include "form/FormLayout.h"

namespace form {

// The shared layout seen through one build's caption table and placements.
class FormDescription {
  public:
    explicit FormDescription(const Language& language) : language_(language) {}

    const Language& language() const { return language_; }
    std::string_view Title() const { return language_.title; }
    // The caption of a label, button or check box, or a text box's initial
    // text; empty for a control without one.
    std::string_view Caption(ControlKey key) const;
    // The build's place of a control of the shared layout.
    Placement Place(const ControlSpec& control) const;
    // What names a control to the user: its caption, or for a box the
    // caption of its label.
    std::string_view AccessibleName(ControlKey key) const;

  private:
    const Language& language_;
};

}  // namespace form
