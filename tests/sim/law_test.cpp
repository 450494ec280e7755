// The law in the simulated world: gunfire in a town or near a lawman makes the
// player wanted, and the status wears off once no lawman sees him.
#include "sim/living_world.h"

#include <gtest/gtest.h>

using namespace simtest;
using drovil::Vector3;

namespace {
const Vector3 valentineStreet(-281.0f, 780.0f, 118.0f);

void runSeconds(sim::World& world, int seconds) {
    stepFrames(world, seconds * 1000 / static_cast<int>(world.clock.frameMs) + 1);
}
} // namespace

TEST(SimLaw, ShootingInTownMakesThePlayerWantedUntilItWearsOff) {
    sim::World world(1);
    world.playerPed().position = valentineStreet;
    ASSERT_NE(sim::Law::townAt(valentineStreet), nullptr);
    world.combat.shootTowards(world, world.player.pedId, shifted(valentineStreet, 0.0f, 30.0f));
    EXPECT_TRUE(world.player.wanted);

    // Out of town with no lawman about, it wears off after a minute.
    world.playerPed().position = openCountry;
    runSeconds(world, 50);
    EXPECT_TRUE(world.player.wanted);
    runSeconds(world, 15);
    EXPECT_FALSE(world.player.wanted);
}

TEST(SimLaw, GunfireInOpenCountryIsACrimeOnlyNearALawman) {
    sim::World world(1);
    world.playerPed().position = openCountry;
    ASSERT_EQ(sim::Law::townAt(openCountry), nullptr);
    world.combat.shootTowards(world, world.player.pedId, shifted(openCountry, 0.0f, 30.0f));
    EXPECT_FALSE(world.player.wanted) << "nobody of the law heard it";

    const int marshal = addPed(world, shifted(openCountry, 50.0f, 0.0f));
    world.law.addLawman(marshal);
    runSeconds(world, 2);
    world.combat.shootTowards(world, world.player.pedId, shifted(openCountry, 0.0f, 30.0f));
    EXPECT_TRUE(world.player.wanted);

    // While the marshal has him in view (within 40 m), it goes on past the minute.
    world.entities.find(marshal)->position = shifted(openCountry, 20.0f, 0.0f);
    runSeconds(world, 90);
    EXPECT_TRUE(world.player.wanted);
    // Once the marshal is far off, it wears off.
    world.entities.find(marshal)->position = shifted(openCountry, 500.0f, 0.0f);
    runSeconds(world, sim::Law::sightingMs / 1000 + 2);
    EXPECT_FALSE(world.player.wanted);
}

TEST(SimLaw, AttackingALawmanOrAPoliceGroupPedIsACrimeAnywhere) {
    sim::World world(1);
    world.playerPed().position = openCountry;
    const int deputy = addPed(world, shifted(openCountry, 5.0f, 0.0f));
    const std::uint32_t police = sim::gameHash("REL_COP");
    world.relationships.place(deputy, police);
    EXPECT_TRUE(world.law.isLawman(world, deputy));
    world.combat.knockOut(world, deputy, world.player.pedId);
    EXPECT_TRUE(world.player.wanted);
}

TEST(SimLaw, AWantedStatusSetByHandIsLeftAlone) {
    sim::World world(1);
    world.playerPed().position = openCountry;
    world.player.wanted = true;
    runSeconds(world, 90);
    EXPECT_TRUE(world.player.wanted) << "only the law's own status wears off";
}
