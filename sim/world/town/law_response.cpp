#include "world/town/law_response.h"

#include "world/core/geometry.h"
#include "world/core/world.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace sim {
namespace {
constexpr float pi = 3.14159265f;
} // namespace

void LawResponse::step(World& world) {
    const bool wanted = world.law.wantedByLaw();
    const std::uint64_t now = world.clock.elapsedMs;
    if (wanted && !wantedBefore_) {
        wantedSinceMs_ = now;
        answered_ = false;
    }
    wantedBefore_ = wanted;
    const EntityRecord& player = world.playerPed();

    if (wanted) {
        // The law comes to a town only: out in the country nobody is sent.
        if (!answered_ && now - wantedSinceMs_ >= responseDelayMs && Law::townAt(player.position))
            respond(world);
        for (int lawman : lawmen_)
            if (!Combat::isDown(world, lawman) && world.entities.find(lawman)->combatOpponent == 0)
                world.combat.startFight(world, lawman, world.player.pedId);
        return;
    }
    // Shaken off: they give up, and go once the player is far from them.
    for (auto it = lawmen_.begin(); it != lawmen_.end();) {
        EntityRecord* record = world.entities.find(*it);
        if (!record) {
            it = lawmen_.erase(it);
            continue;
        }
        if (record->combatOpponent == world.player.pedId)
            Combat::stopFight(world, *it);
        if (flatDistance(record->position, player.position) > goneDistance) {
            world.removeEntity(*it);
            it = lawmen_.erase(it);
            continue;
        }
        ++it;
    }
}

void LawResponse::respond(World& world) {
    answered_ = true;
    ++responses_;
    const drovil::Vector3 at = world.playerPed().position;
    std::uniform_real_distribution<float> angle(0.0f, 2.0f * pi);
    const float from = angle(world.random);
    for (int i = 0; i < lawmenPerResponse; ++i) {
        const float a = from + static_cast<float>(i) * 0.3f;
        const drovil::Vector3 position(at.x + comeFromDistance * std::cos(a), at.y + comeFromDistance * std::sin(a),
                                       at.z);
        EntityRecord& lawman =
            world.entities.create(EntityKind::Ped, gameHash("s_m_m_ambientlawrural_01"), position, 0.0f);
        lawman.missionEntity = true; // the game's own dispatch keeps them until it lets them go
        world.law.addLawman(lawman.id);
        lawmen_.push_back(lawman.id);
        world.combat.startFight(world, lawman.id, world.player.pedId);
    }
}

} // namespace sim
