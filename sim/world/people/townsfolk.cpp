#include "world/people/townsfolk.h"

#include "world/core/geometry.h"
#include "world/core/strings.h"
#include "world/core/world.h"

#include <cmath>
#include <optional>
#include <random>

namespace sim {
namespace {
// Passers-by keep within this many metres either side of a street's middle.
constexpr float streetHalfWidth = 2.5f;
// The game's walk (move speed 1), metres a second.
constexpr float walkingPace = 1.4f;

std::vector<std::uint32_t> hashes(std::initializer_list<const char*> names) {
    std::vector<std::uint32_t> out;
    for (const char* name : names)
        out.push_back(gameHash(name));
    return out;
}
} // namespace

const std::vector<std::uint32_t>& Townsfolk::modelsOf(std::uint32_t townZone) {
    static const auto* byTown = new std::map<std::uint32_t, std::vector<std::uint32_t>>{
        {gameHash("valentine"),
         hashes({"a_m_m_valtownfolk_01", "a_m_m_valtownfolk_02", "a_f_m_valtownfolk_01", "a_m_m_valfarmer_01",
                 "a_m_m_valcriminals_01"})},
        {gameHash("rhodes"), hashes({"a_m_m_rhdtownfolk_01", "a_m_m_rhdtownfolk_02", "a_f_m_rhdtownfolk_01",
                                     "a_f_m_rhdtownfolk_02"})},
        {gameHash("stdenis"), hashes({"a_m_m_middlesdtownfolk_01", "a_m_m_lowersdtownfolk_01",
                                      "a_f_m_middlesdtownfolk_01", "a_m_m_sddockworkers_02",
                                      "a_f_m_sdfancywhore_01"})},
        {gameHash("strawberry"),
         hashes({"a_m_m_strtownfolk_01", "a_f_m_strtownfolk_01", "a_m_m_strlaborer_01"})},
        {gameHash("blackwater"), hashes({"a_m_m_blwtownfolk_01", "a_f_m_blwtownfolk_01",
                                         "a_f_m_blwtownfolk_02", "a_m_m_blwforeman_01"})},
        {gameHash("armadillo"),
         hashes({"a_m_m_armtownfolk_01", "a_m_m_armtownfolk_02", "a_f_m_armtownfolk_01"})},
        {gameHash("tumbleweed"),
         hashes({"a_m_m_armtownfolk_01", "a_f_m_armtownfolk_02", "a_m_m_nbxdockworkers_01"})},
        {gameHash("annesburg"),
         hashes({"a_m_m_asbtownfolk_01", "a_f_m_asbtownfolk_01", "a_m_m_asbminer_01", "a_m_m_asbminer_02"})},
    };
    static const auto* commonFolk = new std::vector<std::uint32_t>(
        hashes({"a_m_m_rancher_01", "a_m_m_farmtravelers_cool_01", "a_f_m_lagtownfolk_01"}));
    auto found = byTown->find(townZone);
    return found == byTown->end() ? *commonFolk : found->second;
}

void Townsfolk::seedOnce(const World& world) {
    if (seeded_)
        return;
    // From a copy: the game's own numbers are not drawn from.
    std::mt19937 copy = world.random;
    random_.seed(copy());
    seeded_ = true;
}

int Townsfolk::spawn(World& world, const drovil::Vector3& position, std::uint32_t model) {
    seedOnce(world);
    std::uniform_real_distribution<float> facing(0.0f, 360.0f);
    std::uniform_real_distribution<float> side(-streetHalfWidth, streetHalfWidth);
    EntityRecord& ped = world.entities.create(EntityKind::Ped, model, position, facing(random_));
    PasserBy& passerBy = folk_[ped.id];
    passerBy.home = position;
    passerBy.town = world.geography.townAt(position.x, position.y);
    passerBy.side = side(random_);
    setOff(world, ped.id, passerBy);
    return ped.id;
}

bool Townsfolk::heldByScript(const World& world, int ped) {
    const EntityRecord* record = world.entities.find(ped);
    return record && record->missionEntity;
}

bool Townsfolk::isAmbient(const World& world, int ped) const {
    return folk_.count(ped) != 0 && !heldByScript(world, ped);
}

void Townsfolk::setOff(World& world, int ped, PasserBy& passerBy) {
    const TownStreets& streets = world.geography.streets();
    const EntityRecord& record = *world.entities.find(ped);
    passerBy.way.clear();
    passerBy.nextCorner = 0;
    // From the corner nearest to where it stands (the street it was on, or the
    // way back to the streets of its town when a script led it off them) to
    // one of the town's corners within reach.
    const int from = streets.nearestCorner(record.position, passerBy.town);
    if (from >= 0) {
        const int to = streets.destinationFrom(from, walkReach, random_);
        streets.route(from, to, passerBy.way);
        if (flatDistance(streets.corner(from).position, record.position) > 1.0f)
            passerBy.way.insert(passerBy.way.begin(), from);
    }
    std::uniform_int_distribution<int> rest(restMinMs, restMaxMs);
    passerBy.strolling = true;
    passerBy.restUntilMs = 0;
    // The stop at the end of the walk; counted from when the walk is over.
    passerBy.restPendingMs = rest(random_);
    walkToNextCorner(world, ped, passerBy);
}

void Townsfolk::walkToNextCorner(World& world, int ped, PasserBy& passerBy) {
    const EntityRecord& record = *world.entities.find(ped);
    // A town with no streets: it stays where it is.
    drovil::Vector3 corner = passerBy.home;
    if (passerBy.nextCorner < passerBy.way.size())
        corner = world.geography.streets().corner(passerBy.way[passerBy.nextCorner++]).position;
    // Keeping to its side of the street.
    const float length = flatDistance(record.position, corner);
    if (length > 0.1f) {
        const float dx = (corner.x - record.position.x) / length, dy = (corner.y - record.position.y) / length;
        corner.x += dy * passerBy.side;
        corner.y -= dx * passerBy.side;
    }
    TaskStep walk;
    walk.kind = TaskKind::GoTo;
    walk.point = corner;
    walk.speed = 1.0f;
    walk.stopRange = 0.5f;
    // Twice the time the walk takes, should anything hold it up.
    walk.durationMs = 10000 + static_cast<int>(length / walkingPace * 2000.0f);
    world.tasks.give(ped, walk, world.clock.elapsedMs, PedTasks::GivenBy::World);
}

void Townsfolk::step(World& world) {
    seedOnce(world);
    const std::uint64_t now = world.clock.elapsedMs;
    for (auto it = folk_.begin(); it != folk_.end();) {
        const EntityRecord* record = world.entities.find(it->first);
        if (!record) {
            it = folk_.erase(it);
            continue;
        }
        PasserBy& passerBy = it->second;
        if (heldByScript(world, it->first) || world.fleeing.isFleeing(it->first, now)) {
            passerBy.strolling = false;
        } else if (record->alive && !record->knockedOut && !record->hogtied) {
            if (!passerBy.strolling) {
                // Handed back: whatever the script left it doing, it walks on.
                setOff(world, it->first, passerBy);
            } else if (!world.tasks.busy(it->first)) {
                if (passerBy.nextCorner < passerBy.way.size()) {
                    // At a corner on the way: on to the next.
                    walkToNextCorner(world, it->first, passerBy);
                } else if (passerBy.restUntilMs == 0) {
                    // Where it was going: a stop, then the next walk.
                    passerBy.restUntilMs = now + static_cast<std::uint64_t>(passerBy.restPendingMs);
                } else if (now >= passerBy.restUntilMs) {
                    setOff(world, it->first, passerBy);
                }
            }
        }
        ++it;
    }
    if (world.clock.frame < lastCheckFrame_ + static_cast<std::uint64_t>(framesBetweenChecks) &&
        lastCheckFrame_ != 0)
        return;
    lastCheckFrame_ = world.clock.frame;
    lookAfterCrowd(world);
}

void Townsfolk::lookAfterCrowd(World& world) {
    const EntityRecord* player = world.entities.find(world.player.pedId);
    if (!player)
        return;
    const drovil::Vector3 centre = player->position;

    int nearby = 0;
    for (auto it = folk_.begin(); it != folk_.end();) {
        const EntityRecord& record = *world.entities.find(it->first);
        const float distance = flatDistance(record.position, centre);
        if (distance > despawnDistance && !heldByScript(world, it->first)) {
            world.removeEntity(it->first);
            ++removed_;
            it = folk_.erase(it);
            continue;
        }
        if (distance <= crowdRadius && record.alive)
            ++nearby;
        ++it;
    }

    const std::uint32_t town = world.geography.townAt(centre.x, centre.y);
    if (!enabled || town == 0)
        return;
    const std::vector<std::uint32_t>& models = modelsOf(town);
    std::uniform_int_distribution<std::size_t> pick(0, models.size() - 1);
    for (; nearby < crowdSize; ++nearby) {
        // On the town's own streets: none appear off them, nor in another town.
        std::optional<drovil::Vector3> at =
            world.geography.streets().pointNear(centre, town, spawnMinDistance, spawnMaxDistance, random_);
        // Off the streets himself, the player sees them go by on the nearest ones.
        if (!at)
            at = world.geography.streets().pointNear(centre, town, spawnMinDistance, crowdRadius, random_);
        if (!at)
            continue;
        spawn(world, *at, models[pick(random_)]);
    }
}

} // namespace sim
