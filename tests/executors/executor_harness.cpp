#include "executors/executor_harness.h"

#include "runtime/game.h"
#include "runtime/player.h"
#include "runtime/startup_objects.h"
#include "support/game.h"
#include "world/spawn.h"

#include <fstream>
#include <sstream>

namespace extest {
using namespace drovil;

namespace {
constexpr float playerStartX = -281.0f, playerStartY = 780.0f, playerHeight = 118.0f;

void runEngineFrame() {
    engine().frame();
}
} // namespace

// --- The test executor ---

void TestExecutor::createMissionSet() {
    const Vector3 at = mission->coords;
    addTarget(spawnPed(mission->targetModel, at));
    for (int i = 0; i < guardCount_; ++i)
        addGuard(spawnPed(mission->guardModel, Vector3(at.x + 3.0f * static_cast<float>(i + 1), at.y, at.z)));
    for (int i = 0; i < companionCount_; ++i)
        addCompanion(
            spawnPed(mission->companionModel, Vector3(at.x - 3.0f * static_cast<float>(i + 1), at.y, at.z)));
}

void TestExecutor::onEscaped() {
    ++escapes;
    BaseContractExecutor::onEscaped();
}

// --- The engine's stand-in ---

EngineStandIn& engine() {
    static auto* standIn = new EngineStandIn();
    return *standIn;
}

void EngineStandIn::onEvent(MissionStatusChangeEvent* event) {
    events.push_back(*event);
    statusLog.push_back(std::to_string(event->previousStatus) + "->" + std::to_string(event->newStatus) +
                        " record " + std::to_string(mission.status));
    if (event->newStatus != MissionStatus::Completed && event->newStatus != MissionStatus::Failed)
        return;
    if (!executor)
        return;
    busyWhenEnded = executor->isBusy();
    targetAtEnd = executor->target().id;
    for (Entity entity : executor->spawned())
        spawnedAtEnd.push_back(entity.id);
    executor->cleanup();
    cleanedUp = true;
    // The executor is still inside its own update: keep it until that returns.
    retired = std::move(executor);
}

void EngineStandIn::frame() {
    if (createPending) {
        createPending = false;
        executor = std::make_unique<TestExecutor>(&mission, guardCount, companionCount);
        executor->subscribe(this);
        if (distanceBetween(positionOf(playerPed()), mission.coords) < mission.spawnDistance)
            executor->block(false);
        return;
    }
    if (executor) {
        if (blockEachFrame) {
            executor->block(true);
        } else {
            if (unblockPending) {
                unblockPending = false;
                executor->unblock();
            }
            // Held in a local: the executor may move itself to `retired` while it runs.
            TestExecutor* running = executor.get();
            running->update();
        }
    }
    if (retired && !retired->isBusy()) {
        retired.reset();
        deleted = true;
    }
}

// --- Missions ---

Vector3 contractCoords() {
    return Vector3(playerStartX, playerStartY + 220.0f, playerHeight);
}

MissionData streetMission() {
    MissionData record =
        MissionData::newRecord(7, contractCoords(), 3, static_cast<int>(SettingType::Street), 0, 35);
    record.targetModel = sim::gameHash("a_m_m_griroughtravellers_01");
    record.guardModel = sim::gameHash("a_m_m_sdroughtravellers_01");
    record.companionModel = sim::gameHash("a_f_m_familytravelers_warm_01");
    record.blipRadius = 40.0f;
    record.spawnDistance = 100.0f;
    record.missionAreaRadius = 120.0f;
    record.blipCoords = record.coords;
    return record;
}

MissionData campMission() {
    MissionData record =
        MissionData::newRecord(12, contractCoords(), 0, static_cast<int>(SettingType::Camp), 0, 55);
    record.targetModel = sim::gameHash("g_m_m_unicriminals_01");
    record.guardModel = record.targetModel;
    record.companionModel = sim::gameHash("a_f_m_familytravelers_cool_01");
    record.isTargetACriminal = true;
    record.targetLootMoney = 4000;
    record.guardsLootMoney = 2500;
    record.companionsLootMoney = 1000;
    record.blipRadius = 90.0f;
    record.spawnDistance = 250.0f;
    record.missionAreaRadius = 270.0f;
    record.blipCoords = Vector3(record.coords.x + 30.0f, record.coords.y, record.coords.z);
    return record;
}

// --- Session set-up ---

std::string testGeneralMeta() {
    std::ifstream shipped(std::string(DROVIL_DATA_DIR) + "/Defaults/GeneralMeta.dat", std::ios::binary);
    std::ostringstream text;
    text << shipped.rdbuf();
    std::string meta = text.str();
    if (!meta.empty() && meta.back() != '\n')
        meta += "\n";
    meta += "contract.auto_detect.distance_threshold=20.0\n"
            "contract.auto_detect.aiming_distance_threshold=60.0\n"
            "contract.auto_detect.required_seconds=1.0\n"
            "contract.escape_distance=200.0\n";
    return meta;
}

sim::SessionOptions testOptions(std::vector<std::string> settingsLines) {
    sim::SessionOptions options;
    options.settingsLines = std::move(settingsLines);
    options.writeFiles["GeneralMeta.dat"] = testGeneralMeta();
    return options;
}

bool startContract(sim::Session& session, const MissionData& mission, float playerMetresSouth, int guards,
                   int companions) {
    if (!test::startGame(session))
        return false;
    putPlayerSouthOf(session, mission.coords, playerMetresSouth);
    EngineStandIn& standIn = engine();
    standIn.mission = mission;
    standIn.guardCount = guards;
    standIn.companionCount = companions;
    standIn.createPending = true;
    addGuardedFrameStep(&runEngineFrame);
    session.runFrames(1);
    return standIn.executor != nullptr;
}

void putPlayerSouthOf(sim::Session& session, const Vector3& point, float metres) {
    session.world().playerPed().position = Vector3(point.x, point.y - metres, point.z);
}

sim::EntityRecord* targetRecord(sim::Session& session) {
    const EngineStandIn& standIn = engine();
    const TestExecutor* executor = standIn.executor ? standIn.executor.get() : standIn.retired.get();
    if (!executor || !executor->target())
        return nullptr;
    return session.world().entities.find(executor->target().id);
}

bool waitForTarget(sim::Session& session, int maxFrames) {
    return session.runUntil([&] { return targetRecord(session) != nullptr; }, maxFrames);
}

bool startHunting(sim::Session& session, float metresFromTarget) {
    const MissionData& mission = engine().mission;
    putPlayerSouthOf(session, mission.coords, metresFromTarget);
    return session.runUntil(
        [&] { return engine().executor && engine().executor->getStage() == ExecutorStage::Hunting; }, 120);
}

// --- What the player and the log saw ---

int subtitleCount(sim::Session& session, const std::string& text) {
    int count = 0;
    for (const sim::SubtitleShown& shown : session.hud().subtitles)
        if (shown.text == text)
            ++count;
    return count;
}

int logCount(const sim::Session& session, const std::string& text) {
    int count = 0;
    for (const std::string& message : test::logMessages(session))
        if (message.find(text) != std::string::npos)
            ++count;
    return count;
}

std::string langText(sim::Session& session, const std::string& key) {
    return session.shownText(key);
}

} // namespace extest
