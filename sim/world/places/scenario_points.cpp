#include "world/places/scenario_points.h"

#include "world/core/geometry.h"
#include "world/core/world.h"
#include "world/places/scenario_point_data.h"
#include "world/town/interiors.h"

#include <cmath>

namespace sim {
namespace {
using drovil::Vector3;

// A point `right` metres to the right of and `ahead` metres ahead of a
// position facing `heading`.
Vector3 offsetFrom(const Vector3& at, float heading, float right, float ahead, float up) {
    const Vector3 forward = forwardOf(heading);
    const Vector3 side(forward.y, -forward.x, 0.0f);
    return Vector3(at.x + right * side.x + ahead * forward.x, at.y + right * side.y + ahead * forward.y, at.z + up);
}

float wrapHeading(float heading) {
    heading = std::fmod(heading, 360.0f);
    return heading < 0.0f ? heading + 360.0f : heading;
}

// A town's streets are lined with places to lean or loiter (porch rails, posts,
// walls, hitching rails): one every streetFurnitureSpacing metres on a grid
// about each street spot, so that anywhere on the streets one lies within a few
// metres, as in the game's towns. None near the rooms a contract uses: a
// drinker or a hotel guest looking for a seat keeps to his room.
constexpr float streetFurnitureSpacing = 10.0f;
constexpr float streetFurnitureReach = 40.0f;
constexpr float streetFurnitureClearOfRooms = 11.0f;
const char* const streetFurniture[] = {"WORLD_HUMAN_LEAN_RAILING_SMOKING", "WORLD_HUMAN_LEAN_WALL_LEFT",
                                       "WORLD_HUMAN_SMOKE"};

bool clearOfRooms(const Vector3& at) {
    for (const Interior& room : Interiors::all())
        if (flatDistance(at, room.position) <= room.radius + streetFurnitureClearOfRooms)
            return false;
    return true;
}
} // namespace

int ScenarioPoints::add(ScenarioPoint point) {
    point.handle = ++nextHandle_;
    points_[point.handle] = point;
    return point.handle;
}

void ScenarioPoints::populate(World& world) {
    // Seat props at the named places, each with its seat.
    for (const SeatPropRow& row : seatPropTable()) {
        EntityRecord& prop = world.entities.create(EntityKind::Object, row.model, row.position, 0.0f);
        const SeatKind& kind = seatKindOfProp(row.model);
        ScenarioPoint seat;
        seat.type = kind.pointType;
        seat.scenario = gameHash(kind.scenario);
        seat.position = row.position;
        seat.attachedTo = prop.id;
        add(seat);
    }
    // Along the streets: a bench beside every street spot, facing the street,
    // and porch steps across the street from every other one. In the saloons:
    // four chairs round a table and two stools at the bar.
    for (const TownSeatsRow& town : townSeatsTable()) {
        for (std::size_t i = 0; i < town.streets.size(); ++i) {
            const TownSpot& spot = town.streets[i];
            const Vector3 at(spot.x, spot.y, spot.z);
            ScenarioPoint bench;
            bench.type = seats::bench.pointType;
            bench.scenario = gameHash(seats::bench.scenario);
            bench.position = offsetFrom(at, spot.heading, 3.0f, 0.0f, 0.0f);
            bench.heading = wrapHeading(spot.heading + 90.0f);
            add(bench);
            if (i % 2 == 0) {
                ScenarioPoint steps;
                steps.type = seats::steps.pointType;
                steps.scenario = gameHash(seats::steps.scenario);
                steps.position = offsetFrom(at, spot.heading, -4.0f, 2.0f, 0.0f);
                steps.heading = wrapHeading(spot.heading - 90.0f);
                add(steps);
            }
        }
        addStreetFurniture(town);
        for (const TownSpot& saloon : town.saloons) {
            const Vector3 at(saloon.x, saloon.y, saloon.z);
            const Vector3 table = offsetFrom(at, saloon.heading, 2.0f, 3.0f, 0.0f);
            for (int side = 0; side < 4; ++side) {
                ScenarioPoint chair;
                chair.type = seats::chairAtTable.pointType;
                chair.scenario = gameHash(seats::chairAtTable.scenario);
                chair.heading = wrapHeading(saloon.heading + 90.0f * static_cast<float>(side) + 180.0f);
                chair.position = offsetFrom(table, saloon.heading + 90.0f * static_cast<float>(side), 0.0f, 0.8f, 0.0f);
                add(chair);
            }
            for (int stool = 0; stool < 2; ++stool) {
                ScenarioPoint bar;
                bar.type = seats::barStool.pointType;
                bar.scenario = gameHash(seats::barStool.scenario);
                bar.position = offsetFrom(at, saloon.heading, -2.0f + 0.8f * static_cast<float>(stool), 6.0f, 0.0f);
                bar.heading = wrapHeading(saloon.heading);
                add(bar);
            }
        }
    }
}

void ScenarioPoints::addStreetFurniture(const TownSeatsRow& town) {
    const int cells = static_cast<int>(streetFurnitureReach / streetFurnitureSpacing);
    for (const TownSpot& spot : town.streets) {
        const long baseX = std::lround(spot.x / streetFurnitureSpacing);
        const long baseY = std::lround(spot.y / streetFurnitureSpacing);
        for (long dx = -cells; dx <= cells; ++dx)
            for (long dy = -cells; dy <= cells; ++dy) {
                const long cellX = baseX + dx, cellY = baseY + dy;
                const Vector3 at(static_cast<float>(cellX) * streetFurnitureSpacing,
                                 static_cast<float>(cellY) * streetFurnitureSpacing, spot.z);
                if (flatDistance(at, Vector3(spot.x, spot.y, spot.z)) > streetFurnitureReach || !clearOfRooms(at) ||
                    !furnitureCells_.insert({cellX, cellY}).second)
                    continue;
                const char* scenario = streetFurniture[static_cast<std::size_t>((cellX + cellY) % 3 + 3) % 3];
                ScenarioPoint point;
                point.type = gameHash(scenario);
                point.scenario = point.type;
                point.position = at;
                point.heading = wrapHeading(spot.heading + 90.0f * static_cast<float>((cellX + cellY) % 4));
                add(point);
            }
    }
}

const ScenarioPoint* ScenarioPoints::find(int handle) const {
    auto found = points_.find(handle);
    return found == points_.end() ? nullptr : &found->second;
}

int ScenarioPoints::createAt(std::uint32_t scenario, const Vector3& position, float heading) {
    ScenarioPoint point;
    point.type = scenario;
    point.scenario = scenario;
    point.position = position;
    point.heading = heading;
    point.byScript = true;
    ++created_;
    return add(point);
}

int ScenarioPoints::createOnEntity(const World& world, int entity, std::uint32_t scenario, const Vector3& offset,
                                   float heading) {
    const EntityRecord* record = world.entities.find(entity);
    if (!record)
        return 0;
    ScenarioPoint point;
    point.type = scenario;
    point.scenario = scenario;
    point.attachedTo = entity;
    point.offset = offset;
    point.position = offsetFrom(record->position, record->heading, offset.x, offset.y, offset.z);
    point.heading = heading;
    point.byScript = true;
    ++created_;
    return add(point);
}

void ScenarioPoints::setPosition(int handle, const Vector3& position) {
    auto found = points_.find(handle);
    if (found == points_.end())
        return;
    // Placed where the script says, it no longer follows its entity.
    found->second.position = position;
    found->second.attachedTo = 0;
}

void ScenarioPoints::setHeading(int handle, float heading) {
    auto found = points_.find(handle);
    if (found != points_.end())
        found->second.heading = heading;
}

void ScenarioPoints::remove(int handle) {
    auto found = points_.find(handle);
    if (found == points_.end())
        return;
    if (found->second.byScript)
        ++deleted_;
    points_.erase(found);
}

void ScenarioPoints::addPropsetPoints(int propset, const Vector3& centre, float heading) {
    for (const CampPointRow& row : campPointTable()) {
        ScenarioPoint point;
        point.type = row.pointType;
        point.scenario = gameHash(row.scenario);
        point.position = offsetFrom(centre, heading, row.right, row.ahead, 0.0f);
        point.heading = wrapHeading(heading + row.heading);
        point.propset = propset;
        add(point);
    }
}

void ScenarioPoints::removePropsetPoints(int propset) {
    for (auto it = points_.begin(); it != points_.end();)
        it = it->second.propset == propset ? points_.erase(it) : std::next(it);
}

int ScenarioPoints::takenBy(const World& world, int handle) {
    int coming = 0;
    for (const auto& [ped, activity] : world.tasks.all()) {
        if (activity.scenarioPoint == handle && activity.usingScenario)
            return ped;
        if (activity.scenarioPoint == handle && coming == 0)
            coming = ped;
    }
    return coming;
}

int ScenarioPoints::nearestFree(const World& world, const Vector3& near, float distance, int forPed) const {
    int best = 0;
    float bestDistance = distance;
    for (const auto& [handle, point] : points_) {
        const float d = distance3d(near, point.position);
        if (d > bestDistance || (best != 0 && d == bestDistance))
            continue;
        const int taker = takenBy(world, handle);
        if (taker != 0 && taker != forPed)
            continue;
        best = handle;
        bestDistance = d;
    }
    return best;
}

std::uint32_t ScenarioPoints::typeUsedBy(const World& world, int ped) {
    const PedActivity* activity = world.tasks.find(ped);
    if (!activity || !activity->usingScenario || activity->scenarioPoint < 0)
        return 0;
    const ScenarioPoint* point = world.scenarioPoints.find(activity->scenarioPoint);
    return point ? point->type : 0;
}

int ScenarioPoints::removeSeatPropsNear(World& world, const Vector3& position, float radius) {
    std::vector<int> props;
    for (const auto& [id, record] : world.entities.all())
        if (record.kind == EntityKind::Object && !record.missionEntity &&
            distance3d(record.position, position) <= radius)
            for (const auto& [handle, point] : points_)
                if (point.attachedTo == id && !point.byScript) {
                    props.push_back(id);
                    break;
                }
    for (int prop : props) {
        for (auto it = points_.begin(); it != points_.end();)
            it = it->second.attachedTo == prop ? points_.erase(it) : std::next(it);
        world.removeEntity(prop);
    }
    return static_cast<int>(props.size());
}

void ScenarioPoints::step(World& world) {
    for (auto it = points_.begin(); it != points_.end();) {
        ScenarioPoint& point = it->second;
        if (point.attachedTo == 0) {
            ++it;
            continue;
        }
        const EntityRecord* entity = world.entities.find(point.attachedTo);
        if (!entity) {
            it = points_.erase(it);
            continue;
        }
        point.position = offsetFrom(entity->position, entity->heading, point.offset.x, point.offset.y, point.offset.z);
        ++it;
    }
}

} // namespace sim
