// Ped tasks and task sequences. Every step native takes the ped first: 0 adds
// the step to the open sequence, a ped is given the step as its only task.
#include "natives/families.h"

#include <cstdint>

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
    // The game sets the caller's handle to 0 once it has freed the sequence.
    dispatch.implement<n::task::clearSequence>([&world](TaskSequence* sequence) {
        if (!sequence)
            return;
        world.tasks.clearSequence(sequence->id);
        *sequence = TaskSequence();
    });
    dispatch.implement<n::task::sequenceProgress>([&world](Ped ped) { return world.tasks.progress(ped.id); });
    // Every task ends, the item interaction too: a document in hand is put away.
    dispatch.implement<n::task::clearTasks>([&world](Ped ped, bool, bool) {
        world.tasks.clear(ped.id);
        world.documents.putAway(world, ped.id);
    });

    dispatch.implement<n::task::swapWeapon>([give](Ped ped, bool, bool, int, int) {
        TaskStep step;
        step.kind = TaskKind::SwapWeapon;
        step.scriptTask = gameHash("SCRIPT_TASK_SWAP_WEAPON");
        give(ped, step);
    });
    dispatch.implement<n::task::goToPoint>(
        [give](Ped ped, Vector3 point, float speed, int timeoutMs, float stopRange, int, float finalHeading) {
            TaskStep step;
            step.kind = TaskKind::GoTo;
            step.scriptTask = gameHash("SCRIPT_TASK_FOLLOW_NAV_MESH_TO_COORD");
            step.point = point;
            step.speed = speed;
            step.durationMs = timeoutMs;
            step.stopRange = stopRange;
            step.finalHeading = finalHeading;
            give(ped, step);
        });
    dispatch.implement<n::task::turnToFacePoint>([give](Ped ped, Vector3 point, int durationMs) {
        TaskStep step;
        step.kind = TaskKind::TurnToFace;
        step.scriptTask = gameHash("SCRIPT_TASK_TURN_PED_TO_FACE_COORD");
        step.point = point;
        step.durationMs = durationMs;
        give(ped, step);
    });
    dispatch.implement<n::task::lookAtPoint>([give](Ped ped, Vector3 point, int durationMs, int, int, int) {
        TaskStep step;
        step.kind = TaskKind::LookAt;
        step.scriptTask = gameHash("SCRIPT_TASK_LOOK_AT_COORD");
        step.point = point;
        step.durationMs = durationMs;
        give(ped, step);
    });
    dispatch.implement<n::task::clearLookAt>([give](Ped ped) {
        TaskStep step;
        step.kind = TaskKind::ClearLookAt;
        step.scriptTask = gameHash("SCRIPT_TASK_CLEAR_LOOK_AT");
        give(ped, step);
    });
    dispatch.implement<n::task::aimAtPoint>([give](Ped ped, Vector3 point, int durationMs, bool, bool) {
        TaskStep step;
        step.kind = TaskKind::AimAt;
        step.scriptTask = gameHash("SCRIPT_TASK_AIM_GUN_AT_COORD");
        step.point = point;
        step.durationMs = durationMs;
        give(ped, step);
    });
    dispatch.implement<n::task::pause>([give](Ped ped, int durationMs) {
        TaskStep step;
        step.kind = TaskKind::Pause;
        step.scriptTask = gameHash("SCRIPT_TASK_STAND_STILL");
        step.durationMs = durationMs;
        give(ped, step);
    });
    dispatch.implement<n::task::achieveHeading>([give](Ped ped, float heading, int durationMs) {
        TaskStep step;
        step.kind = TaskKind::AchieveHeading;
        step.scriptTask = gameHash("SCRIPT_TASK_ACHIEVE_HEADING");
        step.heading = heading;
        step.durationMs = durationMs;
        give(ped, step);
    });
    // A scenario the game does not have does not start: the step is over at once.
    dispatch.implement<n::task::scenarioInPlace>(
        [give, &world](Ped ped, Hash scenario, int durationMs, bool, Hash, float heading, bool) {
            TaskStep step;
            step.kind = TaskKind::ScenarioInPlace;
            step.scriptTask = gameHash("SCRIPT_TASK_START_SCENARIO_IN_PLACE");
            step.scenario = scenario;
            step.durationMs = durationMs;
            step.heading = heading;
            if (!world.names.inGame(NameKind::Scenario, scenario, "started in place")) {
                step.kind = TaskKind::Pause;
                step.durationMs = 0;
            }
            give(ped, step);
        });
    dispatch.implement<n::task::useScenarioPoint>(
        [give](Ped ped, int scenarioPoint, const char*, int, bool, int, int, int, float, int) {
            TaskStep step;
            step.kind = TaskKind::UseScenarioPoint;
            step.scriptTask = gameHash("SCRIPT_TASK_USE_SCENARIO_POINT");
            step.scenarioPoint = scenarioPoint;
            step.durationMs = -1;
            give(ped, step);
        });
    // The point the ped uses: only once it has got there.
    dispatch.implement<n::task::scenarioPointInUse>([&world](Ped ped, bool) {
        const PedActivity* activity = world.tasks.find(ped.id);
        return activity && activity->usingScenario ? activity->scenarioPoint : -1;
    });
    // How the ped will get up from its scenario when it is next given something
    // else: quickly or ready to fight, looking towards the point.
    auto exitStyle = [&world](Ped ped, ScenarioExit exit, Vector3 point) {
        if (!world.entities.exists(ped.id))
            return;
        PedActivity& activity = world.tasks.of(ped.id);
        activity.exit = exit;
        activity.exitPoint = point;
    };
    dispatch.implement<n::task::setQuickScenarioExit>(
        [exitStyle](Ped ped, Vector3 point, int, bool) { exitStyle(ped, ScenarioExit::Quick, point); });
    dispatch.implement<n::task::setCombatScenarioExit>(
        [exitStyle](Ped ped, Vector3 point, int) { exitStyle(ped, ScenarioExit::Combat, point); });
    // Out of the scenario at once, in a panic, turning away from the point; a ped
    // that plays no scenario is not affected.
    dispatch.implement<n::task::panicExitScenario>([&world](Ped ped, Vector3 from) {
        if (!world.tasks.usingScenario(ped.id))
            return;
        PedActivity& activity = world.tasks.of(ped.id);
        activity.exit = ScenarioExit::Panic;
        activity.exitPoint = from;
        world.tasks.clear(ped.id);
    });
}

} // namespace sim
