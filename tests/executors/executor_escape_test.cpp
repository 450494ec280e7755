// After the take-down: a knocked-out target is not enough, a dead one starts
// the escape, which completes only beyond the escape distance and unwanted.
#include "executors/executor_harness.h"
#include "support/game.h"

#include <gtest/gtest.h>

namespace {
using namespace drovil;
using extest::engine;

TEST(ExecutorEscape, AKnockedOutTargetKeepsTheMissionHunting) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    ASSERT_TRUE(extest::startHunting(session));
    sim::EntityRecord* target = extest::targetRecord(session);
    target->knockedOut = true;
    session.runFrames(40);

    EXPECT_EQ(engine().executor->getStage(), ExecutorStage::Hunting);
    EXPECT_EQ(engine().mission.status, MissionStatus::Engaged);
    EXPECT_EQ(extest::subtitleCount(session, extest::langText(session, "contract.escape_area")), 0);
    // The game does not count a knocked-out ped as dead, and the hint about a
    // knocked-out target is given only for one it counts as dead: it never shows.
    EXPECT_EQ(extest::logCount(session, "Tutorials: triggered: target_knocked_out"), 0);
    EXPECT_EQ(target->decorators.count("KV_Drovil_knockedOutTutorial"), 0u);

    // Finished off: now the escape starts.
    target->knockedOut = false;
    target->alive = false;
    session.runFrames(2);
    EXPECT_EQ(engine().executor->getStage(), ExecutorStage::Escaping);
    EXPECT_EQ(extest::subtitleCount(session, extest::langText(session, "contract.escape_area")), 1);
    EXPECT_EQ(engine().mission.status, MissionStatus::Engaged);
    EXPECT_EQ(engine().events.size(), 1u); // Hunting and Escaping are both "engaged"
}

TEST(ExecutorEscape, WhileWantedTheEscapeNeverCompletes) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    ASSERT_TRUE(extest::startHunting(session));
    extest::targetRecord(session)->alive = false;
    session.runFrames(2);
    ASSERT_EQ(engine().executor->getStage(), ExecutorStage::Escaping);

    session.world().player.wanted = true;
    extest::putPlayerSouthOf(session, engine().mission.coords, 500.0f);
    const std::string reminder = extest::langText(session, "contract.escape_the_law");
    ASSERT_FALSE(reminder.empty());

    // Long frames keep the test quick: a reminder each time 90 s pass.
    session.world().clock.frameMs = 1000;
    session.runFor(85000);
    EXPECT_EQ(extest::subtitleCount(session, reminder), 0);
    session.runFor(10000);
    EXPECT_EQ(extest::subtitleCount(session, reminder), 1);
    session.runFor(95000);
    EXPECT_EQ(extest::subtitleCount(session, reminder), 2);
    EXPECT_EQ(engine().mission.status, MissionStatus::Engaged);
    EXPECT_EQ(engine().executor->escapes, 0);

    // The law loses interest: the contract is done.
    session.world().clock.frameMs = 33;
    session.world().player.wanted = false;
    session.runFrames(2);
    EXPECT_EQ(engine().mission.status, MissionStatus::Completed);
}

TEST(ExecutorEscape, CompletesOnceBeyondTheEscapeDistanceUnwanted) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    ASSERT_TRUE(extest::startHunting(session));
    extest::targetRecord(session)->alive = false;
    session.runFrames(2);
    ASSERT_EQ(engine().executor->getStage(), ExecutorStage::Escaping);

    // Within the 200 m escape distance the player is reminded to leave, no more.
    extest::putPlayerSouthOf(session, engine().mission.coords, 150.0f);
    session.world().clock.frameMs = 1000;
    session.runFor(92000);
    session.world().clock.frameMs = 33;
    EXPECT_EQ(extest::subtitleCount(session, extest::langText(session, "contract.escape_area")), 2);
    EXPECT_EQ(engine().mission.status, MissionStatus::Engaged);

    extest::putPlayerSouthOf(session, engine().mission.coords, 210.0f);
    session.runFrames(3);
    EXPECT_EQ(engine().mission.status, MissionStatus::Completed);
    ASSERT_EQ(engine().events.size(), 2u);
    EXPECT_EQ(engine().events[1].previousStatus, 1);
    EXPECT_EQ(engine().events[1].newStatus, 2);
    EXPECT_EQ(engine().statusLog[1], "1->2 record 2");
    EXPECT_TRUE(session.logContains("ContractExecutor [7]: stage changed: 3 -> 4"));
    ASSERT_TRUE(engine().retired == nullptr && engine().deleted);
    EXPECT_TRUE(engine().busyWhenEnded);
    EXPECT_EQ(session.world().blips.leftOverReport(), "");
}

TEST(ExecutorEscape, ATargetKilledFromAfarSkipsStraightToHuntingThenEscaping) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    // Inside the spawn distance, outside the search area.
    extest::putPlayerSouthOf(session, engine().mission.coords, 70.0f);
    ASSERT_TRUE(extest::waitForTarget(session));
    session.runFrames(3);
    ASSERT_EQ(engine().executor->getStage(), ExecutorStage::Approaching);

    extest::targetRecord(session)->alive = false;
    session.runFrames(1);
    EXPECT_EQ(engine().executor->getStage(), ExecutorStage::Hunting);
    session.runFrames(1);
    EXPECT_EQ(engine().executor->getStage(), ExecutorStage::Escaping);
}

} // namespace
