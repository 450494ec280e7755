// Hostages: a ped an executor marked may be threatened; it laughs off or runs
// from an unarmed player, fights back when armed and faced, and, held at
// gunpoint, stays until the player walks away.
#include "support/game.h"
#include "support/script_thread.h"

#include "behaviour/hostage_task.h"
#include "behaviour/hostages.h"
#include "runtime/natives.h"
#include "scenarios/scenario_run.h"
#include "session/session.h"
#include "world/core/world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace test;

namespace {

struct HostageRig {
    explicit HostageRig(std::vector<std::string> settings = {})
        : session(options(std::move(settings))), run(session, 100000, nullptr) {
        started = startGame(session);
    }
    static sim::SessionOptions options(std::vector<std::string> settings) {
        sim::SessionOptions options;
        options.settingsLines = std::move(settings);
        return options;
    }
    sim::World& world() { return session.world(); }

    // A man `metres` north of the player, facing him or turned away, marked
    // as an executor marks its target.
    int spawnMarked(float metres, bool facingPlayer, bool armed, int accuracy) {
        const drovil::Vector3 me = world().playerPed().position;
        sim::EntityRecord& ped = world().entities.create(sim::EntityKind::Ped, sim::gameHash("a_m_m_valtownfolk_01"),
                                                         drovil::Vector3(me.x, me.y + metres, me.z),
                                                         facingPlayer ? 180.0f : 0.0f);
        ped.missionEntity = true;
        const int id = ped.id;
        // One townsman in three carries a revolver of his own.
        if (armed)
            world().weapons.give(world(), id, sim::Weapons::revolver());
        else
            world().weapons.remove(world(), id, sim::Weapons::revolver());
        world().traits.setAccuracy(id, accuracy);
        runOnScriptThread(session,
                          [id] { drovil::natives::decorator::setInt(drovil::Entity(id), "KV_HOSTAGE_enabled", 1); });
        return id;
    }
    int decorator(int ped, const std::string& name) {
        const sim::EntityRecord* record = world().entities.find(ped);
        auto found = record ? record->decorators.find(name) : record->decorators.end();
        return record && found != record->decorators.end() ? found->second : 0;
    }
    bool said(int ped, const std::string& line) {
        for (const sim::SpokenLine& spoken : world().speech.linesOf(ped))
            if (spoken.line == line)
                return true;
        return false;
    }
    std::string spoken() {
        std::string all;
        for (const sim::SpokenLine& line : world().speech.lines())
            all += std::to_string(line.ped) + ":" + line.line + " ";
        return all;
    }
    const sim::PromptRecord* threaten() { return world().prompts.findVisible(run.lang("prompts.threaten")); }
    bool threatenNow() { return run.pressPrompt(run.lang("prompts.threaten"), 2000); }
    bool fleeing(int ped) { return world().fleeing.isFleeing(ped, world().clock.elapsedMs); }

    sim::Session session;
    sim::ScenarioRun run;
    bool started = false;
};

} // namespace

TEST(Hostages, AnUnarmedPedLaughsOffAnUnarmedPlayersFirstThreatAndRunsAtTheSecond) {
    HostageRig rig;
    ASSERT_TRUE(rig.started);
    const int ped = rig.spawnMarked(3.0f, true, false, 50);
    rig.run.player().aimAt(ped); // unarmed: he singles the man out
    ASSERT_TRUE(rig.threatenNow());
    rig.run.wait(3000);
    EXPECT_TRUE(rig.said(rig.world().player.pedId, "POINT_GUN_AT_MALE_URGENT"));
    EXPECT_TRUE(rig.said(ped, "IGNORING_YOU")) << rig.spoken() << " state "
                                               << (drovil::hostages()->task()
                                                       ? static_cast<int>(drovil::hostages()->task()->state())
                                                       : -1);
    EXPECT_FALSE(rig.fleeing(ped));
    EXPECT_FALSE(rig.world().entities.find(ped)->blackboard["Handsup"]);
    EXPECT_EQ(rig.decorator(ped, "KV_HOSTAGE_timesThreatened"), 1);

    ASSERT_TRUE(rig.threatenNow()) << "a second threat can be made";
    rig.run.wait(3000);
    EXPECT_TRUE(rig.fleeing(ped));
    EXPECT_EQ(rig.decorator(ped, "KV_HOSTAGE_timesThreatened"), 2);
    EXPECT_EQ(drovil::hostages()->task(), nullptr) << "a fleeing ped is no hostage";
}

