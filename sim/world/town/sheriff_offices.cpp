#include "world/town/sheriff_offices.h"

#include "world/core/geometry.h"
#include "world/core/world.h"

#include <algorithm>

namespace sim {
namespace {
// Closer to his desk than this, he is at it.
constexpr float atDesk = 1.0f;
} // namespace

const std::vector<SheriffOffice>& SheriffOffices::all() {
    static const std::vector<SheriffOffice> offices = {
        {"Blackwater", {-756.347f, -1269.24f, 43.0285f}, {-762.614f, -1263.88f, 44.0247f}, "s_m_m_ambientblwpolice_01"},
        {"Rhodes", {1358.17f, -1308.19f, 76.7296f}, {1355.9f, -1302.84f, 77.7604f}, "s_m_m_ambientlawrural_01"},
        {"Valentine", {-275.256f, 801.303f, 118.397f}, {-272.433f, 808.868f, 119.371f}, "s_m_m_ambientlawrural_01"},
        {"Strawberry", {-1804.106f, -352.3542f, 164.1339f}, {-1812.18f, -355.217f, 161.438f},
         "s_m_m_ambientlawrural_01"},
        {"Tumbleweed", {-5527.188f, -2927.814f, -1.360926f}, {-5531.36f, -2919.71f, -1.36093f},
         "s_m_m_ambientlawrural_01"},
        {"Armadillo", {-3619.911f, -2605.103f, -13.33457f}, {-3619.21f, -2600.47f, -13.3394f},
         "s_m_m_ambientlawrural_01"},
        {"Saint Denis", {2502.79f, -1308.546f, 47.95366f}, {2502.94f, -1306.95f, 48.9537f}, "s_m_m_ambientsdpolice_01"},
        {"Annesburg", {2912.53f, 1309.87f, 44.5934f}, {2904.2734f, 1314.3406f, 43.935844f}, "s_m_m_ambientlawrural_01"},
    };
    return offices;
}

int SheriffOffices::lawmanOf(std::size_t office) const {
    return office < lawmen_.size() ? lawmen_[office] : 0;
}

bool SheriffOffices::isOfficeLawman(int ped) const {
    return ped != 0 && std::find(lawmen_.begin(), lawmen_.end(), ped) != lawmen_.end();
}

void SheriffOffices::step(World& world) {
    const drovil::Vector3 player = world.playerPed().position;
    for (std::size_t i = 0; i < all().size(); ++i) {
        const SheriffOffice& office = all()[i];
        int& lawman = lawmen_[i];
        EntityRecord* record = lawman ? world.entities.find(lawman) : nullptr;
        if (lawman && !record)
            lawman = 0;
        const float away = flatDistance(player, office.desk);
        if (!record) {
            if (away > streamInDistance)
                continue;
            EntityRecord& made =
                world.entities.createApart(EntityKind::Ped, gameHash(office.lawmanModel), office.desk, 0.0f);
            world.relationships.place(made.id, RelationshipGroups::lawmen());
            lawman = made.id;
            continue;
        }
        if (record->missionEntity)
            continue; // a script's to send about
        // One struck down is taken away once the player is far, and another
        // sits at the desk when he comes back. A living one stays: the office
        // is never without its lawman.
        if (!record->alive && away > streamOutDistance) {
            world.removeEntity(lawman);
            lawman = 0;
            continue;
        }
        // Back to his desk once he is his own man again.
        if (record->alive && !record->knockedOut && !record->hogtied && record->combatOpponent == 0 &&
            !world.tasks.busy(lawman) && flatDistance(record->position, office.desk) > atDesk) {
            TaskStep back;
            back.kind = TaskKind::GoTo;
            back.point = office.desk;
            back.speed = 1.0f;
            back.stopRange = 0.5f;
            back.durationMs = -1;
            world.tasks.give(lawman, back, world.clock.elapsedMs, PedTasks::GivenBy::World);
        }
    }
}

} // namespace sim
