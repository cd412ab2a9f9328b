#pragma once

#include <QFont>

#include "captions/Language.h"

namespace form {

// The window's default font: a fixed pixel size, so the layout in twips holds
// whatever the screen's DPI setting says; the zoom multiplies it. A caption
// in a language comes in that language's faces first, so that its script is
// drawn in a face made for it rather than whichever one fontconfig finds;
// without one (the boxes' numbers, the diagram's symbols) it is as designed.
QFont DefaultFont(double zoom = 1.0, const Language* language = nullptr);

// The Japanese Gothic face named for Command5 and the band labels, at a size
// in points (96 dots per inch, as the twips layout assumes), zoomed; a
// language's faces before it as above.
QFont CaptionFont(double points, double zoom = 1.0, const Language* language = nullptr);

// A font of the desktop's own (a menu's, a notice's) with the language's
// faces tried first.
QFont InLanguage(QFont font, const Language& language);

// Points the Japanese Gothic face at the installed IPA one where it is missing.
void InstallFontSubstitutions();

}  // namespace form
