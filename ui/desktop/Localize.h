#pragma once

#include <Qt>

#include "captions/Language.h"

class QWidget;

namespace form {

// Which way a language's text runs.
Qt::LayoutDirection TextDirection(const Language& language);

// A window of the desktop's own (a menu, a notice, a dialog) in a language:
// its script's faces and its direction, a menu's items drawn that way too,
// a notice's button in the language's word.
void Localize(QWidget& window, const Language& language);

}  // namespace form
