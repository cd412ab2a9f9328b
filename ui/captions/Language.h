#pragma once

#include <array>
#include <span>
#include <string_view>

#include "captions/MistakeTexts.h"
#include "captions/SetupTexts.h"
#include "captions/Spoken.h"
#include "captions/TeachingTexts.h"
#include "form/ControlKey.h"

namespace form {

struct CaptionRow {
    ControlKey key;
    std::string_view text;  // UTF-8
};

// A control whose place or size differs from the shared layout in this language.
struct PlacementRow {
    ControlKey key;
    Placement place;
};

// Texts the window itself shows besides the captions: its notices and the
// names of the run-time errors. {box} and {low}/{high} are filled in.
struct NoticeTexts {
    std::string_view rejectMessage;              // {box}, {low}, {high}
    std::string_view dopingIncomplete;           // tooltip on the doping boxes
    std::string_view errorMessage;               // {error}
    std::array<std::string_view, 6> errorNames;  // in ErrorKind order
    // A page cannot close itself: what it says once the program has ended.
    std::string_view programEnded;
    // On standard error when there is no desktop to open the window on.
    std::string_view noDisplay;  // {program}, {display}
    std::string_view ok;         // the page's notice closes with it
};

// The desktop window's projector zoom, on its background's context menu.
struct ZoomTexts {
    std::string_view zoomIn;
    std::string_view zoomOut;
    std::string_view actualSize;
};

// What the class data chart's axes count, each named above its axis.
struct ChartTexts {
    std::string_view countsAxis;   // the left: electrons n and holes p
    std::string_view productAxis;  // the right: n x p
};

// What only the page says, around its window.
struct PageTexts {
    std::string_view closePanel;  // the class data panel's own close control
};

// One language: every text of the window and the tools around it, and the
// few ways its window differs. Made at build time from its PO file.
struct Language {
    std::string_view code;  // as a link or --language names it: "pt-BR"
    std::string_view tag;   // BCP 47, for the page's lang and its voices
    bool rightToLeft;
    // Faces that draw this language's script, tried before the window's own.
    std::span<const std::string_view> fontFamilies;
    std::span<const PlacementRow> placements;

    std::string_view name;                 // in the language itself: "Español"
    std::string_view title;                // {program}
    std::span<const CaptionRow> captions;  // the texts that are translated
    NoticeTexts notices;
    ZoomTexts zoom;
    SpokenTexts spoken;      // what a screen reader hears
    TeachingTexts teaching;  // the tools around the window
    SetupTexts setup;        // a set-up from a link or the command line
    MistakeTexts mistakes;   // what a set-up got wrong beyond one value
    ChartTexts chart;        // the class data chart's axes
    PageTexts page;          // what only the page says
};

// Captions shared by every language; a language's own rows come first.
std::span<const CaptionRow> CommonCaptions();

// Every language, in the order the Language menu lists them.
std::span<const Language* const> Languages();
// A language by its code, matched without regard to case; a bare "pt" or
// "zh" finds the one variant there is. Null when there is none.
const Language* FindLanguage(std::string_view code);

const Language& EnglishLanguage();
const Language& JapaneseLanguage();

// A program built from this tree: its name and the language it opens in.
struct Program {
    std::string_view name;
    std::string_view languageCode;
};
const Program& Quarvel();
const Program& Norvia();

}  // namespace form
