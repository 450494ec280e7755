#include "world/town/saloons.h"

#include "world/core/geometry.h"
#include "world/core/strings.h"
#include "world/core/world.h"
#include "world/places/scenario_point_data.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {
using drovil::Vector3;

Vector3 offsetFrom(const Vector3& at, float heading, float right, float ahead) {
    const Vector3 forward = forwardOf(heading);
    const Vector3 side(forward.y, -forward.x, 0.0f);
    return Vector3(at.x + right * side.x + ahead * forward.x, at.y + right * side.y + ahead * forward.y, at.z);
}

// Drinkers of any town.
const char* const drinkerModels[] = {"a_m_m_valtownfolk_01", "a_m_m_rhdtownfolk_01", "a_m_m_blwforeman_01"};

bool isDrinkingSeat(std::uint32_t pointType) {
    return pointType == seats::barStool.pointType || pointType == seats::chairAtTable.pointType;
}
} // namespace

const std::vector<Saloon>& Saloons::all() {
    static const auto* saloons = new std::vector<Saloon>{
        {"Tumbleweed", Vector3(-5513.87f, -2912.25f, -1.75131f), 0.0f, 4101, {"CS_ODPROSTITUTE"}},
        {"Valentine", Vector3(-240.996f, 769.99f, 118.085f), 0.0f, 4102,
         {"A_F_M_VALPROSTITUTE_01", "CS_VALPROSTITUTE_01"}},
        {"Valentine", Vector3(-307.937f, 807.302f, 118.98f), 0.0f, 4103,
         {"A_F_M_VALPROSTITUTE_01", "CS_VALPROSTITUTE_02"}},
        {"Annesburg", Vector3(2944.27f, 521.257f, 45.3776f), 0.0f, 4104, {"A_F_M_VHTPROSTITUTE_01"}},
        {"Rhodes", Vector3(1344.6f, -1374.88f, 80.4805f), 0.0f, 4105, {"A_F_M_RHDPROSTITUTE_01"}},
        {"Saint Denis", Vector3(2634.01f, -1225.79f, 53.3804f), 0.0f, 4106,
         {"A_F_M_NBXWHORE_01", "A_F_M_SDFANCYWHORE_01"}},
        {"Saint Denis", Vector3(2794.42f, -1168.74f, 47.928f), 0.0f, 4107, {"A_F_M_NBXWHORE_01"}},
        {"Blackwater", Vector3(-811.299f, -1323.2f, 43.6781f), 0.0f, 4108, {"CS_VALPROSTITUTE_02"}},
    };
    return *saloons;
}

Vector3 Saloons::middleOf(const Saloon& saloon) {
    return offsetFrom(saloon.door, saloon.heading, 0.0f, 3.0f);
}

const Saloon* Saloons::at(const Vector3& position) {
    for (const Saloon& saloon : all())
        if (flatDistance(position, middleOf(saloon)) <= floorRadius && std::fabs(position.z - saloon.door.z) <= 2.5f)
            return &saloon;
    return nullptr;
}

std::vector<int> Saloons::girlsOf(std::size_t saloon) const {
    std::vector<int> girls;
    for (const auto& [ped, role] : roles_)
        if (role.girl && role.saloon == saloon)
            girls.push_back(ped);
    return girls;
}

void Saloons::step(World& world) {
    if (!seeded_) {
        // Its own numbers: the saloons' people leave the game's random numbers,
        // which scripts draw from, as they would be.
        std::mt19937 copy = world.random;
        random_.seed(copy() ^ 0x5A1005u);
        present_.assign(all().size(), false);
        seeded_ = true;
    }
    const EntityRecord* player = world.entities.find(world.player.pedId);
    if (player && world.clock.frame % 15 == 0) {
        for (std::size_t i = 0; i < all().size(); ++i) {
            const float away = flatDistance(player->position, all()[i].door);
            if (!present_[i] && away <= populateDistance)
                populate(world, i);
            else if (present_[i] && away > despawnDistance)
                clearOut(world, i);
        }
    }
    for (auto it = roles_.begin(); it != roles_.end();) {
        const EntityRecord* record = world.entities.find(it->first);
        if (!record) {
            it = roles_.erase(it);
            continue;
        }
        if (record->alive && !record->knockedOut && !record->hogtied && !record->missionEntity)
            lookAfter(world, it->first, it->second);
        ++it;
    }
    drink(world);
}

