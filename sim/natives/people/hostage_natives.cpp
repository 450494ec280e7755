// What a script reads of a ped it threatens and what it makes the ped do: sex,
// accuracy, hogtied, ragdoll, shoved, whether a weapon is a gun, the status of
// a follow-to-offset task, running away, speed, and the end of a shocking event.
#include "natives/families.h"

#include <cstdio>
#include <cstdlib>

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {

// The task status codes of the game.
constexpr int waitingToStart = 0;
constexpr int performing = 1;
constexpr int notFound = 7;
constexpr int finished = 8;

// The status of the ped's follow-to-offset task: the step of what it does now
// (a single task or a sequence) while it waits or runs, finished once the ped
// is past it, and not found when it was never given one.
int followStatus(const World& world, int ped) {
    const PedActivity* activity = world.tasks.find(ped);
    if (activity) {
        for (std::size_t i = 0; i < activity->steps.size(); ++i) {
            if (activity->steps[i].kind != TaskKind::Follow)
                continue;
            const int index = static_cast<int>(i);
            if (activity->index == index)
                return performing;
            if (activity->index >= 0 && activity->index < index)
                return waitingToStart;
            return finished;
        }
    }
    for (const TaskStep& step : world.tasks.history(ped))
        if (step.kind == TaskKind::Follow)
            return finished;
    return notFound;
}

} // namespace

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
    // Only the follow-to-offset task's status is modelled: any other type is
    // a question the simulator cannot answer truthfully.
    dispatch.implement<n::task::scriptTaskStatus>([&world](Ped ped, Hash taskType, bool) {
        static const std::uint32_t follow = gameHash("SCRIPT_TASK_FOLLOW_TO_OFFSET_OF_ENTITY");
        if (taskType != follow) {
            std::fprintf(stderr, "\n*** simulator: task status of an unmodelled task type 0x%08X ***\n", taskType);
            std::abort();
        }
        return followStatus(world, ped.id);
    });
    dispatch.implement<n::task::fleePed>([&world](Ped ped, Ped from, int, int, float, int, int) {
        const EntityRecord* threat = world.entities.find(from.id);
        if (threat)
            world.fleeing.runFrom(world, ped.id, threat->position);
    });
    dispatch.implement<n::entity::speed>([&world](Entity entity) { return world.traits.speedOf(entity.id); });
    // The plug-in starts no shocking events: there is none to remove.
    dispatch.implement<n::gameevent::removeShockingEvent>([](int) { return false; });
}

} // namespace sim
