#pragma once

#include "captions/Language.h"

namespace form {

// Application-wide settings the window relies on: one widget style, the font
// substitution, and that the window alone decides when the program ends.
// Call after the QApplication exists.
void PrepareApplication(const Language& language);

}  // namespace form
