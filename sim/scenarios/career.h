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

// The restless player's career: the same contracts one after another, but at
// every decision he may, by seeded chance, do what players do instead of the
// plan (let an offer lapse, sleep, ride off to another town with the contract,
// leave the area, abandon it from the menu, get himself killed), at 30 or 60
// frames a second. After every contract the folder is checked against what the
// plug-in promises (the save and the mission files load, slots and contracts
// agree, no reward paid twice or lost, no ended contract comes back), each a
// loud failure naming the frame and the seed; the summary counts what he did.
ScenarioResult playRestless(ScenarioRun& run);

} // namespace sim
