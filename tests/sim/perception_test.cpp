// What peds of the simulated world perceive: foliage in the game's encoding,
// the player's noise by how he moves, gunshots and bullets passing by, dead
// bodies in view, and sight limited to the range a ped was given.
#include "sim/living_world.h"

#include <gtest/gtest.h>

using namespace simtest;
using drovil::Vector3;

namespace {
std::uint32_t eventHash(const char* name) {
    return sim::gameHash(name);
}

// The player moves `metresPerFrame` north every frame for `frames` frames.
void walkPlayer(sim::World& world, float metresPerFrame, int frames) {
    for (int i = 0; i < frames; ++i)
        stepFrame(world, [&] { world.playerPed().position.y += metresPerFrame; });
}

float perFrame(const sim::World& world, float metresPerSecond) {
    return metresPerSecond * static_cast<float>(world.clock.frameMs) / 1000.0f;
}
} // namespace

TEST(SimPerception, FoliageIsReportedInTheGamesEncodingDensestPatchFirst) {
    sim::World world(1);
    sim::Perception& senses = world.perception;
    EXPECT_EQ(sim::foliageDensityForCover(0.0f), 55);
    EXPECT_EQ(sim::foliageDensityForCover(1.0f), 72);
    senses.addFoliage(openCountry, 10.0f, 60);
    senses.addFoliage(shifted(openCountry, 3.0f, 0.0f), 2.0f, 81);

    auto code = [&](const Vector3& at) {
        return (static_cast<int>(senses.foliageValueAt(at)) / 1000000) % 100;
    };
    EXPECT_EQ(code(openCountry), 60);
    EXPECT_EQ(code(shifted(openCountry, 3.5f, 0.0f)), 81) << "the densest patch over a point counts";
    EXPECT_EQ(code(shifted(openCountry, 11.0f, 0.0f)), 0) << "open ground outside every patch";
}

TEST(SimPerception, ThePlayersNoiseFollowsHowHeMoves) {
    sim::World world(1);
    world.playerPed().position = openCountry;
    const int player = world.player.pedId;
    stepFrames(world, 2);
    EXPECT_FLOAT_EQ(world.perception.playerNoise(world), sim::NoiseLevels::still);

    walkPlayer(world, perFrame(world, 1.4f), 3);
    EXPECT_EQ(world.perception.movementOf(player), sim::Movement::Walking);
    EXPECT_FLOAT_EQ(world.perception.playerNoise(world), sim::NoiseLevels::walking);
    walkPlayer(world, perFrame(world, 3.5f), 3);
    EXPECT_FLOAT_EQ(world.perception.playerNoise(world), sim::NoiseLevels::running);
    walkPlayer(world, perFrame(world, 6.0f), 3);
    EXPECT_FLOAT_EQ(world.perception.playerNoise(world), sim::NoiseLevels::sprinting);

    world.perception.setCrouching(player, true);
    walkPlayer(world, perFrame(world, 1.0f), 3);
    EXPECT_FLOAT_EQ(world.perception.playerNoise(world),
                    sim::NoiseLevels::walking * sim::NoiseLevels::crouchedFactor);

    // A jump across the map is no step at all.
    walkPlayer(world, 500.0f, 1);
    EXPECT_FLOAT_EQ(world.perception.playerNoise(world), sim::NoiseLevels::still);

    // A shot is loud for a second, crouched or not.
    world.combat.shootTowards(world, player, shifted(world.playerPed().position, 0.0f, 50.0f));
    EXPECT_FLOAT_EQ(world.perception.playerNoise(world), sim::NoiseLevels::shooting);
    stepFrames(world, 20);
    EXPECT_FLOAT_EQ(world.perception.playerNoise(world), sim::NoiseLevels::shooting);
    stepFrames(world, 20);
    EXPECT_FLOAT_EQ(world.perception.playerNoise(world), sim::NoiseLevels::still);
}

TEST(SimPerception, GunshotsAreHeardWithinEarshotAndBulletsWhizzByThoseNearTheirPath) {
    sim::World world(1);
    world.playerPed().position = shifted(openCountry, 0.0f, 2000.0f);
    const int shooter = addPed(world, openCountry);
    const int near = addPed(world, shifted(openCountry, 100.0f, 0.0f));
    const int far = addPed(world, shifted(openCountry, 0.0f, -200.0f));
    const int beside = addPed(world, shifted(openCountry, 30.0f, 2.0f));
    stepFrame(world);

    world.combat.shootTowards(world, shooter, shifted(openCountry, 60.0f, 0.0f));
    const std::uint64_t now = world.clock.elapsedMs;
    const std::uint32_t fired = eventHash("EVENT_SHOT_FIRED");
    const std::uint32_t whizzed = eventHash("EVENT_SHOT_FIRED_WHIZZED_BY");
    EXPECT_EQ(world.perception.newestEvent(near, now), fired);
    EXPECT_EQ(world.perception.eventSource(near, fired, now), shooter);
    EXPECT_EQ(world.perception.newestEvent(far, now), 0u) << "200 m is out of earshot";
    EXPECT_EQ(world.perception.newestEvent(beside, now), whizzed) << "the bullet passed 2 m from him";
    EXPECT_EQ(world.perception.eventSource(beside, whizzed, now), shooter);
    EXPECT_EQ(world.perception.newestEvent(shooter, now), 0u) << "nobody reacts to his own shot";

    stepFrames(world, 40);
    EXPECT_EQ(world.perception.newestEvent(near, world.clock.elapsedMs), 0u) << "events wear off";
    EXPECT_TRUE(world.perception.eventsOf(beside).empty());
}

TEST(SimPerception, DeadBodiesAreNoticedOnlyWithinSight) {
    sim::World world(1);
    world.playerPed().position = shifted(openCountry, 0.0f, 2000.0f);
    const int body = addPed(world, openCountry);
    const int watcher = addPed(world, shifted(openCountry, 20.0f, 0.0f));
    const int shortSighted = addPed(world, shifted(openCountry, -20.0f, 0.0f));
    const int distant = addPed(world, shifted(openCountry, 0.0f, 60.0f));
    const int stunned = addPed(world, shifted(openCountry, 0.0f, -5.0f));
    world.perception.setSeeingRange(world, shortSighted, 10.0f);
    world.combat.knockOut(world, stunned, 0);
    world.combat.kill(world, body, 0);
    stepFrames(world, 12);

    const std::uint32_t deadBody = eventHash("EVENT_SHOCKING_DEAD_BODY");
    const std::uint64_t now = world.clock.elapsedMs;
    EXPECT_EQ(world.perception.newestEvent(watcher, now), deadBody);
    EXPECT_EQ(world.perception.eventSource(watcher, deadBody, now), body);
    EXPECT_EQ(world.perception.newestEvent(shortSighted, now), 0u) << "20 m is past its 10 m of sight";
    EXPECT_EQ(world.perception.newestEvent(distant, now), 0u) << "too far to notice";
    EXPECT_EQ(world.perception.newestEvent(stunned, now), 0u) << "a knocked-out ped sees nothing";

    EXPECT_TRUE(world.perception.canSee(world, watcher, body));
    EXPECT_FALSE(world.perception.canSee(world, shortSighted, body));
    world.perception.setSeeingRange(world, shortSighted, 25.0f);
    EXPECT_TRUE(world.perception.canSee(world, shortSighted, body));
}
