#include "Language.h"

namespace form {

namespace {

// The title's blank is an ideographic space and Command5 keeps its
// full-width parentheses: both builds share these characters.
constexpr CaptionRow kCaptions[] = {
    {{"Command1"}, "Start/Restart"},
    {{"Command2"}, "Close"},
    {{"Command4"}, "Sim Difusion"},
    {{"Command5"}, "Light （carrier injection）"},
    {{"Check1"}, "Weak Electric field"},
    {{"Label1"}, "Temp.(K)"},
    {{"Label3"}, "Fermi  level (eV)"},
    {{"Label4"}, "Electrons"},
    {{"Label5"}, "Impurity concentration(cm-3)"},
    {{"Label8"}, "Holes"},
    {{"Label10"}, "Electron Density"},
    {{"Label11"}, "Current (mA)"},
};

const Language kEnglish{
    "Quarvel",
    "en",
    "Quarvel　Ver.β",
    kCaptions,
    {},  // the shared layout is the English one
    {
        "Quarvel",
        "{box}: enter a number from {low} to {high}.",
        "Enter two numbers of the same sign, not zero, e.g. 1e10.",
        "Quarvel",
        "Run-time error: {error}.\nThe program will end.",
        {"Overflow", "Type mismatch", "Floating-point fault", "Subscript out of range",
         "Invalid procedure call or argument", "Control array element does not exist"},
        "The program has ended. Reload the page to start it again.",
        "{program} needs a graphical desktop, and could not open the display {display}.",
    },
    {"Zoom in", "Zoom out", "Actual size"},
    EnglishSpoken(),
    EnglishTeaching(),
    EnglishSetup(),
};

}  // namespace

const Language& EnglishLanguage() { return kEnglish; }

}  // namespace form
