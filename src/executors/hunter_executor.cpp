#include "executors/hunter_executor.h"

#include "behaviour/script_task.h"
#include "executors/camp_propset.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/host_api.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/text.h"
#include "world/spawn.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace drovil {
namespace {
constexpr std::array<const char*, 8> dogModels = {
    "a_c_dogamericanfoxhound_01", "a_c_dogaustraliansheperd_01", "a_c_dogbluetickcoonhound_01",
    "a_c_dogcatahoulacur_01",     "a_c_dogchesbayretriever_01",  "a_c_dogcollie_01",
    "a_c_doghound_01",            "a_c_doghusky_01",
};
constexpr float huntSearchRange = 40.0f;
constexpr float huntRoamRadius = 70.0f;
constexpr int firstDayHour = 7;
constexpr int lastDayHour = 17;
// A companion this far from the camp is sent back to it.
constexpr float companionStrayDistance = 30.0f;
// A camp never holds more companions than this, whatever a mission file says.
constexpr int maxCompanions = 8;

// A random integer from a to b, both included.
int randomFromTo(int a, int b) {
    return randomInt(a, b + 1);
}
} // namespace

HunterExecutor::HunterExecutor(MissionData* mission) : BaseContractExecutor(mission) {}

HunterExecutor::~HunterExecutor() = default;

void HunterExecutor::createMissionSet() {
    const Vector3& coords = mission->coords;
    camperPersonality = getHashKey("AGGRESSIVECAMPER");
    executorLog("HunterExecutor: spawning camp at " + positionText(coords) +
                " distance from player: " + floatText(distanceBetween(positionOf(playerPed()), coords)));
    propset = placeCampPropset(mission->propsetModel, coords);
    if (!propset) {
        executorLog("HunterExecutor: failed to create camp propset");
        return;
    }
    scriptWait(200);

    const Vector3 targetPoint = pointAround(coords, static_cast<float>(randomFromTo(5, 9)), false);
    executorLog("HunterExecutor: spawning target: " + std::to_string(static_cast<std::int32_t>(mission->targetModel)) +
                " at coords: " + positionText(targetPoint));
    const Ped target = spawnPed(mission->targetModel, targetPoint);
    if (!target) {
        executorLog("HunterExecutor: error: target was not spawned");
        return;
    }
    addTarget(target);
    spawnCompanions();
    spawnHorseAndDog(targetPoint);
    huntState = HuntCycleState::Idle;
}

int HunterExecutor::campCompanionsCount() const {
    const int count = mission->companionsCount;
    if (count <= maxCompanions)
        return count < 0 ? 0 : count;
    executorLog("HunterExecutor: " + std::to_string(count) + " companions are more than a camp holds, " +
                std::to_string(maxCompanions) + " are placed");
    return maxCompanions;
}

void HunterExecutor::spawnCompanions() {
    const Vector3& coords = mission->coords;
    const int count = campCompanionsCount();
    for (int companion = 0; companion < count; ++companion) {
        const Vector3 point = pointAround(coords, 3.0f, false);
        const Ped ped = spawnPed(mission->companionModel, point);
        if (!ped) {
            executorLog("HunterExecutor: error: companion was not spawned");
            continue;
        }
        addCompanion(ped);
        // The companions keep to the camp rather than trail after the hunter.
        natives::group::removeMember(ped);
        natives::ped::setInteractionPersonality(ped, camperPersonality);
        scriptWait(20);
        natives::task::useNearestScenarioToCoordWarp(ped, point, 20.0f, randomFromTo(30000, 44999), 0, 0, 1, 0);
        executorLog("HunterExecutor: companion spawned. distance from camp: " +
                    floatText(distanceBetween(positionOf(ped), coords)));
    }
}

void HunterExecutor::spawnHorseAndDog(const Vector3& targetPoint) {
    const Ped horse = spawnRandomHorse(pointAround(mission->coords, 10.0f, true));
    if (horse) {
        spawnedEntities.push_back(horse.entity());
        natives::ped::blockNonTemporaryEvents(horse, true);
    }
    const char* dogModel = dogModels[static_cast<std::size_t>(randomInt(0, static_cast<int>(dogModels.size())))];
    const Ped dog = spawnPedByName(dogModel, pointAround(targetPoint, 2.0f, false));
    if (dog) {
        spawnedEntities.push_back(dog.entity());
        // In the hunter's group, the dog trots after him.
        natives::group::setMember(dog, static_cast<int>(relationshipGroup));
    }
}

void HunterExecutor::addGuard(Ped ped) {
    BaseContractExecutor::addGuard(ped);
    natives::ped::setInteractionPersonality(ped, camperPersonality);
}

