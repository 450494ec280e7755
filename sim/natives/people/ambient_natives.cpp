// The ped nearest a point, of a ped type.
#include "natives/families.h"

#include "world/wildlife/animals.h"

#include <cmath>

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
float distance(const Vector3& a, const Vector3& b) {
    const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// The game's ped types the simulator tells apart.
constexpr int anyType = -1;
constexpr int playerType = 0;
constexpr int civilianMan = 4;
constexpr int civilianWoman = 5;
constexpr int lawman = 6;
constexpr int animal = 26;

int pedTypeOf(const World& world, int ped, const EntityRecord& record) {
    if (ped == world.player.pedId)
        return playerType;
    if (isAnimalModel(record.model))
        return animal;
    const std::uint32_t group = world.relationships.groupOf(world, ped);
    if (group == RelationshipGroups::lawmen())
        return lawman;
    return group == RelationshipGroups::civilianWomen() ? civilianWoman : civilianMan;
}
} // namespace

void implementAmbientNatives(NativeDispatch& dispatch, World& world) {
    // Any ped of the type, alive or not, nearest the point within the radius;
    // the local player's ped is left out when asked (p4).
    dispatch.implement<n::ambient::closestPed>(
        [&world](Vector3 point, float radius, bool skipPlayer, bool, Ped* outPed, bool, bool, int, int pedType) {
            int best = 0;
            float bestDistance = radius;
            for (const auto& [id, record] : world.entities.all()) {
                if (record.kind != EntityKind::Ped || (skipPlayer && id == world.player.pedId))
                    continue;
                if (pedType != anyType && pedTypeOf(world, id, record) != pedType)
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
}

} // namespace sim
