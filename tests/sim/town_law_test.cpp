// The law a town sends: lawmen come for a player wanted there and keep after
// him until he has shaken the status off; then they give up and go.
#include "sim/living_world.h"
#include "world/core/script_owned.h"

#include <gtest/gtest.h>

using namespace simtest;
using drovil::Vector3;

namespace {
const Vector3 valentineStreet(-281.0f, 780.0f, 118.0f);

void runSeconds(sim::World& world, int seconds) {
    stepFrames(world, seconds * 1000 / static_cast<int>(world.clock.frameMs) + 1);
}
} // namespace

TEST(SimTownLaw, ShotsInTownBringLawmenWhoGiveUpOnceThePlayerIsNoLongerWanted) {
    sim::World world(1);
    world.playerPed().position = valentineStreet;
    world.combat.shootTowards(world, world.player.pedId, shifted(valentineStreet, 0.0f, 30.0f));
    ASSERT_TRUE(world.player.wanted);
    runSeconds(world, 5);
    EXPECT_TRUE(world.lawResponse.lawmen().empty()) << "they take a while to come";
    runSeconds(world, 5);
    ASSERT_EQ(world.lawResponse.lawmen().size(), 2u);
    for (int lawman : world.lawResponse.lawmen()) {
        EXPECT_TRUE(world.law.isLawman(world, lawman));
        EXPECT_EQ(world.entities.find(lawman)->combatOpponent, world.player.pedId);
    }
    EXPECT_EQ(sim::countScriptOwned(world).entities, 0) << "the game's dispatch holds them, not a script";

    // Far out in the country, out of their sight: the status wears off, they give up and go.
    world.playerPed().position = openCountry;
    runSeconds(world, 70);
    EXPECT_FALSE(world.player.wanted);
    EXPECT_TRUE(world.lawResponse.lawmen().empty());
    EXPECT_EQ(world.lawResponse.responses(), 1);
}

TEST(SimTownLaw, NoLawmenAreSentIntoOpenCountry) {
    sim::World world(1);
    world.playerPed().position = valentineStreet;
    world.combat.shootTowards(world, world.player.pedId, shifted(valentineStreet, 0.0f, 30.0f));
    world.playerPed().position = openCountry;
    runSeconds(world, 20);
    EXPECT_TRUE(world.player.wanted);
    EXPECT_EQ(world.lawResponse.responses(), 0);
}
