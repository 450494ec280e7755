#include "executors/train_station_executor.h"

#include "runtime/game.h"
#include "runtime/game_clock.h"
#include "runtime/host_api.h"
#include "runtime/main_loop.h"
#include "runtime/natives.h"
#include "world/spawn.h"

#include <algorithm>
#include <string>

namespace drovil {
namespace {
constexpr Hash debugBlipStyle = 0xB04092F8;
// The waiting target settles on whatever bench or rail lies this near the spot.
constexpr float waitingScenarioReach = 20.0f;
// A station scene never holds more guards than this, whatever a mission file
// says: each takes a moment to place.
constexpr int maxGuards = 8;
} // namespace

TrainStationExecutor::TrainStationExecutor(MissionData* mission) : BaseContractExecutor(mission) {}

void TrainStationExecutor::createMissionSet() {
    const Vector3& coords = mission->coords;
    const Vector3 position = pointAround(coords, static_cast<float>(randomInt(5, 8)), false);
    const Ped target = spawnPed(mission->targetModel, position);
    // The group exists before the target joins it, so that addTarget finds it.
    relationshipGroup = natives::group::create(0);
    natives::group::setFormation(relationshipGroup, 3);
    addTarget(target);
    scriptWait(500);
    if (isDebugToolsOn())
        debugBlip = natives::blip::onEntity(debugBlipStyle, target.entity());
    natives::task::useNearestScenarioToCoord(target, coords, waitingScenarioReach, -1, 0, 0, 0, 0);

    const int guardsCount = std::clamp(mission->guardsCount, 0, maxGuards);
    for (int guard = 0; guard < guardsCount; ++guard) {
        const Ped ped = spawnPed(mission->guardModel, pointAround(position, 3.0f, false));
        if (ped)
            addGuard(ped);
    }
}

void TrainStationExecutor::prepareMissionSet() {
    BaseContractExecutor::prepareMissionSet();
    if (spawnAt != 0)
        return;
    const int msPerGameMinute = natives::gamestate::msPerGameMinute();
    const int delay = isDebugToolsOn() ? 0 : randomInt(10, 18);
    // Worked out in floats, the game clock included, as it always has been.
    spawnAt = static_cast<int>(static_cast<float>(delay) * static_cast<float>(msPerGameMinute) * 0.03f +
                               static_cast<float>(gameClockSeconds()));
    executorLog("transport will be spawned in: " + std::to_string(timeUntilSpawn()) + " game seconds.");
}

int TrainStationExecutor::timeUntilSpawn() const {
    return spawnAt - gameClockSeconds();
}

void TrainStationExecutor::cleanup() {
    BaseContractExecutor::cleanup();
    // The target is the game's again: it must not keep the debug marker.
    removeBlip(debugBlip);
}

} // namespace drovil
