#pragma once
// The game's street wandering (TASK_WANDER_STANDARD): a ped walks the streets
// around where it was sent off, leg by leg along the town's straight streets,
// turning at the corners, and keeps going until it is given something else. A
// leg that would take it out of its neighbourhood turns it back towards it.
#include "runtime/types.h"

namespace sim {

struct World;

// How far a street wanderer strays from where it set off.
inline constexpr float streetNeighbourhood = 60.0f;

// The end of the next leg for a ped standing at `at` that came from `from`
// ((0, 0, 0) when it has just set off), wandering about `home`.
drovil::Vector3 nextStreetPoint(World& world, const drovil::Vector3& at, const drovil::Vector3& from,
                                const drovil::Vector3& home, float neighbourhood);

} // namespace sim
