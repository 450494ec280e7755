// The game's record of the script tasks peds were given, and what each has come
// to after a frame of the world. The game reports a task waiting to start in
// the frame it is given (the ped takes it up in its next update), performed
// from then on, dormant while something it puts first takes the ped up (being
// bound, a fright or a fight the ped did not start, answering the player),
// finished once it is done,
// and so until the ped is given another; a task replaced, taken away or never
// given is not found.
#include "world/people/tasks.h"

#include "world/core/world.h"

namespace sim {
namespace {
// A ped that is down, bound, fighting, running from danger or answering the
// player does not carry out its steps: the game holds them while that lasts.
bool takenUp(const World& world, int ped) {
    const EntityRecord* record = world.entities.find(ped);
    return !record || Combat::isDown(world, ped) || Combat::inCombat(world, ped) || record->hogtied ||
           world.fleeing.isFleeing(ped, world.clock.elapsedMs) ||
           world.interactions.responding(ped, world.clock.elapsedMs);
}

// Whether a task another part of the world carries out is still under way.
bool stillUnderWay(const World& world, int ped, const ScriptTask& task) {
    switch (task.runner) {
    case TaskRunner::Combat: {
        const EntityRecord* record = world.entities.find(ped);
        return record && record->combatOpponent == task.other && !Combat::isDown(world, ped);
    }
    case TaskRunner::Flee:
        return world.fleeing.fleesFrom(ped, task.other, world.clock.elapsedMs);
    case TaskRunner::EnterVehicle:
        return world.traffic.isBoarding(ped);
    case TaskRunner::Drive: {
        // Driving to a point is over once the vehicle stands there; a drive
        // about the roads has no end of its own.
        const DriveOrder* order = world.traffic.orderOf(task.other);
        return order && order->driver == ped && !(order->kind == DriveKind::ToPoint && order->arrived);
    }
    case TaskRunner::TrainSeat: {
        const auto seat = world.seats.seatOf(ped);
        return seat && seat->vehicle == task.other;
    }
    case TaskRunner::Steps:
    case TaskRunner::Glance:
        break;
    }
    return false;
}
} // namespace

int ScriptTask::status() const {
    if (over)
        return task_status::finished;
    if (dormant)
        return task_status::dormant;
    return started ? task_status::performing : task_status::waitingToStart;
}

void PedTasks::setScriptTask(int ped, const ScriptTask& task) {
    auto current = scriptTasks_.find(ped);
    if (task.hash != 0 && current != scriptTasks_.end() && current->second.hash == task.hash &&
        current->second.sequence == task.sequence && !current->second.over) {
        ++regiven_[{ped, task.hash}];
        ++regivenInAll_;
        if (latestRegiven_.size() == latestRegivenKept)
            latestRegiven_.erase(latestRegiven_.begin());
        latestRegiven_.push_back({ped, task.hash});
    }
    scriptTasks_[ped] = task;
}

void PedTasks::assignScriptTask(int ped, std::uint32_t hash, TaskRunner runner, int other) {
    PedActivity& activity = peds_[ped];
    if (activity.usingScenario)
        activity.gettingUp = true;
    activity.usingScenario = false;
    activity.scenario = 0;
    activity.scenarioPoint = -1;
    activity.steps.clear();
    activity.sequenceId = 0;
    activity.index = -1;
    activity.wanderWalking = false;
    ScriptTask task;
    task.hash = hash;
    task.runner = runner;
    task.other = other;
    setScriptTask(ped, task);
}

int PedTasks::scriptTaskStatus(int ped, std::uint32_t scriptTask) const {
    if (scriptTask == 0)
        return task_status::notFound;
    for (const auto* tasks : {&scriptTasks_, &glances_}) {
        auto found = tasks->find(ped);
        if (found != tasks->end() && found->second.hash == scriptTask)
            return found->second.status();
    }
    return task_status::notFound;
}

std::size_t PedTasks::regivenWhileUnderWay(int ped, std::uint32_t scriptTask) const {
    auto found = regiven_.find({ped, scriptTask});
    return found == regiven_.end() ? 0 : found->second;
}

void PedTasks::followScriptTasks(const World& world) {
    for (auto& [ped, task] : scriptTasks_) {
        if (task.over)
            continue;
        if (task.runner == TaskRunner::Steps) {
            const PedActivity* activity = find(ped);
            if (!activity || activity->index < 0) {
                task.over = true;
                continue;
            }
            task.started = task.started || activity->index > 0 || activity->stepStarted;
            task.dormant = takenUp(world, ped);
            continue;
        }
        task.started = true;
        task.over = !stillUnderWay(world, ped, task);
    }
    for (auto& [ped, glance] : glances_) {
        const PedActivity* activity = find(ped);
        glance.started = true;
        glance.over = glance.over || !activity || !activity->looking;
    }
}

} // namespace sim
