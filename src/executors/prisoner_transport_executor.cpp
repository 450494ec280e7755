#include "executors/prisoner_transport_executor.h"

#include "behaviour/speech.h"
#include "executors/road_vehicle.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/log.h"
#include "runtime/main_loop.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/help_text.h"
#include "ui/text.h"
#include "world/area_ids.h"
#include "world/police_departments.h"
#include "world/spawn.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace drovil {
namespace {
constexpr int driverSeat = -1;
constexpr int prisonerSeat = 3;
constexpr int jailGuardSeat = 2;
constexpr float wanderSpeed = 3.0f;
constexpr int drivingStyle = 786603;
constexpr Hash debugBlipStyle = 0xb04092f8;
constexpr Hash destinationBlipStyle = 0x0c19da63;
// The wagon stop: a wagon this close to it and standing still has arrived.
constexpr float arrivalDistance = 8.0f;
constexpr float stealHintDistance = 150.0f;
constexpr float guardReleaseDistance = 200.0f;
constexpr int flagPrisoner = 62;
} // namespace

PrisonerTransportExecutor::PrisonerTransportExecutor(MissionData* mission)
    : BaseContractExecutor(mission), office(PoliceDepartments::findDepartment(mission->areaId)),
      escortModel(mission->areaId == area_ids::Rhodes ? "g_m_m_unigrays_01" : "g_m_m_bountyhunters_01") {}

void PrisonerTransportExecutor::addTarget(Ped ped) {
    BaseContractExecutor::addTarget(ped);
    natives::pedsetup::hideWeapons(ped, 2, true);
    natives::combat::removeAllWeapons(ped, true, true);
    natives::ped::setConfigFlag(ped, flagPrisoner, true);
    natives::decorator::setInt(ped.entity(), "KV_HOSTAGE_enabled", 0);
}

void PrisonerTransportExecutor::createMissionSet() {
    if (!office) {
        // A hand-edited area id names no town: there is no office to hold him.
        executorLog("no police department for the mission's area: nothing to spawn");
        return;
    }
    const Ped target = spawnPed(mission->targetModel, office->prisonerSpawn);
    if (!target) {
        executorLog("error: target was not spawned");
        return;
    }
    addTarget(target);
    executorLog("target ped created");
    natives::task::turnToFacePoint(targetPed, office->position, -1);

    jailGuard = spawnPedByName(escortModel, pointAround(office->guardSpawn, 3.0f, false));
    if (jailGuard) {
        jailPeds.push_back(jailGuard);
        scenePeds.push_back(jailGuard);
        natives::decorator::setInt(jailGuard.entity(), "honor_override", 0);
        natives::task::useNearestScenarioToCoord(jailGuard, positionOf(jailGuard), 5.0f, -1, 0, 0, 1, 0);
        executorLog("jail guard created");
        if (isDebugToolsOn())
            jailGuardDebugBlip = natives::blip::onEntity(debugBlipStyle, jailGuard.entity());
    }
    transportPhase = 0;
}

void PrisonerTransportExecutor::onUpdate() {
    if (mission->status != 1 || !targetPed)
        return;
    switch (transportPhase) {
    case 0:
        setOut();
        break;
    case 1:
        onTheWay();
        break;
    case 2:
        startLoading();
        break;
    case 3:
        prisonerWalking();
        break;
    case 4:
        departure();
        break;
    case 100:
        guardLeftBehind();
        break;
    case 101:
        prisonerFled();
        break;
    default:
        break;
    }
}

void PrisonerTransportExecutor::setOut() {
    const auto& routes = office->routePoints;
    const int pick = randomInt(0, static_cast<int>(routes.size()));
    const Vector3 start = routes.empty() ? Vector3() : routes[static_cast<std::size_t>(pick)];
    vehicle = placeVehicleOnRoad(start, mission->coords, mission->vehicleModel);
    if (vehicle) {
        // Released with the rest of the scene when the mission ends.
        spawnedEntities.push_back(vehicle.entity());
        natives::decorator::setBool(vehicle.entity(), "wagon_block_honor", true);
        executorLog("prison wagon created at coords: " + positionText(start) + ". distance from mission coords: " +
                    floatText(distanceBetween(positionOf(vehicle.entity()), mission->coords)));
        const Ped driver = spawnPedInVehicleByName(escortModel, vehicle, driverSeat);
        if (driver) {
            jailPeds.push_back(driver);
            scenePeds.push_back(driver);
            natives::decorator::setInt(driver.entity(), "honor_override", 0);
            natives::drive::driveToPoint(driver, vehicle, office->wagonTarget, 3.0f, 5, mission->vehicleModel,
                                         drivingStyle, 5.0f, 1.0f);
            executorLog("prison wagon driver ped created");
        }
        if (isDebugToolsOn())
            wagonDebugBlip = natives::blip::onEntity(debugBlipStyle, vehicle.entity());
    } else {
        executorLog("failed to create prison wagon");
    }
    transportPhase = 1;
}

