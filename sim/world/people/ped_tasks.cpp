#include "world/people/ped_tasks.h"

#include "world/core/world.h"

#include <cmath>

namespace sim {

bool resolveTaskTarget(const World& world, TaskStep& step) {
    if (step.target == 0)
        return true;
    const EntityRecord* target = world.entities.find(step.target);
    if (!target)
        return false;
    // The offset's x is to the target's right, its y ahead of it.
    const drovil::Vector3 ahead = forwardOf(target->heading);
    const drovil::Vector3 right(ahead.y, -ahead.x, 0.0f);
    step.point = drovil::Vector3(target->position.x + step.offset.x * right.x + step.offset.y * ahead.x,
                                 target->position.y + step.offset.x * right.y + step.offset.y * ahead.y,
                                 target->position.z + step.offset.z);
    return true;
}

void dropTasksOfDeadPeds(World& world) {
    for (const auto& [id, record] : world.entities.all()) {
        if (record.kind != EntityKind::Ped || record.alive)
            continue;
        const PedActivity* activity = world.tasks.find(id);
        if (activity && (activity->index >= 0 || activity->looking))
            world.tasks.clear(id);
    }
}

} // namespace sim
