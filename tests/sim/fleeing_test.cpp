// Civilians running from danger in the simulated world, and the peds that do
// not: those a script holds, those blocking non-temporary events, the hogtied.
#include "sim/living_world.h"

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
