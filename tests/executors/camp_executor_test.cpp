// Camp contracts in the simulated game, run by the contract engine: the scene
// the camp builds, the guards' idling once the hunt is on, and the moment the
// whole camp turns on the player.
#include "executors/camp_rig.h"
#include "executors/executor_harness.h"
#include "support/game.h"
#include "runtime/game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace {
using namespace camptest;
using drovil::GuardMode;
using drovil::MissionStatus;

int pedsSpawnedAround(sim::Session& session, const drovil::Vector3& point, float radius) {
    int count = 0;
    for (const auto& [id, record] : session.world().entities.all()) {
        const float dx = record.position.x - point.x, dy = record.position.y - point.y;
        if (record.kind == sim::EntityKind::Ped && id != session.world().player.pedId &&
            std::sqrt(dx * dx + dy * dy) <= radius)
            ++count;
    }
    return count;
}

// The camp built and the hunt on, the player close by: what every guard test starts from.
bool huntUnderWay(sim::Session& session) {
    if (!test::startGame(session) || !buildScene(session) || !startHunting(session, 85.0f))
        return false;
    session.runFrames(3);
    return camp() != nullptr;
}

// The player steps up in front of the guard, which spots him and fights.
bool spottedBy(sim::Session& session, drovil::GuardAI& guard) {
    session.world().playerPed().position = session.world().entities.find(guard.getPed().id)->position;
    session.world().playerPed().position.y -= 6.0f;
    return session.runUntil([&] { return guard.getMode() == GuardMode::Combat; }, 300);
}

struct HorseCase {
    int guards;
    int horses;
};

class CampHorses : public ::testing::TestWithParam<HorseCase> {};

TEST_P(CampHorses, OneHorseForEveryTwoGuardsRoundedUp) {
    const HorseCase expected = GetParam();
    const drovil::MissionData record = campRecord(expected.guards);
    sim::Session session(campOptions(record));
    ASSERT_TRUE(test::startGame(session));
    ASSERT_NE(camp(), nullptr) << "the engine restores the camp with its executor";
    ASSERT_TRUE(buildScene(session));

    EXPECT_TRUE(session.logContains("CampExecutor: spawning guards: " + std::to_string(expected.guards)));
    EXPECT_TRUE(session.logContains("CampExecutor: spawning horses: " + std::to_string(expected.horses)));
    // The target keeps watch like its guards: it was added first, as a guard.
    ASSERT_EQ(camp()->getGuardAIs().size(), static_cast<std::size_t>(expected.guards) + 1);
    EXPECT_EQ(session.world().entities.find(camp()->getGuardAIs().front()->getPed().id)->model, record.targetModel);
    EXPECT_EQ(horsesNear(session, record.coords, 20.0f), expected.horses);
    // The target and the guards, and their horses: nobody else stands in the camp.
    EXPECT_EQ(pedsSpawnedAround(session, record.coords, 20.0f), 1 + expected.guards + expected.horses);
    ASSERT_EQ(session.world().propsets.all().size(), 1u);
    const sim::PlacedPropset& placed = session.world().propsets.all().begin()->second;
    EXPECT_EQ(placed.name, record.propsetModel);
    EXPECT_FLOAT_EQ(placed.position.x, record.coords.x);
    EXPECT_TRUE(session.world().propsets.requestReleased(record.propsetModel));
}

INSTANTIATE_TEST_SUITE_P(GuardCounts, CampHorses,
                         ::testing::Values(HorseCase{0, 0}, HorseCase{1, 1}, HorseCase{2, 1}, HorseCase{5, 3}),
                         [](const auto& info) { return std::to_string(info.param.guards) + "Guards"; });

