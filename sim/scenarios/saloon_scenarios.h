#pragma once
// The saloon scenarios' pieces, listed with the others in scenarios.cpp.
#include "scenarios/scenarios.h"

namespace sim {

struct World;

// A saloon contract already taken in Valentine (a gang member with one guard).
void writeTakenSaloonContract(ScenarioFiles& files);
// 23:00, a few dollars in the pocket / only the dollars.
void lateNightWithCash(World& world);
void withCash(World& world);
ScenarioResult playSaloonLure(ScenarioRun& run);
ScenarioResult playSaloonWait(ScenarioRun& run);

} // namespace sim
