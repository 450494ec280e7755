#include "executors/wagon_variant_executor.h"

#include "executors/road_vehicle.h"
#include "runtime/game.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/text.h"
#include "world/spawn.h"

namespace drovil {
namespace {
constexpr int driverSeat = -1;
constexpr int guardSeat = 0;
constexpr int targetSeat = 3;
constexpr int routeHops = 6; // 180 m in hops of 30 m
constexpr float routeHopLength = 30.0f;
constexpr float driveSpeed = 3.0f;
constexpr int drivingStyle = 786603;
constexpr float stopRange = 15.0f;
// The target gets in only when the coach stands this near the spot.
constexpr float boardingDistance = 20.0f;
// Keeps the coach's guards on the coach whatever they see.
constexpr int stayInVehicleFlag = 366;
} // namespace

WagonVariantExecutor::WagonVariantExecutor(MissionData* mission) : TrainStationExecutor(mission) {}

void WagonVariantExecutor::spawnTransport() {
    const Vector3& coords = mission->coords;
    Vector3 routeStart;
    if (walkRoadFrom(coords, routeStart, routeHops, routeHopLength))
        coach = placeVehicleOnRoad(routeStart, coords, mission->vehicleModel);
    if (!coach) {
        executorLog("failed to create wagon");
        return;
    }
    // Handed back to the game with the rest of the scene when the mission ends.
    spawnedEntities.push_back(coach.entity());
    natives::vehicle::setForceCoachRobberyLoot(coach, getHashKey("COACH2_MARY3"));

    coachDriver = spawnPedInVehicle(mission->guardModel, coach, driverSeat);
    if (coachDriver) {
        addGuard(coachDriver);
        natives::group::removeMember(coachDriver);
        natives::ped::setConfigFlag(coachDriver, stayInVehicleFlag, true);
    }
    const Ped guard = spawnPedInVehicle(mission->guardModel, coach, guardSeat);
    if (guard) {
        addGuard(guard);
        natives::ped::setConfigFlag(guard, stayInVehicleFlag, true);
        natives::group::removeMember(guard);
    }
    executorLog("wagon created. distance from mission coords: " +
                floatText(distanceBetween(coords, positionOf(coach.entity()))));

    Vector3 node;
    float heading = 0.0f;
    if (!natives::path::nearestRoadNode(coords, &node, &heading, 1, 3.0f, 0))
        node = Vector3();
    natives::drive::driveToPoint(coachDriver, coach, node, driveSpeed, 0, mission->vehicleModel, drivingStyle,
                                 stopRange, -1.0f);
}

void WagonVariantExecutor::onUpdate() {
    if (mission->status != MissionStatus::Engaged)
        return;
    switch (arrivalPhase) {
    case 0:
        if (timeUntilSpawn() <= 0 && !coach) {
            spawnTransport();
            // A coach that could not be placed is not tried again.
            arrivalPhase = 1;
        }
        break;
    case 1:
        boardIfCoachWaits();
        break;
    case 2:
        if (natives::vehicle::isPedInVehicle(targetPed, coach, false))
            driveOff();
        break;
    default:
        break;
    }
}

void WagonVariantExecutor::boardIfCoachWaits() {
    if (!coach || distanceBetween(positionOf(coach.entity()), mission->coords) > boardingDistance)
        return;
    if (!natives::vehicle::isStopped(coach) || !natives::vehicle::isDriveable(coach, true, true))
        return;
    natives::drive::enterVehicle(targetPed, coach, -1, targetSeat, 1.0f, 0, 0);
    arrivalPhase = 2;
}

void WagonVariantExecutor::driveOff() {
    for (Ped guard : guards)
        natives::group::setMember(guard, relationshipGroup);
    // A player who has taken the reins drives where he likes.
    const Ped driver = natives::vehicle::driver(coach);
    if (driver != playerPed())
        natives::drive::wanderRoads(driver, coach, driveSpeed, drivingStyle);
    arrivalPhase = 3;
}

void WagonVariantExecutor::cleanup() {
    // The coach is in spawnedEntities: the base hands it back with everyone.
    TrainStationExecutor::cleanup();
    coach = Vehicle();
    coachDriver = Ped();
}

} // namespace drovil
