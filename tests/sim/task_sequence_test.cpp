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

// The game's status of a script task, by the task's hash: waiting, performed,
// finished (8) until the ped is given another task, and not found (7) for a
// task it was never given or only has as a step of a sequence.
TEST(SimTaskSequence, AScriptTaskIsFinishedUntilThePedIsGivenAnotherAndAStepOfASequenceIsNotFound) {
    sim::World world(1);
    const int ped = addPed(world, openCountry);
    const std::uint32_t wander = sim::gameHash("SCRIPT_TASK_WANDER_STANDARD");
    const std::uint32_t board = sim::gameHash("SCRIPT_TASK_BOARD_VEHICLE");
    const std::uint32_t sequenceTask = sim::gameHash("SCRIPT_TASK_PERFORM_SEQUENCE");
    EXPECT_EQ(world.tasks.scriptTaskStatus(ped, wander), 7) << "never given";

    sim::TaskStep walk;
    walk.kind = sim::TaskKind::GoTo;
    walk.point = shifted(openCountry, 3.0f, 0.0f);
    walk.durationMs = -1;
    walk.scriptTask = wander;
    world.tasks.give(ped, walk, world.clock.elapsedMs);
    EXPECT_EQ(world.tasks.scriptTaskStatus(ped, wander), 0) << "given, not yet begun";
    stepFrame(world);
    EXPECT_EQ(world.tasks.scriptTaskStatus(ped, wander), 1);
    EXPECT_EQ(world.tasks.scriptTaskStatus(ped, board), 7);
    stepFrames(world, 30 * 3);
    EXPECT_FALSE(world.tasks.busy(ped));
    EXPECT_EQ(world.tasks.scriptTaskStatus(ped, wander), 8) << "walked there: finished";
    stepFrames(world, 30 * 5);
    EXPECT_EQ(world.tasks.scriptTaskStatus(ped, wander), 8) << "and stays so";

    // Another task, one the status has no hash for: the first is not found.
    sim::TaskStep pause;
    pause.kind = sim::TaskKind::Pause;
    pause.durationMs = 500;
    world.tasks.give(ped, pause, world.clock.elapsedMs);
    EXPECT_EQ(world.tasks.scriptTaskStatus(ped, wander), 7);
    stepFrames(world, 30);
    EXPECT_EQ(world.tasks.scriptTaskStatus(ped, wander), 7);

    // A step of a sequence is no script task of the ped's: the sequence is.
    const int sequence = world.tasks.openSequence();
    sim::TaskStep walkBack = walk;
    walkBack.point = openCountry;
    world.tasks.give(0, walkBack, world.clock.elapsedMs);
    world.tasks.closeSequence(sequence);
    world.tasks.perform(ped, sequence, world.clock.elapsedMs);
    stepFrame(world);
    EXPECT_EQ(world.tasks.scriptTaskStatus(ped, sequenceTask), 1);
    EXPECT_EQ(world.tasks.scriptTaskStatus(ped, wander), 7);
    stepFrames(world, 30 * 4);
    EXPECT_EQ(world.tasks.progress(ped), -1);
    EXPECT_EQ(world.tasks.scriptTaskStatus(ped, sequenceTask), 8);
    EXPECT_EQ(world.tasks.scriptTaskStatus(ped, wander), 7) << "never finished as a task of its own";

    // Tasks taken away: nothing is left to report.
    world.tasks.clear(ped);
    EXPECT_EQ(world.tasks.scriptTaskStatus(ped, sequenceTask), 7);
}
