// What a ped is and does: in a fist fight, on foot, a person.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
const EntityRecord* pedRecord(const World& world, int id) {
    const EntityRecord* record = world.entities.find(id);
    return record && record->kind == EntityKind::Ped ? record : nullptr;
}

} // namespace

void implementPedStateNatives(NativeDispatch& dispatch, World& world) {
    // Swinging, being hit, or squared up to an opponent with no gun in hand.
    dispatch.implement<n::pedstate::isInMeleeCombat>([&world](Ped ped) {
        const EntityRecord* record = pedRecord(world, ped.id);
        if (!record || !record->alive || record->knockedOut)
            return false;
        if (world.combat.inMelee(ped.id, world.clock.elapsedMs))
            return true;
        return record->combatOpponent != 0 && !Weapons::isGun(world.weapons.current(world, ped.id));
    });
    dispatch.implement<n::pedstate::isOnFoot>([&world](Ped ped) {
        return pedRecord(world, ped.id) != nullptr && !world.seats.seatOf(ped.id).has_value();
    });
    // Any ped that carries a rider is an animal too, whatever its model.
    dispatch.implement<n::pedstate::isHuman>([&world](Ped ped) {
        const EntityRecord* record = pedRecord(world, ped.id);
        return record != nullptr && !world.seats.hasSeats(ped.id) && !isAnimalModel(record->model);
    });
}

} // namespace sim
