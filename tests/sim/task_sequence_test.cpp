// Task sequences in the simulated world, built step by step with ped 0 and then
// performed: each step runs in turn at its own pace and the progress tells
// which; a sequence ending in an endless scenario keeps the ped at it.
#include "sim/living_world.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace simtest;
using drovil::Vector3;

TEST(SimTaskSequence, StepsRunInTurnAtTheirOwnPace) {
    sim::World world(1);
    const int ped = addPed(world, openCountry);
    const int sequence = world.tasks.openSequence();
    sim::TaskStep ready;
    ready.kind = sim::TaskKind::SwapWeapon;
    sim::TaskStep walk;
    walk.kind = sim::TaskKind::GoTo;
    walk.point = shifted(openCountry, 14.0f, 0.0f);
    walk.speed = 1.0f;
    walk.durationMs = -1;
    walk.stopRange = 0.5f;
    sim::TaskStep pause;
    pause.kind = sim::TaskKind::Pause;
    pause.durationMs = 2000;
    sim::TaskStep stand;
    stand.kind = sim::TaskKind::ScenarioInPlace;
    stand.scenario = sim::gameHash("WORLD_HUMAN_GUARD_SCOUT");
    stand.durationMs = -1;
    for (const sim::TaskStep& step : {ready, walk, pause, stand})
        world.tasks.give(0, step, world.clock.elapsedMs);
    world.tasks.closeSequence(sequence);
    EXPECT_EQ(world.tasks.sequenceSteps(sequence)->size(), 4u);
    EXPECT_EQ(world.tasks.progress(ped), -1);

    world.tasks.perform(ped, sequence, world.clock.elapsedMs);
    stepFrame(world);
    EXPECT_EQ(world.tasks.progress(ped), 0) << "taking out a weapon takes a moment";
    stepFrames(world, 19);
    EXPECT_EQ(world.tasks.progress(ped), 1);
    // 13.5 m at a walk (1.4 m/s) takes close to ten seconds.
    stepFrames(world, 30 * 9);
    EXPECT_EQ(world.tasks.progress(ped), 1);
    stepFrames(world, 30 * 1);
    EXPECT_EQ(world.tasks.progress(ped), 2);
    const Vector3& at = world.entities.find(ped)->position;
    EXPECT_NEAR(std::hypot(at.x - walk.point.x, at.y - walk.point.y), 0.5f, 0.1f);
    stepFrames(world, 30 * 2 + 2);
    EXPECT_EQ(world.tasks.progress(ped), 3);
    stepFrames(world, 30 * 30);
    EXPECT_EQ(world.tasks.progress(ped), 3) << "standing guard has no end";
    EXPECT_EQ(world.tasks.find(ped)->scenario, stand.scenario);

    world.tasks.clear(ped);
    EXPECT_EQ(world.tasks.progress(ped), -1);
    EXPECT_FALSE(world.tasks.busy(ped));
}

TEST(SimTaskSequence, FightingAndDeathStopATaskAndASingleTaskIsNoSequence) {
    sim::World world(1);
    world.playerPed().position = shifted(openCountry, 0.0f, 30.0f);
    const int ped = addPed(world, openCountry);
    sim::TaskStep pause;
    pause.kind = sim::TaskKind::Pause;
    pause.durationMs = 5000;
    world.tasks.give(ped, pause, world.clock.elapsedMs);
    stepFrame(world);
    EXPECT_TRUE(world.tasks.busy(ped));
    EXPECT_EQ(world.tasks.progress(ped), -1) << "a single task is not a sequence";

    world.combat.startFight(world, ped, world.player.pedId);
    EXPECT_FALSE(world.tasks.busy(ped)) << "a ped sent to fight drops its task";
}

TEST(SimTaskSequence, APedsTaskHistoryKeepsItsLatestStepsWithoutGrowingForEver) {
    // Hours of a guard re-tasked every minute: the history stays bounded.
    sim::World world(1);
    const int ped = addPed(world, openCountry);
    sim::TaskStep wander;
    wander.kind = sim::TaskKind::Wander;
    wander.radius = 10.0f;
    for (int minute = 0; minute < 5000; ++minute) {
        wander.durationMs = minute;
        world.tasks.give(ped, wander, world.clock.elapsedMs);
    }
    const auto& history = world.tasks.history(ped);
    EXPECT_LE(history.size(), 2 * sim::PedTasks::historyLimit);
    EXPECT_GE(history.size(), sim::PedTasks::historyLimit);
    EXPECT_EQ(history.back().durationMs, 4999) << "the newest step is last";
    EXPECT_EQ(history[history.size() - 2].durationMs, 4998);
}