// A camp whose scene has no target can be neither completed nor lost by the
// distance to the target: it fails as soon as the scene is built, says why,
// and frees its area for new offers.
TEST(CampScene, APropsetThatNeverLoadsFailsTheContractWithALogLine) {
    const drovil::MissionData record = campRecord(3);
    sim::Session session(campOptions(record));
    session.world().propsets.makeUnavailable(record.propsetModel);
    ASSERT_TRUE(test::startGame(session));
    ASSERT_TRUE(buildScene(session));
    session.runFrames(3);
    EXPECT_EQ(extest::logCount(session, "CampExecutor: failed to create camp propset"), 1);
    EXPECT_FALSE(session.logContains("CampExecutor: spawning target"));
    EXPECT_EQ(pedsSpawnedAround(session, record.coords, 30.0f), 0);
    EXPECT_TRUE(session.world().propsets.all().empty());
    EXPECT_EQ(camp(), nullptr) << "the engine ended it";
    EXPECT_EQ(extest::logCount(session, "ContractExecutor [3]: the scene has no target, the contract cannot be "
                                        "played and fails"),
              1);
    EXPECT_TRUE(session.hud().subtitleShown(extest::langText(session, "contract.target_lost")));
    EXPECT_NE(session.readFile("Missions/3.dat").find("status=4\n"), std::string::npos);
    EXPECT_NE(session.readFile("Savegame.dat").find("missions.459833523=-1\n"), std::string::npos);
    EXPECT_NE(session.readFile("Savegame.dat").find("pending_payment=0\n"), std::string::npos) << "no reward";
}

TEST(CampScene, ATargetModelThatNeverLoadsFailsTheContractAndReleasesItsGuards) {
    drovil::MissionData record = campRecord(2);
    record.targetModel = 0; // names no model: the game never loads it
    sim::Session session(campOptions(record));
    ASSERT_TRUE(test::startGame(session));
    ASSERT_TRUE(buildScene(session)) << "the wait for the model gives up";
    session.runFrames(3);
    EXPECT_EQ(extest::logCount(session, "spawn: model 0 did not load within 10000 ms, it is not used"), 1);
    EXPECT_EQ(extest::logCount(session, "CampExecutor: error: target was not spawned"), 1);
    EXPECT_EQ(camp(), nullptr);
    EXPECT_NE(session.readFile("Missions/3.dat").find("status=4\n"), std::string::npos);
    // The guards that were placed went back to the game with the scene.
    for (const auto& [id, ped] : session.world().entities.all()) {
        if (ped.model == record.guardModel) {
            EXPECT_TRUE(session.world().scenePeds.wasReleased(id)) << id;
        }
    }
}

TEST(CampScene, EveryLineOfTheCampCarriesItsMissionId) {
    const drovil::MissionData record = campRecord(4);
    sim::Session session(campOptions(record));
    ASSERT_TRUE(test::startGame(session));
    ASSERT_TRUE(buildScene(session));
    int campLines = 0;
    for (const std::string& line : test::logMessages(session)) {
        if (line.find("CampExecutor: ") == std::string::npos)
            continue;
        ++campLines;
        EXPECT_EQ(line.rfind("ContractExecutor [3]: CampExecutor: ", 0), 0u) << line;
    }
    EXPECT_GE(campLines, 7) << "the camp, the target, the guards and the horses";
}

TEST(CampScene, HandEditedCountsAndAmountsStayWithinWhatACampHolds) {
    drovil::MissionData record = campRecord(2147483647);
    record.targetLootMoney = 2000000000; // 120% of it does not fit an int
    sim::Session session(campOptions(record));
    ASSERT_TRUE(test::startGame(session));
    ASSERT_TRUE(buildScene(session));
    EXPECT_TRUE(session.logContains("CampExecutor: 2147483647 guards are more than a camp holds, 16 are placed"));
    EXPECT_TRUE(session.logContains("CampExecutor: spawning horses: 8"));
    EXPECT_EQ(camp()->getGuardAIs().size(), 17u) << "sixteen guards and the target";
    const sim::EntityRecord* target =
        session.world().entities.find(camp()->getGuardAIs().front()->getPed().id);
    ASSERT_NE(target, nullptr);
    EXPECT_GE(target->decorators.at("loot_money"), 1600000000) << "80% of the amount at the least";
}

TEST(CampScene, TheCampTargetCanNeverBeTakenHostage) {
    const drovil::MissionData record = campRecord(2);
    sim::Session session(campOptions(record));
    ASSERT_TRUE(test::startGame(session));
    ASSERT_TRUE(buildScene(session));
    int targets = 0;
    for (const auto& [id, ped] : session.world().entities.all()) {
        auto marked = ped.decorators.find("KV_Drovil_isContractTarget");
        if (marked == ped.decorators.end() || marked->second != 1)
            continue;
        ++targets;
        EXPECT_EQ(ped.model, record.targetModel);
        EXPECT_EQ(ped.decorators.at("KV_HOSTAGE_enabled"), 0);
    }
    EXPECT_EQ(targets, 1);
    EXPECT_TRUE(session.logContains("CampExecutor: target ped created"));
}

