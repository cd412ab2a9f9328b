#include "Application.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Fonts.h"
#include "TextFill.h"
#include "Twips.h"

namespace form {

namespace {

const Language* startingLanguage = nullptr;
const Program* startingProgram = nullptr;

std::string DisplayTried() {
    for (const char* variable : {"WAYLAND_DISPLAY", "DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return std::string("\"") + value + "\" (" + variable + ")";
    }
    return "(none: DISPLAY is not set)";
}

// Qt ends a program whose platform plugin cannot start with a fatal message
// and an abort; while the application starts, that means no display.
void StartupMessages(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type != QtFatalMsg) return;
    const NoticeTexts& notices = startingLanguage->notices;
    const std::string line = controller::Fill(
        notices.noDisplay, {{"{program}", startingProgram->name}, {"{display}", DisplayTried()}});
    std::fprintf(stderr, "%s\n", line.c_str());
    std::_Exit(1);
}

}  // namespace

std::unique_ptr<QApplication> StartApplication(const Program& program, const Language& language,
                                               const char* command) {
    // QApplication keeps references to these for its whole life.
    static std::string name = command ? command : std::string(program.name);
    static char* arguments[] = {name.data(), nullptr};
    static int count = 1;
    startingLanguage = &language;
    startingProgram = &program;
    const QtMessageHandler previous = qInstallMessageHandler(StartupMessages);
    auto app = std::make_unique<QApplication>(count, arguments);
    qInstallMessageHandler(previous);
    return app;
}

void PrepareApplication(const Program& program) {
    const QString name = FromUtf8(program.name);
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
