// Where a scene's vehicle comes onto the road: the walk along the road from a
// mission's point that the wagon convoy and the station coach start from, at
// every wagon spot of every area and every station spot, and the vehicle put on
// the road there, facing the point.
#include "executors/road_vehicle.h"
#include "support/game.h"
#include "support/script_thread.h"
#include "world/data/map_area_table.h"
#include "world/places/geography.h"
#include "world/vehicles/road_network.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {
using drovil::Vector3;

struct Walked {
    std::string what;
    Vector3 from;
    Vector3 vehicleAt;
    float vehicleHeading = 0.0f;
    bool walked = false;
};

float flat(const Vector3& a, const Vector3& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Walks from every point as the executors do (nine hops of 20 m for a wagon,
// six of 30 m for a coach) and puts a vehicle where the walk ends; each vehicle
// is taken away again before the next.
std::vector<Walked> walkFromEverySpot(sim::Session& session, bool coaches) {
    std::vector<Walked> walks;
    for (const drovil::MapAreaRow& row : drovil::mapAreaTable()) {
        const auto& spots = coaches ? row.area.stationSpots : row.area.roadPoints;
        for (std::size_t i = 0; i < spots.size(); ++i)
            walks.push_back(Walked{row.area.name + (coaches ? " station spot " : " wagon spot ") + std::to_string(i),
                                   spots[i], Vector3(), 0.0f, false});
    }
    const std::uint32_t model = sim::gameHash(coaches ? "stagecoach004_2x" : "chuckwagon000x");
    for (Walked& walk : walks) {
        EXPECT_TRUE(test::runOnScriptThread(session, [&] {
            Vector3 start;
            walk.walked = coaches ? drovil::walkRoadFrom(walk.from, start, 6, 30.0f)
                                  : drovil::walkRoadFrom(walk.from, start);
            if (!walk.walked)
                return;
            drovil::Vehicle vehicle = drovil::placeVehicleOnRoad(start, walk.from, model);
            if (!vehicle)
                return;
            const sim::EntityRecord* record = session.world().entities.find(vehicle.id);
            walk.vehicleAt = record->position;
            walk.vehicleHeading = record->heading;
            session.world().removeEntity(vehicle.id);
        }));
    }
    return walks;
}

// Where a position meets the road network: the nearest stretch between two
// junction points, and how far off and along it the position lies.
struct OnRoad {
    int a = -1, b = -1;
    Vector3 at;
    float off = std::numeric_limits<float>::max();
};

OnRoad ontoRoad(const sim::RoadNetwork& roads, const Vector3& position) {
    OnRoad best;
    for (int a = 0; a < static_cast<int>(roads.size()); ++a)
        for (int b : roads.neighbours(a)) {
            const Vector3& p = roads.point(a);
            const Vector3& q = roads.point(b);
            const float dx = q.x - p.x, dy = q.y - p.y;
            const float length2 = dx * dx + dy * dy;
            const float t = length2 > 0.0f
                                ? std::clamp(((position.x - p.x) * dx + (position.y - p.y) * dy) / length2, 0.0f, 1.0f)
                                : 0.0f;
            const Vector3 on(p.x + t * dx, p.y + t * dy, 0.0f);
            if (flat(on, position) < best.off)
                best = OnRoad{a, b, on, flat(on, position)};
        }
    return best;
}

float pathLength(const sim::RoadNetwork& roads, int from, int to) {
    const std::vector<int> path = roads.shortestPath(from, to);
    if (path.empty())
        return std::numeric_limits<float>::max();
    float length = 0.0f;
    for (std::size_t i = 1; i < path.size(); ++i)
        length += flat(roads.point(path[i - 1]), roads.point(path[i]));
    return length;
}

// The shortest way from the point to the vehicle: onto the road, then along it.
float alongTheRoad(const sim::RoadNetwork& roads, const Vector3& from, const Vector3& to) {
    const OnRoad start = ontoRoad(roads, from), end = ontoRoad(roads, to);
    float along = std::numeric_limits<float>::max();
    if ((start.a == end.a && start.b == end.b) || (start.a == end.b && start.b == end.a))
        along = flat(start.at, end.at);
    for (int s : {start.a, start.b})
        for (int e : {end.a, end.b})
            along = std::min(along, flat(start.at, roads.point(s)) + pathLength(roads, s, e) +
                                        flat(roads.point(e), end.at));
    return start.off + along;
}

void expectDownTheRoad(sim::Session& session, const std::vector<Walked>& walks) {
    const sim::Geography& map = session.world().geography;
    const sim::RoadNetwork roads;
    for (const Walked& walk : walks) {
        ASSERT_TRUE(walk.walked) << walk.what << ": no road";
        // About 180 m down the road: never beside the point, where a player
        // waiting in the search area would see it appear.
        const float along = alongTheRoad(roads, walk.from, walk.vehicleAt);
        EXPECT_GE(along, 150.0f) << walk.what;
        EXPECT_LE(along, 200.0f) << walk.what;
        // As the crow flies, where a road winds: twice the search area's radius
        // about a station, the wagons' own search area's radius.
        EXPECT_GE(flat(walk.vehicleAt, walk.from), 100.0f) << walk.what << ": as the crow flies";
        EXPECT_LT(map.distanceToRoad(walk.vehicleAt), 1.0f) << walk.what << ": on the road";
        // Facing the way back to the point, so that it comes down the road.
        const float radians = walk.vehicleHeading * 3.14159265f / 180.0f;
        const float forwardX = -std::sin(radians), forwardY = std::cos(radians);
        const float toX = walk.from.x - walk.vehicleAt.x, toY = walk.from.y - walk.vehicleAt.y;
        EXPECT_GT(forwardX * toX + forwardY * toY, 0.0f) << walk.what << ": faces away from the point";
    }
}

TEST(RoadWalk, EveryWagonComesOntoTheRoadAbout180MetresFromItsPoint) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    const std::vector<Walked> walks = walkFromEverySpot(session, false);
    ASSERT_GT(walks.size(), 50u);
    expectDownTheRoad(session, walks);
}

TEST(RoadWalk, EveryStationCoachComesOntoTheRoadAbout180MetresFromItsPoint) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    const std::vector<Walked> walks = walkFromEverySpot(session, true);
    ASSERT_GE(walks.size(), 7u);
    expectDownTheRoad(session, walks);
}

} // namespace
