#pragma once
// The lists of game names a mission picks its peds, vehicle loads and propsets
// from. A pick is uniform over a list. The names are in world/data/model_pools.cpp.
#include <string>
#include <vector>

namespace drovil {

using NamePool = std::vector<std::string>;

struct ModelPools {
    NamePool roughTravellerModels;
    NamePool prisonerModels;
    NamePool criminalModels;
    NamePool campPropsets;
    NamePool lawmanModels;
    NamePool chuckwagonLoads;
    NamePool wealthyMaleModels;
    NamePool wealthyFemaleModels;
    NamePool hunterCampPropsets;
    NamePool familyTravellerModels;
    NamePool horseModels; // only spawnRandomHorse picks from it
};

// Built on first use, never destroyed.
const ModelPools& modelPools();

// One name of the pool, chosen with the game's random numbers. The pool must
// not be empty.
const std::string& pickFrom(const NamePool& pool);

} // namespace drovil
