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
    const form::Program& program = form::BuildProgram();
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const controller::CommandLine commandLine = controller::SetupFromCommandLine(arguments);
    // --language speaks from the first line on; an unknown code is refused below.
    const auto& asked = commandLine.setup.Value(controller::SetupKey::Language);
    const form::Language* chosen = asked ? form::FindLanguage(*asked) : nullptr;
    const form::Language& language = chosen ? *chosen : *form::FindLanguage(program.languageCode);
    // As the user typed it, to be typed again: "quarvel --help".
    std::string command(program.name);
    if (argc > 0 && *argv[0]) {
        command = argv[0];
        command.erase(0, command.find_last_of('/') + 1);
    }
    if (commandLine.help) {
        std::fputs(controller::HelpText(language.setup, command).c_str(), stdout);
        return 0;
    }
    // The boxes as the window opens, to pair a lone doping value with.
    const form::FormDescription description(program, language);
    const controller::DopingBoxes before{
        std::string(description.Caption(controller::ControlOf(carriers::TextBoxId::Text4))),
        std::string(description.Caption(controller::ControlOf(carriers::TextBoxId::Text5)))};
    if (const auto error = controller::CommandLineError(commandLine, before, language, command,
                                                        QLocale().decimalPoint().toStdString())) {
        std::fprintf(stderr, "%s\n", error->c_str());
        return controller::kCommandLineErrorStatus;
    }

    const auto app = form::StartApplication(program, language, argc > 0 ? argv[0] : nullptr);
    form::PrepareApplication(program);

    form::Form1 window(program, &language);
    QObject::connect(&window, &form::Form1::programEnded, app.get(),
                     [](int status) { QCoreApplication::exit(status); });
    window.Load();
    if (const auto status = window.ExitStatus()) return *status;
    window.Controller().Apply(commandLine.setup);
    window.show();
    return QApplication::exec();
}
