#pragma once
// Putting a vehicle of a scene on the road: the route walk that finds where a
// convoy starts, some way down the road from a point, and the placing of a
// vehicle on the road there, facing a given way. Shared by every executor whose
// scene travels the roads (wagons, the prison wagon, coaches).
#include "runtime/types.h"

namespace drovil {

// From the road node nearest to `from`, `hops` hops of `hopLength` metres along
// the road (each snapped back to the nearest road node), nine of 20 m (about
// 180 m in all) unless told otherwise: the last node.
// False when there is no road near `from` at all (the walk would otherwise set
// off from the map's origin, kilometres away); a failed hop continues from
// (0, 0, 0).
bool walkRoadFrom(const Vector3& from, Vector3& routeStart, int hops = 9, float hopLength = 20.0f);

// A vehicle of `model` on the road node near `near` that favours the direction
// of `towards`, facing along the road; 0 when there is no road there or the
// model does not load within 3 s (asked for every 10 ms).
Vehicle placeVehicleOnRoad(const Vector3& near, const Vector3& towards, Hash model);

} // namespace drovil
