#pragma once

#include <string_view>

#include "captions/PluralText.h"

namespace form {

// What a teacher's tools around the window say, in one language: the menu's
// commands, the "Class data" panel, and the files it writes. {n}, {ticks},
// {seconds}, {value}, {error}, {program}, {file} and {reason} are filled in.
struct TeachingTexts {
    // Commands, on the desktop's right-click menu and the page's menu button.
    std::string_view menu;  // the page's menu button
    std::string_view pause;
    std::string_view resume;
    std::string_view step;
    std::string_view faster;
    std::string_view slower;
    std::string_view speed;        // the submenu
    std::string_view speedChoice;  // {n}: ticks per 50 ms
    std::string_view classData;    // the panel's title and its command
    std::string_view saveData;
    std::string_view savePicture;
    std::string_view copyData;
    std::string_view copyPicture;
    std::string_view keysHint;  // what the menu says of its keys
    std::string_view language;  // the submenu of languages

    // The panel, since the last Start or Light.
    PluralText sinceReset;  // {ticks} {seconds}
    std::string_view notStarted;
    std::string_view meanNP;
    std::string_view lawNP;
    std::string_view meanElectrons;
    std::string_view meanHoles;
    std::string_view rootNP;
    std::string_view intrinsic;
    std::string_view withError;     // {value} {error}
    std::string_view errorPending;  // {value}: too few ticks for an error yet
    std::string_view overTime;      // the chart's caption
    std::string_view electrons;     // the chart's legend
    std::string_view holes;
    std::string_view np;
    std::string_view paused;    // shown while the run is paused
    std::string_view speedNow;  // {n}
    // What a screen reader hears of the panel: {ticks} {np} {error} {law}
    // {n} {p} {root} {ni}
    PluralText described;

    // Files.
    std::string_view dataFile;     // {program}: the CSV's suggested name
    std::string_view pictureFile;  // {program}: the PNG's suggested name
    std::string_view dataFilter;
    std::string_view pictureFilter;
    std::string_view saveFailed;  // {file} {reason}
    std::string_view copied;      // said once data or a picture is on the clipboard

    // Speech.
    std::string_view speak;      // the check item
    std::string_view sayScene;   // the diagram now, read out
    std::string_view noVoice;    // {language}: the item when no voice speaks it
    std::string_view noService;  // the item when the device cannot speak at all
};

}  // namespace form
