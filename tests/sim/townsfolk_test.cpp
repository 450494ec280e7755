// The simulated game's passers-by: a crowd about the player in town, none in
// open country, taken away once left far behind, walking the town's streets;
// and the player's horse, hitched off the street when he gets down in town.
#include "support/game.h"
#include "support/script_thread.h"

#include "runtime/natives.h"
#include "scenarios/scenario_run.h"
#include "scenarios/towns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

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

namespace {

// Frames of the game with the position of every passer-by taken after each:
// the farthest any got from where it first stood, the farthest any ever stood
// from a street, the longest step any took in one frame, and whether any ever
// stood outside the town it appeared in.
struct Walks {
    float farthestFromStart = 0.0f;
    float farthestOffStreet = 0.0f;
    float longestStepPerSecond = 0.0f;
    bool leftTown = false;
};

Walks watchWalks(sim::Session& session, int frames) {
    sim::World& world = session.world();
    std::map<int, drovil::Vector3> start, last;
    Walks walks;
    for (int frame = 0; frame < frames; ++frame) {
        session.runFrames(1);
        const float seconds = static_cast<float>(world.clock.frameMs) / 1000.0f;
        for (const auto& [id, passerBy] : world.townsfolk.all()) {
            if (!world.townsfolk.isAmbient(world, id) || world.fleeing.isFleeing(id, world.clock.elapsedMs))
                continue;
            const drovil::Vector3 at = world.entities.find(id)->position;
            start.emplace(id, at);
            if (last.count(id))
                walks.longestStepPerSecond =
                    std::max(walks.longestStepPerSecond, std::hypot(at.x - last[id].x, at.y - last[id].y) / seconds);
            last[id] = at;
            walks.farthestFromStart =
                std::max(walks.farthestFromStart, std::hypot(at.x - start[id].x, at.y - start[id].y));
            walks.farthestOffStreet =
                std::max(walks.farthestOffStreet, world.geography.streets().distanceToStreet(at));
            walks.leftTown = walks.leftTown || world.geography.townAt(at.x, at.y) != passerBy.town;
        }
    }
    return walks;
}

} // namespace

TEST(Townsfolk, PassersByWalkTheirTownsStreetsAtAWalkFromCornerToCornerAndKeepToThem) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    // Three minutes on Valentine's main street, then as long by Blackwater's.
    Walks valentine = watchWalks(session, 30 * 180);
    session.world().playerPed().position = drovil::Vector3(-870.7f, -1371.78f, 44.112f);
    Walks blackwater = watchWalks(session, 30 * 180);
    for (const Walks& walks : {valentine, blackwater}) {
        EXPECT_GT(walks.farthestFromStart, 40.0f) << "they walk on down the streets, not about one spot";
        EXPECT_LE(walks.farthestOffStreet, 3.0f) << "they keep to the streets, either side of the middle";
        EXPECT_LE(walks.longestStepPerSecond, 1.5f) << "at a walk";
        EXPECT_GT(walks.longestStepPerSecond, 1.2f);
        EXPECT_FALSE(walks.leftTown);
    }
}

TEST(Townsfolk, APasserByHandedBackFarFromTheStreetsWalksBackToThem) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    session.runFrames(world.townsfolk.framesBetweenChecks + 1);
    ASSERT_FALSE(world.townsfolk.all().empty());
    const int led = world.townsfolk.all().begin()->first;
    const std::uint32_t town = world.townsfolk.all().begin()->second.town;
    ASSERT_NE(town, 0u);
    // A script takes him over, leads him out of town past its last houses,
    // and lets him go there.
    sim::EntityRecord& record = *world.entities.find(led);
    record.missionEntity = true;
    session.runFrames(2);
    // Just past the edge of Valentine, within the game's reach of the player.
    record.position = drovil::Vector3(-359.0f, 902.0f, 120.0f);
    ASSERT_EQ(world.geography.townAt(record.position.x, record.position.y), 0u);
    ASSERT_GT(world.geography.streets().distanceToStreet(record.position), 20.0f);
    record.missionEntity = false;
    session.runFor(4 * 60 * 1000);
    ASSERT_NE(world.entities.find(led), nullptr);
    const drovil::Vector3 now = world.entities.find(led)->position;
    EXPECT_EQ(world.geography.townAt(now.x, now.y), town) << "back in his own town";
    EXPECT_LE(world.geography.streets().distanceToStreet(now), 3.0f) << "on its streets again";
}

namespace {

// The ped the game finds nearest to a point within the radius, of any type,
// leaving the player out: what a script looking for someone on a street gets.
int nearestPedTo(sim::Session& session, const drovil::Vector3& point, float radius) {
    drovil::Ped found;
    test::runOnScriptThread(session, [&] {
        drovil::natives::ambient::closestPed(point, radius, true, false, &found, false, true, 1, -1);
    });
    return found.id;
}

} // namespace

TEST(Townsfolk, ARiderGettingDownInTownHitchesHisHorseOffTheStreetAwayFromWherePeopleGather) {
    sim::Session session;
    session.world().townsfolk.enabled = false; // nobody about but him and his horse
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    sim::ScenarioRun run(session, 40000, nullptr);
    const sim::TownStreets& streets = world.geography.streets();
    for (const char* name : {"Tumbleweed", "Valentine", "Saint Denis"}) {
        SCOPED_TRACE(name);
        const sim::StartingTown& town = *sim::findTown(name);
        // He rides right up to the main street's bench and gets down there.
        drovil::Vector3 edge = town.mainStreet;
        edge.x += 60.0f;
        world.playerPed().position = edge;
        ASSERT_TRUE(run.rideTo(town.mainStreet, 2.0f, 60 * 1000));
        run.player().dismount();
        const int horse = run.player().ownHorse();
        const drovil::Vector3 hitched = world.entities.find(horse)->position;
        EXPECT_LE(run.player().distanceTo(hitched), 4.0f) << "he gets down beside it";
        EXPECT_GE(streets.distanceToStreet(hitched), sim::TownStreets::hitchOffStreet) << "off the street";
        EXPECT_LE(std::hypot(hitched.x - town.mainStreet.x, hitched.y - town.mainStreet.y), 40.0f)
            << "a few steps from where he was going";
        // Walking back to the bench, nobody is found standing by it: not his horse.
        ASSERT_TRUE(run.travelTo(town.mainStreet, sim::Gait::Walk, 1.0f, 60 * 1000));
        EXPECT_NE(nearestPedTo(session, town.mainStreet, 12.0f), horse);
        EXPECT_EQ(nearestPedTo(session, town.mainStreet, 12.0f), 0);
        // Whistled for, it comes to him; he rides off again.
        ASSERT_TRUE(run.callHorse(30 * 1000));
        ASSERT_TRUE(run.player().mount());
    }
    // Out of town he gets down where he is: there is no street to keep clear.
    world.playerPed().position = drovil::Vector3(-800.0f, 300.0f, 100.0f);
    ASSERT_TRUE(run.rideTo(drovil::Vector3(-820.0f, 300.0f, 100.0f), 2.0f, 60 * 1000));
    const drovil::Vector3 before = run.player().position();
    run.player().dismount();
    EXPECT_LE(std::hypot(world.entities.find(run.player().ownHorse())->position.x - before.x,
                         world.entities.find(run.player().ownHorse())->position.y - before.y),
              0.1f);
}
