// Ped tasks and task sequences. Every step native takes the ped first: 0 adds
// the step to the open sequence, a ped is given the step as its only task.
#include "natives/families.h"

#include <cstdint>
#include <limits>

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementTaskNatives(NativeDispatch& dispatch, World& world) {
    auto give = [&world](Ped ped, const TaskStep& step) {
        if (ped.id == 0 || world.entities.exists(ped.id))
            world.tasks.give(ped.id, step, world.clock.elapsedMs);
    };

    dispatch.implement<n::task::openSequence>([&world](TaskSequence* sequence) {
        const int handle = world.tasks.openSequence();
        if (sequence)
            *sequence = TaskSequence(handle);
    });
    dispatch.implement<n::task::closeSequence>(
        [&world](TaskSequence sequence) { world.tasks.closeSequence(sequence.id); });
    dispatch.implement<n::task::performSequence>([&world](Ped ped, TaskSequence sequence) {
        if (world.entities.exists(ped.id))
            world.tasks.perform(ped.id, sequence.id, world.clock.elapsedMs);
    });
    dispatch.implement<n::task::sequenceProgress>([&world](Ped ped) { return world.tasks.progress(ped.id); });
    dispatch.implement<n::task::clearTasks>([&world](Ped ped, bool, bool) { world.tasks.clear(ped.id); });

    dispatch.implement<n::task::swapWeapon>([give](Ped ped, bool, bool, int, int) {
        TaskStep step;
        step.kind = TaskKind::StandReady;
        give(ped, step);
    });
    dispatch.implement<n::task::goToPoint>(
        [give](Ped ped, Vector3 point, float speed, int timeoutMs, float stopRange, int, float finalHeading) {
            TaskStep step;
            step.kind = TaskKind::GoTo;
            step.point = point;
            step.speed = speed;
            step.durationMs = timeoutMs;
            step.stopRange = stopRange;
            step.heading = finalHeading;
            give(ped, step);
        });
    dispatch.implement<n::task::turnToFacePoint>([give](Ped ped, Vector3 point, int durationMs) {
        TaskStep step;
        step.kind = TaskKind::TurnToFace;
        step.point = point;
        step.durationMs = durationMs;
        give(ped, step);
    });
    dispatch.implement<n::task::lookAtPoint>([give](Ped ped, Vector3 point, int durationMs, int, int, int) {
        TaskStep step;
        step.kind = TaskKind::LookAt;
        step.point = point;
        step.durationMs = durationMs;
        give(ped, step);
    });
    dispatch.implement<n::task::clearLookAt>([give](Ped ped) {
        TaskStep step;
        step.kind = TaskKind::ClearLookAt;
        give(ped, step);
    });
    dispatch.implement<n::task::aimAtPoint>([give](Ped ped, Vector3 point, int durationMs, bool, bool) {
        TaskStep step;
        step.kind = TaskKind::AimAt;
        step.point = point;
        step.durationMs = durationMs;
        give(ped, step);
    });
    dispatch.implement<n::task::pause>([give](Ped ped, int durationMs) {
        TaskStep step;
        step.kind = TaskKind::Pause;
        step.durationMs = durationMs;
        give(ped, step);
    });
    dispatch.implement<n::task::achieveHeading>([give](Ped ped, float heading, int durationMs) {
        TaskStep step;
        step.kind = TaskKind::AchieveHeading;
        step.heading = heading;
        step.durationMs = durationMs;
        give(ped, step);
    });
    dispatch.implement<n::task::scenarioInPlace>(
        [give](Ped ped, Hash scenario, int durationMs, bool, bool, float heading, bool) {
            TaskStep step;
            step.kind = TaskKind::ScenarioInPlace;
            step.scenario = scenario;
            step.durationMs = durationMs;
            step.heading = heading;
            give(ped, step);
        });
    dispatch.implement<n::task::useScenarioPoint>(
        [give](Ped ped, int scenarioPoint, const char*, int, bool, int, int, int, float, int) {
            TaskStep step;
            step.kind = TaskKind::UseScenarioPoint;
            step.scenarioPoint = scenarioPoint;
            step.durationMs = -1;
            give(ped, step);
        });
    dispatch.implement<n::task::scenarioPointInUse>([&world](Ped ped, bool) {
        const PedActivity* activity = world.tasks.find(ped.id);
        return activity && activity->index >= 0 ? activity->scenarioPoint : -1;
    });
    // Leaving a scenario point: the ped gives it up and turns towards the point.
    auto leave = [&world](Ped ped, Vector3 point) {
        EntityRecord* record = world.entities.find(ped.id);
        if (!record)
            return;
        PedActivity& activity = world.tasks.of(ped.id);
        activity.scenario = 0;
        activity.scenarioPoint = -1;
        record->heading = headingTowards(record->position, point);
    };
    dispatch.implement<n::task::setQuickScenarioExit>(
        [leave](Ped ped, Vector3 point, int, bool) { leave(ped, point); });
    dispatch.implement<n::task::setCombatScenarioExit>(
        [leave](Ped ped, Vector3 point, int) { leave(ped, point); });
    dispatch.implement<n::ped::setBlackboardFloat>([&world](Ped ped, const char* style, float, int durationMs) {
        if (!world.entities.exists(ped.id))
            return;
        PedActivity& activity = world.tasks.of(ped.id);
        activity.motionStyle = style ? style : "";
        activity.motionStyleUntilMs = durationMs < 0
                                          ? std::numeric_limits<std::uint64_t>::max()
                                          : world.clock.elapsedMs + static_cast<std::uint64_t>(durationMs);
    });
}

} // namespace sim
