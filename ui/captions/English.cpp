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
    {{"Label6"}, "ND"},
    {{"Label7"}, "NA"},
    {{"Label8"}, "Holes"},
    {{"Label9"}, "t"},
    {{"Label10"}, "Electron Density"},
    {{"Label11"}, "Current (mA)"},
    {{"Label12"}, "0"},
    {{"Label2", 0}, "E"},
    {{"Label2", 1}, "E"},
    {{"Label2", 2}, "C"},
    {{"Label2", 3}, "V"},
    {{"Label2", 4}, "E"},
    {{"Label2", 5}, "F"},
    {{"Text1"}, "300"},
    {{"Text2"}, "0.5"},
    {{"Text3"}, "0"},
    {{"Text4"}, "1e10"},
    {{"Text5"}, "1e10"},
    {{"Text6"}, "0"},
    {{"Text7"}, "0"},
};

const Language kEnglish{
    "Quarvel",
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
    },
};

}  // namespace

const Language& EnglishLanguage() { return kEnglish; }

}  // namespace form