// The player's threats (POINT_GUN_AT_MALE_URGENT and _FEMALE_, ROB_PULL_GUN,
// WITNESS_THREATEN_INTERRUPT) are found neither in the game's catalogue nor in
// its scripts. A game without them makes the same threats in silence: the man
// still laughs the first off and runs at the second.
TEST(Hostages, InAGameWithoutThePlayersThreatLinesThreatsStillWork) {
    HostageRig rig;
    ASSERT_TRUE(rig.started);
    rig.world().names.unconfirmedMissing = true;
    const int ped = rig.spawnMarked(3.0f, true, false, 50);
    rig.run.player().aimAt(ped);
    ASSERT_TRUE(rig.threatenNow());
    rig.run.wait(3000);
    EXPECT_TRUE(rig.world().speech.linesOf(rig.world().player.pedId).empty()) << rig.spoken();
    EXPECT_TRUE(rig.said(ped, "IGNORING_YOU"));
    ASSERT_TRUE(rig.threatenNow());
    rig.run.wait(3000);
    EXPECT_TRUE(rig.fleeing(ped));
    EXPECT_TRUE(rig.world().speech.linesOf(rig.world().player.pedId).empty()) << rig.spoken();
    EXPECT_TRUE(rig.world().names.wasRefused("POINT_GUN_AT_MALE_URGENT"));
}

// A bow, a knife or a thrown weapon in the player's hands is no gun to the man
// he threatens: he laughs the threat off, as he would an unarmed player's.
class ThreatWithNoGun : public ::testing::TestWithParam<const char*> {};

TEST_P(ThreatWithNoGun, IsAnUnarmedOne) {
    const char* weapon = GetParam();
    HostageRig rig;
    ASSERT_TRUE(rig.started);
    sim::World& world = rig.world();
    const int ped = rig.spawnMarked(3.0f, true, false, 50);
    world.weapons.give(world, world.player.pedId, sim::gameHash(weapon));
    ASSERT_TRUE(world.weapons.select(world, world.player.pedId, sim::gameHash(weapon)));
    rig.run.player().aimAt(ped);
    ASSERT_TRUE(rig.threatenNow());
    rig.run.wait(3000);
    EXPECT_TRUE(rig.said(ped, "IGNORING_YOU")) << rig.spoken();
    EXPECT_FALSE(rig.world().entities.find(ped)->blackboard["Handsup"]);
}

INSTANTIATE_TEST_SUITE_P(BowKnifeAndTomahawk, ThreatWithNoGun,
                         ::testing::Values("WEAPON_BOW", "WEAPON_MELEE_KNIFE", "WEAPON_THROWN_TOMAHAWK"));