TEST(CampGuards, StandInertUntilTheHuntStartsThenIdleAboutTheCamp) {
    const drovil::MissionData record = campRecord(3);
    sim::Session session(campOptions(record));
    ASSERT_TRUE(test::startGame(session));
    ASSERT_TRUE(buildScene(session));
    session.runFor(5000);
    ASSERT_EQ(camp()->getMission()->status, MissionStatus::Open);
    for (const auto& guard : camp()->getGuardAIs()) {
        EXPECT_TRUE(session.world().tasks.history(guard->getPed().id).empty()) << "no task while Approaching";
        EXPECT_EQ(guard->getMode(), GuardMode::Unaware);
    }
    // The player comes into the search area, far enough out not to be seen.
    ASSERT_TRUE(startHunting(session, 85.0f));
    session.runFrames(5);
    for (const auto& guard : camp()->getGuardAIs()) {
        const auto& given = session.world().tasks.history(guard->getPed().id);
        ASSERT_FALSE(given.empty()) << "an unaware guard looks for a scenario point about the camp";
        EXPECT_EQ(given.back().kind, sim::TaskKind::UseNearestScenario);
        EXPECT_FLOAT_EQ(given.back().radius, 10.0f);
        const float dx = given.back().point.x - record.coords.x, dy = given.back().point.y - record.coords.y;
        EXPECT_LT(std::sqrt(dx * dx + dy * dy), 5.0f + 12.0f + 1.0f) << "near its own spot in the camp";
    }
}

// An unaware guard is sent to the free scenario point nearest a spot about him
// (a seat by the fire, a post): he walks there, sits or stands there for the
// task's 45 to 60 s, and only then is sent somewhere else. While he walks
// there the game reports him using no scenario yet, but the task is under way:
// he is never given the task again before it is over.
TEST(CampGuards, AnUnawareGuardWalksToASeatStaysForTheTasksTimeAndOnlyThenMovesOn) {
    const drovil::MissionData record = campRecord(3);
    sim::Session session(campOptions(record));
    ASSERT_TRUE(test::startGame(session));
    ASSERT_TRUE(buildScene(session));
    sim::World& world = session.world();
    int campPoints = 0;
    for (const auto& [handle, point] : world.scenarioPoints.all())
        campPoints += point.propset != 0 ? 1 : 0;
    EXPECT_EQ(campPoints, 7) << "the camp brings its seats by the fire and its posts";

    ASSERT_TRUE(startHunting(session, 85.0f));
    const std::uint32_t nearestScenario = sim::gameHash("SCRIPT_TASK_USE_NEAREST_SCENARIO_TO_POS");
    std::map<int, int> seatedNow, longestStay, seatedFrames;
    const int frames = 30 * 150;
    for (int frame = 0; frame < frames; ++frame) {
        session.runFrames(1);
        for (const auto& guard : camp()->getGuardAIs()) {
            const int ped = guard->getPed().id;
            if (world.tasks.usingScenario(ped)) {
                ++seatedFrames[ped];
                longestStay[ped] = std::max(longestStay[ped], ++seatedNow[ped]);
            } else {
                seatedNow[ped] = 0;
            }
        }
    }
    const int frameMs = static_cast<int>(world.clock.frameMs);
    for (const auto& guard : camp()->getGuardAIs()) {
        const int ped = guard->getPed().id;
        ASSERT_EQ(guard->getMode(), GuardMode::Unaware);
        EXPECT_EQ(world.tasks.regivenWhileUnderWay(ped, nearestScenario), 0u)
            << "never sent again while on his way or in his seat";
        EXPECT_EQ(world.tasks.history(ped).back().kind, sim::TaskKind::UseNearestScenario);
        EXPECT_GE(longestStay[ped] * frameMs, 45000) << "he stays for the task's time";
        EXPECT_LE(longestStay[ped] * frameMs, 60000 + frameMs);
        EXPECT_GT(seatedFrames[ped], frames / 2) << "most of the time at his seat, not milling about";
        const sim::EntityRecord& at = *world.entities.find(ped);
        EXPECT_LT(std::hypot(at.position.x - record.coords.x, at.position.y - record.coords.y), 14.0f)
            << "still about the camp";
    }
}

