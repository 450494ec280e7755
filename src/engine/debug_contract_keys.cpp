#include "engine/debug_contract_keys.h"

#include "engine/drovil_engine.h"
#include "executors/camp_executor.h"
#include "runtime/data_files.h"
#include "runtime/game.h"
#include "runtime/keyboard.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/contract_viewer.h"
#include "world/map_areas.h"
#include "world/missions_factory.h"
#include "world/spawn.h"
#include "ui/text.h"

#include <memory>
#include <optional>
#include <string>

namespace drovil {
namespace {

constexpr unsigned keyF3 = 114;
constexpr unsigned keyZ = 90;
constexpr unsigned keyX = 88;
constexpr unsigned keyK = 75;

constexpr const char* criminalModel = "G_M_M_UniCriminals_01";
constexpr float criminalAhead = 5.0f;
constexpr int criminalConfigFlag = 6;
// A random template may have no setting in the area: a few more draws before
// the key gives up for this press.
constexpr int cardGenerationAttempts = 10;

// The mission on the debug card: registered nowhere, so owned here, and kept
// until the next Z replaces it.
std::unique_ptr<MissionData>& debugCardMission() {
    static auto* mission = new std::unique_ptr<MissionData>();
    return *mission;
}

// The debug camp and its record: neither is known to the engine.
struct DebugCamp {
    std::unique_ptr<MissionData> mission;
    std::unique_ptr<CampExecutor> executor;
};

DebugCamp& debugCamp() {
    static auto* camp = new DebugCamp();
    return *camp;
}

const MapArea* areaNearPlayer() {
    return mapAreas().nearestArea(positionOf(playerPed()));
}

} // namespace

void runDebugCampKey() {
    DebugCamp& camp = debugCamp();
    if (!wasKeyJustReleased(keyF3, true)) {
        if (camp.executor)
            camp.executor->update();
        return;
    }
    if (camp.executor) {
        camp.executor->cleanup();
        camp.executor.reset();
        camp.mission.reset();
        return;
    }
    const MapArea* area = areaNearPlayer();
    if (!area)
        return;
    std::optional<MissionData> generated =
        missionsFactory().createMissionInSetting(0, *area, 0, SettingType::Camp);
    if (!generated) {
        log("Debug: could not generate a camp contract in area: " + area->name());
        return;
    }
    camp.mission = std::make_unique<MissionData>(*generated);
    showSubtitle(floatText(distanceBetween(positionOf(playerPed()), camp.mission->coords)));
    camp.executor = std::make_unique<CampExecutor>(camp.mission.get());
    camp.executor->update();
}

void runDebugMissionCardKey() {
    if (!wasKeyJustReleased(keyZ, true))
        return;
    const MapArea* area = areaNearPlayer();
    if (!area) {
        log("Debug: no map area near the player for a contract card");
        return;
    }
    std::optional<MissionData> generated;
    for (int attempt = 0; attempt < cardGenerationAttempts && !generated; ++attempt)
        generated = missionsFactory().createRandomMission(0, *area);
    if (!generated) {
        log("Debug: could not generate a contract for the card in area: " + area->name());
        return;
    }
    debugCardMission() = std::make_unique<MissionData>(*generated);
    if (ContractViewer* viewer = contractViewer())
        viewer->open(*debugCardMission());
}

void runDebugUnblockKey() {
    if (!wasKeyJustReleased(keyX, true))
        return;
    const MapArea* area = areaNearPlayer();
    DrovilEngine* engine = drovilEngine();
    if (!area || !engine)
        return;
    const int id = savegameFile().getInt("missions." + std::to_string(area->signedId()), -999);
    if (BaseContractExecutor* executor = engine->find(id))
        executor->unblock();
}

void runDebugSpawnCriminalKey() {
    if (!wasKeyJustReleased(keyK, true))
        return;
    const Vector3 player = positionOf(playerPed());
    const Vector3 forward = natives::entity::forwardVector(playerPed().entity());
    const Vector3 ahead(player.x + criminalAhead * forward.x, player.y + criminalAhead * forward.y,
                        player.z + criminalAhead * forward.z);
    const Ped criminal = spawnPedByName(criminalModel, ahead);
    if (!criminal)
        return;
    natives::ped::setConfigFlag(criminal, criminalConfigFlag, true);
    // The honour rules read this instead of what the game would give for him.
    natives::decorator::setInt(criminal.entity(), "honor_override", 0);
    natives::ped::blockNonTemporaryEvents(criminal, true);
}

void runDebugContractKeys() {
    runDebugCampKey();
    runDebugMissionCardKey();
    runDebugUnblockKey();
    runDebugSpawnCriminalKey();
}

} // namespace drovil
