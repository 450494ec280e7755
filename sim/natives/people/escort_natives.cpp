// Peds of an escort and their prisoner: a rider owning his horse, whether a ped
// keeps its head turned to another, running from a ped, and taking every weapon.
#include "natives/families.h"
#include "world/core/geometry.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
// A glance counts as following a ped while it rests this close to him.
constexpr float headtrackingReach = 2.0f;
} // namespace

void implementEscortNatives(NativeDispatch& dispatch, World& world) {
    // Ownership only changes who the horse answers to; nothing the world shows.
    dispatch.implement<n::ped::setOwnsAnimal>([](Ped, Ped, bool) {});
    dispatch.implement<n::ped::isHeadtrackingPed>([&world](Ped ped, Ped other) {
        const PedActivity* activity = world.tasks.find(ped.id);
        const EntityRecord* watched = world.entities.find(other.id);
        const EntityRecord* watcher = world.entities.find(ped.id);
        return activity && watched && watcher && watcher->alive && activity->looking &&
               distance3d(activity->lookPoint, watched->position) <= headtrackingReach;
    });
    dispatch.implement<n::task::smartFleeFromPed>([&world](Ped ped, Ped from, float, int timeMs, int, float, Ped) {
        world.fleeing.fleeFrom(world, ped.id, from.id, timeMs);
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
