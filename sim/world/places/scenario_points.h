#pragma once
// The game's scenario points (seats, benches, camp stools) the plug-in may bind
// to (world/places/scenario_points.cpp).
#include "runtime/types.h"

#include <cstdint>
#include <vector>

namespace sim {

struct ScenarioPointRow {
    std::uint32_t type;
    drovil::Vector3 position;
};

const std::vector<ScenarioPointRow>& scenarioPointTable();

} // namespace sim
