#include "executors/camp_executor.h"

#include "behaviour/script_task.h"
#include "executors/camp_propset.h"

#include "runtime/game.h"
#include "runtime/host_api.h"
#include "runtime/log.h"
#include "runtime/main_loop.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "world/spawn.h"

#include <algorithm>
#include <string>

namespace drovil {
namespace {
// Timer units a guard must have been fighting before the whole camp joins in.
constexpr int combatSpreadTime = 45;
// A camp never holds more guards than this, whatever a mission file says: each
// takes half a second to place, and thousands would hold the game for hours.
constexpr int maxGuards = 16;
} // namespace

CampExecutor::CampExecutor(MissionData* mission) : BaseContractExecutor(mission) {}

CampExecutor::~CampExecutor() = default;

bool CampExecutor::placePropset() {
    propset = placeCampPropset(mission->propsetModel, mission->coords);
    return static_cast<bool>(propset);
}

void CampExecutor::createMissionSet() {
    const Vector3& coords = mission->coords;
    executorLog("CampExecutor: spawning camp at: " + positionText(coords) +
                " distance from player: " + floatText(distanceBetween(positionOf(playerPed().entity()), coords)));
    if (!placePropset()) {
        executorLog("CampExecutor: failed to create camp propset");
        return;
    }
    scriptWait(200);

    const Vector3 targetPosition = pointAround(coords, static_cast<float>(randomInt(3, 6)), false);
    executorLog("CampExecutor: spawning target with model: " +
                std::to_string(static_cast<std::int32_t>(mission->targetModel)) +
                " at coords: " + positionText(targetPosition));
    const Ped target = spawnPed(mission->targetModel, targetPosition);
    if (!target) {
        executorLog("CampExecutor: error: target was not spawned");
    } else {
        addTarget(target);
        // Nobody takes a camp's outlaw as a hostage.
        natives::decorator::setInt(target.entity(), "KV_HOSTAGE_enabled", 0);
        executorLog("CampExecutor: target ped created");
    }
    scriptWait(20);

    const int guardsCount = campGuardsCount();
    executorLog("CampExecutor: spawning guards: " + std::to_string(guardsCount));
    for (int guard = 1; guard <= guardsCount; ++guard) {
        const Vector3 position = pointAround(coords, static_cast<float>(randomInt(3, 6)), false);
        executorLog("CampExecutor: spawning a guard with model: " +
                    std::to_string(static_cast<std::int32_t>(mission->guardModel)) +
                    " at coords: " + positionText(position));
        const Ped spawned = spawnPed(mission->guardModel, position);
        if (spawned)
            addGuard(spawned);
        else
            executorLog("CampExecutor: error: guard was not spawned");
        scriptWait(500);
    }
    spawnHorses();
}

int CampExecutor::campGuardsCount() const {
    // An absent count (-999) or a negative one is no guard at all.
    const int count = mission->guardsCount;
    if (count <= maxGuards)
        return count < 0 ? 0 : count;
    executorLog("CampExecutor: " + std::to_string(count) + " guards are more than a camp holds, " +
                std::to_string(maxGuards) + " are placed");
    return maxGuards;
}

void CampExecutor::spawnHorses() {
    const Vector3 centre = pointAround(mission->coords, 10.0f, true);
    // One horse for every two guards, rounded up; a camp without guards has none.
    const int count = (std::min(std::max(mission->guardsCount, 0), maxGuards) + 1) / 2;
    executorLog("CampExecutor: spawning horses: " + std::to_string(count));
    for (int horse = 0; horse < count; ++horse) {
        const Ped spawned = spawnRandomHorse(pointAround(centre, 2.0f, true));
        if (spawned) {
            spawnedEntities.push_back(spawned.entity());
            natives::ped::blockNonTemporaryEvents(spawned, true);
        }
        scriptWait(10);
    }
}

void CampExecutor::addGuard(Ped ped) {
    // The target comes first and the guards after him: the camp's worth of
    // slots is made for the first, with the target's line in the same frame.
    if (!guardSlots) {
        guardSlotCount = static_cast<std::size_t>(maxGuards) + 1;
        guardSlots.reset(new std::optional<GuardAI>[guardSlotCount]);
        guardAIs.reserve(guardSlotCount);
    }
    BaseContractExecutor::addGuard(ped);
    if (guardAIs.size() == guardSlotCount) {
        executorLog("CampExecutor: error: no room for another guard's watch");
        return;
    }
    guardAIs.push_back(&guardSlots[guardAIs.size()].emplace(ped));
}

void CampExecutor::onUpdate() {
    // While the player is still on the way (Approaching) the camp stands still.
    if (mission->status == 1)
        updateCamp();
}

void CampExecutor::updateCamp() {
    if (combatStarted)
        return;
    for (auto& guard : guardAIs) {
        if (!guard->isAlive())
            continue;
        guard->update();
        // Guards that saw the player together reach the time together: the camp
        // is set on the player by the first of them only, the others just go on.
        if (guard->getMode() == GuardMode::Combat && guard->timeInMode() > combatSpreadTime - 1) {
            if (combatStarted)
                continue;
            combatStarted = true;
            const Ped player = playerPed();
            for (auto& other : guardAIs)
                if (other->getMode() != GuardMode::Combat)
                    other->onTargetSpotted(player);
            executorLog("combat started");
        } else if (guard->getMode() == GuardMode::Unaware) {
            keepIdling(*guard);
        }
    }
}

void CampExecutor::keepIdling(GuardAI& guard) {
    const Ped ped = guard.getPed();
    // Still on his way to the seat he was sent to, or sitting there: left be
    // until that task is over.
    if (busyWithTask(ped, nearestScenarioTask()))
        return;
    const Vector3 point = pointAround(guard.position(), static_cast<float>(randomInt(5, 13)), false);
    natives::task::useNearestScenarioToCoord(ped, point, 10.0f, randomInt(45000, 60000), 0, 0, 1, 0);
}

void CampExecutor::cleanup() {
    BaseContractExecutor::cleanup();
    endCampPropset(propset);
    // Released guards keep no blip of ours: a camp left behind alive would
    // otherwise stay marked on the map until the game streams it out.
    for (auto& guard : guardAIs)
        guard->removeBlip();
    for (std::size_t i = 0; i < guardAIs.size(); ++i)
        guardSlots[i].reset();
    guardAIs.clear();
}

} // namespace drovil
