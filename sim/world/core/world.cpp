#include "world/core/world.h"

#include "world/core/living_world.h"
#include "world/people/ped_tasks.h"
#include "world/core/streaming_out.h"
#include "world/screen/seat_prompt_groups.h"

#include <algorithm>
#include <vector>

namespace sim {

World::World(std::uint32_t seed) : random(seed) {
    // The player starts on Valentine's main street, on foot and unarmed.
    EntityRecord& ped = entities.create(EntityKind::Ped, gameHash("player_zero"),
                                        drovil::Vector3(-281.0f, 780.0f, 118.0f), 0.0f);
    player.pedId = ped.id;
    stationClerks.spawn(entities);
    scenarioPoints.populate(*this);
}

void World::beginFrame() {
    hud.beginFrame();
    gameEvents.beginFrame();
    hud.setTime(clock.elapsedMs);
    prompts.step(clock.frame, static_cast<int>(clock.frameMs), controls);
    showSeatPromptGroup(*this);
    documents.step(*this);
    dropTasksOfDeadPeds(*this);
    stepLivingWorld(*this);
    traits.step(*this);
    streamOutReleased(*this);
}

void World::removeEntity(int id) {
    if (!entities.exists(id))
        return;
    std::vector<int> attached;
    for (const auto& [blip, record] : blips.all())
        if (record.kind == BlipKind::Entity && record.entity == id)
            attached.push_back(blip);
    for (int blip : attached)
        blips.remove(blip);
    seats.forget(id);
    tasks.clear(id);
    pedGroups.remove(id);
    weapons.forget(id);
    relationships.forget(id);
    entities.remove(id);
    objects.forget(id);
    removedEntities_.push_back(id);
    while (removedEntities_.size() > keptRemovedRecords) {
        forgetRecordsOf(removedEntities_.front());
        removedEntities_.pop_front();
    }
}

void World::forgetRecordsOf(int id) {
    tasks.forget(id);
    traits.forget(id);
    perception.forget(id);
    combat.forget(id);
    lineOfSight.forget(id);
    portraits.forget(id);
    prompts.forgetEntity(id);
    law.forget(id);
    hunting.forget(id);
    restraints.forget(id);
    traffic.forget(id);
    fleeing.forget(id);
    interactions.forget(id);
    speech.forget(id);
    appearances.forget(id);
    scenePeds.forget(id);
}

EntityRecord& World::playerPed() { return *entities.find(player.pedId); }

void World::playerSleeps(int hours) {
    if (hours > 0)
        clock.skipGameTime(static_cast<std::uint64_t>(hours) * 3600);
}

void World::respawnPlayer(const drovil::Vector3& at) {
    EntityRecord& me = playerPed();
    me.alive = true;
    me.knockedOut = false;
    me.hogtied = false;
    me.position = at;
    combat.of(me.id).health = Combat::fullHealth;
    player.dead = false;
    for (auto& [id, record] : entities.all())
        if (record.combatOpponent == me.id)
            Combat::stopFight(*this, id);
}

bool World::decoratorRegistered(const std::string& name) const {
    return std::find(registeredDecorators.begin(), registeredDecorators.end(), name) != registeredDecorators.end();
}

} // namespace sim
