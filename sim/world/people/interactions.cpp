#include "world/people/interactions.h"

#include "world/core/geometry.h"
#include "world/core/world.h"
#include "world/law/combat.h"

namespace sim {

bool Interactions::greet(World& world) {
    return interact(world, true);
}

bool Interactions::antagonise(World& world) {
    return interact(world, false);
}

bool Interactions::interact(World& world, bool friendly) {
    const int ped = world.player.targetEntity;
    const EntityRecord* record = world.entities.find(ped);
    const EntityRecord* player = world.entities.find(world.player.pedId);
    if (!record || !player || record->kind != EntityKind::Ped || Combat::isDown(world, ped) ||
        distance3d(record->position, player->position) > reach)
        return false;
    answers_[ped] = Answer{friendly, world.clock.elapsedMs + answerMs};
    // It stops what it does and turns to him while it answers
    // (world/people/tasks.h); a script's task waits meanwhile.
    world.tasks.of(ped);
    return true;
}

bool Interactions::respondingPositively(int ped, std::uint64_t nowMs) const {
    auto found = answers_.find(ped);
    return found != answers_.end() && found->second.friendly && nowMs < found->second.untilMs;
}

bool Interactions::respondingNegatively(int ped, std::uint64_t nowMs) const {
    auto found = answers_.find(ped);
    return found != answers_.end() && !found->second.friendly && nowMs < found->second.untilMs;
}

bool Interactions::responding(int ped, std::uint64_t nowMs) const {
    auto found = answers_.find(ped);
    return found != answers_.end() && nowMs < found->second.untilMs;
}

} // namespace sim
