#pragma once
// Distances in the simulated world: on the ground plane (how far apart two
// things stand on the map) and in space.
#include "runtime/types.h"

#include <cmath>

namespace sim {

inline float flatDistance(const drovil::Vector3& a, const drovil::Vector3& b) {
    const float dx = a.x - b.x, dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

inline float distance3d(const drovil::Vector3& a, const drovil::Vector3& b) {
    const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

} // namespace sim
