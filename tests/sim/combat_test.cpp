// Fights in the simulated world: fighters close in and fire with an accuracy
// that falls with distance, wounds add up to death, the wounded fight back, and
// a ped that is down (dead or knocked out) is out of every fight.
#include "sim/living_world.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace simtest;
using drovil::Vector3;

namespace {
float distance(const sim::World& world, int a, int b) {
    const Vector3& p = world.entities.find(a)->position;
    const Vector3& q = world.entities.find(b)->position;
    return std::hypot(p.x - q.x, p.y - q.y);
}
} // namespace

TEST(SimCombat, AFighterClosesInFiresAtIntervalsAndWearsThePlayerDown) {
    sim::World world(3);
    const int player = world.player.pedId;
    world.playerPed().position = openCountry;
    const int gunman = addPed(world, shifted(openCountry, 0.0f, 40.0f));
    world.combat.startFight(world, gunman, player);
    EXPECT_TRUE(sim::Combat::inCombatWith(world, gunman, player));

    stepFrames(world, 30 * 8);
    EXPECT_NEAR(distance(world, gunman, player), sim::Combat::closeInDistance, 0.5f) << "it closed in";
    std::size_t shotsInEightSeconds = 0;
    for (const sim::ShotRecord& shot : world.combat.shots())
        shotsInEightSeconds += shot.shooter == gunman ? 1 : 0;
    EXPECT_GE(shotsInEightSeconds, 3u);
    EXPECT_LE(shotsInEightSeconds, 7u) << "a shot every second or two";

    ASSERT_TRUE([&] {
        for (int frame = 0; frame < 30 * 300; ++frame) {
            stepFrame(world);
            if (!world.playerPed().alive)
                return true;
        }
        return false;
    }()) << "the player dies in the end";
    EXPECT_LE(world.combat.health(player), 0);
    EXPECT_EQ(world.entities.find(gunman)->combatOpponent, 0) << "nobody fights a dead man";
    int hits = 0;
    for (const sim::ShotRecord& shot : world.combat.shots())
        hits += shot.hit ? 1 : 0;
    EXPECT_GE(hits, 5) << "each hit takes 10 to 19 of 100";
    EXPECT_LT(hits, static_cast<int>(world.combat.shots().size())) << "some shots miss";
}

TEST(SimCombat, AccuracyFallsWithDistanceAndCover) {
    sim::World world(1);
    const int player = world.player.pedId;
    world.playerPed().position = openCountry;
    const int close = addPed(world, shifted(openCountry, 8.0f, 0.0f));
    const int distant = addPed(world, shifted(openCountry, 55.0f, 0.0f));
    EXPECT_GT(world.combat.hitChance(world, close, player), world.combat.hitChance(world, distant, player));
    const float standing = world.combat.hitChance(world, close, player);
    world.perception.setCrouching(player, true);
    EXPECT_LT(world.combat.hitChance(world, close, player), standing);
    EXPECT_GT(world.combat.hitChance(world, player, distant), world.combat.hitChance(world, distant, player))
        << "the player aims better than the peds";
}

TEST(SimCombat, TheWoundedFightBackAndThoseDownAreOutOfTheFight) {
    sim::World world(5);
    const int player = world.player.pedId;
    world.playerPed().position = openCountry;
    const int outlaw = addPed(world, shifted(openCountry, 10.0f, 0.0f));
    world.combat.damage(world, outlaw, 30, player);
    EXPECT_TRUE(sim::Combat::inCombatWith(world, outlaw, player)) << "a wounded ped fights back";
    EXPECT_EQ(world.combat.health(outlaw), 70);

    world.combat.knockOut(world, outlaw, player);
    EXPECT_TRUE(sim::Combat::isDown(world, outlaw));
    EXPECT_TRUE(world.entities.find(outlaw)->alive) << "knocked out, not dead";
    EXPECT_FALSE(sim::Combat::inCombat(world, outlaw));
    world.combat.startFight(world, outlaw, player);
    EXPECT_FALSE(sim::Combat::inCombat(world, outlaw)) << "a ped that is down cannot be sent to fight";

    const int second = addPed(world, shifted(openCountry, -10.0f, 0.0f));
    const int third = addPed(world, shifted(openCountry, -12.0f, 0.0f));
    world.combat.startFight(world, third, second);
    world.combat.kill(world, second, player);
    EXPECT_FALSE(world.entities.find(second)->alive);
    EXPECT_FALSE(sim::Combat::inCombat(world, third)) << "the fight ends with the death";
    EXPECT_TRUE(sim::Combat::isDown(world, second));
}

TEST(SimCombat, AGunmanKeepsItsDistanceAManWithoutAGunComesToBlows) {
    sim::World world(1);
    const int player = world.player.pedId;
    world.entities.find(player)->invincible = true;
    world.playerPed().position = shifted(openCountry, 0.0f, 60.0f);
    const int gunman = addPed(world, openCountry);
    const int brawler = addPed(world, shifted(openCountry, 3.0f, 0.0f));
    world.weapons.remove(world, brawler, sim::Weapons::revolver());
    world.weapons.remove(world, brawler, sim::Weapons::repeater());
    world.combat.startFight(world, gunman, player);
    world.combat.startFight(world, brawler, player);
    EXPECT_EQ(world.weapons.current(world, gunman), sim::Weapons::repeater()) << "out comes the best gun";
    stepFrames(world, 30 * 30);
    const Vector3& target = world.playerPed().position;
    const Vector3& gunmanAt = world.entities.find(gunman)->position;
    const Vector3& brawlerAt = world.entities.find(brawler)->position;
    EXPECT_NEAR(std::hypot(gunmanAt.x - target.x, gunmanAt.y - target.y), sim::Combat::closeInDistance, 0.5f);
    EXPECT_LE(std::hypot(brawlerAt.x - target.x, brawlerAt.y - target.y), sim::Combat::punchReach + 0.1f);
    EXPECT_TRUE(world.combat.inMelee(brawler, world.clock.elapsedMs));
    EXPECT_TRUE(world.combat.inMelee(player, world.clock.elapsedMs)) << "the one being hit is in the fist fight too";
    EXPECT_FALSE(world.combat.inMelee(gunman, world.clock.elapsedMs));
    EXPECT_EQ(world.combat.health(player), sim::Combat::fullHealth) << "an invincible player takes no damage";
}
