#include "executors/train_variant_executor.h"

#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/host_api.h"
#include "runtime/log.h"
#include "runtime/main_loop.h"
#include "runtime/natives.h"
#include "world/train_stations.h"

#include <string>

namespace drovil {
namespace {
constexpr Hash debugBlipStyle = 0xB04092F8;
// The target sets off for the platform once the train is this near.
constexpr float platformCallDistance = 150.0f;
constexpr int loadRounds = 10;
constexpr int loadRoundMs = 50;
constexpr int retryWaitMs = 1000;
} // namespace

TrainVariantExecutor::TrainVariantExecutor(MissionData* mission) : TrainStationExecutor(mission) {}

TrainVariantExecutor::~TrainVariantExecutor() = default;

bool TrainVariantExecutor::loadCarModels() {
    const int cars = natives::train::configCarCount(trainConfig);
    for (int car = 0; car < cars; ++car)
        natives::streaming::requestModel(natives::train::configCarModel(trainConfig, car), false);
    for (int round = 0; round < loadRounds; ++round) {
        bool all = true;
        for (int car = 0; car < cars; ++car) {
            const Hash model = natives::train::configCarModel(trainConfig, car);
            if (!natives::streaming::hasModelLoaded(model)) {
                natives::streaming::requestModel(model, false);
                all = false;
            }
        }
        if (all)
            return true;
        scriptWait(loadRoundMs);
    }
    return false;
}

void TrainVariantExecutor::releaseCarModels() {
    const int cars = natives::train::configCarCount(trainConfig);
    for (int car = 0; car < cars; ++car)
        natives::streaming::setModelNoLongerNeeded(natives::train::configCarModel(trainConfig, car));
}

void TrainVariantExecutor::spawnTransport() {
    const TrainStations& stations = trainStations();
    const StationRemotePoint remote = stations.stationRemotePoint(stations.nearestStation(mission->coords));
    Vehicle created;
    if (loadCarModels()) {
        const Vector3 onTrack = natives::path::nearestTrackPosition(remote.point);
        created = natives::train::createMissionTrain(trainConfig, onTrack, remote.flag, true, true, true);
        if (created)
            natives::train::setMissionTrainCoords(created, remote.point);
    }
    // The train holds its cars' models itself; a failed attempt asks again.
    releaseCarModels();
    if (!created) {
        executorLog("failed to spawn train");
        scriptWait(retryWaitMs);
        return;
    }
    train = created;
    natives::train::setStopsForStations(train, true);
    const Vector3 at = positionOf(train.entity());
    executorLog("train created at: " + positionText(at) +
                " distance from mission coords: " + floatText(distanceBetween(at, mission->coords)));
}

void TrainVariantExecutor::onUpdate() {
    if (mission->status != MissionStatus::Engaged)
        return;
    if (boardTask) {
        boardTask->tick();
        if (!boardTask->isRunning())
            boardTask.reset();
    }
    switch (arrivalPhase) {
    case 0:
        if (timeUntilSpawn() <= 0 && !train)
            spawnTransport();
        if (train && !entityDead(Ped(train.id)))
            arrivalPhase = 1;
        break;
    case 1:
        if (distanceBetween(positionOf(train.entity()), mission->coords) <= platformCallDistance)
            sendTargetToPlatform();
        break;
    case 2:
        if (natives::train::isWaitingAtStation(train)) {
            executorLog("train has arrived at the station, initiaing train boarding task.");
            boardTask = std::make_unique<BoardTrainTask>(targetPed, train, -1);
            arrivalPhase = 3;
        }
        break;
    default:
        break;
    }
}

void TrainVariantExecutor::sendTargetToPlatform() {
    const TrainStations& stations = trainStations();
    const Vector3 wait = stations.stationApproachPoint(stations.nearestStation(mission->coords));
    if (isDebugToolsOn()) {
        debugWaitBlip = natives::blip::atCoords(debugBlipStyle, wait);
        natives::blip::setName(debugWaitBlip, natives::hud::literalString(10, "LITERAL_STRING", "waiting coords"));
    }
    TaskSequence sequence;
    natives::task::openSequence(&sequence);
    natives::task::goToPoint(Ped(), wait, 1.25f, -1, 2.0f, 0, 0.0f);
    natives::task::turnToFaceEntity(Ped(), train.entity(), -1, 0.0f, 0.0f, 0.0f);
    natives::task::closeSequence(sequence);
    natives::task::performSequence(targetPed, sequence);
    natives::task::clearSequence(&sequence); // the ped keeps its copy
    arrivalPhase = 2;
}

void TrainVariantExecutor::cleanup() {
    TrainStationExecutor::cleanup();
    removeBlip(debugWaitBlip);
    boardTask.reset();
    // A mission train goes back to the game whole, engine and cars, through its
    // own native: letting go of the engine as an entity leaves the train the
    // script's.
    if (train)
        natives::train::setMissionTrainNoLongerNeeded(&train, 0);
    train = Vehicle();
}

} // namespace drovil
