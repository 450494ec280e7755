// What a script reads of a ped it threatens and what it makes the ped do: sex,
// accuracy, hogtied, ragdoll, shoved, whether a weapon is a gun, running away,
// and the end of a shocking event.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementHostageNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::ped::isMale>([&world](Ped ped) {
        const EntityRecord* record = world.entities.find(ped.id);
        return record && PedTraits::isMaleModel(record->model);
    });
    dispatch.implement<n::ped::accuracy>([&world](Ped ped) {
        return world.entities.exists(ped.id) ? world.traits.accuracyOf(world, ped.id) : 0;
    });
    dispatch.implement<n::ped::isHogtied>([&world](Ped ped) {
        const EntityRecord* record = world.entities.find(ped.id);
        return record && record->hogtied;
    });
    dispatch.implement<n::ped::isRagdoll>([&world](Ped ped) {
        const EntityRecord* record = world.entities.find(ped.id);
        return record && (record->knockedOut || world.traits.isRagdoll(ped.id, world.clock.elapsedMs));
    });
    dispatch.implement<n::ped::shovedRecently>(
        [&world](Ped ped, int ms) { return world.traits.shovedWithin(ped.id, world.clock.elapsedMs, ms); });
    dispatch.implement<n::combat::isGun>([](Hash weapon) { return Weapons::isGun(weapon); });
    // Runs from the ped, as far as the distance asks (p4) and for as long as the
    // time asks (p5); with neither (-1 or less), for good.
    dispatch.implement<n::task::fleePed>([&world](Ped ped, Ped from, int, int, float distance, int timeMs, int) {
        world.fleeing.fleeFrom(world, ped.id, from.id, timeMs, distance);
        if (world.fleeing.fleesFrom(ped.id, from.id, world.clock.elapsedMs))
            world.tasks.assignScriptTask(ped.id, gameHash("SCRIPT_TASK_FLEE_PED"), TaskRunner::Flee, from.id);
    });
    // The plug-in starts no shocking events: there is none to remove.
    dispatch.implement<n::gameevent::removeShockingEvent>([](int) { return false; });
}

} // namespace sim