// A man who laughed the threat off is only threatened while the player keeps
// him singled out and near: looking away from him (or walking off) ends it, and
// the next man can be threatened.
TEST(Hostages, ALaughedOffThreatEndsWhenThePlayerLooksAwayOrWalksOff) {
    HostageRig rig;
    ASSERT_TRUE(rig.started);
    const int first = rig.spawnMarked(3.0f, true, false, 50);
    const int second = rig.spawnMarked(-3.0f, false, false, 50);
    rig.run.player().aimAt(first); // unarmed: he singles the man out
    ASSERT_TRUE(rig.threatenNow());
    rig.run.wait(3000);
    ASSERT_TRUE(rig.said(first, "IGNORING_YOU"));
    ASSERT_NE(drovil::hostages()->task(), nullptr);
    rig.run.player().aimAt(0);
    rig.run.wait(300);
    EXPECT_EQ(drovil::hostages()->task(), nullptr) << "the player turned from him: the threat is over";
    EXPECT_FALSE(rig.fleeing(first));

    rig.run.player().aimAt(second);
    ASSERT_TRUE(rig.threatenNow()) << "someone else may now be threatened";
    rig.run.wait(3000);
    ASSERT_TRUE(rig.said(second, "IGNORING_YOU"));
    ASSERT_NE(drovil::hostages()->task(), nullptr);
    // Still singling him out, the player walks off north, past 10 m.
    const drovil::Vector3 me = rig.world().playerPed().position;
    rig.run.player().goTo(drovil::Vector3(me.x, me.y + 14.0f, me.z), sim::Gait::Walk, 0.5f);
    ASSERT_TRUE(rig.run.waitUntil([&] { return drovil::hostages()->task() == nullptr; }, 15000));
    const drovil::Vector3 player = rig.world().playerPed().position;
    const drovil::Vector3 man = rig.world().entities.find(second)->position;
    EXPECT_GT(std::hypot(player.x - man.x, player.y - man.y), 10.0f);
    EXPECT_FALSE(rig.fleeing(second));
}

// The reaction reads the aim the threat was made with: locked on with a gun,
// the player is aiming at the man as surely as through his sights.
TEST(Hostages, AnUnarmedCowardThreatenedLockedOnGivesInAsUnderTheSights) {
    HostageRig rig;
    const int ped = rig.spawnMarked(5.0f, true, false, 100);
    rig.run.player().drawGun();
    rig.run.player().lockOnTo(ped);
    ASSERT_TRUE(rig.threatenNow());
    ASSERT_TRUE(rig.run.waitUntil([&] { return rig.decorator(ped, "KV_HOSTAGE_isHostage") == 1; }, 4000));
    EXPECT_TRUE(rig.world().entities.find(ped)->blackboard["Handsup"]);
    EXPECT_FALSE(rig.fleeing(ped));
}

TEST(Hostages, AnArmedPedFacingThePlayerFightsBack) {
    HostageRig rig;
    const int ped = rig.spawnMarked(4.0f, true, true, 100);
    rig.run.player().drawGun();
    rig.run.player().aimAt(ped);
    ASSERT_TRUE(rig.threatenNow());
    ASSERT_TRUE(rig.run.waitUntil([&] { return sim::Combat::inCombatWith(rig.world(), ped, rig.world().player.pedId); },
                                  4000));
    EXPECT_EQ(rig.decorator(ped, "KV_HOSTAGE_isHostage"), 0);
}

TEST(Hostages, AHeldHostageKeepsThePromptOnlyUnderTheGunAndGoesWhenThePlayerWalksOff) {
    HostageRig rig;
    // A coward (accuracy 100: he gives in within 12 m), unarmed.
    const int ped = rig.spawnMarked(5.0f, true, false, 100);
    rig.run.player().drawGun();
    rig.run.player().aimAt(ped);
    ASSERT_TRUE(rig.threatenNow());
    ASSERT_TRUE(rig.run.waitUntil([&] { return rig.decorator(ped, "KV_HOSTAGE_isHostage") == 1; }, 4000));
    EXPECT_TRUE(rig.world().entities.find(ped)->blackboard["Handsup"]);
    EXPECT_EQ(rig.decorator(ped, "KV_HOSTAGE_enabled"), 0);
    EXPECT_FALSE(rig.fleeing(ped));
    rig.run.wait(500);
    ASSERT_NE(rig.threaten(), nullptr);
    EXPECT_TRUE(rig.threaten()->enabled);

    rig.run.player().aimAt(0);
    rig.run.wait(300);
    EXPECT_EQ(rig.threaten(), nullptr) << "no prompt with the gun lowered";
    rig.run.player().aimAt(ped);
    rig.run.wait(300);
    ASSERT_NE(rig.threaten(), nullptr);
    EXPECT_EQ(rig.decorator(ped, "KV_HOSTAGE_isHostage"), 1) << "still held";

    // Walking off south: past 10 m the hostage is let go and runs.
    const drovil::Vector3 me = rig.world().playerPed().position;
    rig.run.player().aimAt(0);
    rig.run.player().goTo(drovil::Vector3(me.x, me.y - 12.0f, me.z), sim::Gait::Walk, 0.5f);
    ASSERT_TRUE(rig.run.waitUntil([&] { return rig.decorator(ped, "KV_HOSTAGE_isHostage") == 0; }, 15000));
    EXPECT_GT(std::hypot(rig.world().playerPed().position.x - rig.world().entities.find(ped)->position.x,
                         rig.world().playerPed().position.y - rig.world().entities.find(ped)->position.y),
              10.0f);
    EXPECT_TRUE(rig.fleeing(ped));
    EXPECT_FALSE(rig.world().entities.find(ped)->blackboard["Handsup"]);
}