TEST(CampGuards, OneGuardFightingLongEnoughSetsTheWholeCampOnThePlayerOnce) {
    const drovil::MissionData record = campRecord(4);
    sim::Session session(campOptions(record));
    ASSERT_TRUE(huntUnderWay(session));
    ASSERT_EQ(camp()->getGuardAIs().size(), 5u) << "four guards and the target";
    ASSERT_FALSE(camp()->hasCombatStarted());

    // One guard sees the player and fights; the rest of the camp does not know yet.
    ASSERT_TRUE(spottedBy(session, *camp()->getGuardAIs()[1]));
    const std::uint64_t fightStartMs = session.world().clock.elapsedMs;
    ASSERT_TRUE(session.runUntil([&] { return camp()->hasCombatStarted(); }, 600));
    // The game timer counts game seconds: 45 of them before the camp joins in.
    const double gameSeconds = static_cast<double>(session.world().clock.elapsedMs - fightStartMs) * 60.0 /
                               session.world().clock.msPerGameMinute;
    EXPECT_GE(gameSeconds, 44.0);
    EXPECT_LT(gameSeconds, 47.0);
    for (const auto& guard : camp()->getGuardAIs()) {
        if (session.world().entities.find(guard->getPed().id)->alive) {
            EXPECT_EQ(guard->getMode(), GuardMode::Combat);
        }
    }
    session.runFor(3000);
    EXPECT_EQ(extest::logCount(session, "ContractExecutor [3]: combat started"), 1);
}

// A guard that spotted the player carries a hostile blip; the camp left behind
// hands its guards back to the game without it, alive or dead.
TEST(CampGuards, TheBlipOfAGuardThatSpottedThePlayerGoesWithTheContract) {
    const drovil::MissionData record = campRecord(2);
    sim::Session session(campOptions(record));
    ASSERT_TRUE(huntUnderWay(session));
    const int guard = camp()->getGuardAIs()[1]->getPed().id;
    ASSERT_TRUE(spottedBy(session, *camp()->getGuardAIs()[1]));
    ASSERT_NE(session.world().blips.onEntity(guard), nullptr);

    // Past the mission area, short of where the game streams released peds out.
    putPlayerSouthOfCamp(session, 300.0f);
    ASSERT_TRUE(session.runUntil([&] { return camp() == nullptr; }, 300));
    ASSERT_TRUE(session.world().entities.exists(guard));
    EXPECT_TRUE(session.world().scenePeds.wasReleased(guard));
    EXPECT_EQ(session.world().blips.onEntity(guard), nullptr);
    EXPECT_TRUE(session.world().blips.all().empty()) << "nothing of the contract is left on the map";
}

class CampCleanup : public ::testing::TestWithParam<bool> {};

TEST_P(CampCleanup, AnEndedCampHandsItsPropsetBackOrDeletesItWithTheDebugTools) {
    const bool debugTools = GetParam();
    const drovil::MissionData record = campRecord(1);
    sim::Session session(campOptions(record, {"DevTools=1"}));
    ASSERT_TRUE(test::startGame(session));
    if (debugTools) {
        session.tapKey(test::keyF2);
        session.runFrames(2);
        ASSERT_TRUE(session.world().playerPed().invincible);
    }
    ASSERT_TRUE(buildScene(session));
    // Leaving the scene behind past the mission area loses the target.
    ASSERT_TRUE(startHunting(session, 60.0f));
    putPlayerSouthOfCamp(session, 400.0f);
    ASSERT_TRUE(session.runUntil([&] { return camp() == nullptr; }, 300));
    ASSERT_EQ(session.world().propsets.all().size(), 1u);
    const sim::PlacedPropset& placed = session.world().propsets.all().begin()->second;
    EXPECT_EQ(placed.fate, debugTools ? sim::PropsetFate::Deleted : sim::PropsetFate::Released);
    EXPECT_EQ(session.world().propsets.ownedCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(DebugTools, CampCleanup, ::testing::Bool(),
                         [](const auto& info) { return info.param ? std::string("On") : std::string("Off"); });

} // namespace
