#include "world/wildlife/wildlife.h"

#include "world/core/geometry.h"
#include "world/core/streaming_out.h"
#include "world/core/world.h"
#include "world/wildlife/animals.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace sim {
namespace {
constexpr float pi = 3.14159265f;

// The herd about one hunting camp.
constexpr const char* herd[] = {
    "a_c_deer_01",   "a_c_deer_01",   "a_c_deer_01", "a_c_buck_01",   "a_c_buck_01", "a_c_rabbit_01",
    "a_c_rabbit_01", "a_c_rabbit_01", "a_c_crow_01", "a_c_crow_01",   "a_c_coyote_01",
};

// The animals the game keeps about the player out in the country: grazers and
// birds by day; by night the birds roost and the predators are about.
constexpr const char* roamingByDayKinds[] = {"a_c_deer_01", "a_c_deer_01", "a_c_buck_01", "a_c_rabbit_01",
                                             "a_c_rabbit_01", "a_c_crow_01"};
constexpr const char* roamingByNightKinds[] = {"a_c_deer_01", "a_c_rabbit_01", "a_c_coyote_01", "a_c_fox_01",
                                               "a_c_wolf"};

const std::set<std::uint32_t>& huntingCampPropsets() {
    static const auto* names =
        new std::set<std::uint32_t>{gameHash("pg_ambient_campfire04x_tent"), gameHash("pg_ambient_campfire05x_tent")};
    return *names;
}

// The people about: living peds that are not animals.
bool isPerson(const World& world, int id, const EntityRecord& record) {
    (void)world;
    (void)id;
    return record.kind == EntityKind::Ped && record.alive && !isAnimalModel(record.model);
}
} // namespace

bool Wildlife::isHuntingCampPropset(std::uint32_t name) { return huntingCampPropsets().count(name) != 0; }

void Wildlife::seedOnce(const World& world) {
    if (seeded_)
        return;
    // From a copy: the herds draw from their own numbers, not the game's.
    std::mt19937 copy = world.random;
    copy.discard(7);
    random_.seed(copy());
    seeded_ = true;
}

bool Wildlife::isNight(const World& world) {
    const int hour = world.clock.hourOfDay();
    return hour >= nightFromHour || hour < nightUntilHour;
}

int Wildlife::spawn(World& world, std::uint32_t model, const drovil::Vector3& position) {
    const AnimalKind* kind = animalKindOf(model);
    if (!kind)
        return 0;
    seedOnce(world);
    std::uniform_real_distribution<float> facing(0.0f, 360.0f);
    EntityRecord& record = world.entities.create(EntityKind::Ped, model, position, facing(random_));
    world.combat.of(record.id).health = kind->health;
    WildAnimal animal;
    animal.kind = kind;
    animal.home = position;
    animal.range = position;
    animals_[record.id] = animal;
    return record.id;
}

int Wildlife::spawnAt(World& world, const char* model, const drovil::Vector3& position, int camp, bool roaming) {
    const int id = spawn(world, gameHash(model), position);
    if (id != 0) {
        animals_[id].camp = camp;
        animals_[id].roaming = roaming;
    }
    return id;
}

void Wildlife::stockAround(World& world, const drovil::Vector3& centre, int camp) {
    seedOnce(world);
    std::uniform_real_distribution<float> angle(0.0f, 2.0f * pi);
    std::uniform_real_distribution<float> reach(herdInnerRadius, herdOuterRadius);
    for (const char* model : herd) {
        const float a = angle(random_), r = reach(random_);
        const float x = centre.x + r * std::cos(a), y = centre.y + r * std::sin(a);
        spawnAt(world, model, drovil::Vector3(x, y, world.geography.groundHeight(x, y)), camp, false);
    }
}

bool Wildlife::pointOutOfSight(const World& world, const drovil::Vector3& centre, float from, float to,
                               float unseen, bool countryOnly, drovil::Vector3& point) {
    const EntityRecord* playerRecord = world.entities.find(world.player.pedId);
    const drovil::Vector3 player = playerRecord ? playerRecord->position : centre;
    std::uniform_real_distribution<float> angle(0.0f, 2.0f * pi);
    std::uniform_real_distribution<float> reach(from, to);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const float a = angle(random_), r = reach(random_);
        const float x = centre.x + r * std::cos(a), y = centre.y + r * std::sin(a);
        if (flatDistance(drovil::Vector3(x, y, 0.0f), drovil::Vector3(player.x, player.y, 0.0f)) < unseen)
            continue;
        if (countryOnly && world.geography.townAt(x, y) != 0)
            continue;
        point = drovil::Vector3(x, y, world.geography.groundHeight(x, y));
        return true;
    }
    return false;
}

bool Wildlife::aliveAndFree(const World& world, int id) const {
    const EntityRecord* record = world.entities.find(id);
    return record && record->alive && world.hunting.carrierOf(id) == 0;
}

bool Wildlife::isFleeing(int ped, std::uint64_t nowMs) const {
    auto found = animals_.find(ped);
    return found != animals_.end() && nowMs < found->second.fleeUntilMs;
}

