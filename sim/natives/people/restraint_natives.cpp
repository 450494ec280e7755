// Lassoed and hogtied peds, cutting one loose, taking a carried one off his
// carrier, and the witnesses of the player's crimes kept quiet.
#include "natives/families.h"

#include "world/people/ped_tasks.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementRestraintNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::ped::isLassoed>([&world](Ped ped) { return world.restraints.isLassoed(ped.id); });
    dispatch.implement<n::ped::isBeingHogtied>(
        [&world](Ped ped) { return world.restraints.isBeingHogtied(ped.id); });
    // The task replaces whatever the ped was doing, a fight included.
    dispatch.implement<n::task::cutFreeHogtied>([&world](Ped ped, Ped hogtied) {
        if (!world.entities.exists(ped.id))
            return;
        TaskStep step;
        step.kind = TaskKind::CutLoose;
        step.target = hogtied.id;
        step.durationMs = -1;
        step.scriptTask = gameHash("SCRIPT_TASK_CUT_FREE_HOGTIED_TARGET_PED");
        resolveTaskTarget(world, step);
        Combat::stopFight(world, ped.id);
        world.tasks.give(ped.id, step, world.clock.elapsedMs);
    });
    // Off a shoulder or a horse's back, onto the ground where it is.
    dispatch.implement<n::carry::detachCarried>([&world](Entity entity, bool, bool) {
        if (world.hunting.carrierOf(entity.id) == 0)
            return;
        world.hunting.putDown(world, entity.id);
        if (EntityRecord* record = world.entities.find(entity.id))
            record->position.z = world.geography.groundHeight(record->position.x, record->position.y);
    });
    dispatch.implement<n::player::suppressWitnessesThisFrame>(
        [&world](PlayerIndex) { world.player.witnessesHushedFrame = world.clock.frame; });
}

void implementRouteNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::route::start>([&world](Hash colour, bool onFoot, bool inVehicle) {
        world.route.clear();
        world.route.colour = colour;
        world.route.onFoot = onFoot;
        world.route.inVehicle = inVehicle;
        ++world.route.started;
    });
    dispatch.implement<n::route::addPoint>([&world](Vector3 point, bool) { world.route.points.push_back(point); });
    dispatch.implement<n::route::setRender>([&world](bool on) { world.route.drawn = on; });
    dispatch.implement<n::route::clear>([&world]() { world.route.clear(); });
}

} // namespace sim
