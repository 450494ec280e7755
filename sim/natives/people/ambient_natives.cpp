// The game's townsfolk: the nearest ped to a point, ambient peds and scripts
// taking them over.
#include "natives/families.h"

#include <cmath>

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
float distance(const Vector3& a, const Vector3& b) {
    const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}
} // namespace

void implementAmbientNatives(NativeDispatch& dispatch, World& world) {
    // Any ped, alive or not, nearest the point within the radius; the local
    // player's ped is left out when asked. Ped types are not told apart.
    dispatch.implement<n::ambient::closestPed>(
        [&world](Vector3 point, float radius, bool skipPlayer, bool, Ped* outPed, bool, bool, int, int) {
            int best = 0;
            float bestDistance = radius;
            for (const auto& [id, record] : world.entities.all()) {
                if (record.kind != EntityKind::Ped || (skipPlayer && id == world.player.pedId))
                    continue;
                const float d = distance(record.position, point);
                if (d <= bestDistance && (best == 0 || d < bestDistance)) {
                    best = id;
                    bestDistance = d;
                }
            }
            if (outPed)
                *outPed = Ped(best);
            return best != 0;
        });
    dispatch.implement<n::entity::isPed>(
        [&world](Entity ped) { return world.townsfolk.isAmbient(world, ped.id); });
    dispatch.implement<n::entity::setAsMissionEntity>(
        [&world](Entity entity, bool, bool) { world.townsfolk.claim(world, entity.id); });
}

} // namespace sim
