// Whether entities exist or are dead, peds' config flags, fights, and what one
// ped sees of another.
#include "natives/families.h"

#include <cmath>

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
// The config flag the game itself sets on a knocked-out ped.
constexpr int knockedOutFlag = 11;
// What the sight native answers.
constexpr int cannotSee = 0, canSee = 1, notSureYet = 2;

float distance(const Vector3& a, const Vector3& b) {
    const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}
} // namespace

void implementConditionNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::condition::entityExists>(
        [&world](Entity entity) { return world.entities.exists(entity.id); });
    // Dead: a knocked-out ped is alive. A handle that no longer exists counts as dead.
    dispatch.implement<n::condition::entityIsDead>([&world](Ped ped) {
        const EntityRecord* record = world.entities.find(ped.id);
        return record == nullptr || !record->alive;
    });
    dispatch.implement<n::condition::pedConfigFlag>([&world](Ped ped, int flag, bool) {
        const EntityRecord* record = world.entities.find(ped.id);
        if (!record)
            return false;
        if (flag == knockedOutFlag && record->alive && record->knockedOut)
            return true;
        auto set = record->configFlags.find(flag);
        return set != record->configFlags.end() && set->second;
    });
    // In combat with the opponent, or with anyone for opponent 0.
    dispatch.implement<n::condition::pedInCombatWith>([&world](Ped ped, Ped opponent) {
        const EntityRecord* record = world.entities.find(ped.id);
        if (record == nullptr || !record->alive || record->combatOpponent == 0)
            return false;
        return opponent.id == 0 || record->combatOpponent == opponent.id;
    });
    dispatch.implement<n::condition::lineOfSight>([&world](Ped observer, Entity target, int, int) {
        const EntityRecord* from = world.entities.find(observer.id);
        const EntityRecord* to = world.entities.find(target.id);
        if (!from || !to || !from->alive || from->knockedOut)
            return cannotSee;
        if (!world.lineOfSight.probeAnswered(observer.id, target.id, world.clock.frame))
            return notSureYet;
        return world.lineOfSight.sees(observer.id, target.id, distance(from->position, to->position)) ? canSee
                                                                                                      : cannotSee;
    });
}

} // namespace sim
