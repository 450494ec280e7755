#pragma once
// A street target taken without a shot in town: the player finds him, comes up
// behind him with his gun out, threatens him, and once he has his hands up
// walks into him again and again, shoving him ahead of himself out of town,
// where a shot brings no law down on him.
#include "scenarios/scenario_run.h"

#include <map>
#include <string>

namespace sim {

// A street contract already taken in Valentine: the target, a townsman the
// scene leaves unarmed, walks the main street alone.
void writeTakenStreetContract(std::map<std::string, std::string>& files);

// The whole of it, to the contract's end; `summary` says how it went.
bool playStreetHostage(ScenarioRun& run, std::string& summary);

} // namespace sim
