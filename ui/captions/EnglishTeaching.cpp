#include "TeachingTexts.h"

namespace form {

namespace {

constexpr TeachingTexts kTeaching{
    "Menu",
    "Pause",
    "Resume",
    "Step one tick",
    "Faster",
    "Slower",
    "Speed",
    "{n}× speed",
    "Class data",
    "Save data as CSV…",
    "Save picture…",
    "Copy data",
    "Copy picture",
    "The keys work from every box and button.",

    "Since the last Start or Light: {ticks} ticks ({seconds} s)",
    "Press Start/Restart, and the measurement begins.",
    "Measured mean of n·p",
    "Law of mass action, e^(T/50)",
    "Mean electrons n",
    "Mean holes p",
    "√(n·p)",
    "n_i = e^(T/100)",
    "{value} ± {error}",
    "{value} (error after more ticks)",
    "Over time",
    "electrons",
    "holes",
    "n·p",
    "Paused",
    "Speed: {n}×",
    "Class data: {ticks} ticks since the last Start or Light. Measured mean of n times p: {np}, "
    "plus or minus {error}; the law of mass action gives {law}. Mean electrons {n}, mean holes "
    "{p}; "
    "the square root of n times p is {root}, beside n i of {ni}.",

    "{program}-data.csv",
    "{program}-picture.png",
    "CSV files (*.csv)",
    "PNG pictures (*.png)",
    "Could not write {file}: {reason}",
    "Copied.",
};

}  // namespace

const TeachingTexts& EnglishTeaching() { return kTeaching; }

}  // namespace form
