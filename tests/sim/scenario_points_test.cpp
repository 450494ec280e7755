// The game's scenario points in the simulated world: the seats of the map and
// of a camp, script points, and peds walking to a point and using it, one at a
// time, until they get up the way a script asked.
#include "sim/living_world.h"

#include "world/places/scenario_point_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace simtest;
using drovil::Vector3;

namespace {

sim::TaskStep useNearest(const Vector3& near, float distance, int durationMs, bool warp = false) {
    sim::TaskStep step;
    step.kind = sim::TaskKind::UseNearestScenario;
    step.point = near;
    step.radius = distance;
    step.durationMs = durationMs;
    step.warp = warp;
    return step;
}

float apart(const Vector3& a, const Vector3& b) { return std::hypot(a.x - b.x, a.y - b.y); }

} // namespace

TEST(SimScenarioPoints, AWalkerUsesItsPointOnlyOnceThereAndGetsUpWhenItsTimeIsOver) {
    sim::World world(1);
    const int ped = addPed(world, openCountry);
    const std::uint32_t bench = sim::gameHash("PROP_HUMAN_SEAT_BENCH");
    const int point = world.scenarioPoints.createAt(bench, shifted(openCountry, 6.0f, 0.0f), 90.0f);
    world.tasks.give(ped, useNearest(shifted(openCountry, 4.0f, 0.0f), 10.0f, 3000), world.clock.elapsedMs);

    stepFrame(world);
    EXPECT_FALSE(world.tasks.usingScenario(ped)) << "on its way, it does not use the point yet";
    EXPECT_EQ(sim::ScenarioPoints::takenBy(world, point), ped) << "but keeps it for itself";
    EXPECT_EQ(sim::ScenarioPoints::typeUsedBy(world, ped), 0u);

    // Six metres at a walk.
    stepFrames(world, 30 * 5);
    ASSERT_TRUE(world.tasks.usingScenario(ped));
    const sim::EntityRecord& record = *world.entities.find(ped);
    EXPECT_LT(apart(record.position, world.scenarioPoints.find(point)->position), 0.01f);
    EXPECT_FLOAT_EQ(record.heading, 90.0f);
    EXPECT_EQ(world.tasks.find(ped)->scenario, bench);
    EXPECT_EQ(sim::ScenarioPoints::typeUsedBy(world, ped), bench);

    // Three seconds on the bench, counted from the arrival.
    stepFrames(world, 30 * 3 + 5);
    EXPECT_FALSE(world.tasks.usingScenario(ped));
    EXPECT_FALSE(world.tasks.busy(ped));
    EXPECT_EQ(sim::ScenarioPoints::takenBy(world, point), 0);
}

TEST(SimScenarioPoints, APointServesOnePedAndWithNoneInReachTheTaskEndsAtOnce) {
    sim::World world(1);
    const int first = addPed(world, openCountry);
    const int second = addPed(world, shifted(openCountry, 0.0f, 2.0f));
    const int point =
        world.scenarioPoints.createAt(sim::gameHash("WORLD_HUMAN_SMOKE"), shifted(openCountry, 3.0f, 0.0f), 0.0f);
    world.tasks.give(first, useNearest(openCountry, 5.0f, -1), world.clock.elapsedMs);
    stepFrame(world);
    ASSERT_EQ(sim::ScenarioPoints::takenBy(world, point), first);

    world.tasks.give(second, useNearest(openCountry, 5.0f, -1), world.clock.elapsedMs);
    stepFrame(world);
    EXPECT_FALSE(world.tasks.busy(second)) << "the only point in reach is taken";
    EXPECT_EQ(sim::ScenarioPoints::takenBy(world, point), first);

    // A point too far for the distance asked is out of reach as well.
    const int third = addPed(world, shifted(openCountry, 30.0f, 0.0f));
    world.tasks.give(third, useNearest(shifted(openCountry, 30.0f, 0.0f), 10.0f, -1), world.clock.elapsedMs);
    stepFrame(world);
    EXPECT_FALSE(world.tasks.busy(third));
}

TEST(SimScenarioPoints, TheWarpingTaskPutsThePedOnItsPointAtOnce) {
    sim::World world(1);
    const int ped = addPed(world, openCountry);
    const int point =
        world.scenarioPoints.createAt(sim::gameHash("WORLD_HUMAN_INSPECT"), shifted(openCountry, 8.0f, 0.0f), 45.0f);
    world.tasks.give(ped, useNearest(openCountry, 10.0f, 5000, true), world.clock.elapsedMs);
    stepFrame(world);
    EXPECT_TRUE(world.tasks.usingScenario(ped));
    EXPECT_LT(apart(world.entities.find(ped)->position, world.scenarioPoints.find(point)->position), 0.01f);
}

