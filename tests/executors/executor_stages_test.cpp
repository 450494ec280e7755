// The base executor's stage machine as the player meets it: the search-area
// blip, the scene built once on approach, tracking, the too-far warning, the
// loss of the target, the player's death and the blocked start.
#include "executors/executor_harness.h"
#include "support/game.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
using namespace drovil;
using extest::engine;

constexpr std::uint32_t areaStyle = 0xB04092F8;
constexpr std::uint32_t areaSprite = 0x1DCFAA8C;
constexpr std::uint32_t blockedModifier = 0x2B30E11F;

TEST(ExecutorStages, SearchAreaThenSceneOnceThenTrackingInsideTheArea) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    const MissionData& mission = engine().mission;
    session.runFrames(3);

    // Far away: only the search area on the map, nothing in the world yet.
    const auto& blips = session.world().blips.all();
    ASSERT_EQ(blips.size(), 1u);
    const sim::BlipRecord& area = blips.begin()->second;
    EXPECT_EQ(area.kind, sim::BlipKind::Radius);
    EXPECT_EQ(area.style, areaStyle);
    EXPECT_FLOAT_EQ(area.radius, 40.0f);
    EXPECT_FLOAT_EQ(area.position.y, mission.blipCoords.y);
    EXPECT_EQ(area.sprite, areaSprite);
    EXPECT_EQ(area.name, extest::langText(session, "blips.contact_target"));
    EXPECT_EQ(extest::logCount(session, "ContractExecutor [7]: area blip created"), 1);
    EXPECT_EQ(extest::targetRecord(session), nullptr);
    EXPECT_EQ(mission.status, MissionStatus::Open);

    // Within the spawn distance but outside the area: the scene is built, once.
    extest::putPlayerSouthOf(session, mission.coords, 70.0f);
    ASSERT_TRUE(extest::waitForTarget(session));
    session.runFrames(10);
    EXPECT_EQ(extest::logCount(session, "ContractExecutor [7]: preparing mission set"), 1);
    EXPECT_EQ(extest::logCount(session, "ContractExecutor [7]: mission set prepared"), 1);
    const sim::EntityRecord* target = extest::targetRecord(session);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->decorators.at("KV_Drovil_isContractTarget"), 1);
    EXPECT_EQ(engine().executor->getStage(), ExecutorStage::Approaching);
    EXPECT_TRUE(engine().events.empty());

    // Inside the search area: tracking starts, the area blip gives way.
    extest::putPlayerSouthOf(session, mission.coords, 30.0f);
    session.runFrames(2);
    EXPECT_EQ(engine().executor->getStage(), ExecutorStage::Hunting);
    ASSERT_EQ(engine().events.size(), 1u);
    EXPECT_EQ(engine().events[0].previousStatus, 0);
    EXPECT_EQ(engine().events[0].newStatus, 1);
    EXPECT_EQ(engine().events[0].missionId, 7);
    EXPECT_EQ(engine().statusLog[0], "0->1 record 1"); // stored before it was announced
    EXPECT_EQ(extest::subtitleCount(session, extest::langText(session, "contract.track_target")), 1);
    EXPECT_TRUE(session.logContains("ContractExecutor [7]: stage changed: 0 -> 2"));
    EXPECT_TRUE(session.logContains("ContractExecutor [7]: status changed: 0 -> 1"));
    EXPECT_TRUE(session.logContains("Tutorials: triggered: contract_info"));
    EXPECT_TRUE(session.world().blips.all().empty());
    EXPECT_EQ(extest::logCount(session, "preparing mission set"), 1);
}

TEST(ExecutorStages, TooFarWarningShowsOnceAndAgainOnlyAfterComingBackClose) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    ASSERT_TRUE(extest::startHunting(session));
    const Vector3 target = engine().mission.coords;
    const std::string warning = extest::langText(session, "contract.target_too_far_warning");
    ASSERT_FALSE(warning.empty());

    // Beyond 0.66 of the 120 m mission area (79.2 m): one warning, however long.
    extest::putPlayerSouthOf(session, target, 90.0f);
    session.runFrames(30);
    EXPECT_EQ(extest::subtitleCount(session, warning), 1);

    // Back closer, but not within the 40 m search radius: still warned.
    extest::putPlayerSouthOf(session, target, 60.0f);
    session.runFrames(5);
    extest::putPlayerSouthOf(session, target, 90.0f);
    session.runFrames(5);
    EXPECT_EQ(extest::subtitleCount(session, warning), 1);

    // Within the search radius of the target: re-armed, so leaving warns again.
    extest::putPlayerSouthOf(session, target, 30.0f);
    session.runFrames(2);
    EXPECT_FALSE(engine().executor->warnedTooFar());
    extest::putPlayerSouthOf(session, target, 90.0f);
    session.runFrames(5);
    EXPECT_EQ(extest::subtitleCount(session, warning), 2);
    EXPECT_EQ(engine().mission.status, MissionStatus::Engaged);
}

