#pragma once
// The map area table: the eight areas with every spot list (data/map_area_table.cpp).
#include "world/map_areas.h"

#include <vector>

namespace drovil {

struct MapAreaRow {
    MapAreaData area; // `places` stays empty here: the area takes them from the place registry
    // Camp spots in the Grizzlies, appended after `area.campSpots` unless the
    // DisableGrizzlies setting is on (Valentine only).
    std::vector<Vector3> grizzliesCampSpots;
};

// In the order the areas are built: Tumbleweed, Valentine, Annesburg,
// Strawberry, Rhodes, Saint Denis, Blackwater, Armadillo.
const std::vector<MapAreaRow>& mapAreaTable();

} // namespace drovil