void Wildlife::startle(World& world, int ped, const drovil::Vector3& from, std::uint64_t forMs) {
    auto found = animals_.find(ped);
    const EntityRecord* record = world.entities.find(ped);
    if (found == animals_.end() || !record || !record->alive || world.hunting.carrierOf(ped) != 0)
        return;
    found->second.fleeFrom = from;
    // An animal already running runs on for the longer of the two spells.
    found->second.fleeUntilMs = std::max(found->second.fleeUntilMs, world.clock.elapsedMs + forMs);
    found->second.walking = false;
}

void Wildlife::calm(int ped) {
    auto found = animals_.find(ped);
    if (found == animals_.end())
        return;
    found->second.fleeUntilMs = 0;
    found->second.walking = false;
}

void Wildlife::stockNewCamps(World& world) {
    for (const auto& [handle, placed] : world.propsets.all()) {
        if (stockedPropsets_.count(handle) || Propsets::isGone(placed) || !isHuntingCampPropset(placed.name))
            continue;
        stockedPropsets_.insert(handle);
        herds_[handle] = Herd{placed.position, world.clock.elapsedMs + restockEveryMs};
        stockAround(world, placed.position, handle);
    }
}

void Wildlife::restockHerds(World& world) {
    const std::uint64_t now = world.clock.elapsedMs;
    const bool night = isNight(world);
    for (auto& [camp, herdOfCamp] : herds_) {
        if (now < herdOfCamp.nextRestockMs)
            continue;
        herdOfCamp.nextRestockMs = now + restockEveryMs;
        const PlacedPropset* placed = world.propsets.find(camp);
        if (!placed || Propsets::isGone(*placed))
            continue;
        int living = 0;
        for (const auto& [id, animal] : animals_)
            living += animal.camp == camp && aliveAndFree(world, id) ? 1 : 0;
        if (living >= static_cast<int>(std::size(herd)))
            continue;
        // One newcomer of the herd's kinds; the birds not while they roost.
        std::uniform_int_distribution<std::size_t> pick(0, std::size(herd) - 1);
        const char* model = herd[pick(random_)];
        if (night && animalKindOf(gameHash(model))->bird)
            continue;
        drovil::Vector3 at;
        if (pointOutOfSight(world, herdOfCamp.centre, herdInnerRadius, herdOuterRadius, unseenDistance, false, at))
            spawnAt(world, model, at, camp, false);
    }
}

void Wildlife::keepRoamingAnimals(World& world) {
    const drovil::Vector3 player = world.playerPed().position;
    // Far behind the player, the game takes its animals away, dead or alive.
    std::vector<int> gone;
    int about = 0;
    for (const auto& [id, animal] : animals_) {
        if (!animal.roaming)
            continue;
        const EntityRecord* record = world.entities.find(id);
        if (!record || record->missionEntity || world.hunting.carrierOf(id) != 0)
            continue;
        if (flatDistance(record->position, player) > streamOutDistance)
            gone.push_back(id);
        else if (record->alive)
            ++about;
    }
    for (int id : gone) {
        animals_.erase(id);
        world.removeEntity(id);
    }
    // In the country, one more appears out of his sight while there are fewer
    // than the time of day keeps about him.
    const bool night = isNight(world);
    if (!roamingEnabled || world.geography.townAt(player.x, player.y) != 0 ||
        about >= (night ? roamingByNight : roamingByDay))
        return;
    drovil::Vector3 at;
    if (!pointOutOfSight(world, player, roamingMinDistance, roamingMaxDistance, roamingMinDistance, true, at))
        return;
    if (night) {
        std::uniform_int_distribution<std::size_t> pick(0, std::size(roamingByNightKinds) - 1);
        spawnAt(world, roamingByNightKinds[pick(random_)], at, 0, true);
    } else {
        std::uniform_int_distribution<std::size_t> pick(0, std::size(roamingByDayKinds) - 1);
        spawnAt(world, roamingByDayKinds[pick(random_)], at, 0, true);
    }
}

void Wildlife::streamOutHerdsOfGoneCamps(World& world) {
    if (!isStreamOutFrame(world))
        return;
    const auto campGone = [&](int camp) {
        const PlacedPropset* placed = world.propsets.find(camp);
        return !placed || Propsets::isGone(*placed);
    };
    // A handle is free for a new camp once its propset is deleted.
    std::erase_if(stockedPropsets_, [&](int camp) { return world.propsets.find(camp) == nullptr; });
    std::erase_if(herds_, [&](const auto& entry) { return world.propsets.find(entry.first) == nullptr; });
    const drovil::Vector3 player = world.playerPed().position;
    std::vector<int> gone;
    for (const auto& [id, animal] : animals_) {
        const EntityRecord* record = world.entities.find(id);
        if (animal.camp == 0 || !record || record->missionEntity || world.hunting.carrierOf(id) != 0 ||
            flatDistance(record->position, player) <= streamOutDistance || !campGone(animal.camp))
            continue;
        gone.push_back(id);
    }
    for (int id : gone) {
        animals_.erase(id);
        world.removeEntity(id);
    }
}

