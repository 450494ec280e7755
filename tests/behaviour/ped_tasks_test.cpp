// Ped tasks in the simulated world as the behaviour code gives them: peds walk
// toward their goal at walking pace, aim at entities that move, and lose their
// tasks when they die or are deleted.
#include "behaviour/behaviour_rig.h"
#include "support/game.h"

#include "runtime/natives.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace behaviourtest;

namespace {
float flatDistance(const drovil::Vector3& a, const drovil::Vector3& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}
} // namespace

TEST(PedTasks, ASequenceProgressesStepByStepAndEndsAtMinusOne) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const int ped = addPedNearPlayer(session, 8.0f);
    const int other = addPedNearPlayer(session, 8.0f, 6.0f);

    drovil::TaskSequence sequence;
    test::startOnScriptThread([&] {
        namespace task = drovil::natives::task;
        task::openSequence(&sequence);
        task::lookAtEntity(drovil::Ped(), drovil::Ped(world.player.pedId).entity(), -1, -1, 2048, 3);
        task::goToEntity(drovil::Ped(), drovil::Ped(other).entity(), 20000, 1.0f, 1.0f, 0.0f, 0);
        task::turnToFaceEntity(drovil::Ped(), drovil::Ped(world.player.pedId).entity(), 1000, 0.0f, 0.0f,
                               0.0f);
        task::closeSequence(sequence);
        task::performSequence(drovil::Ped(ped), sequence);
    });
    ASSERT_TRUE(test::finishScriptWork(session, 5));

    // The glance is over at once; the walk then runs while the other ped moves away.
    std::vector<int> seen;
    const drovil::Vector3 origin = world.entities.find(ped)->position;
    float longestStride = 0.0f;
    float apartWhenArrived = -1.0f;
    drovil::Vector3 last = origin;
    ASSERT_TRUE(session.runUntil(
        [&] {
            sim::EntityRecord& moving = *world.entities.find(other);
            moving.position.x += 0.01f; // the other ped shuffles off slowly
            const drovil::Vector3 now = world.entities.find(ped)->position;
            longestStride = std::fmax(longestStride, flatDistance(now, last));
            last = now;
            const int progress = world.tasks.progress(ped);
            if (seen.empty() || seen.back() != progress) {
                seen.push_back(progress);
                if (progress == 2)
                    apartWhenArrived = flatDistance(now, world.entities.find(other)->position);
            }
            return progress == -1;
        },
        1000));
    EXPECT_EQ(seen, (std::vector<int>{1, 2, -1}));
    EXPECT_GE(apartWhenArrived, 0.0f);
    EXPECT_LE(apartWhenArrived, 1.1f) << "the walk ended beside the other ped, where it had moved to";
    EXPECT_LE(longestStride, 1.4f * 0.033f + 0.001f) << "at walking pace";
    EXPECT_GT(flatDistance(origin, world.entities.find(ped)->position), 4.0f);
}

TEST(PedTasks, ATaskIsDroppedWhenItsPedDiesOrIsDeleted) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const int doomed = addPedNearPlayer(session, 5.0f);
    const int deleted = addPedNearPlayer(session, 5.0f, 3.0f);
    const int follower = addPedNearPlayer(session, 5.0f, -3.0f);

    drovil::TaskSequence sequence;
    bool busyBefore = false;
    test::startOnScriptThread([&] {
        namespace task = drovil::natives::task;
        task::openSequence(&sequence);
        task::pause(drovil::Ped(), 60000);
        task::closeSequence(sequence);
        task::performSequence(drovil::Ped(doomed), sequence);
        task::wanderStreets(drovil::Ped(deleted), 10.0f, 10);
        task::followEntity(drovil::Ped(follower), drovil::Ped(doomed).entity(),
                           drovil::Vector3(0.0f, -2.0f, 0.0f), 1.0f, -1, 1.0f, true, 0, 1, 0, 0, 0);
        busyBefore = world.tasks.busy(doomed) && world.tasks.busy(deleted);
    });
    ASSERT_TRUE(test::finishScriptWork(session, 5));
    EXPECT_TRUE(busyBefore);
    session.runFrames(30);
    EXPECT_EQ(world.tasks.progress(doomed), 0);
    EXPECT_TRUE(world.tasks.busy(follower));

    world.entities.find(doomed)->alive = false;
    int progressAfterDeath = -2, followerProgress = -2;
    bool busyAfterDeath = true, deletedBusy = true, followerBusy = false;
    test::startOnScriptThread([&] {
        namespace task = drovil::natives::task;
        progressAfterDeath = task::sequenceProgress(drovil::Ped(doomed));
        busyAfterDeath = world.tasks.busy(doomed);
        drovil::Ped handle(deleted);
        drovil::natives::despawn::deletePed(&handle);
        deletedBusy = world.tasks.busy(deleted) || handle.id != 0;
        followerProgress = task::sequenceProgress(drovil::Ped(follower));
        followerBusy = world.tasks.busy(follower);
    });
    ASSERT_TRUE(test::finishScriptWork(session, 5));
    EXPECT_EQ(progressAfterDeath, -1) << "a dead ped runs no sequence";
    EXPECT_FALSE(busyAfterDeath);
    EXPECT_FALSE(deletedBusy) << "a deleted ped is busy with nothing and its handle is cleared";
    EXPECT_EQ(followerProgress, -1) << "a single task is no sequence";
    EXPECT_TRUE(followerBusy) << "following a body goes on";
    session.runFrames(2);
    EXPECT_EQ(world.tasks.find(doomed)->index, -1);
    EXPECT_FALSE(world.entities.exists(deleted));
}

TEST(PedTasks, AFollowerKeepsToItsOffsetAndAGlanceLeavesThePedFree) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const int leader = addPedNearPlayer(session, 5.0f);
    const int follower = addPedNearPlayer(session, 12.0f);
    const int onlooker = addPedNearPlayer(session, 3.0f, 3.0f);

    bool onlookerBusy = true;
    test::startOnScriptThread([&] {
        namespace task = drovil::natives::task;
        task::followEntity(drovil::Ped(follower), drovil::Ped(leader).entity(),
                           drovil::Vector3(0.0f, -2.0f, 0.0f), 1.0f, -1, 0.5f, true, 0, 1, 0, 0, 0);
        task::lookAtEntity(drovil::Ped(onlooker), drovil::Ped(leader).entity(), -1, 0, 0, 0);
        onlookerBusy = world.tasks.busy(onlooker);
    });
    ASSERT_TRUE(test::finishScriptWork(session, 5));
    EXPECT_FALSE(onlookerBusy) << "a glance is no task that keeps a ped busy";

    // The leader walks off north; the follower closes in to 2 m behind it.
    sim::EntityRecord& lead = *world.entities.find(leader);
    lead.heading = 0.0f;
    for (int frame = 0; frame < 600; ++frame) {
        lead.position.y += 0.02f;
        session.runFrames(1);
    }
    const drovil::Vector3 behind(lead.position.x, lead.position.y - 2.0f, lead.position.z);
    EXPECT_LE(flatDistance(world.entities.find(follower)->position, behind), 0.8f);
    EXPECT_TRUE(world.tasks.busy(follower));
    EXPECT_TRUE(world.tasks.find(onlooker)->looking);
}