TEST(Hostages, WithHostagesOffNoThreatIsOffered) {
    HostageRig rig({"Hostages=0"});
    const int ped = rig.spawnMarked(4.0f, true, false, 100);
    rig.run.player().drawGun();
    rig.run.player().aimAt(ped);
    rig.run.wait(2000);
    EXPECT_EQ(rig.threaten(), nullptr);
    EXPECT_EQ(rig.decorator(ped, "KV_HOSTAGE_timesThreatened"), 0);
}

// A man lying hogtied is no one to threaten: aimed at bound, he is offered no
// threat; cut loose, he is.
TEST(Hostages, AHogtiedManIsOfferedNoThreatUntilHeIsLoose) {
    HostageRig rig;
    ASSERT_TRUE(rig.started);
    const int ped = rig.spawnMarked(4.0f, true, false, 100);
    rig.world().entities.find(ped)->hogtied = true;
    rig.run.player().drawGun();
    rig.run.player().aimAt(ped);
    rig.run.wait(2000);
    EXPECT_EQ(rig.threaten(), nullptr);
    rig.world().entities.find(ped)->hogtied = false;
    EXPECT_TRUE(rig.run.waitUntil([&] { return rig.threaten() != nullptr; }, 2000));
    EXPECT_EQ(rig.decorator(ped, "KV_HOSTAGE_timesThreatened"), 0);
}

TEST(Hostages, AShovedHostageWalksAheadThenTurnsBackToAPlayerWhoStandsStill) {
    HostageRig rig;
    const int ped = rig.spawnMarked(3.0f, true, false, 100);
    rig.run.player().drawGun();
    rig.run.player().aimAt(ped);
    ASSERT_TRUE(rig.threatenNow());
    ASSERT_TRUE(rig.run.waitUntil([&] { return rig.decorator(ped, "KV_HOSTAGE_isHostage") == 1; }, 4000));
    // The player walks into him: a shove, and he walks off ahead.
    const drovil::Vector3 before = rig.world().entities.find(ped)->position;
    rig.run.player().goToEntity(ped, sim::Gait::Walk, 0.3f);
    ASSERT_TRUE(rig.run.waitUntil(
        [&] {
            const drovil::HostageTask* task = drovil::hostages()->task();
            return task && task->state() == drovil::HostageState::Shoved;
        },
        6000));
    rig.run.player().stop();
    EXPECT_TRUE(rig.said(rig.world().player.pedId, "BUMP_MALE_URGENT"));
    EXPECT_GT(rig.world().traits.shoves(ped), 0);
    // The shove's walk and follow are a sequence (the game reports its follow
    // step as no task of its own): once it is over and the player stands
    // still, the hostage turns back to face him, held, until bumped again.
    ASSERT_TRUE(rig.run.waitUntil(
        [&] {
            const drovil::HostageTask* task = drovil::hostages()->task();
            return task && task->state() == drovil::HostageState::Held;
        },
        12000));
    EXPECT_EQ(rig.decorator(ped, "KV_HOSTAGE_isHostage"), 1);
    const drovil::Vector3 after = rig.world().entities.find(ped)->position;
    EXPECT_GT(std::hypot(after.x - before.x, after.y - before.y), 1.0f);
    rig.run.wait(1500);
    const drovil::Vector3 me = rig.world().playerPed().position;
    const float facing = sim::headingTowards(after, me);
    const float heading = rig.world().entities.find(ped)->heading;
    EXPECT_LT(std::fabs(std::remainder(heading - facing, 360.0f)), 10.0f) << "he faces the player again";
}

