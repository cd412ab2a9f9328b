#pragma once

#include <string>
#include <string_view>

#include "captions/Language.h"
#include "form/FormLayout.h"

namespace form {

// The shared layout seen through one program and the language it shows now.
class FormDescription {
  public:
    FormDescription(const Program& program, const Language& language)
        : program_(&program), language_(&language) {}

    const Program& program() const { return *program_; }
    const Language& language() const { return *language_; }
    // Only the user's own choice changes it, while the program runs.
    void SetLanguage(const Language& language) { language_ = &language; }

    std::string Title() const;
    // The caption of a label, button or check box, or a text box's initial
    // text; empty for a control without one.
    std::string_view Caption(ControlKey key) const;
    // The language's place of a control of the shared layout.
    Placement Place(const ControlSpec& control) const;
    // What names a control to the user: its caption, or for a box the
    // caption of its label.
    std::string_view AccessibleName(ControlKey key) const;
    // Whether the language has its own caption for the control, rather
    // than one every language shares ("ND", the band letters): only its own
    // take its faces and its direction.
    bool Translated(ControlKey key) const;
    // Where a label's caption that runs from the right can stand: its box
    // in this language up to the first control over its right-hand part
    // (not merely touching its edge), so that it starts where it is seen.
    Placement RoomFromRight(const ControlSpec& label) const;

  private:
    const Program* program_;
    const Language* language_;
};

}  // namespace form