void Saloons::populate(World& world, std::size_t index) {
    const Saloon& saloon = all()[index];
    present_[index] = true;
    for (std::size_t g = 0; g < saloon.workingGirls.size(); ++g) {
        Role role;
        role.saloon = index;
        role.girl = true;
        // By the end of the bar, facing the room.
        role.spot = offsetFrom(saloon.door, saloon.heading, 1.0f + 1.5f * static_cast<float>(g), 5.0f);
        role.heading = std::fmod(saloon.heading + 180.0f, 360.0f);
        EntityRecord& girl = world.entities.create(EntityKind::Ped, gameHash(saloon.workingGirls[g]), role.spot,
                                                   role.heading);
        roles_[girl.id] = role;
    }
    std::uniform_int_distribution<std::size_t> pick(0, std::size(drinkerModels) - 1);
    for (int d = 0; d < drinkersPerSaloon; ++d) {
        Role role;
        role.saloon = index;
        role.spot = middleOf(saloon);
        EntityRecord& drinker = world.entities.create(EntityKind::Ped, gameHash(drinkerModels[pick(random_)]),
                                                      offsetFrom(saloon.door, saloon.heading,
                                                                 -1.0f + static_cast<float>(d), 2.0f),
                                                      saloon.heading);
        roles_[drinker.id] = role;
    }
}

void Saloons::clearOut(World& world, std::size_t index) {
    present_[index] = false;
    for (auto it = roles_.begin(); it != roles_.end();) {
        const EntityRecord* record = world.entities.find(it->first);
        if (it->second.saloon != index || (record && record->missionEntity)) {
            ++it;
            continue;
        }
        if (record) {
            world.removeEntity(it->first);
        }
        it = roles_.erase(it);
    }
}

void Saloons::lookAfter(World& world, int ped, const Role& role) {
    if (world.tasks.busy(ped) || world.fleeing.isFleeing(ped, world.clock.elapsedMs) ||
        world.interactions.responding(ped, world.clock.elapsedMs))
        return;
    TaskStep step;
    if (role.girl) {
        const EntityRecord& record = *world.entities.find(ped);
        if (flatDistance(record.position, role.spot) > 0.6f) {
            // Back to her place by the bar.
            step.kind = TaskKind::GoTo;
            step.point = role.spot;
            step.speed = 1.0f;
            step.stopRange = 0.5f;
            step.durationMs = 60000;
            step.finalHeading = role.heading;
        } else {
            step.kind = TaskKind::ScenarioInPlace;
            step.scenario = gameHash("WORLD_HUMAN_STAND_WAITING");
            step.heading = role.heading;
            step.durationMs = -1;
        }
    } else {
        // A seat at the bar or the table, for a while.
        step.kind = TaskKind::UseNearestScenario;
        step.point = role.spot;
        step.radius = floorRadius;
        std::uniform_int_distribution<int> stay(60000, 180000);
        step.durationMs = stay(random_);
    }
    world.tasks.give(ped, step, world.clock.elapsedMs);
}

void Saloons::drink(World& world) {
    const std::uint64_t now = world.clock.elapsedMs;
    if (now < lastDrinkMs_ + 1000)
        return;
    const float seconds = lastDrinkMs_ == 0 ? 0.0f : static_cast<float>(now - lastDrinkMs_) / 1000.0f;
    lastDrinkMs_ = now;
    for (const auto& [ped, activity] : world.tasks.all()) {
        if (!activity.usingScenario || activity.scenarioPoint < 0)
            continue;
        const ScenarioPoint* point = world.scenarioPoints.find(activity.scenarioPoint);
        if (!point || !isDrinkingSeat(point->type) || !at(point->position))
            continue;
        world.traits.drinkFor(ped, drinkPerSecond * seconds);
    }
}

} // namespace sim
