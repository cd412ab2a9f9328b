#include "Spoken.h"

namespace form {

namespace {

constexpr SpokenTexts kSpoken{
    "Band diagram",
    "Band diagram.",
    "Not started.",
    "Running at {t} K.",
    "Fermi level {ef} eV, {where}.",
    "at or below the valence band edge",
    "closer to the valence band edge",
    "midway between the band edges",
    "closer to the conduction band edge",
    "at or above the conduction band edge",
    "{n} electrons in the conduction band, {p} holes in the valence band.",
    "No field.",
    "Weak field on: electrons drift right, holes drift left.",

    "Started at {t} K, Fermi level {ef} eV: {n} electrons, {p} holes.",
    "Light: {n} electrons, {p} holes.",
    "Every carrier is gathered at the middle of the crystal and spreads again.",
    "Fermi level set to {ef} eV.",

    "Temperature in kelvin, from {low} to {high}.",
    "Fermi level in eV above the valence band edge, from {low} to {high}.",
    "Donor concentration per cubic centimetre.",
    "Acceptor concentration per cubic centimetre.",
    "Switches a weak electric field on or off: electrons drift right, holes drift left.",
    "Electron count over time: no points yet.",
    "Electron count over time: now {n}, between {low} and {high} over the last minute.",
};

}  // namespace

const SpokenTexts& EnglishSpoken() { return kSpoken; }

}  // namespace form