void Wildlife::noticeDanger(World& world, int ped, WildAnimal& animal) {
    const EntityRecord& self = *world.entities.find(ped);
    for (const auto& [id, record] : world.entities.all()) {
        if (id == ped || !isPerson(world, id, record))
            continue;
        float alert = animal.kind->alertDistance;
        if (world.perception.isCrouching(id))
            alert *= crouchedAlertShare;
        if (flatDistance(record.position, self.position) <= alert) {
            startle(world, ped, record.position);
            return;
        }
    }
}

void Wildlife::graze(World& world, EntityRecord& record, WildAnimal& animal, float frameSeconds) {
    const std::uint64_t now = world.clock.elapsedMs;
    if (!animal.walking) {
        if (now < animal.restUntilMs)
            return;
        // Away from its own ground (it ran from something), each walk takes it
        // some way back.
        const float off = flatDistance(animal.home, animal.range);
        if (off > grazeRadius) {
            const float step = std::min(homingPerWalk, off - 0.5f * grazeRadius);
            const float x = animal.home.x + (animal.range.x - animal.home.x) / off * step;
            const float y = animal.home.y + (animal.range.y - animal.home.y) / off * step;
            animal.home = drovil::Vector3(x, y, world.geography.groundHeight(x, y));
        }
        std::uniform_real_distribution<float> angle(0.0f, 2.0f * pi);
        std::uniform_real_distribution<float> reach(0.0f, grazeRadius);
        const float a = angle(random_), r = reach(random_);
        const float x = animal.home.x + r * std::cos(a), y = animal.home.y + r * std::sin(a);
        animal.grazePoint = drovil::Vector3(x, y, world.geography.groundHeight(x, y));
        animal.walking = true;
    }
    if (moveTowards(record.position, record.heading, animal.grazePoint, 0.8f * frameSeconds, 0.3f)) {
        animal.walking = false;
        std::uniform_int_distribution<int> rest(4000, 15000);
        // Bedded down for the night, it stirs far less often.
        const int factor = isNight(world) ? nightRestFactor : 1;
        animal.restUntilMs = now + static_cast<std::uint64_t>(rest(random_)) * static_cast<std::uint64_t>(factor);
    }
}

void Wildlife::hearShots(World& world) {
    // Shots fired since the last frame alarm every animal in earshot (followed
    // by their number: the record keeps only the latest); the nearer the shot,
    // the longer it runs.
    const auto& shots = world.combat.shots();
    for (; shotsSeen_ < shots.total(); ++shotsSeen_) {
        if (!shots.holds(shotsSeen_))
            continue;
        const ShotRecord& shot = shots.numbered(shotsSeen_);
        for (const auto& [id, animal] : animals_) {
            const EntityRecord* record = world.entities.find(id);
            if (!record)
                continue;
            const float distance = distance3d(record->position, shot.from);
            if (distance > shotAlarmRange)
                continue;
            const float beyond = std::max(0.0f, distance - shotBoltRange) / (shotAlarmRange - shotBoltRange);
            const float share = 1.0f - (1.0f - farShotShare) * beyond;
            startle(world, id, shot.from, static_cast<std::uint64_t>(static_cast<float>(fleeMs) * share));
        }
    }
}

void Wildlife::step(World& world) {
    stockNewCamps(world);
    streamOutHerdsOfGoneCamps(world);
    if (isStreamOutFrame(world)) {
        restockHerds(world);
        keepRoamingAnimals(world);
    }
    if (animals_.empty()) {
        // Shots fired with no animal about are not heard by a herd stocked later.
        shotsSeen_ = world.combat.shots().total();
        return;
    }
    const std::uint64_t now = world.clock.elapsedMs;
    const float frameSeconds = static_cast<float>(world.clock.frameMs) / 1000.0f;
    hearShots(world);
    for (auto it = animals_.begin(); it != animals_.end();) {
        EntityRecord* record = world.entities.find(it->first);
        if (!record) {
            it = animals_.erase(it);
            continue;
        }
        WildAnimal& animal = it->second;
        if (!record->alive)
            animal.fleeUntilMs = 0; // shot down as it ran: it runs no more
        if (!record->alive || record->frozen || world.hunting.carrierOf(it->first) != 0) {
            ++it;
            continue;
        }
        if (now >= animal.fleeUntilMs)
            noticeDanger(world, it->first, animal);
        if (now < animal.fleeUntilMs) {
            // Straight away from the danger; it settles wherever it stops.
            const float dx = record->position.x - animal.fleeFrom.x, dy = record->position.y - animal.fleeFrom.y;
            const float length = std::max(0.01f, std::sqrt(dx * dx + dy * dy));
            const float x = record->position.x + dx / length * 10.0f, y = record->position.y + dy / length * 10.0f;
            moveTowards(record->position, record->heading,
                        drovil::Vector3(x, y, world.geography.groundHeight(x, y)),
                        animal.kind->fleeSpeed * frameSeconds, 0.0f);
            animal.home = record->position;
        } else {
            graze(world, *record, animal, frameSeconds);
        }
        ++it;
    }
}

} // namespace sim
