// The simulated game's passers-by: a crowd about the player in town, none in
// open country, taken away once left far behind.
#include "support/game.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

int passersByWithin(sim::World& world, float metres) {
    const drovil::Vector3 centre = world.playerPed().position;
    int count = 0;
    for (const auto& [id, passerBy] : world.townsfolk.all()) {
        const drovil::Vector3& at = world.entities.find(id)->position;
        count += std::hypot(at.x - centre.x, at.y - centre.y) <= metres ? 1 : 0;
    }
    return count;
}

} // namespace

TEST(Townsfolk, ACrowdStrollsAboutThePlayerInTownOnly) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    session.runFrames(world.townsfolk.framesBetweenChecks + 1);
    ASSERT_EQ(passersByWithin(world, world.townsfolk.crowdRadius), world.townsfolk.crowdSize)
        << "the player starts on Valentine's main street";
    for (const auto& [id, passerBy] : world.townsfolk.all()) {
        EXPECT_TRUE(world.townsfolk.isAmbient(world, id));
        EXPECT_TRUE(passerBy.strolling);
        EXPECT_NE(world.geography.townAt(passerBy.home.x, passerBy.home.y), 0u);
    }
    const int first = world.townsfolk.all().begin()->first;
    const drovil::Vector3 before = world.entities.find(first)->position;
    session.runFrames(400);
    const drovil::Vector3 after = world.entities.find(first)->position;
    EXPECT_GT(std::hypot(after.x - before.x, after.y - before.y), 0.5f) << "they walk about";

    // Out in open country the town's crowd is left behind and taken away.
    world.playerPed().position = drovil::Vector3(-800.0f, 300.0f, 100.0f);
    ASSERT_EQ(world.geography.townAt(-800.0f, 300.0f), 0u);
    session.runFrames(world.townsfolk.framesBetweenChecks + 1);
    EXPECT_TRUE(world.townsfolk.all().empty());
    EXPECT_GE(world.townsfolk.removedCount(), world.townsfolk.crowdSize);

    world.playerPed().position = drovil::Vector3(-312.0f, 830.0f, 119.5f);
    session.runFrames(world.townsfolk.framesBetweenChecks + 1);
    EXPECT_EQ(passersByWithin(world, world.townsfolk.crowdRadius), world.townsfolk.crowdSize);
}
