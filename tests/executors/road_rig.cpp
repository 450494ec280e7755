#include "executors/road_rig.h"

#include "engine/drovil_engine.h"
#include "executors/camp_rig.h"
#include "executors/executor_harness.h"
#include "world/area_ids.h"
#include "world/places/geography.h"
#include "world/wildlife/animals.h"

namespace roadtest {
using namespace drovil;

namespace {
// On the road from Valentine to the east, about 330 m from the town's centre.
Vector3 onTheGround(float x, float y) {
    static const sim::Geography map;
    return Vector3(x, y, map.groundHeight(x, y));
}
const Vector3 roadSpot = onTheGround(100.0f, 637.5f);
const Vector3 valentineOffice(-275.256f, 801.303f, 118.397f);

int valentine() { return area_ids::asSigned(area_ids::Valentine); }
} // namespace

MissionData wagonRecord(int guards, bool armedTarget) {
    MissionData record =
        MissionData::newRecord(roadMissionId, roadSpot, 1, static_cast<int>(SettingType::Wagon), valentine(), 40);
    record.targetModel = sim::gameHash("g_m_m_unicriminals_01");
    record.guardModel = sim::gameHash("g_m_m_uniduster_01");
    record.guardsCount = guards;
    record.vehicleModel = sim::gameHash(armedTarget ? "chuckwagon000x" : "stagecoach004_2x");
    record.isTargetArmed = armedTarget;
    record.blipRadius = 100.0f;
    record.spawnDistance = 250.0f;
    record.missionAreaRadius = 300.0f;
    record.blipCoords = record.coords;
    return record;
}

MissionData prisonerRecord(float fleeChance) {
    MissionData record = MissionData::newRecord(roadMissionId, valentineOffice, 5,
                                                static_cast<int>(SettingType::PrisonerTransport), valentine(), 50);
    record.targetModel = sim::gameHash("g_m_m_unicriminals_01");
    record.vehicleModel = sim::gameHash("stagecoach004_2x");
    record.isTargetACriminal = true;
    record.targetFleeChance = fleeChance;
    record.blipRadius = 30.0f;
    record.spawnDistance = 75.0f;
    record.missionAreaRadius = 400.0f;
    record.blipCoords = record.coords;
    return record;
}

sim::SessionOptions roadOptions(const MissionData& record, std::vector<std::string> settingsLines) {
    return camptest::campOptions(record, std::move(settingsLines));
}

WagonExecutor* wagon() {
    DrovilEngine* engine = drovilEngine();
    return engine ? dynamic_cast<WagonExecutor*>(engine->find(roadMissionId)) : nullptr;
}

PrisonerTransportExecutor* transport() {
    DrovilEngine* engine = drovilEngine();
    return engine ? dynamic_cast<PrisonerTransportExecutor*>(engine->find(roadMissionId)) : nullptr;
}

void putPlayerSouthOf(sim::Session& session, const Vector3& point, float metres) {
    sim::World& world = session.world();
    world.seats.leaveSeat(world.player.pedId);
    const float x = point.x, y = point.y - metres;
    world.playerPed().position = Vector3(x, y, world.geography.groundHeight(x, y));
}

int seatOf(sim::Session& session, int ped, int vehicle) {
    const auto seat = session.world().seats.seatOf(ped);
    return seat && seat->vehicle == vehicle ? seat->seat : -2;
}

std::vector<std::pair<int, int>> seated(sim::Session& session, int vehicle) {
    std::vector<std::pair<int, int>> result;
    const auto& all = session.world().seats.occupants();
    if (auto found = all.find(vehicle); found != all.end())
        for (const auto& [seat, ped] : found->second)
            result.emplace_back(seat, ped);
    return result;
}

int ridersNear(sim::Session& session, const Vector3& point, float radius) {
    int count = 0;
    for (const auto& [id, record] : session.world().entities.all()) {
        const float dx = record.position.x - point.x, dy = record.position.y - point.y;
        if (record.kind == sim::EntityKind::Ped && sim::isHorseModel(record.model) &&
            dx * dx + dy * dy <= radius * radius && session.world().seats.occupant(id, -1) != 0)
            ++count;
    }
    return count;
}

} // namespace roadtest
