// Recognising the contract target: by sight, taking longer the farther away the
// target stands; by aiming, within the aiming distance; never without the
// tuning values.
#include "executors/executor_harness.h"
#include "support/game.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {
using namespace drovil;
using extest::engine;

constexpr std::uint32_t targetStyle = 0x318C617C;

bool recognised() {
    return engine().executor && engine().executor->hasTargetBlip();
}

TEST(ExecutorRecognition, BySightAfterOnePointFiveSecondsPerMetre) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    ASSERT_TRUE(extest::startHunting(session, 10.0f));

    // At 10 m the player must keep the target in view for 15 s.
    session.runFor(14000);
    EXPECT_FALSE(recognised());
    EXPECT_EQ(extest::targetRecord(session)->decorators.at("KV_Drovil_seenByPlayer"), 1);
    session.runFor(1200);
    ASSERT_TRUE(recognised());

    const sim::EntityRecord* target = extest::targetRecord(session);
    const sim::BlipRecord* blip = session.world().blips.onEntity(target->id);
    ASSERT_NE(blip, nullptr);
    const std::string name = extest::langText(session, "blips.contact_target");
    EXPECT_EQ(blip->style, targetStyle);
    EXPECT_EQ(blip->sprite, sim::gameHash("blip_region_hunting"));
    EXPECT_FLOAT_EQ(blip->scale, 0.3f);
    EXPECT_EQ(blip->name, name);
    EXPECT_EQ(session.world().scenePeds.find(target->id)->promptName, name);
    EXPECT_EQ(extest::logCount(session, "ContractExecutor [7]: contract target detected"), 1);
    EXPECT_TRUE(session.logContains("Tutorials: triggered: target_recognized"));

    // Recognised once: nothing more happens however long the player looks.
    session.runFor(3000);
    EXPECT_EQ(extest::logCount(session, "contract target detected"), 1);
    EXPECT_EQ(session.world().blips.all().size(), 1u);
}

TEST(ExecutorRecognition, StepsOutOfRangeRestartTheCount) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    ASSERT_TRUE(extest::startHunting(session, 2.0f));
    // Close by, three seconds are enough; stepping out of the 20 m range in
    // between starts the count again.
    session.runFor(2500);
    extest::putPlayerSouthOf(session, engine().mission.coords, 30.0f);
    session.runFrames(2);
    extest::putPlayerSouthOf(session, engine().mission.coords, 2.0f);
    session.runFor(2500);
    EXPECT_FALSE(recognised());
    session.runFor(700);
    EXPECT_TRUE(recognised());
}

TEST(ExecutorRecognition, AHiddenTargetIsRecognisedOnlyByAimingWithinRange) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    ASSERT_TRUE(extest::startHunting(session, 10.0f));
    const int target = extest::targetRecord(session)->id;
    session.world().lineOfSight.hide(target);

    // Out of sight: standing close never recognises it.
    session.runFor(20000);
    EXPECT_FALSE(recognised());
    EXPECT_EQ(extest::targetRecord(session)->decorators.count("KV_Drovil_seenByPlayer"), 0u);

    // Aiming from beyond the 60 m aiming distance does nothing either.
    session.world().player.freeAimEntity = target;
    extest::putPlayerSouthOf(session, engine().mission.coords, 70.0f);
    session.runFor(3000);
    EXPECT_FALSE(recognised());

    // From 50 m the sight picture takes the configured second.
    extest::putPlayerSouthOf(session, engine().mission.coords, 50.0f);
    session.runFor(800);
    EXPECT_FALSE(recognised());
    session.runFor(400);
    EXPECT_TRUE(recognised());
}

// The game's aiming test is for free aim: locked on (or focused unarmed) on the
// target, the player does not recognise him by aiming.
TEST(ExecutorRecognition, ALockOnAloneIsNotAiming) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    ASSERT_TRUE(extest::startHunting(session, 40.0f));
    session.world().player.targetEntity = extest::targetRecord(session)->id;
    session.world().lineOfSight.hide(extest::targetRecord(session)->id);
    session.runFor(3000);
    EXPECT_FALSE(recognised());
    session.world().player.freeAimEntity = extest::targetRecord(session)->id;
    session.runFor(1300);
    EXPECT_TRUE(recognised());
}

std::string metaWithoutRecognition() {
    std::ifstream shipped(std::string(DROVIL_DATA_DIR) + "/Defaults/GeneralMeta.dat", std::ios::binary);
    std::string line, meta;
    while (std::getline(shipped, line))
        if (line.rfind("contract.auto_detect.", 0) != 0)
            meta += line + "\n";
    return meta + "contract.escape_distance=200.0\n";
}

TEST(ExecutorRecognition, WithoutTheTuningValuesTheTargetIsNeverRecognised) {
    sim::SessionOptions options;
    options.writeFiles["Defaults/GeneralMeta.dat"] = metaWithoutRecognition();
    sim::Session session(options);
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    ASSERT_TRUE(extest::startHunting(session, 2.0f));
    session.world().player.freeAimEntity = extest::targetRecord(session)->id;
    session.runFor(10000);
    EXPECT_FALSE(recognised());
    EXPECT_FALSE(session.logContains("target_recognized"));
    EXPECT_FALSE(session.logContains("contract target detected"));

    // The rest of the contract works: take the target down and ride off.
    extest::targetRecord(session)->alive = false;
    session.runFrames(2);
    EXPECT_EQ(engine().executor->getStage(), ExecutorStage::Escaping);
    extest::putPlayerSouthOf(session, engine().mission.coords, 250.0f);
    session.runFrames(2);
    EXPECT_EQ(engine().mission.status, MissionStatus::Completed);
}

} // namespace
