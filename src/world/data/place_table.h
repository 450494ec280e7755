#pragma once
// The place table: every named place of every map area with its idle spots
// (data/place_table.cpp).
#include "world/places.h"

#include <vector>

namespace drovil {

// An idle spot as the table gives it. A bound entry names the game scenario
// point to look for (type, within `searchRadius` of `position`); a free-standing
// entry is placed at `position` itself.
struct ScenarioEntryRow {
    bool bound = false;
    Vector3 position;
    float searchRadius = 0.0f;
    Hash pointType = 0;
    const char* scenarioName = "";
    float heading = 0.0f;
};

inline ScenarioEntryRow boundEntry(Vector3 searchPosition, float searchRadius, Hash pointType,
                                   const char* scenario, float heading) {
    return ScenarioEntryRow{true, searchPosition, searchRadius, pointType, scenario, heading};
}
inline ScenarioEntryRow freeEntry(Vector3 position, const char* scenario, float heading) {
    return ScenarioEntryRow{false, position, 0.0f, 0, scenario, heading};
}

struct PlaceRow {
    Hash areaId = 0;
    const char* name = "";
    PlaceKind kind = PlaceKind::House;
    Vector3 position;
    float radius = 0.0f;
    const char* ownerModel = ""; // empty: none
    std::vector<ScenarioEntryRow> entries;
};

// In registry order: the areas Armadillo, Tumbleweed, Blackwater, Strawberry,
// Valentine, Rhodes, Saint Denis, Annesburg, each with its places in order.
const std::vector<PlaceRow>& placeTable();

} // namespace drovil
