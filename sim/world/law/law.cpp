#include "world/law/law.h"

#include "world/core/geometry.h"
#include "world/core/world.h"

#include <cmath>

namespace sim {
namespace {

// The game's towns, each with the ground its lawmen keep.
const Town towns[] = {
    {"Annesburg", drovil::Vector3(2904.366f, 1248.808f, 44.87448f), 200.0f},
    {"Armadillo", drovil::Vector3(-3665.947f, -2612.442f, -14.08434f), 100.0f},
    {"Blackwater", drovil::Vector3(-798.9842f, -1247.722f, 43.42519f), 200.0f},
    {"Rhodes", drovil::Vector3(1232.205f, -1251.088f, 73.67763f), 200.0f},
    {"Saint Denis", drovil::Vector3(2328.742f, -1096.286f, 44.7446f), 450.0f},
    {"Strawberry", drovil::Vector3(-1731.426f, -412.8995f, 154.8678f), 100.0f},
    {"Tumbleweed", drovil::Vector3(-5517.375f, -2936.821f, -2.219434f), 100.0f},
    {"Valentine", drovil::Vector3(-231.3357f, 703.2683f, 113.7415f), 180.0f},
};
} // namespace

bool Law::isLawman(const World& world, int ped) const {
    return lawmen_.count(ped) != 0 || world.relationships.groupOf(world, ped) == RelationshipGroups::lawmen();
}

const Town* Law::townAt(const drovil::Vector3& position) {
    for (const Town& town : towns)
        if (flatDistance(position, town.centre) <= town.radius)
            return &town;
    return nullptr;
}

void Law::playerFired(World& world, int victim) {
    const EntityRecord& player = world.playerPed();
    bool seen = townAt(player.position) != nullptr || (victim != 0 && isLawman(world, victim));
    for (const auto& [id, record] : world.entities.all()) {
        if (seen)
            break;
        if (record.kind == EntityKind::Ped && record.alive && isLawman(world, id) &&
            flatDistance(record.position, player.position) <= lawmanHearing)
            seen = true;
    }
    if (seen)
        makeWanted(world, offenceMs);
}

void Law::playerAttacked(World& world, int victim) {
    if (isLawman(world, victim) || townAt(world.playerPed().position) != nullptr)
        makeWanted(world, offenceMs);
}

void Law::playerRestrained(World& world, int victim) {
    const EntityRecord& player = world.playerPed();
    bool seen = townAt(player.position) != nullptr || isLawman(world, victim);
    for (const auto& [id, record] : world.entities.all()) {
        if (seen)
            break;
        const float sight = world.sheriffOffices.isOfficeLawman(id) ? SheriffOffices::doorSight : lawmanSight;
        if (record.kind == EntityKind::Ped && record.alive && isLawman(world, id) &&
            flatDistance(record.position, player.position) <= sight &&
            world.perception.canSee(world, id, world.player.pedId))
            seen = true;
    }
    if (seen)
        reports_.push_back(world.clock.elapsedMs + witnessDelayMs);
}

void Law::makeWanted(World& world, std::uint64_t forMs) {
    // A script may have capped the wanted level at none.
    if (world.player.maxWantedLevel <= 0)
        return;
    const std::uint64_t until = world.clock.elapsedMs + forMs;
    if (!raised_ || until > wantedUntilMs_)
        wantedUntilMs_ = until;
    raised_ = true;
    world.player.wanted = true;
}

void Law::step(World& world) {
    // Witnesses whose moment to tell has come: quiet when a script hushed them
    // in the frame that just ran.
    for (auto it = reports_.begin(); it != reports_.end();) {
        if (world.clock.elapsedMs < *it) {
            ++it;
            continue;
        }
        const bool hushed = world.player.witnessesHushedFrame != 0 &&
                            world.player.witnessesHushedFrame + 1 >= world.clock.frame;
        if (!hushed)
            makeWanted(world, offenceMs);
        it = reports_.erase(it);
    }
    if (!raised_)
        return;
    const EntityRecord& player = world.playerPed();
    if (!player.alive) {
        // Death clears the law's interest, as a respawn does in the game.
        raised_ = false;
        world.player.wanted = false;
        return;
    }
    for (const auto& [id, record] : world.entities.all()) {
        if (record.kind != EntityKind::Ped || !record.alive || !isLawman(world, id))
            continue;
        // The lawman of a sheriff's office sees no farther than his door.
        const float sight = world.sheriffOffices.isOfficeLawman(id) ? SheriffOffices::doorSight : lawmanSight;
        if (flatDistance(record.position, player.position) <= sight &&
            world.perception.canSee(world, id, world.player.pedId))
            makeWanted(world, sightingMs);
    }
    if (world.clock.elapsedMs >= wantedUntilMs_) {
        raised_ = false;
        world.player.wanted = false;
    }
}

} // namespace sim