TEST(SimScenarioPoints, GettingUpFollowsTheExitAScriptAskedFor) {
    sim::World world(1);
    const int ped = addPed(world, openCountry);
    world.scenarioPoints.createAt(sim::gameHash("PROP_HUMAN_SEAT_CHAIR"), openCountry, 0.0f);
    world.tasks.give(ped, useNearest(openCountry, 2.0f, -1), world.clock.elapsedMs);
    stepFrames(world, 2);
    ASSERT_TRUE(world.tasks.usingScenario(ped));

    // Quick, looking east: the ped faces east once it is up.
    sim::PedActivity& activity = world.tasks.of(ped);
    activity.exit = sim::ScenarioExit::Quick;
    activity.exitPoint = shifted(openCountry, 10.0f, 0.0f);
    sim::TaskStep pause;
    pause.kind = sim::TaskKind::Pause;
    pause.durationMs = 1000;
    world.tasks.give(ped, pause, world.clock.elapsedMs);
    stepFrame(world);
    EXPECT_NEAR(world.entities.find(ped)->heading, 270.0f, 0.5f);
    EXPECT_EQ(world.tasks.find(ped)->exit, sim::ScenarioExit::Normal) << "the exit is used up";

    // In a panic from the east: it turns away, to the west.
    stepFrames(world, 40);
    world.tasks.give(ped, useNearest(openCountry, 2.0f, -1), world.clock.elapsedMs);
    stepFrames(world, 2);
    ASSERT_TRUE(world.tasks.usingScenario(ped));
    world.tasks.of(ped).exit = sim::ScenarioExit::Panic;
    world.tasks.of(ped).exitPoint = shifted(openCountry, 10.0f, 0.0f);
    world.tasks.clear(ped);
    stepFrame(world);
    EXPECT_NEAR(world.entities.find(ped)->heading, 90.0f, 0.5f);
}

TEST(SimScenarioPoints, TheMapHasSeatsOfEveryKindAPlayerSitsOn) {
    sim::World world(1);
    std::set<std::uint32_t> types;
    for (const auto& [handle, point] : world.scenarioPoints.all())
        types.insert(point.type);
    for (const sim::SeatKind* kind : sim::seats::all())
        EXPECT_EQ(types.count(kind->pointType), 1u) << kind->scenario;
    // A bench by Valentine's main street, and a seat prop at a named place.
    const Vector3 mainStreet(-312.085f, 830.793f, 119.576f);
    int benches = 0;
    for (const auto& [handle, point] : world.scenarioPoints.all())
        benches += point.type == sim::seats::bench.pointType && apart(point.position, mainStreet) < 5.0f ? 1 : 0;
    EXPECT_EQ(benches, 1);
    int seatProps = 0;
    for (const auto& [id, record] : world.entities.all())
        seatProps += record.kind == sim::EntityKind::Object ? 1 : 0;
    EXPECT_EQ(seatProps, static_cast<int>(sim::seatPropTable().size()));
}

TEST(SimScenarioPoints, ACampsPointsTurnWithItAndGoWithIt) {
    sim::World world(1);
    const int propset = 4711;
    world.scenarioPoints.addPropsetPoints(propset, openCountry, 90.0f);
    int points = 0;
    for (const auto& [handle, point] : world.scenarioPoints.all()) {
        if (point.propset != propset)
            continue;
        ++points;
        EXPECT_LE(apart(point.position, openCountry), 7.0f);
    }
    ASSERT_EQ(points, static_cast<int>(sim::campPointTable().size()));
    // The seat 2.2 m ahead of a camp facing west (90 degrees) is west of its fire.
    int westSeat = 0;
    for (const auto& [handle, point] : world.scenarioPoints.all())
        if (point.propset == propset && apart(point.position, shifted(openCountry, -2.2f, 0.0f)) < 0.01f)
            westSeat = handle;
    ASSERT_NE(westSeat, 0);
    EXPECT_EQ(world.scenarioPoints.find(westSeat)->type, sim::seats::campFire.pointType);

    const int ped = addPed(world, shifted(openCountry, -3.0f, 0.0f));
    world.tasks.give(ped, useNearest(shifted(openCountry, -2.2f, 0.0f), 0.5f, -1, true), world.clock.elapsedMs);
    stepFrame(world);
    ASSERT_TRUE(world.tasks.usingScenario(ped));
    world.scenarioPoints.removePropsetPoints(propset);
    stepFrame(world);
    EXPECT_FALSE(world.tasks.busy(ped)) << "the seat went with the camp";
}

TEST(SimScenarioPoints, APointOnAnEntityMovesWithItAndGoesWithIt) {
    sim::World world(1);
    sim::EntityRecord& wagon = world.entities.create(sim::EntityKind::Vehicle, sim::gameHash("wagon02x"),
                                                     openCountry, 0.0f);
    const int wagonId = wagon.id;
    const int point = world.scenarioPoints.createOnEntity(world, wagonId, sim::gameHash("WORLD_HUMAN_LEAN"),
                                                          Vector3(0.0f, 2.0f, 0.5f), 0.0f);
    ASSERT_NE(point, 0);
    EXPECT_NEAR(world.scenarioPoints.find(point)->position.y, openCountry.y + 2.0f, 0.01f);
    EXPECT_NEAR(world.scenarioPoints.find(point)->position.z, openCountry.z + 0.5f, 0.01f);
    world.entities.find(wagonId)->position.x += 10.0f;
    stepFrame(world);
    EXPECT_NEAR(world.scenarioPoints.find(point)->position.x, openCountry.x + 10.0f, 0.01f);
    world.entities.remove(wagonId);
    stepFrame(world);
    EXPECT_FALSE(world.scenarioPoints.exists(point));
    EXPECT_EQ(world.scenarioPoints.createOnEntity(world, wagonId, 1, Vector3(), 0.0f), 0) << "no entity, no point";
}
