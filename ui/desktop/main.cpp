#include <QLocale>
#include <cstdio>
#include <string>
#include <vector>

#include "Application.h"
#include "Form1.h"
#include "Setup.h"
#include "WindowTables.h"
#include "captions/BuildLanguage.h"

// The command line gives a set-up a teacher can share; it is read before Qt
// starts, and Qt never sees it, so its own options ("-platform") stay ignored.
int main(int argc, char* argv[]) {
    const form::Language& language = form::BuildLanguage();
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const controller::CommandLine commandLine = controller::SetupFromCommandLine(arguments);
    // As the user typed it, to be typed again: "quarvel --help".
    std::string program(language.programName);
    if (argc > 0 && *argv[0]) {
        program = argv[0];
        program.erase(0, program.find_last_of('/') + 1);
    }
    if (commandLine.help) {
        std::fputs(controller::HelpText(language.setup, program).c_str(), stdout);
        return 0;
    }
    // The boxes as the window opens, to pair a lone doping value with.
    const form::FormDescription description(language);
    const controller::DopingBoxes before{
        std::string(description.Caption(controller::ControlOf(carriers::TextBoxId::Text4))),
        std::string(description.Caption(controller::ControlOf(carriers::TextBoxId::Text5)))};
    if (const auto error = controller::CommandLineError(
            commandLine, before, language.setup, program, QLocale().decimalPoint().toStdString())) {
        std::fprintf(stderr, "%s\n", error->c_str());
        return controller::kCommandLineErrorStatus;
    }

    const auto app = form::StartApplication(language, argc > 0 ? argv[0] : nullptr);
    form::PrepareApplication(language);

    form::Form1 window(language);
    QObject::connect(&window, &form::Form1::programEnded, app.get(),
                     [](int status) { QCoreApplication::exit(status); });
    window.Load();
    if (const auto status = window.ExitStatus()) return *status;
    window.Controller().Apply(commandLine.setup);
    window.show();
    return QApplication::exec();
}