// The player's word as he walks into his hostage (BUMP_MALE_URGENT and
// _FEMALE_) and one of the hostage's pleas (INTIMIDATED_ROB) are found neither
// in the game's catalogue nor in its scripts. A game without them shoves the
// hostage on all the same, without the player's word.
TEST(Hostages, InAGameWithoutTheShoveLineTheHostageIsShovedAllTheSame) {
    HostageRig rig;
    rig.world().names.unconfirmedMissing = true;
    const int ped = rig.spawnMarked(3.0f, true, false, 100);
    rig.run.player().drawGun();
    rig.run.player().aimAt(ped);
    ASSERT_TRUE(rig.threatenNow());
    ASSERT_TRUE(rig.run.waitUntil([&] { return rig.decorator(ped, "KV_HOSTAGE_isHostage") == 1; }, 4000));
    rig.run.player().goToEntity(ped, sim::Gait::Walk, 0.3f);
    ASSERT_TRUE(rig.run.waitUntil(
        [&] {
            const drovil::HostageTask* task = drovil::hostages()->task();
            return task && task->state() == drovil::HostageState::Shoved;
        },
        6000));
    rig.run.player().stop();
    EXPECT_GT(rig.world().traits.shoves(ped), 0);
    EXPECT_TRUE(rig.world().speech.linesOf(rig.world().player.pedId).empty()) << rig.spoken();
    EXPECT_TRUE(rig.world().names.wasRefused("BUMP_MALE_URGENT"));
    for (const sim::SpokenLine& line : rig.world().speech.linesOf(ped))
        EXPECT_NE(line.line, "INTIMIDATED_ROB");
    EXPECT_EQ(rig.decorator(ped, "KV_HOSTAGE_isHostage"), 1);
}

TEST(Hostages, AShovedHostageGoesOnAwayFromThePlayerWhicheverWayHeFaces) {
    // The game reads a follow offset in the followed entity's frame: a
    // hostage shoved east by a player facing east must end up east of him,
    // not beside him.
    HostageRig rig;
    sim::World& world = rig.world();
    const drovil::Vector3 me = world.playerPed().position;
    sim::EntityRecord& man = world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_m_m_valtownfolk_01"),
                                                   drovil::Vector3(me.x + 3.0f, me.y, me.z), 90.0f);
    man.missionEntity = true;
    const int ped = man.id;
    world.weapons.remove(world, ped, sim::Weapons::revolver());
    world.traits.setAccuracy(ped, 100);
    runOnScriptThread(rig.session,
                      [ped] { drovil::natives::decorator::setInt(drovil::Entity(ped), "KV_HOSTAGE_enabled", 1); });
    rig.run.player().drawGun();
    rig.run.player().aimAt(ped);
    ASSERT_TRUE(rig.threatenNow());
    ASSERT_TRUE(rig.run.waitUntil([&] { return rig.decorator(ped, "KV_HOSTAGE_isHostage") == 1; }, 4000));
    rig.run.player().goToEntity(ped, sim::Gait::Walk, 0.3f);
    ASSERT_TRUE(rig.run.waitUntil([&] { return world.traits.shoves(ped) > 0; }, 6000));
    rig.run.player().stop();
    rig.run.wait(6000);
    const drovil::Vector3 player = world.playerPed().position;
    const drovil::Vector3 hostage = world.entities.find(ped)->position;
    const float dx = hostage.x - player.x, dy = hostage.y - player.y;
    EXPECT_GT(dx, 3.5f) << "the hostage is " << dx << " m east and " << dy << " m north of the player";
    EXPECT_LT(std::fabs(dy), 1.0f);
}
