// The scene's peds: the dog's tracking event in the wild, and the honour, loot,
// group and weapon rules applied to targets, guards and companions.
#include "executors/executor_harness.h"
#include "support/game.h"

#include <gtest/gtest.h>

namespace {
using namespace drovil;
using extest::engine;

const std::int32_t dogEvent = static_cast<std::int32_t>(sim::gameHash("DOG_COMPANION_SET_TRACKABLE_TARGET"));

TEST(ExecutorScene, TheDogIsToldOfAWildTargetOnceWithin150Metres) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::campMission()));
    const Vector3 coords = engine().mission.coords;

    // Within the 250 m spawn distance, beyond 150 m of the target.
    extest::putPlayerSouthOf(session, coords, 200.0f);
    ASSERT_TRUE(extest::waitForTarget(session));
    session.runFrames(5);
    EXPECT_EQ(session.world().gameEvents.countStartingWith(dogEvent), 0);

    // Closer, still outside the search area: one event naming the target.
    extest::putPlayerSouthOf(session, coords, 140.0f);
    session.runFrames(10);
    ASSERT_EQ(session.world().gameEvents.countStartingWith(dogEvent), 1);
    const sim::SentGameEvent& sent = session.world().gameEvents.sent.back();
    EXPECT_EQ(sent.group, 1);
    EXPECT_EQ(sent.size, 2);
    EXPECT_EQ(sent.flags, 2);
    // The game copies two 8-byte slots: the hash and the target, then zeros.
    ASSERT_EQ(sent.data.size(), 4u);
    EXPECT_EQ(sent.data[1], extest::targetRecord(session)->id);
    EXPECT_EQ(sent.data[2], 0);
    EXPECT_EQ(sent.data[3], 0);
    EXPECT_EQ(engine().executor->getStage(), ExecutorStage::Approaching);

    // Into the area and back out: never again for this mission.
    extest::putPlayerSouthOf(session, coords, 5.0f);
    session.runFrames(3);
    extest::putPlayerSouthOf(session, coords, 140.0f);
    session.runFrames(3);
    EXPECT_EQ(session.world().gameEvents.countStartingWith(dogEvent), 1);
    EXPECT_EQ(extest::logCount(session, "mission flag update: dog_companion_track_event = 1"), 1);
}

TEST(ExecutorScene, NoDogEventInTown) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    extest::putPlayerSouthOf(session, engine().mission.coords, 60.0f);
    ASSERT_TRUE(extest::waitForTarget(session));
    session.runFrames(5);
    EXPECT_EQ(session.world().gameEvents.countStartingWith(dogEvent), 0);
}

