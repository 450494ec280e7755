#pragma once
// The twelve train stations with their fixed special points (data/station_table.cpp).
#include "world/train_stations.h"

#include <optional>
#include <vector>

namespace drovil {

struct StationRow {
    int id = 0;
    Vector3 position;
    std::optional<Vector3> approachPoint;          // absent: computed from the track
    std::optional<StationRemotePoint> remotePoint; // absent: searched along the track
};

// Indexed by station id, 0 to 11.
const std::vector<StationRow>& stationTable();

} // namespace drovil
