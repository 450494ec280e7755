#include "world/vehicles/traffic.h"

#include "world/core/geometry.h"
#include "world/core/world.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {
// A driver counts a road vertex as passed this close to it.
constexpr float vertexReach = 3.0f;
// A destination this far above or below the ground model is not taken for the road surface.
constexpr float maxStopHeightGap = 15.0f;

bool canDrive(const World& world, int vehicle, int driver) {
    const EntityRecord* car = world.entities.find(vehicle);
    if (!car || !car->alive || Combat::isDown(world, driver) || Combat::inCombat(world, driver) ||
        world.fleeing.isFleeing(driver, world.clock.elapsedMs) || driver == world.player.pedId)
        return false;
    const auto seat = world.seats.seatOf(driver);
    return seat && seat->vehicle == vehicle && seat->seat == -1;
}
} // namespace

void Traffic::wander(World& world, int vehicle, int driver, float speed) {
    const EntityRecord* car = world.entities.find(vehicle);
    if (!car)
        return;
    DriveOrder order;
    order.kind = DriveKind::Wander;
    order.driver = driver;
    order.speed = speed;
    order.nextVertex = roads.vertexAhead(car->position, forwardOf(car->heading));
    orders_[vehicle] = order;
}

void Traffic::driveTo(World& world, int vehicle, int driver, const drovil::Vector3& point, float speed,
                      float stopRange) {
    const EntityRecord* car = world.entities.find(vehicle);
    if (!car)
        return;
    DriveOrder order;
    order.kind = DriveKind::ToPoint;
    order.driver = driver;
    order.speed = speed;
    order.point = point;
    order.stopRange = std::max(stopRange, 0.5f);
    // Along the roads to the vertex nearest the destination, then straight to it.
    const int start = roads.vertexAhead(car->position, forwardOf(car->heading));
    const int end = roads.nearestVertex(point);
    order.route = roads.shortestPath(start, end);
    // A road vertex beyond the destination is not driven to.
    if (!order.route.empty() &&
        flatDistance(roads.point(order.route.back()), point) > flatDistance(car->position, point))
        order.route.clear();
    orders_[vehicle] = order;
}

const DriveOrder* Traffic::orderOf(int vehicle) const {
    auto found = orders_.find(vehicle);
    return found == orders_.end() ? nullptr : &found->second;
}

void Traffic::board(World& world, int ped, int vehicle, int seat, float speed, int timeoutMs) {
    if (!world.entities.exists(ped) || !world.entities.exists(vehicle))
        return;
    world.tasks.clear(ped);
    Boarding boarding;
    boarding.vehicle = vehicle;
    boarding.seat = seat;
    boarding.speed = speed;
    boarding.untilMs = timeoutMs < 0 ? 0 : world.clock.elapsedMs + static_cast<std::uint64_t>(timeoutMs);
    boardings_[ped] = boarding;
}

float Traffic::speedOf(int entity) const {
    auto found = speeds_.find(entity);
    return found == speeds_.end() ? 0.0f : found->second;
}

void Traffic::step(World& world) {
    const float frameSeconds = static_cast<float>(world.clock.frameMs) / 1000.0f;
    for (auto it = orders_.begin(); it != orders_.end();) {
        if (!world.entities.exists(it->first) || !canDrive(world, it->first, it->second.driver)) {
            it = orders_.erase(it); // the vehicle stands where it is
            continue;
        }
        drive(world, it->first, it->second, frameSeconds);
        ++it;
    }
    walkToSeats(world, frameSeconds);
    carrySeated(world);
    measureSpeeds(world, frameSeconds);
}

