// The game's ped groups in the simulated world: a leader and at most seven
// followers, a formation the idle followers keep to, and no bearing on the
// relationship group a ped belongs to.
#include "sim/living_world.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace simtest;

TEST(SimPedGroups, EightPedsAtMostALeaderAndOneGroupAPed) {
    sim::World world(1);
    const int group = world.pedGroups.create();
    ASSERT_NE(group, 0);
    const int leader = addPed(world, openCountry);
    ASSERT_TRUE(world.pedGroups.setLeader(leader, group));
    std::vector<int> followers;
    for (int i = 0; i < 8; ++i)
        followers.push_back(addPed(world, shifted(openCountry, 1.0f + static_cast<float>(i), 0.0f)));
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(world.pedGroups.addFollower(followers[static_cast<std::size_t>(i)], group));
    EXPECT_FALSE(world.pedGroups.addFollower(followers[7], group)) << "the eighth follower would make nine";
    EXPECT_EQ(world.pedGroups.size(group), 8);
    EXPECT_EQ(world.pedGroups.groupOf(followers[7]), 0);
    EXPECT_EQ(world.pedGroups.find(group)->leader, leader);

    // Joining another group leaves the first; the group says nothing of the
    // ped's relationship group.
    const int other = world.pedGroups.create();
    ASSERT_TRUE(world.pedGroups.addFollower(followers[0], other));
    EXPECT_EQ(world.pedGroups.groupOf(followers[0]), other);
    EXPECT_EQ(world.pedGroups.size(group), 7);
    EXPECT_EQ(world.relationships.groupOf(world, followers[0]), sim::RelationshipGroups::civilianMen());
}

TEST(SimPedGroups, IdleFollowersKeepToTheirPlacesInTheFormation) {
    sim::World world(1);
    const int group = world.pedGroups.create();
    world.pedGroups.setFormation(group, 3); // a line through the leader
    const int leader = addPed(world, openCountry, 0.0f);
    world.pedGroups.setLeader(leader, group);
    const int follower = addPed(world, shifted(openCountry, 0.0f, -30.0f));
    const int busy = addPed(world, shifted(openCountry, 0.0f, -30.0f));
    world.pedGroups.addFollower(follower, group);
    world.pedGroups.addFollower(busy, group);
    sim::TaskStep pause;
    pause.kind = sim::TaskKind::Pause;
    pause.durationMs = 60000;
    world.tasks.give(busy, pause, world.clock.elapsedMs);

    stepFrames(world, 30 * 30);
    const drovil::Vector3 place = world.pedGroups.placeInFormation(world, group, follower);
    const drovil::Vector3& at = world.entities.find(follower)->position;
    EXPECT_LT(std::hypot(at.x - place.x, at.y - place.y), sim::PedGroups::keepUpDistance);
    EXPECT_NEAR(place.y, openCountry.y, 0.01f) << "beside the leader, in the line";
    EXPECT_TRUE(world.tasks.history(follower).empty()) << "keeping up is no task of its own";
    const drovil::Vector3& stayed = world.entities.find(busy)->position;
    EXPECT_NEAR(stayed.y, openCountry.y - 30.0f, 0.01f) << "a follower with a task of its own does that";
}