TEST(ExecutorScene, WildCriminalSceneRules) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::campMission(), 400.0f, 2, 1));
    extest::putPlayerSouthOf(session, engine().mission.coords, 200.0f);
    ASSERT_TRUE(session.runUntil([] { return engine().executor->allScenePeds().size() == 4; }, 200));
    session.runFrames(2);

    const extest::TestExecutor& executor = *engine().executor;
    sim::World& world = session.world();
    const int target = executor.target().id;
    ASSERT_EQ(executor.guardPeds().size(), 2u); // the target is not listed among the guards
    ASSERT_EQ(executor.companionPeds().size(), 1u);
    ASSERT_EQ(executor.spawned().size(), 4u);
    EXPECT_EQ(executor.spawned().front().id, target);

    const sim::EntityRecord& targetPed = *world.entities.find(target);
    EXPECT_EQ(targetPed.decorators.at("KV_Drovil_isContractTarget"), 1);
    EXPECT_EQ(targetPed.decorators.at("KV_HOSTAGE_enabled"), 1);
    EXPECT_EQ(targetPed.decorators.at("honor_override"), 0); // a criminal costs no honour
    EXPECT_TRUE(targetPed.configFlags.at(6));
    EXPECT_TRUE(targetPed.configFlags.at(279));
    EXPECT_EQ(targetPed.configFlags.count(154), 0u);
    const int targetLoot = targetPed.decorators.at("loot_money");
    EXPECT_GE(targetLoot, 3200);
    EXPECT_LT(targetLoot, 4800);
    EXPECT_EQ(world.appearances.find(target).outfitPreset, engine().mission.targetOutfitIndex);
    const sim::ScenePedState* targetState = world.scenePeds.find(target);
    ASSERT_NE(targetState, nullptr);
    EXPECT_TRUE(targetState->eagleEyeTracked);
    EXPECT_EQ(targetState->eagleEyeTint[0], 255);
    EXPECT_EQ(targetState->eagleEyeTint[2], 0);
    // In the wild the weapons are put away, not taken.
    EXPECT_EQ(world.weapons.current(world, target), sim::Weapons::unarmed());
    EXPECT_TRUE(world.weapons.carries(world, target, sim::Weapons::revolver()));

    // The game's ped group: the target leads, in a line, the guards and the
    // companion follow.
    const int group = static_cast<int>(executor.group());
    ASSERT_NE(group, 0);
    const sim::PedGroup* pedGroup = world.pedGroups.find(group);
    ASSERT_NE(pedGroup, nullptr);
    EXPECT_EQ(pedGroup->formation, 3);
    EXPECT_EQ(pedGroup->leader, target);
    EXPECT_EQ(world.pedGroups.size(group), 4);
    for (Ped guard : executor.guardPeds()) {
        const sim::EntityRecord& ped = *world.entities.find(guard.id);
        EXPECT_EQ(world.pedGroups.groupOf(guard.id), group);
        EXPECT_TRUE(ped.configFlags.at(154));
        EXPECT_EQ(ped.decorators.count("KV_Drovil_isContractTarget"), 0u);
        EXPECT_GE(ped.decorators.at("loot_money"), 2000);
        EXPECT_LT(ped.decorators.at("loot_money"), 3000);
    }
    const Ped companion = executor.companionPeds().front();
    const sim::EntityRecord& companionPed = *world.entities.find(companion.id);
    EXPECT_EQ(world.pedGroups.groupOf(companion.id), group);
    EXPECT_TRUE(companionPed.configFlags.at(6));
    EXPECT_EQ(companionPed.decorators.at("honor_override"), 0);
    EXPECT_GE(companionPed.decorators.at("loot_money"), 800);
    EXPECT_LT(companionPed.decorators.at("loot_money"), 1200);
}

TEST(ExecutorScene, HonourCountsForAnHonestTargetWithHonourEffectsOn) {
    sim::Session session(extest::testOptions());
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    extest::putPlayerSouthOf(session, engine().mission.coords, 60.0f);
    ASSERT_TRUE(extest::waitForTarget(session));
    session.runFrames(3);
    const sim::EntityRecord& target = *extest::targetRecord(session);
    EXPECT_EQ(target.decorators.count("honor_override"), 0u);
    EXPECT_EQ(target.configFlags.count(6), 0u);
    // No loot was stored for this target, so it carries no loot decorator.
    EXPECT_EQ(target.decorators.count("loot_money"), 0u);
    // A town scene takes the gun the target has selected, his revolver; the
    // game's removal takes that one weapon, so the repeater he carries stays.
    sim::World& world = session.world();
    EXPECT_FALSE(world.weapons.carries(world, target.id, sim::Weapons::revolver()));
    EXPECT_TRUE(world.weapons.carries(world, target.id, sim::Weapons::repeater()));
    EXPECT_EQ(world.weapons.current(world, target.id), sim::Weapons::unarmed());
}

TEST(ExecutorScene, HonourEffectsOffSpareHonourButKeepTownRules) {
    sim::Session session(extest::testOptions({"HonorEffects=0", "EagleEyeTracksForTarget=0"}));
    ASSERT_TRUE(extest::startContract(session, extest::streetMission()));
    extest::putPlayerSouthOf(session, engine().mission.coords, 60.0f);
    ASSERT_TRUE(extest::waitForTarget(session));
    session.runFrames(3);
    const sim::EntityRecord& target = *extest::targetRecord(session);
    EXPECT_EQ(target.decorators.at("honor_override"), 0);
    EXPECT_EQ(target.configFlags.count(6), 0u);
    const sim::ScenePedState* state = session.world().scenePeds.find(target.id);
    EXPECT_TRUE(state == nullptr || !state->eagleEyeTracked);
}

} // namespace
