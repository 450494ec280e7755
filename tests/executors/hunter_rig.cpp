#include "executors/hunter_rig.h"

#include "engine/drovil_engine.h"
#include "executors/camp_rig.h"
#include "support/game.h"
#include "world/area_ids.h"

namespace huntertest {
using namespace drovil;

namespace {
const Vector3 campSpot(187.54f, 798.92f, 126.223f);
} // namespace

MissionData hunterRecord() {
    MissionData record = MissionData::newRecord(hunterMissionId, campSpot, 3, static_cast<int>(SettingType::HunterCamp),
                                                area_ids::asSigned(area_ids::Valentine), 35);
    record.targetModel = sim::gameHash("a_m_m_rancher_01");
    record.companionModel = sim::gameHash("a_f_m_familytravelers_cool_01");
    record.companionsCount = 1;
    record.propsetModel = sim::gameHash("pg_ambient_campfire04x_tent");
    record.isTargetArmed = true;
    record.targetFleeChance = 0.2f;
    record.blipRadius = 90.0f;
    record.spawnDistance = 250.0f;
    record.missionAreaRadius = 270.0f;
    record.blipCoords = record.coords;
    return record;
}

sim::SessionOptions hunterOptions(const MissionData& record) {
    return camptest::campOptions(record);
}

HunterExecutor* hunter() {
    DrovilEngine* engine = drovilEngine();
    return engine ? dynamic_cast<HunterExecutor*>(engine->find(hunterMissionId)) : nullptr;
}

int hunterPed(sim::Session& session) {
    for (const auto& [id, record] : session.world().entities.all()) {
        auto mark = record.decorators.find("KV_Drovil_isContractTarget");
        if (mark != record.decorators.end() && mark->second == 1)
            return id;
    }
    return 0;
}

void setClock(sim::Session& session, int hour, int minute) {
    sim::Clock& clock = session.world().clock;
    // At the start of the minute, so that the hour holds for the next half a
    // minute of play whatever second the clock was at.
    clock.skipGameTime((60 - clock.gameSeconds() % 60) % 60);
    const int passed = static_cast<int>((clock.gameSeconds() / 60) % (24 * 60));
    clock.startMinuteOfDay = ((hour * 60 + minute - passed) % (24 * 60) + 24 * 60) % (24 * 60);
}

void putPlayerSouthOfCamp(sim::Session& session, float metres) {
    sim::World& world = session.world();
    const float x = campSpot.x, y = campSpot.y - metres;
    world.playerPed().position = Vector3(x, y, world.geography.groundHeight(x, y));
}

bool startHunting(sim::Session& session, float metresFromCamp) {
    if (!test::startGame(session) || !hunter())
        return false;
    putPlayerSouthOfCamp(session, 200.0f);
    if (!session.runUntil([&] { return session.logContains("mission set prepared"); }, 900))
        return false;
    putPlayerSouthOfCamp(session, metresFromCamp);
    return session.runUntil([&] { return hunter() && hunter()->getMission()->status == MissionStatus::Engaged; },
                            300);
}

bool runUntilHuntState(sim::Session& session, HuntState state, int maxFrames) {
    return session.runUntil(
        [&] { return hunter() && hunter()->getHuntTask() && hunter()->getHuntTask()->getState() == state; },
        maxFrames);
}

} // namespace huntertest
