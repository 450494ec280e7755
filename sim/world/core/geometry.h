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

// The point `metres` from `centre` on the side facing `from`, on the ground plane.
inline drovil::Vector3 pointTowards(const drovil::Vector3& centre, const drovil::Vector3& from, float metres) {
    const float distance = flatDistance(centre, from);
    if (distance < 0.01f)
        return centre;
    return drovil::Vector3(centre.x + (from.x - centre.x) * metres / distance,
                           centre.y + (from.y - centre.y) * metres / distance, centre.z);
}

} // namespace sim
