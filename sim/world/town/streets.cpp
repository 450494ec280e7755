#include "world/town/streets.h"

#include "world/core/geometry.h"
#include "world/core/world.h"

#include <cmath>
#include <random>

namespace sim {
namespace {
constexpr float pi = 3.14159265f;
// A leg runs from one corner to the next.
constexpr float shortestLeg = 12.0f;
constexpr float longestLeg = 30.0f;
} // namespace

drovil::Vector3 nextStreetPoint(World& world, const drovil::Vector3& at, const drovil::Vector3& from,
                                const drovil::Vector3& home, float neighbourhood) {
    std::uniform_real_distribution<float> legLength(shortestLeg, longestLeg);
    std::uniform_int_distribution<int> corner(0, 3);
    const float length = legLength(world.random);
    // Straight on, or round a corner: the way it came is taken only when the
    // other three leave the neighbourhood.
    float heading = 0.0f;
    const bool fresh = from.x == 0.0f && from.y == 0.0f && from.z == 0.0f;
    if (!fresh && flatDistance(at, from) > 0.1f)
        heading = std::atan2(at.y - from.y, at.x - from.x);
    else
        heading = static_cast<float>(corner(world.random)) * pi / 2.0f;
    const int first = corner(world.random);
    for (int turn = 0; turn < 4; ++turn) {
        const int quarter = (first + turn) % 4;
        if (!fresh && quarter == 2)
            continue; // not back the way it came
        const float direction = heading + static_cast<float>(quarter) * pi / 2.0f;
        // The streets of the simulated towns are level where the ped walks.
        const drovil::Vector3 end(at.x + length * std::cos(direction), at.y + length * std::sin(direction), at.z);
        if (flatDistance(end, home) <= neighbourhood)
            return end;
    }
    // Every way out leads away: back towards where it set off.
    const float back = std::atan2(home.y - at.y, home.x - at.x);
    return drovil::Vector3(at.x + length * std::cos(back), at.y + length * std::sin(back), at.z);
}

} // namespace sim
