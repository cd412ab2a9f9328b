#pragma once

namespace controller::testing {

// Plays every time-control scenario twice, plainly and through pauses,
// steps and speeds, prints both states' digests, and gives the number of
// scenarios whose two states differ.
int PlayPaceScenarios();

}  // namespace controller::testing
