#pragma once

#include <QStringList>

namespace form {
class Form1;
struct Language;
}  // namespace form

// Every caption and initial text of a shown window that is not fully
// visible inside its own control, measured with the fonts the window uses:
// one line per problem, empty when everything fits.
QStringList CaptionFitProblems(const form::Form1& window);

// Every letter of a caption that is not drawn in its script's face (the
// language's own, or the one the window names): a box for a missing glyph,
// or a face fontconfig fell back to.
QStringList CaptionFaceProblems(const form::Form1& window, const form::Language& language);
