#include "natives/families.h"

#include <cmath>

namespace sim {
namespace n = drovil::natives::decl;
using drovil::Vector3;

void implementMiscNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::misc::hashOfName>([&world](const char* name) {
        const std::uint32_t hash = gameHash(name ? name : "");
        world.names.noteHashed(name ? name : "", hash);
        return hash;
    });
    dispatch.implement<n::misc::randomInt>([&world](int low, int high) {
        if (high <= low)
            return low;
        std::uniform_int_distribution<int> pick(low, high - 1);
        return pick(world.random);
    });
    dispatch.implement<n::misc::distanceBetween>([](Vector3 a, Vector3 b, bool useZ) {
        const float dx = a.x - b.x, dy = a.y - b.y, dz = useZ ? a.z - b.z : 0.0f;
        return std::sqrt(dx * dx + dy * dy + dz * dz);
    });
    // The game's calendar in game seconds since 1898: well past 0 when a
    // session starts, and on by hours at once when the player sleeps.
    dispatch.implement<n::misc::secondsSinceBaseYear>(
        [&world]() { return static_cast<int>(world.clock.secondsSinceBaseYear()); });
}

} // namespace sim
