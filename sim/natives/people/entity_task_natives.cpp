// Ped tasks aimed at other entities, wandering, the nearest scenario point, and
// whether a ped plays a scenario. A step for ped 0 joins the open sequence; for
// a ped it replaces its task.
#include "natives/families.h"
#include "world/people/ped_tasks.h"
#include "world/town/streets.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementEntityTaskNatives(NativeDispatch& dispatch, World& world) {
    auto give = [&world](Ped ped, TaskStep step) {
        if (ped.id != 0 && !world.entities.exists(ped.id))
            return;
        // The point given now is the target's where it stands; it is kept up to date each frame.
        resolveTaskTarget(world, step);
        world.tasks.give(ped.id, step, world.clock.elapsedMs);
    };

    dispatch.implement<n::task::goToEntity>(
        [give](Ped ped, Entity target, int timeoutMs, float stopRange, float speed, float, int) {
            TaskStep step;
            step.kind = TaskKind::GoTo;
            step.scriptTask = gameHash("SCRIPT_TASK_GO_TO_ENTITY");
            step.target = target.id;
            step.durationMs = timeoutMs;
            step.stopRange = stopRange;
            step.speed = speed;
            give(ped, step);
        });
    dispatch.implement<n::task::turnToFaceEntity>(
        [give](Ped ped, Entity target, int durationMs, float, float, float) {
            TaskStep step;
            step.kind = TaskKind::TurnToFace;
            step.scriptTask = gameHash("SCRIPT_TASK_TURN_PED_TO_FACE_ENTITY");
            step.target = target.id;
            step.durationMs = durationMs;
            give(ped, step);
        });
    dispatch.implement<n::task::lookAtEntity>([give](Ped ped, Entity target, int durationMs, int, int, int) {
        TaskStep step;
        step.kind = TaskKind::LookAt;
        step.scriptTask = gameHash("SCRIPT_TASK_LOOK_AT_ENTITY");
        step.target = target.id;
        step.durationMs = durationMs;
        give(ped, step);
    });
    dispatch.implement<n::task::followEntity>([give](Ped ped, Entity target, Vector3 offset, float speed,
                                                     int timeoutMs, float stopRange, bool persist, int, int, int,
                                                     int, int) {
        TaskStep step;
        step.kind = TaskKind::Follow;
        step.scriptTask = gameHash("SCRIPT_TASK_FOLLOW_TO_OFFSET_OF_ENTITY");
        step.target = target.id;
        step.offset = offset;
        step.speed = speed;
        step.durationMs = timeoutMs;
        step.stopRange = stopRange;
        step.persist = persist;
        give(ped, step);
    });
    dispatch.implement<n::task::useNearestScenarioToCoord>(
        [give](Ped ped, Vector3 point, float distance, int durationMs, int, int, int, int) {
            TaskStep step;
            step.kind = TaskKind::UseNearestScenario;
            step.point = point;
            step.radius = distance;
            step.durationMs = durationMs;
            step.scriptTask = gameHash("SCRIPT_TASK_USE_NEAREST_SCENARIO_TO_POS");
            give(ped, step);
        });
    dispatch.implement<n::task::useNearestScenarioToCoordWarp>(
        [give](Ped ped, Vector3 point, float distance, int durationMs, int, int, int, int) {
            TaskStep step;
            step.kind = TaskKind::UseNearestScenario;
            step.point = point;
            step.radius = distance;
            step.durationMs = durationMs;
            step.warp = true;
            step.scriptTask = gameHash("SCRIPT_TASK_USE_NEAREST_SCENARIO_TO_POS");
            give(ped, step);
        });
    // Along the town's streets about where the ped stands, until it is given
    // something else.
    dispatch.implement<n::task::wanderStreets>([give, &world](Ped ped, float, int) {
        TaskStep step;
        step.kind = TaskKind::Wander;
        step.alongStreets = true;
        if (const EntityRecord* record = world.entities.find(ped.id))
            step.point = record->position;
        step.radius = streetNeighbourhood;
        step.durationMs = -1;
        step.scriptTask = gameHash("SCRIPT_TASK_WANDER_STANDARD");
        give(ped, step);
    });
    dispatch.implement<n::task::scriptTaskStatus>([&world](Ped ped, Hash task, bool) {
        return world.tasks.scriptTaskStatus(ped.id, task);
    });
    // Playing a scenario, in place or on a point it has reached: walking there is not yet.
    dispatch.implement<n::task::isUsingAnyScenario>([&world](Ped ped) {
        const EntityRecord* record = world.entities.find(ped.id);
        return record != nullptr && record->alive && world.tasks.usingScenario(ped.id);
    });
}

} // namespace sim
