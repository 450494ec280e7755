// Peds of an escort and their prisoner: a rider owning his horse, whether a ped
// keeps its head turned to another, running from a ped, and taking every weapon.
#include "natives/families.h"
#include "world/core/geometry.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
// A glance at a point counts as following a ped while he stands this close to it.
constexpr float headtrackingReach = 2.0f;
} // namespace

void implementEscortNatives(NativeDispatch& dispatch, World& world) {
    // Ownership only changes who the horse answers to; nothing the world shows.
    dispatch.implement<n::ped::setOwnsAnimal>([](Ped, Ped, bool) {});
    // The ped's head follows the other: its glance rests on him (a look at
    // him follows him as he moves), unless something takes its eyes off him
    // for now: answering the player who greets or provokes it, a fight with
    // someone else, running away, being down or bound.
    dispatch.implement<n::ped::isHeadtrackingPed>([&world](Ped ped, Ped other) {
        const PedActivity* activity = world.tasks.find(ped.id);
        const EntityRecord* watched = world.entities.find(other.id);
        const EntityRecord* watcher = world.entities.find(ped.id);
        if (!activity || !watched || !watcher || !activity->looking || Combat::isDown(world, ped.id) ||
            watcher->hogtied || world.fleeing.isFleeing(ped.id, world.clock.elapsedMs) ||
            world.interactions.responding(ped.id, world.clock.elapsedMs) ||
            (watcher->combatOpponent != 0 && watcher->combatOpponent != other.id))
            return false;
        return activity->lookTarget == other.id ||
               distance3d(activity->lookPoint, watched->position) <= headtrackingReach;
    });
    // Runs from the ped until that far from him or for that long (-1: no limit).
    dispatch.implement<n::task::smartFleeFromPed>(
        [&world](Ped ped, Ped from, float distance, int timeMs, int, float, Ped) {
            world.fleeing.fleeFrom(world, ped.id, from.id, timeMs, distance);
            if (world.fleeing.fleesFrom(ped.id, from.id, world.clock.elapsedMs))
                world.tasks.assignScriptTask(ped.id, gameHash("SCRIPT_TASK_SMART_FLEE_PED"), TaskRunner::Flee,
                                             from.id);
        });
    dispatch.implement<n::combat::removeAllWeapons>([&world](Ped ped, bool, bool) {
        if (!world.entities.exists(ped.id))
            return;
        const auto carried = world.weapons.of(world, ped.id).carried;
        for (std::uint32_t weapon : carried)
            world.weapons.remove(world, ped.id, weapon);
    });
}

} // namespace sim