void Traffic::drive(World& world, int vehicle, DriveOrder& order, float frameSeconds) {
    EntityRecord& car = *world.entities.find(vehicle);
    float metres = order.speed * frameSeconds;
    for (int leg = 0; leg < 4 && metres > 0.0f; ++leg) {
        drovil::Vector3 goal;
        float reach = vertexReach;
        if (order.kind == DriveKind::Wander) {
            if (order.nextVertex < 0)
                return;
            goal = roads.point(order.nextVertex);
        } else if (!order.route.empty()) {
            goal = roads.point(order.route.front());
        } else {
            if (order.arrived)
                return;
            goal = order.point;
            reach = order.stopRange;
        }
        goal.z = car.position.z;
        const float before = flatDistance(car.position, goal);
        const bool there = moveTowards(car.position, car.heading, goal, metres, reach);
        metres -= std::max(0.0f, before - flatDistance(car.position, goal));
        if (!there)
            break;
        if (order.kind == DriveKind::Wander) {
            const int next = roads.nextWandering(order.nextVertex, order.fromVertex, world.random);
            order.fromVertex = order.nextVertex;
            order.nextVertex = next;
        } else if (!order.route.empty()) {
            order.route.erase(order.route.begin());
        } else {
            order.arrived = true;
        }
    }
    car.position.z = world.geography.groundHeight(car.position.x, car.position.y);
    // Pulled up at its destination, the vehicle stands on the road there: the
    // destination's own height, which the coarse ground of a hilly town can
    // miss by metres.
    if (order.kind == DriveKind::ToPoint && order.arrived && std::fabs(order.point.z - car.position.z) < maxStopHeightGap)
        car.position.z = order.point.z;
}

void Traffic::walkToSeats(World& world, float frameSeconds) {
    for (auto it = boardings_.begin(); it != boardings_.end();) {
        const int ped = it->first;
        const Boarding& boarding = it->second;
        EntityRecord* record = world.entities.find(ped);
        const EntityRecord* car = world.entities.find(boarding.vehicle);
        const bool timedOut = boarding.untilMs != 0 && world.clock.elapsedMs >= boarding.untilMs;
        // Given something else to do, down, fighting or running: no boarding.
        if (!record || !car || !car->alive || timedOut || Combat::isDown(world, ped) ||
            Combat::inCombat(world, ped) || world.fleeing.isFleeing(ped, world.clock.elapsedMs) ||
            world.tasks.busy(ped) || world.seats.seatOf(ped)) {
            it = boardings_.erase(it);
            continue;
        }
        drovil::Vector3 goal = car->position;
        goal.z = record->position.z;
        if (moveTowards(record->position, record->heading, goal, metresPerSecond(boarding.speed) * frameSeconds,
                        boardingReach)) {
            if (world.seats.resolveFreeSeat(boarding.vehicle, boarding.seat))
                world.seats.seatPed(boarding.vehicle, boarding.seat, ped);
            it = boardings_.erase(it);
            continue;
        }
        record->position.z = world.geography.groundHeight(record->position.x, record->position.y);
        ++it;
    }
}

void Traffic::carrySeated(World& world) {
    for (const auto& [carrier, seats] : world.seats.occupants()) {
        const EntityRecord* vehicle = world.entities.find(carrier);
        if (!vehicle)
            continue;
        for (const auto& [seat, ped] : seats)
            if (EntityRecord* rider = world.entities.find(ped)) {
                rider->position = vehicle->position;
                rider->heading = vehicle->heading;
            }
    }
}

void Traffic::measureSpeeds(World& world, float frameSeconds) {
    if (frameSeconds <= 0.0f)
        return;
    for (auto it = lastPositions_.begin(); it != lastPositions_.end();)
        if (!world.entities.exists(it->first)) {
            speeds_.erase(it->first);
            it = lastPositions_.erase(it);
        } else {
            ++it;
        }
    for (const auto& [id, record] : world.entities.all()) {
        if (record.kind == EntityKind::Object)
            continue;
        auto last = lastPositions_.find(id);
        if (last == lastPositions_.end()) {
            speeds_[id] = 0.0f;
            lastPositions_.emplace(id, record.position);
            continue;
        }
        speeds_[id] = distance3d(last->second, record.position) / frameSeconds;
        last->second = record.position;
    }
}


} // namespace sim
