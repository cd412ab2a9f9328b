#include "Application.h"
#include "Form1.h"
#include "captions/Language.h"

// One source for both programs: the build picks the caption table.
static const form::Language& BuildLanguage() {
#ifdef QUARVEL_JAPANESE_BUILD
    return form::JapaneseLanguage();
#else
    return form::EnglishLanguage();
#endif
}

// Every argument is ignored: the program reads no command line.
int main(int argc, char* argv[]) {
    const form::Language& language = BuildLanguage();
    const auto app = form::StartApplication(language, argc > 0 ? argv[0] : nullptr);
    form::PrepareApplication(language);

    form::Form1 window(language);
    QObject::connect(&window, &form::Form1::programEnded, app.get(),
                     [](int status) { QCoreApplication::exit(status); });
    window.Load();
    if (const auto status = window.ExitStatus()) return *status;
    window.show();
    return QApplication::exec();
}
