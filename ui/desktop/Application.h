#pragma once

#include <QApplication>
#include <memory>

#include "captions/Language.h"

namespace form {

// Creates the application as the program needs it: it reads no command line
// (Qt's own options such as -platform or -reverse are not passed on), and
// without a desktop to open the window on it says so in one line on
// standard error and exits with status 1 instead of aborting.
std::unique_ptr<QApplication> StartApplication(const Program& program, const Language& language,
                                               const char* command);

// Application-wide settings the window relies on: one widget style, the font
// substitution, and that the window alone decides when the program ends.
// Call after the QApplication exists.
void PrepareApplication(const Program& program);

}  // namespace form
