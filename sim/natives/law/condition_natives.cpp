// Whether entities exist, peds out of action or fighting, and what one ped sees
// of another.
#include "natives/families.h"

#include <cmath>

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
// The game's "knocked out" ped state, as the scripts ask for it.
constexpr int knockedOutState = 11;

float distance(const Vector3& a, const Vector3& b) {
    const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}
} // namespace

void implementConditionNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::condition::entityExists>(
        [&world](Entity entity) { return world.entities.exists(entity.id); });
    // Down: dead, or knocked out. A handle that no longer exists counts as down.
    dispatch.implement<n::condition::entityIsDead>([&world](Ped ped) {
        const EntityRecord* record = world.entities.find(ped.id);
        return record == nullptr || !record->alive || record->knockedOut;
    });
    dispatch.implement<n::condition::pedConfigFlag>([&world](Ped ped, int state, bool) {
        const EntityRecord* record = world.entities.find(ped.id);
        if (!record || state != knockedOutState)
            return false;
        return record->alive && record->knockedOut;
    });
    dispatch.implement<n::condition::pedInCombatWith>([&world](Ped ped, Ped opponent) {
        const EntityRecord* record = world.entities.find(ped.id);
        return record != nullptr && record->alive && opponent.id != 0 &&
               record->combatOpponent == opponent.id;
    });
    // 1 when the observer sees the target, 0 otherwise (a dead observer sees nothing).
    dispatch.implement<n::condition::lineOfSight>([&world](Ped observer, Entity target, int, int) {
        const EntityRecord* from = world.entities.find(observer.id);
        const EntityRecord* to = world.entities.find(target.id);
        if (!from || !to || !from->alive)
            return 0;
        return world.lineOfSight.sees(observer.id, target.id, distance(from->position, to->position)) ? 1 : 0;
    });
}

} // namespace sim
