// The quick card key: held for half a second during a running contract, it
// takes out this contract's card.
#include "executors/executor_harness.h"
#include "support/game.h"

#include <gtest/gtest.h>

namespace {
using namespace drovil;
using extest::engine;

const std::uint32_t cardKey = sim::gameHash("INPUT_CINEMATIC_CAM");

extest::FakeCard& card() {
    static auto* fake = new extest::FakeCard();
    return *fake;
}

// Hunting with the key up for a frame, so that the hold starts from now.
bool huntWithCardRegistered(sim::Session& session) {
    if (!extest::startContract(session, extest::streetMission()))
        return false;
    setContractCardAccess(&card());
    if (!extest::startHunting(session))
        return false;
    session.world().controls.release(cardKey);
    session.runFrames(2);
    return true;
}

// Holds the key down for exactly `ms` of game time, in one frame.
void holdFor(sim::Session& session, std::uint32_t ms) {
    sim::World& world = session.world();
    world.controls.hold(cardKey);
    world.clock.frameMs = ms;
    session.runFrames(1);
    world.clock.frameMs = 33;
}

TEST(ExecutorCardKey, HeldFor499MillisecondsTheCardStaysAway) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(huntWithCardRegistered(session));
    holdFor(session, 499);
    EXPECT_EQ(card().opened, 0);
    EXPECT_EQ(engine().executor->flag("open_card_key_pressed"), 1);
    EXPECT_TRUE(session.world().controls.disabledIn(cardKey, session.world().clock.frame));

    session.world().controls.release(cardKey);
    session.runFrames(3);
    EXPECT_EQ(card().opened, 0);
    EXPECT_EQ(engine().executor->flag("open_card_key_pressed"), 0);
    EXPECT_EQ(extest::logCount(session, "mission flag update: open_card_key_pressed = 1"), 1);
    EXPECT_EQ(extest::logCount(session, "mission flag update: open_card_key_pressed = 0"), 1);
}

TEST(ExecutorCardKey, HeldFor500MillisecondsTheCardComesOutOnce) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(huntWithCardRegistered(session));
    holdFor(session, 500);
    EXPECT_EQ(card().opened, 1);
    EXPECT_EQ(card().lastMissionId, 7);

    // Still held: the card is out already.
    session.runFrames(10);
    EXPECT_EQ(card().opened, 1);
}

TEST(ExecutorCardKey, NoEffectWhileEscapingOrBeforeTheHunt) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    setContractCardAccess(&card());

    // Approaching: the mission is open, not engaged.
    session.world().controls.hold(cardKey);
    session.runFor(1500);
    EXPECT_EQ(card().opened, 0);
    EXPECT_FALSE(session.world().controls.disabledIn(cardKey, session.world().clock.frame));

    session.world().controls.release(cardKey);
    ASSERT_TRUE(extest::startHunting(session));
    extest::targetRecord(session)->alive = false;
    session.runFrames(2);
    ASSERT_EQ(engine().executor->getStage(), ExecutorStage::Escaping);
    session.world().controls.hold(cardKey);
    session.runFor(1500);
    EXPECT_EQ(card().opened, 0);
    EXPECT_FALSE(session.world().controls.disabledIn(cardKey, session.world().clock.frame));
}

TEST(ExecutorCardKey, SwitchedOffInTheSettingsTheKeyIsLeftToTheGame) {
    sim::Session session(extest::testOptions({"QuickContractCardAccess=0"}));
    ASSERT_TRUE(huntWithCardRegistered(session));
    holdFor(session, 800);
    session.runFrames(3);
    EXPECT_EQ(card().opened, 0);
    EXPECT_FALSE(session.world().controls.disabledIn(cardKey, session.world().clock.frame));
}

} // namespace
