#pragma once

#include <QStringList>

namespace form {
class Form1;
}

// Every caption and initial text of a shown window that is not fully
// visible inside its own control, measured with the fonts the window uses:
// one line per problem, empty when everything fits.
QStringList CaptionFitProblems(const form::Form1& window);
