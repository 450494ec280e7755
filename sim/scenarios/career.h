#pragma once
// A career of contracts: one game, one game folder, contract after contract as
// a player lives it. The scripted player goes from town to town by train, takes
// whatever offer a passer-by makes, plays it to its end (mostly to the reward;
// now and then he leaves the target behind, gets himself killed, or abandons
// the contract from the menu, as players do) and collects his pay at a station.
// Started again on the same folder (after a crash), it first plays the
// contracts the game restored, then goes on until the career has its number.
#include "scenarios/scenarios.h"

namespace sim {

// How many contracts a career plays when drovil-sim is not told (--contracts).
inline constexpr int defaultCareerContracts = 5;

ScenarioResult playCareer(ScenarioRun& run);

} // namespace sim
