#pragma once

#include <QString>

#include "FormLayout.h"
#include "captions/Language.h"

namespace form {

// The shared layout seen through one build's caption table and placements.
class FormDescription {
public:
    explicit FormDescription(const Language& language) : language_(language) {}

    const Language& language() const { return language_; }
    QString Title() const;
    // The caption of a label, button or check box, or a text box's initial
    // text; empty for a control without one.
    QString Caption(ControlKey key) const;
    // The build's place of a control of the shared layout.
    Placement Place(const ControlSpec& control) const;
    // What names a control to the user: its caption, or for a box the
    // caption of its label.
    QString AccessibleName(ControlKey key) const;

private:
    const Language& language_;
};

QString FromUtf8(std::string_view text);

}  // namespace form
