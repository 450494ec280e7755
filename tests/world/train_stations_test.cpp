// The train station registry in a running game: nearest stations, the fixed
// points, and the points computed from the simulated railway.
#include "support/game.h"
#include "support/script_thread.h"

#include "world/train_stations.h"
#include "world/world_data_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace {
using drovil::StationRemotePoint;
using drovil::TrainStations;
using drovil::Vector3;

float distance3(const Vector3& a, const Vector3& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

Vector3 midpoint(const Vector3& a, const Vector3& b) {
    return Vector3((a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2);
}

class StationsInGame : public ::testing::Test {
protected:
    void SetUp() override {
        session = std::make_unique<sim::Session>();
        ASSERT_TRUE(test::startGame(*session));
        ASSERT_TRUE(drovil::trainStationsCreated());
    }
    std::unique_ptr<sim::Session> session;
    const TrainStations& stations() { return drovil::trainStations(); }
};

TEST_F(StationsInGame, PositionsByIdAndNearestStation) {
    worldtest::expectExactly(stations().stationPosition(0), -180.543f, 629.124f, 114.09f);
    worldtest::expectExactly(stations().stationPosition(11), -5230.35f, -3468.04f, -20.5129f);
    worldtest::expectExactly(stations().stationPosition(12), 0.0f, 0.0f, 0.0f);
    worldtest::expectExactly(stations().stationPosition(-1), 0.0f, 0.0f, 0.0f);

    int nearValentine = -1, nearTumbleweed = -1;
    test::runOnScriptThread(*session, [&] {
        nearValentine = stations().nearestStation(Vector3(-231.0f, 703.0f, 113.0f));
        nearTumbleweed = stations().nearestStation(Vector3(-5517.0f, -2936.0f, -2.0f));
    });
    EXPECT_EQ(nearValentine, 0);
    EXPECT_EQ(nearTumbleweed, 11);
}

TEST_F(StationsInGame, HalfwayBetweenTwoStationsTheSmallerIdWins) {
    // Pairs whose midpoint is exactly as far from both in single precision.
    int tiesFound = 0;
    for (auto [low, high] :
         {std::pair{0, 1}, std::pair{4, 5}, std::pair{8, 9}, std::pair{2, 3}, std::pair{6, 8}}) {
        const Vector3 a = stations().stationPosition(low), b = stations().stationPosition(high);
        const Vector3 half = midpoint(a, b);
        if (distance3(half, a) != distance3(half, b))
            continue;
        ++tiesFound;
        int nearest = -1;
        test::runOnScriptThread(*session, [&] { nearest = stations().nearestStation(half); });
        EXPECT_EQ(nearest, low) << low << " and " << high;
    }
    EXPECT_GT(tiesFound, 0);
}

TEST_F(StationsInGame, FixedPointsAreTakenAsTheyStand) {
    worldtest::expectExactly(stations().stationApproachPoint(1), 1524.43f, 432.788f, 90.6807f);
    worldtest::expectExactly(stations().stationApproachPoint(8), -1097.46f, -572.283f, 82.3941f);
    const StationRemotePoint valentine = stations().stationRemotePoint(0);
    worldtest::expectExactly(valentine.point, 102.893f, 622.482f, 117.955f);
    EXPECT_TRUE(valentine.flag);
    const StationRemotePoint tumbleweed = stations().stationRemotePoint(11);
    worldtest::expectExactly(tumbleweed.point, -5152.15f, -3230.05f, -16.3825f);
    EXPECT_FALSE(tumbleweed.flag);
    EXPECT_TRUE(stations().stationRemotePoint(4).flag);
    EXPECT_FALSE(stations().stationRemotePoint(6).flag);
}

TEST_F(StationsInGame, ComputedApproachPointsLeadFromTheStationTowardsTheTrack) {
    const sim::Geography& geography = session->world().geography;
    for (int id : {0, 3, 7, 9, 10, 11}) {
        SCOPED_TRACE(id);
        Vector3 approach;
        test::runOnScriptThread(*session, [&] { approach = stations().stationApproachPoint(id); });
        const Vector3 station = stations().stationPosition(id);
        const Vector3 track = geography.trackPointNear(station);
        const float toTrack = distance3(station, track);
        ASSERT_GT(toTrack, 0.0f);
        const float out = distance3(station, approach);
        EXPECT_NEAR(out, std::max(toTrack - 7.0f, 5.0f), 0.01f);
        // On the straight way from the station to the track point.
        EXPECT_NEAR(out + distance3(approach, track), toTrack, 0.01f);
    }
}

TEST_F(StationsInGame, ComputedRemotePointsLieOnTheTrack350MetresOut) {
    const sim::Geography& geography = session->world().geography;
    for (int id : {3, 7, 9, 10}) {
        SCOPED_TRACE(id);
        StationRemotePoint remote;
        test::runOnScriptThread(*session, [&] { remote = stations().stationRemotePoint(id); });
        const Vector3 station = stations().stationPosition(id);
        const float out = distance3(station, remote.point);
        EXPECT_GE(out, 350.0f);
        EXPECT_LT(out, 350.0f + 25.0f); // one stride past the limit at most
        EXPECT_LT(geography.distanceToTrack(remote.point), 0.5f);
        EXPECT_NEAR(remote.point.z, geography.groundHeight(remote.point.x, remote.point.y), 0.01f);
    }
    // Van Horn's track runs north-south: the walk sets out north.
    StationRemotePoint vanHorn;
    test::runOnScriptThread(*session, [&] { vanHorn = stations().stationRemotePoint(3); });
    EXPECT_GT(vanHorn.point.y, stations().stationPosition(3).y + 300.0f);
    EXPECT_TRUE(vanHorn.flag);
}

TEST_F(StationsInGame, ASearchThatFindsNoTrackFarEnoughFallsBackToTheTrackPoint) {
    const Vector3 station = stations().stationPosition(7);
    StationRemotePoint remote;
    test::runOnScriptThread(*session, [&] { remote = drovil::searchRemotePoint(station, 100000.0f, 20.0f); });
    const Vector3 track = session->world().geography.trackPointNear(station);
    EXPECT_TRUE(worldtest::samePoint(remote.point, track));
    EXPECT_FALSE(remote.flag);
    EXPECT_TRUE(session->logContains("TrainStations: no track leads"));
}

} // namespace
