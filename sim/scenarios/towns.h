#pragma once
// The eight towns a scenario can start in, as a player knows them: the name on
// the map, the town's zone, and the stretch of main street where passers-by
// stroll and strangers come up to offer work.
#include "runtime/types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct StartingTown {
    std::string name;         // "Saint Denis"
    std::uint32_t zone = 0;   // the town's zone hash, also its map area id
    drovil::Vector3 mainStreet;
    int areaId() const { return static_cast<int>(zone); }
};

const std::vector<StartingTown>& allTowns();
// By name, ignoring case, with '-' or '_' for a space ("saint-denis"); nullptr if none.
const StartingTown* findTown(const std::string& name);
const StartingTown& valentine();
// "Annesburg, Armadillo, ..." for messages.
std::string townNames();

} // namespace sim
