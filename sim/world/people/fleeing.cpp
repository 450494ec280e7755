#include "world/people/fleeing.h"

#include "world/core/geometry.h"
#include "world/core/world.h"
#include "world/wildlife/animals.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace sim {

bool Fleeing::canBeFrightened(const World& world, int ped) {
    const EntityRecord* record = world.entities.find(ped);
    if (!record || record->kind != EntityKind::Ped || ped == world.player.pedId || !record->alive ||
        record->knockedOut || record->hogtied || record->missionEntity || record->blocksNonTemporaryEvents ||
        isAnimalModel(record->model) || Combat::inCombat(world, ped))
        return false;
    const std::uint32_t group = world.relationships.groupOf(world, ped);
    return group == RelationshipGroups::civilianMen() || group == RelationshipGroups::civilianWomen();
}

void Fleeing::frighten(World& world, int ped, const drovil::Vector3& from) {
    if (!canBeFrightened(world, ped))
        return;
    const EntityRecord& record = *world.entities.find(ped);
    auto found = frights_.find(ped);
    if (found == frights_.end()) {
        Fright fright;
        fright.home = record.position;
        fright.homeHeading = record.heading;
        found = frights_.emplace(ped, fright).first;
        world.tasks.clear(ped);
    } else if (found->second.scripted) {
        return; // running already, as a script told it, for as long as it was told
    }
    found->second.from = from;
    found->second.untilMs = world.clock.elapsedMs + calmAfterMs;
}

void Fleeing::frightenAround(World& world, const drovil::Vector3& where, float radius, const drovil::Vector3& from,
                             int except) {
    std::vector<int> near;
    for (const auto& [id, record] : world.entities.all())
        if (id != except && record.kind == EntityKind::Ped && distance3d(record.position, where) <= radius)
            near.push_back(id);
    for (int id : near)
        frighten(world, id, from);
}

void Fleeing::fleeFrom(World& world, int ped, int fromPed, int timeMs, float safeDistance) {
    const EntityRecord* record = world.entities.find(ped);
    const EntityRecord* from = world.entities.find(fromPed);
    if (!record || !from || !record->alive || record->knockedOut || record->hogtied || ped == fromPed)
        return;
    world.tasks.clear(ped);
    world.seats.leaveSeat(ped);
    Fright fright;
    fright.home = record->position;
    fright.homeHeading = record->heading;
    fright.from = from->position;
    fright.fromPed = fromPed;
    fright.untilMs = timeMs < 0 ? UINT64_MAX : world.clock.elapsedMs + static_cast<std::uint64_t>(timeMs);
    fright.safeDistance = safeDistance > 0.0f ? safeDistance : 0.0f;
    fright.scripted = true;
    frights_[ped] = fright;
}

bool Fleeing::fleesFrom(int ped, int fromPed, std::uint64_t nowMs) const {
    auto found = frights_.find(ped);
    return found != frights_.end() && found->second.scripted && found->second.fromPed == fromPed &&
           nowMs < found->second.untilMs;
}

bool Fleeing::isFleeing(int ped, std::uint64_t nowMs) const {
    auto found = frights_.find(ped);
    return found != frights_.end() && nowMs < found->second.untilMs;
}

void Fleeing::step(World& world) {
    const std::uint64_t now = world.clock.elapsedMs;
    const EntityRecord* player = world.entities.find(world.player.pedId);
    // A gun pointed at a civilian close by.
    if (player && Weapons::isGun(world.weapons.current(world, world.player.pedId))) {
        for (int aimed : {world.player.freeAimEntity, world.player.targetEntity}) {
            const EntityRecord* record = aimed ? world.entities.find(aimed) : nullptr;
            if (record && flatDistance(record->position, player->position) <= threatRange)
                frighten(world, aimed, player->position);
        }
    }
    const float frameSeconds = static_cast<float>(world.clock.frameMs) / 1000.0f;
    for (auto it = frights_.begin(); it != frights_.end();) {
        EntityRecord* record = world.entities.find(it->first);
        if (!record || !record->alive || record->knockedOut || record->hogtied) {
            it = frights_.erase(it);
            continue;
        }
        Fright& fright = it->second;
        const EntityRecord* chaser = fright.fromPed ? world.entities.find(fright.fromPed) : nullptr;
        if (chaser)
            fright.from = chaser->position;
        // A script's flight from a ped ends with him gone, or once far enough.
        const bool safe = fright.scripted && (!chaser || (fright.safeDistance > 0.0f &&
                                                          distance3d(record->position, fright.from) >=
                                                              fright.safeDistance));
        if (safe)
            fright.untilMs = now;
        if (now < fright.untilMs) {
            // Runs straight away from the danger.
            drovil::Vector3 away = record->position;
            const float dx = record->position.x - fright.from.x, dy = record->position.y - fright.from.y;
            const float length = std::max(0.01f, std::sqrt(dx * dx + dy * dy));
            away.x += dx / length * 10.0f;
            away.y += dy / length * 10.0f;
            moveTowards(record->position, record->heading, away, metresPerSecond(3.0f) * frameSeconds, 0.0f);
            ++it;
            continue;
        }
        // Calm again: a clerk goes back behind his counter.
        const auto& clerks = world.stationClerks.clerks();
        if (std::find(clerks.begin(), clerks.end(), it->first) != clerks.end()) {
            TaskStep back;
            back.kind = TaskKind::GoTo;
            back.point = fright.home;
            back.speed = 1.0f;
            back.stopRange = 0.5f;
            back.durationMs = -1;
            back.finalHeading = fright.homeHeading;
            world.tasks.give(it->first, back, now);
        }
        it = frights_.erase(it);
    }
}

} // namespace sim
