#pragma once

#include "captions/Language.h"

namespace form {

// Qt's own words (a file dialog's, a notice's buttons, a text box's context
// menu) in `language`, from the desktop's translations of Qt; Qt's English
// where it has none for the language. False then. Call after the
// QApplication exists; the window's own arrangement stays as it is.
bool UseQtTexts(const Language& language);

}  // namespace form
