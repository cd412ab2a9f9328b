#pragma once

#include <QFont>

namespace form {

// The window's default font: a fixed pixel size, so the layout in twips holds
// whatever the screen's DPI setting says.
QFont DefaultFont();

// The Japanese Gothic face named for Command5 and the band labels, at a size
// in points (96 dots per inch, as the twips layout assumes).
QFont CaptionFont(double points);

// Points the Japanese Gothic face at the installed IPA one where it is missing.
void InstallFontSubstitutions();

}  // namespace form
