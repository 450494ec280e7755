#include "executors/wagon_executor.h"

#include "executors/road_vehicle.h"
#include "runtime/game.h"
#include "runtime/game_clock.h"
#include "runtime/log.h"
#include "runtime/main_loop.h"
#include "runtime/natives.h"
#include "world/spawn.h"

#include <algorithm>
#include <string>

namespace drovil {
namespace {
constexpr int driverSeat = -1;
constexpr float wanderSpeed = 3.0f;
constexpr int drivingStyle = 786603;
constexpr Hash debugBlipStyle = 0xb04092f8;
// A wagon never has more guards than this, whatever a mission file says: the
// riders are placed one by one and each waits for its model.
constexpr int maxGuards = 16;
} // namespace

WagonExecutor::WagonExecutor(MissionData* mission) : BaseContractExecutor(mission) {}

void WagonExecutor::createMissionSet() {}

void WagonExecutor::prepareMissionSet() {
    BaseContractExecutor::prepareMissionSet();
    if (spawnAt != 0)
        return;
    // The game clock passes through a float on its way, as it always has.
    spawnAt = static_cast<int>(static_cast<float>(gameClockSeconds()));
    executorLog("wagon will be spawned in: " + std::to_string(spawnAt - gameClockSeconds()) + " game seconds.");
}

void WagonExecutor::onUpdate() {
    if (mission->status != 1 || spawnAt == 0 || spawnAt - gameClockSeconds() > 0 || vehicle)
        return;
    executorLog("creating wagon mission set");
    buildConvoy();
}

void WagonExecutor::buildConvoy() {
    const Vector3& coords = mission->coords;
    Vector3 routeStart;
    if (walkRoadFrom(coords, routeStart))
        vehicle = placeVehicleOnRoad(routeStart, coords, mission->vehicleModel);
    if (!vehicle) {
        // No road near the point (or a wagon the game would not load): trying
        // again every frame would never bring one, and the contract could be
        // neither played nor lost. It fails once, as any contract does.
        executorLog("failed to create wagon");
        setStatus(MissionStatus::Failed);
        onTargetLost();
        return;
    }
    // Released with the rest of the scene when the mission ends.
    spawnedEntities.push_back(vehicle.entity());
    executorLog("wagon created. distance from mission coords: " +
                floatText(distanceBetween(coords, positionOf(vehicle.entity()))));
    if (mission->vehiclePropsetModel != 0)
        natives::vehicle::addPropset(vehicle, mission->vehiclePropsetModel);

    int guardsLeft = seatTargetAndGuards();
    seatCompanions(nextFreeSeat);
    for (; guardsLeft > 0; --guardsLeft)
        addEscortRider();

    const Ped driver = natives::vehicle::driver(vehicle);
    natives::drive::wanderRoads(driver, vehicle, wanderSpeed, drivingStyle);
    if (isDebugToolsOn())
        debugBlip = natives::blip::onEntity(debugBlipStyle, vehicle.entity());
}

int WagonExecutor::seatTargetAndGuards() {
    int guardSeat = 0;
    const bool armed = mission->isTargetArmed;
    // An armed target drives himself; an unarmed one sits behind a guard who drives.
    const Ped target = spawnPedInVehicle(mission->targetModel, vehicle, armed ? driverSeat : 2);
    if (target) {
        addTarget(target);
        if (!armed)
            natives::group::setMember(target, relationshipGroup);
        // Nobody takes a wagon's traveller as a hostage.
        natives::decorator::setInt(target.entity(), "KV_HOSTAGE_enabled", 0);
    } else {
        executorLog("error: target was not spawned");
    }
    guardSeat = armed ? 0 : driverSeat;
    nextFreeSeat = armed ? 2 : 3;

    int guardsLeft = std::clamp(mission->guardsCount, 0, maxGuards);
    for (; guardsLeft > 0 && guardSeat < 1; ++guardSeat) {
        const Ped guard = spawnPedInVehicle(mission->guardModel, vehicle, guardSeat);
        --guardsLeft;
        if (!guard) {
            executorLog("error: guard was not spawned on seat: " + std::to_string(guardSeat));
            continue;
        }
        addGuard(guard);
        if (guardSeat == driverSeat)
            natives::group::setLeader(guard, relationshipGroup, true);
        executorLog("guard created in wagon on seat: " + std::to_string(guardSeat));
    }
    return guardsLeft;
}

void WagonExecutor::seatCompanions(int firstFreeSeat) {
    const int seats = natives::vehicle::seatCountOfModel(mission->vehicleModel);
    int seat = firstFreeSeat;
    for (int made = 0; made < mission->companionsCount && seat < seats; ++made, ++seat) {
        const Ped companion = spawnPedInVehicle(mission->companionModel, vehicle, seat);
        if (companion)
            addCompanion(companion);
    }
}

void WagonExecutor::addEscortRider() {
    const Vector3 at = positionOf(vehicle.entity());
    const Vector3 forward = natives::entity::forwardVector(vehicle.entity());
    const float k = static_cast<float>(randomInt(-12, -6));
    const Ped horse = spawnRandomHorse(Vector3(at.x + forward.x * k, at.y + forward.y * k, at.z + forward.z * k));
    if (!horse) {
        executorLog("error: escort horse was not spawned");
        return;
    }
    spawnedEntities.push_back(horse.entity());
    natives::ped::blockNonTemporaryEvents(horse, true);
    const Ped rider = spawnPedInVehicleAlt(mission->guardModel, horse, driverSeat);
    if (rider)
        addGuard(rider);
    natives::group::setMember(horse, relationshipGroup);
    natives::ped::setConfigFlag(horse, 279, true);
    natives::ped::setOwnsAnimal(rider, horse, true);
    natives::task::followEntity(horse, vehicle.entity(), Vector3(0.0f, 0.0f, 0.0f), 3.0f, -1, 6.0f, true, 0, 0, 0,
                                0, 0);
    executorLog("guard created on a horse. distance from wagon: " +
                floatText(distanceBetween(positionOf(vehicle.entity()), positionOf(horse.entity()))));
}

void WagonExecutor::cleanup() {
    // The wagon is in spawnedEntities: the base releases it with everyone.
    BaseContractExecutor::cleanup();
    removeBlip(debugBlip);
    vehicle = Vehicle();
}

} // namespace drovil
