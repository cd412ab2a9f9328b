#pragma once

#include <array>
#include <span>
#include <string_view>

#include "captions/SetupTexts.h"
#include "captions/Spoken.h"
#include "captions/TeachingTexts.h"
#include "form/ControlKey.h"

namespace form {

struct CaptionRow {
    ControlKey key;
    std::string_view text;  // UTF-8
};

// A control whose place or size differs from the shared layout in this build.
struct PlacementRow {
    ControlKey key;
    Placement place;
};

// Texts the window itself shows besides the captions: its notices and the
// names of the run-time errors. {box} and {low}/{high} are filled in.
struct NoticeTexts {
    std::string_view rejectTitle;
    std::string_view rejectMessage;     // {box}, {low}, {high}
    std::string_view dopingIncomplete;  // tooltip on the doping boxes
    std::string_view errorTitle;
    std::string_view errorMessage;               // {error}
    std::array<std::string_view, 6> errorNames;  // in ErrorKind order
    // A page cannot close itself: what it says once the program has ended.
    std::string_view programEnded;
    // On standard error when there is no desktop to open the window on.
    std::string_view noDisplay;  // {program}, {display}
};

// The desktop window's projector zoom, on its background's context menu.
struct ZoomTexts {
    std::string_view zoomIn;
    std::string_view zoomOut;
    std::string_view actualSize;
};

// Everything that differs between the two builds.
struct Language {
    std::string_view programName;
    std::string_view languageTag;  // BCP 47, for the page's lang and its voices
    std::string_view title;
    std::span<const CaptionRow> captions;  // the texts that are translated
    std::span<const PlacementRow> placements;
    NoticeTexts notices;
    ZoomTexts zoom;
    const SpokenTexts& spoken;      // what a screen reader hears
    const TeachingTexts& teaching;  // the tools around the window
    const SetupTexts& setup;        // a set-up from a link or the command line
};

// Captions shared by every language; a language's own rows come first.
std::span<const CaptionRow> CommonCaptions();

const Language& EnglishLanguage();
const Language& JapaneseLanguage();

}  // namespace form
