#pragma once

#include <QFont>

namespace form {

// The window's default font: a fixed pixel size, so the layout in twips holds
// whatever the screen's DPI setting says; the zoom multiplies it.
QFont DefaultFont(double zoom = 1.0);

// The Japanese Gothic face named for Command5 and the band labels, at a size
// in points (96 dots per inch, as the twips layout assumes), zoomed.
QFont CaptionFont(double points, double zoom = 1.0);

// Points the Japanese Gothic face at the installed IPA one where it is missing.
void InstallFontSubstitutions();

}  // namespace form
