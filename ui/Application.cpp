#include "Application.h"

#include <QApplication>

#include "Fonts.h"
#include "FormDescription.h"

namespace form {

void PrepareApplication(const Language& language) {
    const QString name = FromUtf8(language.programName);
    QApplication::setApplicationName(name);
    // Lets the desktop match the window to its installed entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quarvel.") + name);
    // One style everywhere, so the layout in twips looks and fits the same.
    QApplication::setStyle(QStringLiteral("Fusion"));
    // The window ends the program itself, with its own exit status.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallFontSubstitutions();
}

}  // namespace form
