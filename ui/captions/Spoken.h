#pragma once

#include <string_view>

#include "captions/PluralText.h"

namespace form {

// What a screen reader hears besides the captions: the band diagram's name
// and description, the announcements after an action and the descriptions
// of the inputs, in one language. {t}, {ef}, {n}, {low}, {high}, {where},
// {electrons} and {holes} are filled in.
struct SpokenTexts {
    std::string_view diagramName;
    std::string_view sceneHeading;  // the description's first sentence
    std::string_view idle;          // before the first Start
    std::string_view running;       // {t}
    std::string_view fermiLevel;    // {ef} {where}
    // Where the Fermi level lies: below or at the valence band edge, nearer
    // it, midway, nearer the conduction band edge, at or above it.
    std::string_view whereBelowValence;
    std::string_view whereNearValence;
    std::string_view whereMidway;
    std::string_view whereNearConduction;
    std::string_view whereAboveConduction;
    PluralText electrons;     // {n}
    PluralText holes;         // {n}
    std::string_view counts;  // {electrons} {holes}
    std::string_view fieldOff;
    std::string_view fieldOn;

    std::string_view started;  // {t} {ef} {electrons} {holes}
    std::string_view light;    // {electrons} {holes}
    std::string_view diffusion;
    std::string_view dopingSet;  // {ef}

    std::string_view temperatureInput;  // {low} {high}
    std::string_view fermiLevelInput;   // {low} {high}
    std::string_view donorInput;
    std::string_view acceptorInput;
    std::string_view fieldToggle;
    std::string_view chartEmpty;
    std::string_view chartTrend;  // {n} {low} {high}

    // Read aloud with speech on, beside what the actions announce.
    std::string_view paused;
    std::string_view resumed;
    std::string_view speed;  // {n}
};

}  // namespace form
