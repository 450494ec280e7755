#include "executors/street_executor.h"

#include "behaviour/hostages.h"
#include "behaviour/script_task.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/host_api.h"
#include "runtime/log.h"
#include "runtime/main_loop.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/text.h"
#include "world/spawn.h"

#include <string>

namespace drovil {
namespace {
// The debug tools mark the street target on the map with this blip style.
constexpr Hash debugBlipStyle = 0xB04092F8;
// The target roams at least this long before the entourage lingers again.
constexpr int roamingMs = 40000;
// A street scene never holds more guards or companions than this, whatever a
// mission file says: each takes a moment to place.
constexpr int maxEntourage = 8;

int entourageCount(int stored) {
    // An absent count (-999) or a negative one is nobody.
    return stored < 0 ? 0 : (stored > maxEntourage ? maxEntourage : stored);
}
} // namespace

StreetExecutor::StreetExecutor(MissionData* mission) : BaseContractExecutor(mission) {}

void StreetExecutor::createMissionSet() {
    const Vector3& coords = mission->coords;
    const Vector3 position = pointAround(coords, static_cast<float>(randomInt(8, 18)), false);
    const Ped target = spawnPed(mission->targetModel, position);
    const Vector3 placed = positionOf(target);
    addTarget(target);
    if (isDebugToolsOn())
        debugBlip = natives::blip::onEntity(debugBlipStyle, target.entity());
    executorLog("target created. distance from origin coords: " + floatText(distanceBetween(coords, placed)));

    const int guardsCount = entourageCount(mission->guardsCount);
    for (int guard = 0; guard < guardsCount; ++guard) {
        addGuard(spawnPed(mission->guardModel, pointAround(placed, 4.0f, false)));
        scriptWait(20);
    }
    const int companionsCount = entourageCount(mission->companionsCount);
    for (int companion = 0; companion < companionsCount; ++companion) {
        addCompanion(spawnPed(mission->companionModel, pointAround(placed, 4.0f, false)));
        scriptWait(20);
    }
}

void StreetExecutor::cleanup() {
    BaseContractExecutor::cleanup();
    // The target is the game's again: it must not keep the debug marker.
    removeBlip(debugBlip);
}

bool StreetExecutor::targetIsTaken() const {
    return entityDead(targetPed) ||
           pedFightingPlayer(targetPed) || pedHogtied(targetPed) || pedFleeing(targetPed) ||
           isHostage(targetPed);
}

void StreetExecutor::onUpdate() {
    if (mission->status != MissionStatus::Engaged || !targetPed || targetIsTaken())
        return;
    if (wanderPhase == 1) {
        if (!wanderTaskHash)
            wanderTaskHash = getHashKey("SCRIPT_TASK_WANDER_STANDARD");
        if (taskUnderWay(natives::task::scriptTaskStatus(targetPed, wanderTaskHash, true)) &&
            natives::timer::secondTimer() <= roamingMs)
            return;
        startLingering();
    } else {
        // Lingering lasts while his walk to the nearest bench and his time
        // there do (a bench out of reach ends it at once).
        if (busyWithTask(targetPed, nearestScenarioTask()))
            return;
        startRoaming();
    }
}

void StreetExecutor::startLingering() {
    // Everyone settles at whatever bench or rail is nearest to where they stand.
    for (Ped ped : scenePeds)
        natives::task::useNearestScenarioToCoord(ped, positionOf(ped), 10.0f, randomInt(30000, 45000), 0, 0, 1,
                                                 0);
    wanderPhase = 0;
}

void StreetExecutor::startRoaming() {
    natives::task::wanderStreets(targetPed, 10.0f, 10);
    natives::timer::setSecondTimer(0);
    wanderPhase = 1;
}

} // namespace drovil
