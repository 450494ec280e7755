// What a ped is and does: riding, on foot, a person, fighting.
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
    dispatch.implement<n::pedstate::isInMeleeCombat>([&world](Ped ped) {
        return pedRecord(world, ped.id) != nullptr && world.seats.seatOf(ped.id).has_value();
    });
    dispatch.implement<n::pedstate::isOnFoot>([&world](Ped ped) {
        return pedRecord(world, ped.id) != nullptr && !world.seats.seatOf(ped.id).has_value();
    });
    // Any ped that carries a rider is an animal too, whatever its model.
    dispatch.implement<n::pedstate::isHuman>([&world](Ped ped) {
        const EntityRecord* record = pedRecord(world, ped.id);
        return record != nullptr && !world.seats.hasSeats(ped.id) && !isAnimalModel(record->model);
    });
    dispatch.implement<n::entity::isMissionEntity>(
        [&world](Entity ped) { return pedRecord(world, ped.id) != nullptr && Combat::inCombat(world, ped.id); });
}

} // namespace sim
