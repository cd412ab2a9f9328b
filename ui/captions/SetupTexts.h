#pragma once

#include <string_view>

namespace form {

// What a shared set-up says to the user, in one language: the desktop's
// --help and its one-line errors, the page's notice for a link's bad value,
// and the menu command that copies the link. {program}, {option}, {key},
// {value}, {accepts}, {low}, {high} and the help's ranges are filled in.
struct SetupTexts {
    // What a key takes, as a noun phrase that fits after "takes" in the
    // sentences below.
    std::string_view acceptsRange;  // {low} {high}
    std::string_view acceptsDoping;
    std::string_view acceptsOnOff;
    std::string_view acceptsSpeed;  // {speeds}
    std::string_view acceptsStart;
    std::string_view acceptsLanguage;  // {codes}
    std::string_view listSeparator;    // between the speeds

    // The page, when its address holds a value the set-up refuses.
    std::string_view linkRefused;  // {key} {value} {accepts}
    // A link asks for a language the page lacks: {value} {language}
    std::string_view languageUnknown;
    // The desktop, one line on standard error before it exits with status 2.
    std::string_view optionRefused;     // {program} {option} {value} {accepts}
    std::string_view optionUnknown;     // {program} {option}
    std::string_view optionNeedsValue;  // {program} {option}
    // --help: {program} {temperatureLow} {temperatureHigh} {fermiLow}
    // {fermiHigh} {speeds} {codes}
    std::string_view help;

    std::string_view copyLink;  // the menu command
};

}  // namespace form
