#include "SetupTexts.h"

namespace form {

namespace {

constexpr SetupTexts kSetup{
    "a number from {low} to {high}",
    "a donor and an acceptor concentration of the same sign, neither of them zero (e.g. 1e10)",
    "on or off",
    "one of {speeds}",
    "no value, or 1",
    ", ",

    "This link sets {key} to “{value}”, but {key} takes {accepts}. "
    "The other boxes are set as the link says; the run has not started.",
    "{program}: --{option} \"{value}\" is not accepted: --{option} takes {accepts}.",
    "{program}: unknown option --{option}; {program} --help lists the options.",
    "{program}: --{option} needs a value; {program} --help lists the options.",
    "Usage: {program} [options]\n"
    "Opens the window with this set-up, as if typed into its boxes in this order.\n"
    "  --temperature K   temperature in kelvin, from {temperatureLow} to {temperatureHigh}\n"
    "  --fermi EV        Fermi level in eV above the valence band edge,\n"
    "                    from {fermiLow} to {fermiHigh}\n"
    "  --nd N            donor concentration per cubic centimetre, e.g. 1e16\n"
    "  --na N            acceptor concentration per cubic centimetre, e.g. 1e10;\n"
    "                    the two set the Fermi level\n"
    "  --field           switches the weak electric field on (--field=off: off)\n"
    "  --speed N         ticks per 50 ms: {speeds}\n"
    "  --start           starts the run\n"
    "  --help            shows this text and ends\n"
    "Every option also takes the form --option=value.\n",

    "Copy link to this set-up",
};

}  // namespace

const SetupTexts& EnglishSetup() { return kSetup; }

}  // namespace form
