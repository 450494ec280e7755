#pragma once
// Putting a vehicle of a scene on the road: the route walk that finds where a
// convoy starts, some way down the road from a point, and the placing of a
// vehicle on the road there, facing a given way. Shared by every executor whose
// scene travels the roads (wagons, the prison wagon, coaches).
#include "runtime/types.h"

namespace drovil {

// The road node about `hops` x `hopLength` metres along the road from `from`
// (nine hops of 20 m, about 180 m, unless told otherwise), counted from `from`
// itself: from the road node nearest to it, each hop snaps the point a hop
// ahead back onto the nearest road node and goes on the way that step went
// (game headings); where the road turns a corner the hop looks for it to the
// side, and hops that fall short are made up for. It stops at a road's end (or
// where a hop finds no road node at all).
// False when there is no road near `from` at all (the walk would otherwise set
// off from the map's origin, kilometres away).
bool walkRoadFrom(const Vector3& from, Vector3& routeStart, int hops = 9, float hopLength = 20.0f);

// A vehicle of `model` on the road node near `near` that favours the direction
// of `towards`, facing along the road; 0 when there is no road there or the
// model does not load within 3 s (asked for every 10 ms).
Vehicle placeVehicleOnRoad(const Vector3& near, const Vector3& towards, Hash model);

} // namespace drovil