TEST(ExecutorStages, LeavingTheTargetBehindFailsAndHandsTheSceneBack) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission(), 400.0f, 1, 1));
    ASSERT_TRUE(extest::startHunting(session));
    ASSERT_EQ(engine().executor->allScenePeds().size(), 3u);

    extest::putPlayerSouthOf(session, engine().mission.coords, 130.0f);
    session.runFrames(3);

    EXPECT_EQ(engine().mission.status, MissionStatus::Failed);
    ASSERT_EQ(engine().events.size(), 2u);
    EXPECT_EQ(engine().events[1].previousStatus, 1);
    EXPECT_EQ(engine().events[1].newStatus, 4);
    EXPECT_EQ(extest::logCount(session, "ContractExecutor [7]: mission area abandoned / target lost"), 1);
    EXPECT_EQ(extest::subtitleCount(session, extest::langText(session, "contract.target_lost")), 1);

    // The end was announced from inside the executor's own update; it was
    // deleted only after that update returned.
    EXPECT_TRUE(engine().cleanedUp);
    EXPECT_TRUE(engine().busyWhenEnded);
    EXPECT_TRUE(engine().deleted);
    EXPECT_EQ(engine().retired, nullptr);

    // Clean-up: every spawned ped released in order, still in the world, no blip left.
    std::vector<int> released; // the scene's, in release order (other scripts may release their own)
    for (int id : session.world().scenePeds.released)
        if (std::find(engine().spawnedAtEnd.begin(), engine().spawnedAtEnd.end(), id) !=
            engine().spawnedAtEnd.end())
            released.push_back(id);
    EXPECT_EQ(released, engine().spawnedAtEnd);
    ASSERT_EQ(released.size(), 3u);
    EXPECT_EQ(released.front(), engine().targetAtEnd);
    EXPECT_TRUE(session.world().entities.exists(engine().targetAtEnd));
    EXPECT_EQ(session.world().blips.leftOverReport(), "");
    const auto& enabled = session.world().controls.enabledCalls();
    EXPECT_EQ(std::count(enabled.begin(), enabled.end(), sim::gameHash("INPUT_CINEMATIC_CAM")), 1);
}

TEST(ExecutorStages, PlayerDeathWhileEngagedFailsTheMission) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    ASSERT_TRUE(extest::startHunting(session));
    session.world().player.dead = true;
    // The target goes down in the same frame: a failed mission must stay failed.
    extest::targetRecord(session)->alive = false;
    session.runFrames(3);
    EXPECT_EQ(extest::logCount(session, "ContractExecutor [7]: player has been killed"), 1);
    EXPECT_EQ(engine().mission.status, MissionStatus::Failed);
    ASSERT_EQ(engine().events.size(), 2u);
    EXPECT_EQ(engine().events.back().newStatus, 4);
    EXPECT_TRUE(engine().deleted);
}

// A record that comes to a new executor already blocked (a save written while
// it was) has no stage change to reopen it: unblocking opens it all the same,
// once, instead of logging "mission unblocked" every frame for ever.
TEST(ExecutorStages, ARecordBlockedBeforeItsExecutorExistedIsUnblockedOnce) {
    sim::Session session(extest::testOptions());
    MissionData blocked = extest::streetMission();
    blocked.status = MissionStatus::Blocked;
    ASSERT_TRUE(extest::startContract(session, blocked, 400.0f));
    session.runFrames(3);
    ASSERT_EQ(engine().mission.status, MissionStatus::Blocked);
    for (int frame = 0; frame < 5; ++frame) {
        engine().unblockPending = true;
        session.runFrames(1);
    }
    EXPECT_EQ(engine().mission.status, MissionStatus::Open);
    EXPECT_EQ(extest::logCount(session, "ContractExecutor [7]: mission unblocked"), 1);
    session.runFrames(20);
    EXPECT_NE(engine().executor->searchAreaBlip(), drovil::Blip()) << "the search area is drawn again";
}

TEST(ExecutorStages, StartedNearTheSceneIsBlockedUntilUnblocked) {
    sim::Session session(extest::testOptions());
    // The player stands 20 m from the coords: inside the 100 m spawn distance.
    ASSERT_TRUE(extest::startContract(session, extest::streetMission(), 20.0f));
    session.runFrames(5);

    const MissionData& mission = engine().mission;
    EXPECT_EQ(mission.status, MissionStatus::Blocked);
    EXPECT_EQ(engine().executor->getStage(), ExecutorStage::Blocked);
    ASSERT_EQ(session.world().blips.all().size(), 1u);
    const sim::BlipRecord& marker = session.world().blips.all().begin()->second;
    EXPECT_FLOAT_EQ(marker.radius, 0.0f);
    EXPECT_TRUE(marker.hasModifier(blockedModifier));
    EXPECT_EQ(extest::targetRecord(session), nullptr);
    // Near a blocked contract the player is told why, once.
    EXPECT_EQ(extest::logCount(session, "Tutorials: triggered: blocked_contract"), 1);
    EXPECT_EQ(engine().executor->flag("blocked_tutorial"), 1);

    // Blocking again changes nothing.
    engine().blockEachFrame = true;
    session.runFrames(3);
    engine().blockEachFrame = false;
    EXPECT_EQ(extest::logCount(session, "ContractExecutor [7]: mission blocked"), 1);

    // Away from the scene, the engine lets it go on: the search area is back.
    extest::putPlayerSouthOf(session, mission.coords, 150.0f);
    engine().unblockPending = true;
    session.runFrames(2);
    EXPECT_EQ(mission.status, MissionStatus::Open);
    EXPECT_EQ(extest::logCount(session, "ContractExecutor [7]: mission unblocked"), 1);
    ASSERT_EQ(session.world().blips.all().size(), 1u);
    const sim::BlipRecord& area = session.world().blips.all().begin()->second;
    EXPECT_FLOAT_EQ(area.radius, 40.0f);
    EXPECT_FALSE(area.hasModifier(blockedModifier));
    ASSERT_EQ(engine().events.size(), 2u);
    EXPECT_EQ(engine().events[0].newStatus, 3);
    EXPECT_EQ(engine().events[1].newStatus, 0);

    // The scene was never built while blocked; it is built on the next approach.
    extest::putPlayerSouthOf(session, mission.coords, 70.0f);
    EXPECT_TRUE(extest::waitForTarget(session));
}

} // namespace