bool PrisonerTransportExecutor::playerDrivesWagon() const {
    return natives::vehicle::driver(vehicle) == playerPed();
}

void PrisonerTransportExecutor::onTheWay() {
    if (entityDead(targetPed))
        transportPhase = -1;
    if (!vehicle || !natives::condition::entityExists(vehicle.entity()) ||
        !natives::vehicle::isDriveable(vehicle, true, true))
        return;
    const Ped player = playerPed();
    const bool playerDrives = playerDrivesWagon();
    if (!playerDrives && distanceBetween(positionOf(player), positionOf(vehicle.entity())) <= stealHintDistance)
        showHintOnce("transported_prisoner.steal_prison_wagon");
    if (playerDrives) {
        if (!destinationBlip) {
            if (getMissionFlag("drive_to_police_station") == 0) {
                showHelpText(langText("contract.transported_prisoner.drive_to_police_station"), 5000);
                setMissionFlag("drive_to_police_station", 1);
            }
            destinationBlip = natives::blip::radius(destinationBlipStyle, office->wagonTarget, 3.0f);
        }
    } else if (destinationBlip) {
        removeBlip(destinationBlip);
    }
    if (distanceBetween(positionOf(vehicle.entity()), office->wagonTarget) <= arrivalDistance &&
        natives::vehicle::isStopped(vehicle)) {
        executorLog("prison wagon arrived at the police station");
        transportPhase = 2;
    }
}

void PrisonerTransportExecutor::startLoading() {
    natives::door::setLockState(office->doorHash, 0);
    const Vector3 w = positionOf(vehicle.entity());
    const Hash weapon = natives::combat::bestWeapon(jailGuard, 0, 0);
    natives::combat::holdWeapon(jailGuard, weapon, true, 0, false, false);
    natives::task::setQuickScenarioExit(jailGuard, w, 2, false);

    // Beside the wagon on the office's side, a little towards its front.
    const Vector3 toOffice(office->position.x - w.x, office->position.y - w.y, office->position.z - w.z);
    const float length = std::sqrt(toOffice.x * toOffice.x + toOffice.y * toOffice.y + toOffice.z * toOffice.z);
    const float scale = length > 0.0f ? 2.5f / length : 0.0f;
    const Vector3 forward = natives::entity::forwardVector(vehicle.entity());
    const Vector3 stand(w.x + toOffice.x * scale + 1.5f * forward.x, w.y + toOffice.y * scale + 1.5f * forward.y,
                        w.z + toOffice.z * scale + 1.5f * forward.z);

    TaskSequence sequence;
    natives::task::openSequence(&sequence);
    natives::task::lookAtEntity(Ped(), targetPed.entity(), -1, 0, 0, 0);
    natives::task::goToPoint(Ped(), stand, 1.0f, -1, 2.0f, 0, 0.0f);
    natives::task::turnToFaceEntity(Ped(), targetPed.entity(), -1, 0.0f, 0.0f, 0.0f);
    natives::task::closeSequence(sequence);
    natives::task::performSequence(jailGuard, sequence);
    natives::task::clearSequence(&sequence); // the ped keeps its copy

    natives::drive::enterVehicle(targetPed, vehicle, -1, prisonerSeat, 0.5f, 2, 0);
    natives::ped::blockNonTemporaryEvents(targetPed, true);
    removeBlip(destinationBlip);
    if (playerDrivesWagon())
        showSubtitle(langText("contract.transported_prisoner.wait_for_target"));
    transportPhase = 3;
}

