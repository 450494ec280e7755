// The herds about hunting camps: a camp placed in the world gets its herd once,
// and the herd of a camp the game has cleared away goes as the game's ambient
// animals do, out of the player's sight, so that a long game does not keep
// every camp's animals.
#include "sim/living_world.h"

#include "world/places/propsets.h"

#include <gtest/gtest.h>

using namespace simtest;

namespace {

std::size_t herdSize(const sim::World& world) { return world.wildlife.all().size(); }

int placeHuntingCamp(sim::World& world, const drovil::Vector3& at) {
    const std::uint32_t tent = sim::gameHash("pg_ambient_campfire04x_tent");
    world.propsets.request(tent, world.clock.frame);
    stepFrames(world, static_cast<int>(sim::Propsets::framesToLoad) + 1);
    return world.propsets.place(tent, at, 0.0f, true, world.clock.frame);
}

// The player at a hunting camp in open country, its herd about it: the camp's handle.
int standAtStockedCamp(sim::World& world) {
    world.playerPed().position = openCountry;
    const int camp = placeHuntingCamp(world, openCountry);
    stepFrames(world, 2);
    return camp;
}

} // namespace

TEST(SimWildlife, AGoneCampsHerdLeavesOnceThePlayerIsFarAndIsNotStockedAgain) {
    sim::World world(1);
    const int camp = standAtStockedCamp(world);
    ASSERT_NE(camp, 0);
    const std::size_t herd = herdSize(world);
    ASSERT_GT(herd, 5u) << "a hunting camp gets its herd";
    stepFrames(world, 60);
    EXPECT_EQ(herdSize(world), herd) << "stocked once";

    // A script takes one animal over (a hunter's kill, say): it stays its own.
    const int kept = world.wildlife.all().begin()->first;
    world.entities.find(kept)->missionEntity = true;

    // The camp is handed back to the game; near the player, nothing goes.
    world.propsets.find(camp)->fate = sim::PropsetFate::Released;
    stepFrames(world, 90);
    EXPECT_EQ(herdSize(world), herd) << "nothing goes while the player is about";

    // Far away, the game clears the camp away and its animals with it.
    world.playerPed().position = shifted(openCountry, 2000.0f, 0.0f);
    stepFrames(world, 120);
    EXPECT_TRUE(world.propsets.find(camp)->streamedOut);
    EXPECT_EQ(herdSize(world), 1u) << "only the animal a script holds is left";
    EXPECT_TRUE(world.entities.exists(kept));
    stepFrames(world, 120);
    EXPECT_EQ(herdSize(world), 1u) << "a cleared camp is not stocked again";
}

TEST(SimWildlife, ShotsAlarmTheHerdOnlyWhenFiredAndNotWhenItIsStockedLater) {
    sim::World world(1);
    world.playerPed().position = openCountry;
    const int shooter = addPed(world, shifted(openCountry, 2.0f, 0.0f));
    // More shots than the combat record keeps, before any animal is about.
    for (std::size_t i = 0; i < sim::Combat::keptShots + 10; ++i)
        world.combat.shootTowards(world, shooter, shifted(openCountry, 30.0f, 0.0f));
    ASSERT_NE(placeHuntingCamp(world, openCountry), 0);
    stepFrames(world, 2);
    ASSERT_GT(herdSize(world), 0u);
    for (const auto& [id, animal] : world.wildlife.all())
        EXPECT_FALSE(world.wildlife.isFleeing(id, world.clock.elapsedMs)) << "old shots are not heard";

    world.combat.shootTowards(world, shooter, shifted(openCountry, 30.0f, 0.0f));
    stepFrame(world);
    int fleeing = 0;
    for (const auto& [id, animal] : world.wildlife.all())
        fleeing += world.wildlife.isFleeing(id, world.clock.elapsedMs) ? 1 : 0;
    EXPECT_GT(fleeing, 0) << "a shot fired now, after the record is full, is heard";
}

TEST(SimWildlife, ADeletedCampsHerdLeavesToo) {
    sim::World world(1);
    const int camp = standAtStockedCamp(world);
    ASSERT_NE(camp, 0);
    ASSERT_GT(herdSize(world), 0u);
    world.propsets.find(camp)->fate = sim::PropsetFate::Deleted;
    world.playerPed().position = shifted(openCountry, 2000.0f, 0.0f);
    stepFrames(world, 60);
    EXPECT_EQ(herdSize(world), 0u);
}
