// Hunting: carrying, the hunting steps of ped tasks, weapon classes, how good
// a shot a ped is, a ped's manner and leaving a group.
#include "natives/families.h"

#include "world/core/strings.h"
#include "world/people/ped_tasks.h"

#include <set>

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementHuntingNatives(NativeDispatch& dispatch, World& world) {
    auto give = [&world](Ped ped, TaskStep step) {
        if (ped.id != 0 && !world.entities.exists(ped.id))
            return;
        resolveTaskTarget(world, step);
        world.tasks.give(ped.id, step, world.clock.elapsedMs);
    };

    dispatch.implement<n::carry::carriedEntity>([&world](Ped ped) { return Entity(world.hunting.carriedBy(ped.id)); });
    dispatch.implement<n::carry::carrier>([&world](Entity entity) { return Ped(world.hunting.carrierOf(entity.id)); });

    dispatch.implement<n::task::setCrouchMovement>([give](Ped ped, bool crouched, int, bool) {
        TaskStep step;
        step.kind = TaskKind::CrouchMovement;
        step.scriptTask = gameHash("SCRIPT_TASK_SET_CROUCH_MOVEMENT");
        step.crouched = crouched;
        give(ped, step);
    });
    // Wanders the area for good (until given something else).
    dispatch.implement<n::task::wanderInArea>([give](Ped ped, Vector3 centre, float radius, float, float, int) {
        TaskStep step;
        step.kind = TaskKind::Wander;
        step.scriptTask = gameHash("SCRIPT_TASK_WANDER_IN_AREA");
        step.point = centre;
        step.radius = radius;
        step.durationMs = -1;
        give(ped, step);
    });
    dispatch.implement<n::task::seekClearLosToEntity>([give](Ped ped, Entity target, float distance, float speed,
                                                             float) {
        TaskStep step;
        step.kind = TaskKind::SeekClearLos;
        step.scriptTask = gameHash("SCRIPT_TASK_SEEK_CLEAR_LOS_TO_ENTITY");
        step.target = target.id;
        step.radius = distance;
        step.speed = speed;
        step.durationMs = -1;
        give(ped, step);
    });
    dispatch.implement<n::task::aimGunAtEntity>([give](Ped ped, Entity target, int durationMs, bool, int) {
        TaskStep step;
        step.kind = TaskKind::AimAt;
        step.scriptTask = gameHash("SCRIPT_TASK_AIM_GUN_AT_ENTITY");
        step.target = target.id;
        step.durationMs = durationMs;
        give(ped, step);
    });
    dispatch.implement<n::task::shootAtEntity>([give](Ped ped, Entity target, int durationMs, Hash, bool) {
        TaskStep step;
        step.kind = TaskKind::ShootAtEntity;
        step.scriptTask = gameHash("SCRIPT_TASK_SHOOT_AT_ENTITY");
        step.target = target.id;
        step.durationMs = durationMs;
        give(ped, step);
    });
    dispatch.implement<n::task::pickUpCarriable>([give](Ped ped, Entity entity) {
        TaskStep step;
        step.kind = TaskKind::PickUp;
        step.scriptTask = gameHash("SCRIPT_TASK_PICKUP_CARRIABLE_ENTITY");
        step.target = entity.id;
        step.durationMs = -1;
        give(ped, step);
    });
    dispatch.implement<n::task::placeCarriedAt>([give](Ped ped, Entity entity, Vector3 point, float, int) {
        TaskStep step;
        step.kind = TaskKind::PlaceCarried;
        step.scriptTask = gameHash("SCRIPT_TASK_PLACE_CARRIED_ENTITY_AT_COORD");
        step.handled = entity.id;
        step.point = point;
        step.durationMs = -1;
        give(ped, step);
    });

    // Weapon classes by the weapon's group in the game: the rifles, and apart
    // from them the sniper rifles.
    dispatch.implement<n::weapon::isRifle>(
        [](Hash weapon) { return GameNames::weaponGroup(weapon) == WeaponGroup::Rifle; });
    dispatch.implement<n::weapon::isSniper>(
        [](Hash weapon) { return GameNames::weaponGroup(weapon) == WeaponGroup::Sniper; });
    dispatch.implement<n::ped::setInteractionPersonality>([&world](Ped ped, Hash personality) {
        if (world.entities.exists(ped.id))
            world.hunting.setPersonality(ped.id, personality);
    });
    dispatch.implement<n::group::removeMember>([&world](Ped ped) { world.pedGroups.remove(ped.id); });
}

} // namespace sim