void PrisonerTransportExecutor::prisonerWalking() {
    const Vector3 target = positionOf(targetPed);
    const bool running = pedFleeing(targetPed) && natives::entity::speed(targetPed.entity()) > 4.5f;
    const bool wentOff = distanceBetween(target, positionOf(jailGuard)) >= 10.0f &&
                         distanceBetween(target, positionOf(vehicle.entity())) >= 20.0f;
    if (running || wentOff) {
        playSpeech(jailGuard, "GETTING_AWAY_MALE");
        natives::combat::fightTarget(jailGuard, targetPed, 0, 16);
        executorLog("target is fleeing - jail guard will attempt to neutralize");
        transportPhase = 101;
        return;
    }
    if (natives::interior::ofEntity(targetPed.entity()) == 0 &&
        !natives::ped::isHeadtrackingPed(jailGuard, targetPed) && getMissionFlag("escapeAttempt") == 0) {
        const float roll = static_cast<float>(randomInt(0, 101)) * 0.01f;
        if (roll <= mission->targetFleeChance) {
            natives::task::smartFleeFromPed(targetPed, playerPed(), 999.0f, -1, 0, 3.0f, Ped());
            executorLog("target will attempt to escape");
        } else {
            executorLog("target will not attempt to escape");
        }
        setMissionFlag("escapeAttempt", 1);
    }
    showHintOnce("transported_prisoner.distract_guard");
    if (natives::vehicle::isPedInVehicle(targetPed, vehicle, false)) {
        natives::drive::enterVehicle(jailGuard, vehicle, -1, jailGuardSeat, 1.0f, 0, 0);
        transportPhase = 4;
        executorLog("target ped has boarded the prison wagon");
    }
}

void PrisonerTransportExecutor::departure() {
    natives::door::setLockState(office->doorHash, 1);
    if (natives::vehicle::isPedInVehicle(jailGuard, vehicle, false)) {
        const Ped driver = natives::vehicle::driver(vehicle);
        if (driver && driver != playerPed()) {
            executorLog("prison wagon's driver is not the player - starting to drive around");
            natives::drive::wanderRoads(driver, vehicle, wanderSpeed, drivingStyle);
        }
        natives::ped::blockNonTemporaryEvents(targetPed, false);
        transportPhase = 5;
    } else if (playerDrivesWagon() && natives::entity::speed(vehicle.entity()) >= 1.0f) {
        executorLog("player's trying to leave the jail guard behind - starting combat with player");
        natives::combat::fightTarget(jailGuard, playerPed(), 0, 16);
        transportPhase = 100;
    }
}

void PrisonerTransportExecutor::guardLeftBehind() {
    if (distanceBetween(positionOf(jailGuard), positionOf(playerPed())) <= guardReleaseDistance)
        return;
    natives::task::clearTasks(jailGuard, true, true);
    Entity handle = jailGuard.entity();
    natives::pedsetup::releaseEntity(&handle);
    // The game's now: the clean-up must not release him again.
    std::erase(jailPeds, jailGuard);
    transportPhase = -1;
}

void PrisonerTransportExecutor::prisonerFled() {
    bool jailPedAlive = false;
    for (const Ped& ped : jailPeds)
        if (!entityDead(ped))
            jailPedAlive = true;
    if (!entityDead(targetPed) && jailPedAlive)
        return;
    releaseJailPeds();
    transportPhase = -1;
}

void PrisonerTransportExecutor::releaseJailPeds() {
    for (const Ped& ped : jailPeds) {
        Entity handle = ped.entity();
        natives::pedsetup::releaseEntity(&handle);
    }
    // Released once: a released handle is the game's, which may give it to
    // another entity once the ped is gone.
    jailPeds.clear();
}

void PrisonerTransportExecutor::cleanup() {
    // With the debug tools the wagon and the jail guard go at once; the game
    // deletes only what the script still owns, so before the release below.
    if (isDebugToolsOn()) {
        std::erase(spawnedEntities, vehicle.entity());
        natives::vehicle::deleteVehicle(&vehicle);
        Entity guard = jailGuard.entity();
        natives::entity::deleteEntity(&guard);
        std::erase(jailPeds, jailGuard);
        jailGuard = Ped();
    }
    BaseContractExecutor::cleanup();
    removeBlip(destinationBlip);
    removeBlip(jailGuardDebugBlip);
    removeBlip(wagonDebugBlip);
    if (office)
        natives::door::setLockState(office->doorHash, 1);
    // The jail peds are in none of the scene's lists: those not let go already
    // go back to the game here.
    releaseJailPeds();
    vehicle = Vehicle();
}

} // namespace drovil
