#include "world/people/tasks.h"

#include "world/core/geometry.h"
#include "world/people/ped_tasks.h"
#include "world/wildlife/hunt_steps.h"
#include "world/core/world.h"
#include "world/town/streets.h"

#include <cmath>
#include <cstddef>
#include <random>

namespace sim {
namespace {
constexpr float pi = 3.14159265f;
// How long taking out (or putting away) a weapon takes.
constexpr std::uint64_t swapWeaponMs = 600;
// A melee move is made from this close.
constexpr float meleeReach = 1.0f;

std::uint32_t performSequenceTask() {
    static const std::uint32_t hash = gameHash("SCRIPT_TASK_PERFORM_SEQUENCE");
    return hash;
}

// The ped stops playing its scenario; it gets up in the world's next frame.
void leaveScenario(PedActivity& activity) {
    if (activity.usingScenario)
        activity.gettingUp = true;
    activity.usingScenario = false;
    activity.scenario = 0;
    activity.scenarioPoint = -1;
}
} // namespace

float metresPerSecond(float moveSpeed) {
    if (moveSpeed <= 0.0f)
        return 0.0f;
    if (moveSpeed <= 1.0f)
        return 1.4f * moveSpeed;
    return 1.4f + (moveSpeed - 1.0f) * 2.1f;
}

float headingTowards(const drovil::Vector3& from, const drovil::Vector3& to) {
    const float dx = to.x - from.x, dy = to.y - from.y;
    if (dx == 0.0f && dy == 0.0f)
        return 0.0f;
    float heading = std::atan2(-dx, dy) * 180.0f / pi;
    if (heading < 0.0f)
        heading += 360.0f;
    return heading;
}

bool moveTowards(drovil::Vector3& position, float& heading, const drovil::Vector3& point, float metres,
                 float closeEnough) {
    const float remaining = flatDistance(position, point);
    if (remaining <= closeEnough)
        return true;
    heading = headingTowards(position, point);
    const float travel = std::fmin(metres, remaining);
    const float share = travel / remaining;
    position.x += (point.x - position.x) * share;
    position.y += (point.y - position.y) * share;
    position.z += (point.z - position.z) * share;
    return remaining - travel <= closeEnough;
}

int PedTasks::openSequence() {
    const int sequence = nextSequence_++;
    sequences_[sequence];
    open_ = sequence;
    return sequence;
}

void PedTasks::closeSequence(int sequence) {
    if (open_ == sequence)
        open_ = 0;
}

void PedTasks::clearSequence(int sequence) {
    if (open_ == sequence)
        open_ = 0;
    sequences_.erase(sequence);
}

const std::vector<TaskStep>* PedTasks::sequenceSteps(int sequence) const {
    auto it = sequences_.find(sequence);
    return it == sequences_.end() ? nullptr : &it->second;
}

void PedTasks::give(int ped, const TaskStep& step, std::uint64_t nowMs, GivenBy by) {
    if (ped == 0) {
        if (open_ != 0)
            sequences_[open_].push_back(step);
        return;
    }
    if (by == GivenBy::Script)
        remember(ped, step);
    PedActivity& activity = peds_[ped];
    // A glance runs beside whatever the ped does.
    if (step.kind == TaskKind::LookAt) {
        startGlance(ped, activity, step, nowMs, true);
        return;
    }
    if (step.kind == TaskKind::ClearLookAt) {
        activity.looking = false;
        activity.lookTarget = 0;
        glances_.erase(ped);
        return;
    }
    leaveScenario(activity);
    if (by == GivenBy::Script) {
        ScriptTask task;
        task.hash = step.scriptTask;
        setScriptTask(ped, task);
    } else {
        // The world's own doing for one of its peds: no script's task.
        scriptTasks_.erase(ped);
    }
    activity.steps = {step};
    activity.sequenceId = 0;
    activity.index = 0;
    activity.stepStarted = false;
    activity.stepStartedMs = nowMs;
    activity.wanderWalking = false;
    activity.wanderFrom = drovil::Vector3();
}

void PedTasks::startGlance(int ped, PedActivity& activity, const TaskStep& step, std::uint64_t nowMs,
                           bool ownTask) {
    activity.looking = true;
    activity.lookPoint = step.point;
    activity.lookTarget = step.target;
    activity.lookUntilMs = step.durationMs < 0 ? 0 : nowMs + static_cast<std::uint64_t>(step.durationMs);
    if (!ownTask) {
        // A step of a sequence: the ped's task is the sequence.
        glances_.erase(ped);
        return;
    }
    ScriptTask glance;
    glance.hash = step.scriptTask;
    glance.runner = TaskRunner::Glance;
    glance.other = step.target;
    glances_[ped] = glance;
}

void PedTasks::perform(int ped, int sequence, std::uint64_t nowMs) {
    const std::vector<TaskStep>* steps = sequenceSteps(sequence);
    if (!steps || ped == 0)
        return;
    PedActivity& activity = peds_[ped];
    leaveScenario(activity);
    ScriptTask task;
    task.hash = performSequenceTask();
    task.sequence = sequence;
    setScriptTask(ped, task);
    activity.steps = *steps;
    activity.sequenceId = sequence;
    activity.index = steps->empty() ? -1 : 0;
    activity.stepStarted = false;
    activity.stepStartedMs = nowMs;
    activity.wanderWalking = false;
    activity.wanderFrom = drovil::Vector3();
    for (const TaskStep& step : *steps)
        remember(ped, step);
}

int PedTasks::progress(int ped) const {
    const PedActivity* activity = find(ped);
    if (!activity || activity->sequenceId == 0)
        return -1;
    return activity->index;
}

bool PedTasks::busy(int ped) const {
    const PedActivity* activity = find(ped);
    return activity && activity->index >= 0;
}

bool PedTasks::usingScenario(int ped) const {
    const PedActivity* activity = find(ped);
    return activity && activity->usingScenario;
}

void PedTasks::clear(int ped) {
    scriptTasks_.erase(ped);
    glances_.erase(ped);
    auto it = peds_.find(ped);
    if (it == peds_.end())
        return;
    PedActivity& activity = it->second;
    leaveScenario(activity);
    activity.steps.clear();
    activity.sequenceId = 0;
    activity.index = -1;
    activity.looking = false;
    activity.lookTarget = 0;
    activity.wanderWalking = false;
}

void PedTasks::forget(int ped) {
    peds_.erase(ped);
    history_.erase(ped);
    stepsGiven_.erase(ped);
    scriptTasks_.erase(ped);
    glances_.erase(ped);
    for (auto it = regiven_.lower_bound({ped, 0}); it != regiven_.end() && it->first.first == ped;)
        it = regiven_.erase(it);
}

const PedActivity* PedTasks::find(int ped) const {
    auto it = peds_.find(ped);
    return it == peds_.end() ? nullptr : &it->second;
}

void PedTasks::remember(int ped, const TaskStep& step) {
    std::vector<TaskStep>& steps = history_[ped];
    // Never more than the limit (its room grows to it as steps come): a ped's
    // history holds no more memory however long he lives, and moving a few
    // dozen steps along costs less than a town's crowd each holding twice
    // the room.
    if (steps.size() >= historyLimit)
        steps.erase(steps.begin());
    steps.push_back(step);
    ++stepsGiven_[ped];
}

std::size_t PedTasks::stepsGiven(int ped) const {
    auto it = stepsGiven_.find(ped);
    return it == stepsGiven_.end() ? 0 : it->second;
}

const std::vector<TaskStep>& PedTasks::history(int ped) const {
    static const std::vector<TaskStep> none;
    auto it = history_.find(ped);
    return it == history_.end() ? none : it->second;
}

void PedTasks::step(World& world) {
    for (auto& [ped, activity] : peds_) {
        EntityRecord* record = world.entities.find(ped);
        if (activity.looking)
            followGlance(world, activity);
        if (activity.gettingUp) {
            // Up from the scenario, looking where the script asked (away from the
            // danger in a panic); an ordinary exit leaves the ped as it sat.
            activity.gettingUp = false;
            if (record && activity.exit != ScenarioExit::Normal) {
                const float towards = headingTowards(record->position, activity.exitPoint);
                record->heading = activity.exit == ScenarioExit::Panic ? std::fmod(towards + 180.0f, 360.0f) : towards;
            }
            activity.exit = ScenarioExit::Normal;
        }
        if (record && world.interactions.responding(ped, world.clock.elapsedMs) && !Combat::isDown(world, ped)) {
            // Answering the player: it stands turned to him meanwhile (one
            // sitting stays as it sits).
            if (!activity.usingScenario)
                record->heading = headingTowards(record->position, world.playerPed().position);
            continue;
        }
        if (activity.index < 0)
            continue;
        if (!record) {
            clear(ped);
            continue;
        }
        // Roped or tied, a ped carries out no task.
        if (Combat::isDown(world, ped) || Combat::inCombat(world, ped) || record->hogtied ||
            world.restraints.isLassoed(ped) || world.restraints.isBeingHogtied(ped) ||
            world.fleeing.isFleeing(ped, world.clock.elapsedMs))
            continue;
        advance(world, ped, activity);
    }
}

// A glance at an entity follows it as it moves, for as long as it was given;
// the entity gone, the glance is over.
void PedTasks::followGlance(const World& world, PedActivity& activity) {
    if (activity.lookUntilMs != 0 && world.clock.elapsedMs >= activity.lookUntilMs) {
        activity.looking = false;
        activity.lookTarget = 0;
        return;
    }
    if (activity.lookTarget == 0)
        return;
    const EntityRecord* target = world.entities.find(activity.lookTarget);
    if (!target) {
        activity.looking = false;
        activity.lookTarget = 0;
        return;
    }
    activity.lookPoint = target->position;
}

void PedTasks::advance(World& world, int ped, PedActivity& activity) {
    // Steps that end at once (readying, glances) give way to the next in the same frame.
    for (int guard = 0; guard < 32 && activity.index >= 0; ++guard) {
        if (activity.index >= static_cast<int>(activity.steps.size())) {
            activity.index = -1;
            activity.sequenceId = 0;
            activity.steps.clear();
            return;
        }
        TaskStep step = activity.steps[static_cast<std::size_t>(activity.index)];
        // A step aimed at an entity that is gone is over.
        if (!resolveTaskTarget(world, step)) {
            activity.index += 1;
            activity.stepStarted = false;
            continue;
        }
        if (!activity.stepStarted) {
            activity.stepStarted = true;
            activity.stepStartedMs = world.clock.elapsedMs;
            activity.handsBusy = false;
        }
        if (!runStep(world, ped, activity, step))
            return;
        leaveScenario(activity);
        activity.index += 1;
        activity.stepStarted = false;
    }
}

// A frame of using a scenario point: choosing it (the nearest free one, or the
// one given), walking there (or warping), then playing its scenario for the
// step's time, counted from the arrival. A point taken by another ped, gone, or
// none in reach ends the step.
bool PedTasks::useScenarioPoint(World& world, int ped, PedActivity& activity, const TaskStep& step) {
    EntityRecord& record = *world.entities.find(ped);
    const std::uint64_t now = world.clock.elapsedMs;
    if (activity.scenarioPoint < 0) {
        int chosen = -1;
        if (step.kind == TaskKind::UseNearestScenario) {
            chosen = world.scenarioPoints.nearestFree(world, step.point, step.radius, ped);
        } else {
            const int taker = ScenarioPoints::takenBy(world, step.scenarioPoint);
            if (world.scenarioPoints.exists(step.scenarioPoint) && (taker == 0 || taker == ped))
                chosen = step.scenarioPoint;
        }
        if (chosen <= 0)
            return true;
        activity.scenarioPoint = chosen;
        if (step.warp) {
            const ScenarioPoint& point = *world.scenarioPoints.find(chosen);
            record.position = point.position;
            record.heading = point.heading;
        }
    }
    const ScenarioPoint* point = world.scenarioPoints.find(activity.scenarioPoint);
    if (!point)
        return true;
    if (!activity.usingScenario) {
        const float frameSeconds = static_cast<float>(world.clock.frameMs) / 1000.0f;
        if (!moveTowards(record.position, record.heading, point->position, metresPerSecond(1.0f) * frameSeconds,
                         0.3f))
            return false;
        record.position = point->position;
        record.heading = point->heading;
        activity.usingScenario = true;
        activity.scenario = point->scenario;
        activity.usingSinceMs = now;
        return false;
    }
    return step.durationMs >= 0 && now - activity.usingSinceMs >= static_cast<std::uint64_t>(step.durationMs);
}

// Runs one frame of a step; true when the step is over.
bool PedTasks::runStep(World& world, int ped, PedActivity& activity, const TaskStep& step) {
    EntityRecord& record = *world.entities.find(ped);
    const std::uint64_t now = world.clock.elapsedMs;
    const std::uint64_t elapsed = now - activity.stepStartedMs;
    const float frameSeconds = static_cast<float>(world.clock.frameMs) / 1000.0f;
    const bool timeUp = step.durationMs >= 0 && elapsed >= static_cast<std::uint64_t>(step.durationMs);

    switch (step.kind) {
    case TaskKind::SwapWeapon:
        activity.weaponRaised = false;
        return elapsed >= swapWeaponMs;
    case TaskKind::LookAt:
        startGlance(ped, activity, step, now, false);
        return true;
    case TaskKind::ClearLookAt:
        activity.looking = false;
        activity.lookTarget = 0;
        glances_.erase(ped);
        return true;
    case TaskKind::BoardVehicle: {
        activity.scenario = 0;
        drovil::Vector3 door = step.point;
        door.z = record.position.z;
        // Up the car's steps, and the task is over: the ped stands at the door.
        // A train's seats are scenarios of their own, which a script sends the
        // ped to next (the nearest train scenario).
        return moveTowards(record.position, record.heading, door, metresPerSecond(step.speed) * frameSeconds,
                           Traffic::boardingReach) ||
               timeUp;
    }
    case TaskKind::GoTo: {
        activity.scenario = 0;
        const float closeEnough = std::fmax(step.stopRange, 0.25f);
        const bool arrived = moveTowards(record.position, record.heading, step.point,
                                         metresPerSecond(step.speed) * frameSeconds, closeEnough);
        if (arrived && step.finalHeading < noFinalHeading)
            record.heading = step.finalHeading;
        return arrived || timeUp;
    }
    case TaskKind::TurnToFace:
    case TaskKind::AimAt:
        record.heading = headingTowards(record.position, step.point);
        activity.weaponRaised = step.kind == TaskKind::AimAt;
        if (timeUp)
            activity.weaponRaised = false;
        return timeUp;
    case TaskKind::Pause:
        return timeUp;
    case TaskKind::AchieveHeading:
        record.heading = step.heading;
        return timeUp || elapsed >= 500;
    case TaskKind::ScenarioInPlace:
        activity.scenario = step.scenario;
        activity.usingScenario = true;
        record.heading = step.heading;
        return timeUp;
    case TaskKind::UseScenarioPoint:
    case TaskKind::UseNearestScenario:
        return useScenarioPoint(world, ped, activity, step);
    case TaskKind::Follow: {
        // Keeping to the target for the time given; one not told to persist is
        // done once it has got there.
        const bool there = moveTowards(record.position, record.heading, step.point,
                                       metresPerSecond(step.speed) * frameSeconds, std::fmax(step.stopRange, 0.5f));
        return timeUp || (there && !step.persist);
    }
    case TaskKind::Melee: {
        const EntityRecord* victim = world.entities.find(step.target);
        if (!victim || !victim->alive)
            return true;
        // Up to arm's length at a run, then the move: a stealth kill leaves
        // the victim dead.
        if (moveTowards(record.position, record.heading, step.point, metresPerSecond(2.0f) * frameSeconds,
                        meleeReach)) {
            if (step.scenario == gameHash("AR_STEALTH_KILL_V2"))
                world.combat.kill(world, step.target, ped);
            else
                world.combat.punch(world, ped, step.target);
            return true;
        }
        return timeUp;
    }
    case TaskKind::CrouchMovement:
    case TaskKind::SeekClearLos:
    case TaskKind::ShootAtEntity:
    case TaskKind::PickUp:
    case TaskKind::PlaceCarried:
        return runHuntStep(world, ped, activity, step);
    case TaskKind::CutLoose:
        return runCutLooseStep(world, ped, activity, step);
    case TaskKind::Wander: {
        if (timeUp)
            return true;
        if (!activity.wanderWalking) {
            if (now < activity.wanderRestUntilMs)
                return false;
            if (step.alongStreets) {
                const drovil::Vector3 from = activity.wanderFrom;
                activity.wanderFrom = record.position;
                activity.wanderPoint = nextStreetPoint(world, record.position, from, step.point, step.radius);
            } else {
                std::uniform_real_distribution<float> angle(0.0f, 2.0f * pi);
                std::uniform_real_distribution<float> reach(0.0f, std::fmax(step.radius, 0.0f));
                const float a = angle(world.random), r = reach(world.random);
                activity.wanderPoint = drovil::Vector3(step.point.x + r * std::cos(a),
                                                       step.point.y + r * std::sin(a), step.point.z);
            }
            activity.wanderWalking = true;
        }
        if (moveTowards(record.position, record.heading, activity.wanderPoint, metresPerSecond(1.0f) * frameSeconds,
                        0.5f)) {
            activity.wanderWalking = false;
            std::uniform_int_distribution<int> rest(3000, 8000);
            activity.wanderRestUntilMs = now + static_cast<std::uint64_t>(rest(world.random));
        }
        return false;
    }
    }
    return true;
}

} // namespace sim
