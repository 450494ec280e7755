#include "executors/camp_rig.h"

#include "engine/drovil_engine.h"
#include "executors/executor_harness.h"
#include "runtime/data_file.h"
#include "support/game.h"
#include "world/area_ids.h"
#include "world/mission_data_files.h"

#include <cmath>

namespace camptest {
using namespace drovil;

namespace {
const Vector3 campSpot(187.54f, 798.92f, 126.223f);

int valentine() { return area_ids::asSigned(area_ids::Valentine); }
} // namespace

MissionData campRecord(int guards) {
    MissionData record =
        MissionData::newRecord(campMissionId, campSpot, 0, static_cast<int>(SettingType::Camp), valentine(), 60);
    record.targetModel = sim::gameHash("g_m_m_unicriminals_01");
    record.guardModel = sim::gameHash("g_m_m_uniduster_01");
    record.guardsCount = guards;
    record.propsetModel = sim::gameHash("pg_ambient_campfireexconfed01x");
    record.isTargetACriminal = true;
    record.isTargetArmed = true;
    record.targetLootMoney = 4000;
    record.guardsLootMoney = 2500;
    record.blipRadius = 90.0f;
    record.spawnDistance = 250.0f;
    record.missionAreaRadius = 270.0f;
    record.blipCoords = record.coords;
    return record;
}

std::string missionFileText(const MissionData& record) {
    DictDataFile file("unused");
    MissionDataFiles::writeFields(record, file);
    std::string text;
    for (const auto& [key, value] : file.entries())
        text += key + "=" + value + "\n";
    return text;
}

sim::SessionOptions campOptions(const MissionData& record, std::vector<std::string> settingsLines) {
    sim::SessionOptions options = extest::testOptions(std::move(settingsLines));
    options.writeFiles["Savegame.dat"] = "next_mission_id=" + std::to_string(record.id + 1) +
                                         "\npending_payment=0\nmissions." + std::to_string(record.areaId) + "=" +
                                         std::to_string(record.id) + "\n";
    options.writeFiles[MissionDataFiles::missionFileName(record.id)] = missionFileText(record);
    return options;
}

CampExecutor* camp() {
    DrovilEngine* engine = drovilEngine();
    return engine ? dynamic_cast<CampExecutor*>(engine->find(campMissionId)) : nullptr;
}

void putPlayerSouthOfCamp(sim::Session& session, float metres) {
    sim::World& world = session.world();
    const float x = campSpot.x, y = campSpot.y - metres;
    world.playerPed().position = Vector3(x, y, world.geography.groundHeight(x, y));
}

bool buildScene(sim::Session& session) {
    putPlayerSouthOfCamp(session, 200.0f);
    return session.runUntil([&] { return session.logContains("mission set prepared"); }, 900);
}

bool startHunting(sim::Session& session, float metresFromCamp) {
    putPlayerSouthOfCamp(session, metresFromCamp);
    return session.runUntil([&] { return camp() && camp()->getMission()->status == MissionStatus::Engaged; }, 300);
}

int horsesNear(sim::Session& session, const Vector3& point, float radius) {
    int count = 0;
    for (const auto& [id, record] : session.world().entities.all()) {
        const float dx = record.position.x - point.x, dy = record.position.y - point.y;
        if (record.kind == sim::EntityKind::Ped && sim::isHorseModel(record.model) &&
            std::sqrt(dx * dx + dy * dy) <= radius)
            ++count;
    }
    return count;
}

} // namespace camptest