bool HunterExecutor::isDaytime() {
    const int hour = natives::environment::clockHour();
    return hour >= firstDayHour && hour <= lastDayHour;
}

void HunterExecutor::onUpdate() {
    if (mission->status != 1 || huntState == HuntCycleState::None)
        return;
    // A hunter who is down hunts no more; his companions still mind the camp.
    if (!entityDead(targetPed))
        updateHuntCycle();
    else
        huntTask.reset();
    keepCompanionsNearCamp();
}

void HunterExecutor::updateHuntCycle() {
    if (huntTask) {
        huntTask->tick();
        if (!huntTask->isRunning())
            huntTask.reset();
    }
    switch (huntState) {
    case HuntCycleState::Idle:
        if (isDaytime()) {
            startHunt();
            huntState = HuntCycleState::Hunting;
        } else {
            natives::task::useNearestScenarioToCoordWarp(targetPed, positionOf(targetPed), 20.0f,
                                                         randomFromTo(30000, 44999), 0, 0, 1, 0);
            huntState = HuntCycleState::AtCamp;
        }
        break;
    case HuntCycleState::Hunting:
        // Night falls on a hunt: he calls it a day (a kill in hand he still
        // brings home).
        if (huntTask && !isDaytime()) {
            huntTask->callOff();
            if (!huntTask->isRunning())
                huntTask.reset();
        }
        if (!huntTask) {
            returnToCamp();
            frameSkip = static_cast<int>(1000.0f * natives::frame::timeStep());
            huntState = HuntCycleState::AtCamp;
        }
        break;
    case HuntCycleState::AtCamp:
        if (!natives::task::isUsingAnyScenario(targetPed) && natives::task::sequenceProgress(targetPed) < 0) {
            if (isDaytime()) {
                startHunt();
                huntState = HuntCycleState::Hunting;
            } else {
                returnToCamp();
            }
        }
        break;
    case HuntCycleState::None:
        break;
    }
}

void HunterExecutor::startHunt() {
    if (!huntTask)
        huntTask = std::make_unique<HuntTask>(targetPed, true, huntSearchRange, huntRoamRadius, Ped());
}

void HunterExecutor::returnToCamp() {
    const Vector3& coords = mission->coords;
    const Vector3 dropPoint = pointAround(coords, 5.0f, false);
    const Vector3 restPoint = pointAround(coords, static_cast<float>(randomFromTo(3, 7)), false);
    const Ped inSequence(0);
    TaskSequence sequence;
    natives::task::openSequence(&sequence);
    // Back on his feet, should a stalk have been cut short while he crept.
    natives::task::setCrouchMovement(inSequence, false, 0, false);
    const Entity carried = natives::carry::carriedEntity(targetPed);
    if (carried) {
        natives::task::goToPoint(inSequence, dropPoint, 1.25f, -1, 3.0f, 0, 0.0f);
        natives::task::placeCarriedAt(inSequence, carried, dropPoint, 1.0f, 0);
    }
    natives::task::useNearestScenarioToCoord(inSequence, restPoint, 5.0f, randomFromTo(45000, 59999), 0, 0, 1, 0);
    natives::task::closeSequence(sequence);
    natives::task::performSequence(targetPed, sequence);
    natives::task::clearSequence(&sequence); // the ped keeps its copy
}

void HunterExecutor::keepCompanionsNearCamp() {
    const Vector3& coords = mission->coords;
    for (const Ped companion : companions) {
        if (entityDead(companion) || pedHogtied(companion) || pedFleeing(companion) ||
            pedFightingPlayer(companion))
            continue;
        // Walking to a seat near the camp or sitting there: left be. Far off,
        // he is sent back, once: on his way back he is left be too.
        const bool strayed = distanceBetween(positionOf(companion), coords) >= companionStrayDistance;
        const bool busy = busyWithTask(companion, nearestScenarioTask());
        const auto sent = std::find(comingBack.begin(), comingBack.end(), companion);
        if (!strayed) {
            if (sent != comingBack.end())
                comingBack.erase(sent);
            if (busy)
                continue;
        } else if (sent == comingBack.end()) {
            comingBack.push_back(companion);
        } else if (busy) {
            continue;
        }
        const Vector3 point = pointAround(coords, static_cast<float>(randomFromTo(2, 11)), false);
        natives::task::useNearestScenarioToCoord(companion, point, 5.0f, randomFromTo(45000, 59999), 0, 0, 1, 0);
    }
}

void HunterExecutor::cleanup() {
    BaseContractExecutor::cleanup();
    endCampPropset(propset);
    huntTask.reset();
}

} // namespace drovil
