// Civilians running from danger in the simulated world, and the peds that do
// not: those a script holds, those blocking non-temporary events, the hogtied;
// and the flights (and volleys) scripts order.
#include "sim/living_world.h"
#include "support/game.h"
#include "support/script_thread.h"

#include "runtime/natives.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace simtest;
using drovil::Vector3;

TEST(SimFleeing, ATownsmanRunsFromAShotAndCalmsDownLater) {
    sim::World world(1);
    const int townsman = addTownsman(world, openCountry);
    const int held = addTownsman(world, shifted(openCountry, 2.0f, 0.0f));
    world.entities.find(held)->missionEntity = true;
    const int deaf = addTownsman(world, shifted(openCountry, -2.0f, 0.0f));
    world.entities.find(deaf)->blocksNonTemporaryEvents = true;
    const int tied = addTownsman(world, shifted(openCountry, 0.0f, 2.0f));
    world.entities.find(tied)->hogtied = true;
    const int shooter = addPed(world, shifted(openCountry, 0.0f, -20.0f));

    world.combat.shootTowards(world, shooter, shifted(openCountry, 0.0f, -60.0f));
    stepFrames(world, 30 * 5);
    const std::uint64_t now = world.clock.elapsedMs;
    EXPECT_TRUE(world.fleeing.isFleeing(townsman, now));
    EXPECT_FALSE(world.fleeing.isFleeing(held, now)) << "a script holds it";
    EXPECT_FALSE(world.fleeing.isFleeing(deaf, now)) << "it blocks non-temporary events";
    EXPECT_FALSE(world.fleeing.isFleeing(tied, now)) << "hogtied, it lies bound";
    EXPECT_FALSE(world.fleeing.isFleeing(shooter, now)) << "nobody runs from his own shot";
    const Vector3& at = world.entities.find(townsman)->position;
    EXPECT_GT(at.y, openCountry.y + 15.0f) << "it ran away from the shot";

    stepFrames(world, 30 * static_cast<int>(sim::Fleeing::calmAfterMs / 1000));
    EXPECT_FALSE(world.fleeing.isFleeing(townsman, world.clock.elapsedMs));
}

TEST(SimFleeing, AGunPointedAtATownsmanFrightensHimAnEmptyHandDoesNot) {
    sim::World world(1);
    world.playerPed().position = openCountry;
    const int townsman = addTownsman(world, shifted(openCountry, 0.0f, 8.0f));
    world.player.targetEntity = townsman; // unarmed: a focus, as when talking
    stepFrames(world, 10);
    EXPECT_FALSE(world.fleeing.isFleeing(townsman, world.clock.elapsedMs));
    world.weapons.select(world, world.player.pedId, sim::Weapons::revolver());
    stepFrames(world, 2);
    EXPECT_TRUE(world.fleeing.isFleeing(townsman, world.clock.elapsedMs));
}

TEST(SimFleeing, AWoundedTownsmanRunsAnOutlawFightsBack) {
    sim::World world(1);
    world.playerPed().position = openCountry;
    const int townsman = addTownsman(world, shifted(openCountry, 5.0f, 0.0f));
    const int outlaw = addPed(world, shifted(openCountry, -5.0f, 0.0f));
    world.combat.damage(world, townsman, 10, world.player.pedId);
    world.combat.damage(world, outlaw, 10, world.player.pedId);
    EXPECT_TRUE(world.fleeing.isFleeing(townsman, world.clock.elapsedMs));
    EXPECT_FALSE(sim::Combat::inCombat(world, townsman));
    EXPECT_TRUE(sim::Combat::inCombatWith(world, outlaw, world.player.pedId));
}

// A script's flight from a ped lasts as its parameters say: TASK_FLEE_PED with
// neither a distance nor a time (-999.0, -1: what a released hostage is given)
// runs for good, with a time for that long; TASK_SMART_FLEE_PED until the
// distance is reached. A ped shot at with TASK_SHOOT_AT_ENTITY is fired at for
// the time given, even once it is down.
TEST(SimFleeing, AScriptsFlightAndVolleyLastAsTheirParametersSay) {
    sim::Session session;
    session.world().townsfolk.enabled = false;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const int threat = addPed(world, openCountry);
    const int forGood = addPed(world, shifted(openCountry, 0.0f, 5.0f));
    const int threeSeconds = addPed(world, shifted(openCountry, 5.0f, 0.0f));
    const int toTwentyMetres = addPed(world, shifted(openCountry, -5.0f, 0.0f));
    const int shooter = addPed(world, shifted(openCountry, 200.0f, 0.0f));
    const int deer = world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_c_deer_01"),
                                           shifted(openCountry, 210.0f, 0.0f), 0.0f).id;
    ASSERT_TRUE(test::runOnScriptThread(session, [&] {
        using drovil::Ped;
        drovil::natives::task::fleePed(Ped(forGood), Ped(threat), 3, 0, -999.0f, -1, 0);
        drovil::natives::task::fleePed(Ped(threeSeconds), Ped(threat), 3, 0, -1.0f, 3000, 0);
        drovil::natives::task::smartFleeFromPed(Ped(toTwentyMetres), Ped(threat), 20.0f, -1, 0, 3.0f, Ped());
        drovil::natives::task::shootAtEntity(Ped(shooter), drovil::Entity(deer), 4000,
                                             sim::gameHash("FIRING_PATTERN_BURST"), false);
    }));
    session.runFrames(15);
    world.combat.kill(world, deer, shooter);
    const std::size_t shotsAtTheKill = world.combat.shots().total();
    session.runFor(5000);
    auto fleeing = [&](int ped) { return world.fleeing.isFleeing(ped, world.clock.elapsedMs); };
    auto away = [&](int ped) {
        const Vector3& at = world.entities.find(ped)->position;
        return std::hypot(at.x - openCountry.x, at.y - openCountry.y);
    };
    EXPECT_FALSE(fleeing(threeSeconds));
    EXPECT_FALSE(fleeing(toTwentyMetres));
    EXPECT_NEAR(away(toTwentyMetres), 20.0f, 1.0f) << "it stopped running 20 m from the ped it fled";
    EXPECT_GT(world.combat.shots().total(), shotsAtTheKill) << "the volley goes on at the kill";
    EXPECT_FALSE(world.combat.isShooting(shooter, world.clock.elapsedMs));
    const std::size_t shotsWhenOver = world.combat.shots().total();
    session.runFor(60000);
    EXPECT_TRUE(fleeing(forGood)) << "with neither a distance nor a time, it runs for good";
    EXPECT_GT(away(forGood), 200.0f);
    EXPECT_EQ(world.combat.shots().total(), shotsWhenOver) << "the volley was over after its 4 s";
}
