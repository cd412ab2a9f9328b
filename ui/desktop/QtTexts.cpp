#include "QtTexts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "Twips.h"

namespace form {

bool UseQtTexts(const Language& language) {
    // One for the application's whole life, reloaded with each language.
    static QTranslator* const translator = [] {
        auto* made = new QTranslator(QApplication::instance());
        // The window keeps its left-to-right arrangement: an installed
        // right-to-left translation would otherwise turn the application's
        // direction. Its dialogs take the language's direction themselves.
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        return made;
    }();
    const QString tag = FromUtf8(language.tag);
    QApplication::removeTranslator(translator);
    const bool found = translator->load(QLocale(tag), QStringLiteral("qtbase"), QStringLiteral("_"),
                                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (found) QApplication::installTranslator(translator);
    return found;
}

}  // namespace form
