#pragma once

#include <array>
#include <span>
#include <string_view>

namespace form {

// A control of the window, by name and, for a control-array member, index.
struct ControlKey {
    std::string_view name;
    int index = -1;

    friend constexpr bool operator==(const ControlKey&, const ControlKey&) = default;
};

// Place and size in twips from the client area's top-left.
struct Placement {
    int left;
    int top;
    int width;
    int height;

    friend constexpr bool operator==(const Placement&, const Placement&) = default;
};

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
    std::string_view rejectMessage;      // {box}, {low}, {high}
    std::string_view dopingIncomplete;   // tooltip on the doping boxes
    std::string_view errorTitle;
    std::string_view errorMessage;       // {error}
    std::array<std::string_view, 6> errorNames;  // in ErrorKind order
};

// Everything that differs between the two builds.
struct Language {
    std::string_view programName;
    std::string_view title;
    std::span<const CaptionRow> captions;  // the texts that are translated
    std::span<const PlacementRow> placements;
    NoticeTexts notices;
};

// Captions shared by every language; a language's own rows come first.
std::span<const CaptionRow> CommonCaptions();

const Language& EnglishLanguage();
const Language& JapaneseLanguage();

}  // namespace form
