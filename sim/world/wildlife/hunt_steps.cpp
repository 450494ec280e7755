#include "world/wildlife/hunt_steps.h"

#include "world/core/geometry.h"
#include "world/core/world.h"

#include <algorithm>
#include <random>

namespace sim {
namespace {
constexpr float reachDistance = 1.2f;
constexpr std::uint64_t pickUpMs = 1500;
constexpr std::uint64_t layDownMs = 1000;
// The first shot comes a moment after the step starts; the next ones every
// 1.2 to 2 seconds (working the action, aiming again).
constexpr std::uint64_t firstShotMs = 400;

bool walkTo(World& world, EntityRecord& record, const drovil::Vector3& point, float moveSpeed, float closeEnough) {
    const float frameSeconds = static_cast<float>(world.clock.frameMs) / 1000.0f;
    return moveTowards(record.position, record.heading, point, metresPerSecond(moveSpeed) * frameSeconds,
                       closeEnough);
}

// Starts the hands' work once, then true when it is done.
bool handsDone(World& world, PedActivity& activity, std::uint64_t workMs) {
    const std::uint64_t now = world.clock.elapsedMs;
    if (!activity.handsBusy) {
        activity.handsBusy = true;
        activity.handsBusyUntilMs = now + workMs;
    }
    return now >= activity.handsBusyUntilMs;
}
} // namespace

float aimedShotChance(const World& world, int shooter, int target) {
    const EntityRecord* from = world.entities.find(shooter);
    const EntityRecord* to = world.entities.find(target);
    if (!from || !to)
        return 0.0f;
    const float skill = static_cast<float>(std::clamp(world.traits.accuracyOf(world, shooter), 0, 100)) / 100.0f;
    const float distance = distance3d(from->position, to->position);
    float chance = (0.35f + 0.6f * skill) * std::max(0.2f, 1.0f - distance / 150.0f);
    if (world.wildlife.isFleeing(target, world.clock.elapsedMs))
        chance *= 0.6f; // a running animal is a hard mark
    return std::min(chance, 0.95f);
}

bool runHuntStep(World& world, int ped, PedActivity& activity, const TaskStep& step) {
    EntityRecord& record = *world.entities.find(ped);
    const std::uint64_t now = world.clock.elapsedMs;
    const std::uint64_t elapsed = now - activity.stepStartedMs;
    const bool timeUp = step.durationMs >= 0 && elapsed >= static_cast<std::uint64_t>(step.durationMs);

    switch (step.kind) {
    case TaskKind::CrouchMovement:
        world.perception.setCrouching(ped, step.crouched);
        return true;
    case TaskKind::SeekClearLos: {
        const float distance = flatDistance(record.position, step.point);
        if (distance <= std::max(step.radius, reachDistance) &&
            world.lineOfSight.sees(ped, step.target, distance)) {
            record.heading = headingTowards(record.position, step.point);
            return true;
        }
        walkTo(world, record, step.point, step.speed, std::max(step.radius, reachDistance) - 0.5f);
        return false;
    }
    case TaskKind::ShootAtEntity: {
        record.heading = headingTowards(record.position, step.point);
        activity.weaponRaised = true;
        // For the time given, whatever becomes of the target (the game goes on
        // firing at a kill until the time is up).
        if (timeUp) {
            activity.weaponRaised = false;
            return true;
        }
        PedCombat& combat = world.combat.of(ped);
        if (elapsed < firstShotMs || now < combat.nextShotMs)
            return false;
        std::uniform_int_distribution<int> pause(1200, 2000);
        combat.nextShotMs = now + static_cast<std::uint64_t>(pause(world.random));
        world.combat.shootAt(world, ped, step.target, aimedShotChance(world, ped, step.target));
        return false;
    }
    case TaskKind::PickUp: {
        const int carrier = world.hunting.carrierOf(step.target);
        if (carrier == ped)
            return true;
        if (carrier != 0)
            return true; // someone else has it
        if (!activity.handsBusy && !walkTo(world, record, step.point, 1.0f, reachDistance))
            return false;
        if (!handsDone(world, activity, pickUpMs))
            return false;
        world.hunting.pickUp(world, ped, step.target);
        return true;
    }
    case TaskKind::PlaceCarried: {
        if (world.hunting.carrierOf(step.handled) != ped)
            return true;
        if (!activity.handsBusy && !walkTo(world, record, step.point, 1.0f, 1.0f))
            return false;
        if (!handsDone(world, activity, layDownMs))
            return false;
        world.hunting.putDown(world, step.handled);
        if (EntityRecord* laid = world.entities.find(step.handled))
            laid->position = drovil::Vector3(step.point.x, step.point.y, world.geography.groundHeight(step.point.x,
                                                                                                      step.point.y));
        return true;
    }
    default:
        return true;
    }
}

} // namespace sim
