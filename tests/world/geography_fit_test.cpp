// The map area and place tables against the simulated map: every spot lies in
// its own area (its town, or a district of the countryside it answers for), on
// the ground, and road points on a road.
#include "world/area_ids.h"
#include "world/data/map_area_table.h"
#include "world/data/place_table.h"
#include "world/data/zone_table.h"
#include "world/places/geography.h"
#include "world/places/station_clerks.h"
#include "world/town/sheriff_offices.h"
#include "world/vehicles/road_network.h"
#include "world/world_data_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {
using drovil::Hash;
using drovil::Vector3;

// The districts of each area's countryside: the ones the zone table names, and
// the districts without a town of their own that the area's missions range over.
const std::map<Hash, std::set<Hash>>& countryside() {
    using namespace drovil::area_ids;
    static const std::map<Hash, std::set<Hash>> districts = {
        {Annesburg, {0x0AA5F25D}},                                     // Roanoke
        {Armadillo, {0xF9831C72, 0x35390B10}},                         // Cholla Springs, Hennigans Stead
        {Blackwater, {0x1C68EA97, 0x6467EF09}},                        // Great Plains, Tall Trees
        {Rhodes, {0xCC7C3314}},                                        // Scarlett Meadows
        {SaintDenis, {0x78BFE1AC, 0x4DFA0B50}},                        // Bayou Nwa, Bluewater Marsh
        {Strawberry, {0x3108C492}},                                    // Big Valley
        {Tumbleweed, {0x84D7AD0E, 0x8016C23F}},                        // Gaptooth Ridge, Rio Bravo
        {Valentine, {0x07D4FF5F, 0x6D67801E, 0x62162401, 0xF8D68DC1}}, // Heartlands, Cumberland, Grizzlies
    };
    return districts;
}

Hash areaOfZone(Hash zone) {
    for (const auto& row : drovil::zoneTable())
        if (row.zone == zone)
            return row.areaId;
    return 0;
}

class GeographyFit : public ::testing::Test {
protected:
    sim::Geography geography;

    // A town spot: the town zone there leads to the area.
    void expectInTown(Hash area, const Vector3& p, const std::string& what) {
        const Hash town = geography.zoneAt(p, sim::zoneKindTown);
        EXPECT_NE(town, 0u) << what << " is outside every town";
        EXPECT_EQ(areaOfZone(town), area) << what << " lies in town zone " << std::hex << town;
    }

    // Anywhere in the area: its town zones, or a district of its countryside.
    void expectInArea(Hash area, const Vector3& p, const std::string& what) {
        const Hash town = geography.zoneAt(p, sim::zoneKindTown);
        if (town != 0) {
            EXPECT_EQ(areaOfZone(town), area) << what << " lies in town zone " << std::hex << town;
            return;
        }
        const Hash district = geography.zoneAt(p, sim::zoneKindDistrict);
        EXPECT_TRUE(countryside().at(area).count(district))
            << what << " lies in district " << geography.districtName(district);
    }

    void expectOnGround(const Vector3& p, const std::string& what) {
        EXPECT_NEAR(geography.groundHeight(p.x, p.y), p.z, 0.5f) << what;
    }
};

TEST_F(GeographyFit, EverySpotOfAnAreaLiesInThatArea) {
    for (const drovil::MapAreaRow& row : drovil::mapAreaTable()) {
        const drovil::MapAreaData& a = row.area;
        const Hash id = a.id;
        for (std::size_t i = 0; i < a.streetSpots.size(); ++i)
            expectInTown(id, a.streetSpots[i].position, a.name + " street " + std::to_string(i));
        for (std::size_t i = 0; i < a.saloonSpots.size(); ++i)
            expectInTown(id, a.saloonSpots[i], a.name + " saloon " + std::to_string(i));
        for (std::size_t i = 0; i < a.roadPoints.size(); ++i)
            expectInArea(id, a.roadPoints[i], a.name + " road " + std::to_string(i));
        for (std::size_t i = 0; i < a.stationSpots.size(); ++i)
            if (a.stationSpots[i].x != 0.0f || a.stationSpots[i].y != 0.0f)
                expectInArea(id, a.stationSpots[i], a.name + " station " + std::to_string(i));
        std::vector<Vector3> camps = a.campSpots;
        camps.insert(camps.end(), row.grizzliesCampSpots.begin(), row.grizzliesCampSpots.end());
        for (std::size_t i = 0; i < camps.size(); ++i) {
            const std::string what = a.name + " camp " + std::to_string(i);
            // Camps are in the wilderness, never in a town.
            EXPECT_EQ(geography.zoneAt(camps[i], sim::zoneKindTown), 0u) << what;
            expectInArea(id, camps[i], what);
        }
    }
}

TEST_F(GeographyFit, SpotsAreOnTheGroundAndRoadPointsOnARoad) {
    for (const drovil::MapAreaRow& row : drovil::mapAreaTable()) {
        const drovil::MapAreaData& a = row.area;
        for (std::size_t i = 0; i < a.streetSpots.size(); ++i)
            expectOnGround(a.streetSpots[i].position, a.name + " street " + std::to_string(i));
        for (std::size_t i = 0; i < a.campSpots.size(); ++i)
            expectOnGround(a.campSpots[i], a.name + " camp " + std::to_string(i));
        for (std::size_t i = 0; i < a.roadPoints.size(); ++i) {
            const std::string what = a.name + " road " + std::to_string(i);
            expectOnGround(a.roadPoints[i], what);
            EXPECT_LT(geography.distanceToRoad(a.roadPoints[i]), 1.0f) << what;
            const auto node = geography.nearestRoadNode(a.roadPoints[i]);
            ASSERT_TRUE(node.has_value()) << what;
            EXPECT_LT(worldtest::planeDistance(node->position, a.roadPoints[i]),
                      sim::Geography::roadNodeSpacing)
                << what;
        }
    }
}

// A coach calls at a station for its passenger: every station stands on a
// road, joined to the roads of its part of the map.
TEST_F(GeographyFit, EveryStationStandsOnARoad) {
    const sim::RoadNetwork roads;
    const auto& stations = sim::StationClerks::stationPositions();
    for (std::size_t id = 0; id < stations.size(); ++id) {
        const Vector3& station = stations[id];
        const std::string what = "station " + std::to_string(id);
        // On the road, or at its side (Rhodes' platform is some 11 m from it).
        EXPECT_LE(geography.distanceToRoad(station), 12.0f) << what;
        const auto node = geography.nearestRoadNode(station);
        ASSERT_TRUE(node.has_value()) << what;
        EXPECT_LT(worldtest::planeDistance(node->position, station), 15.0f) << what;
        // The road there leads on: more than the side road's two ends are reachable.
        const int start = roads.nearestVertex(station);
        ASSERT_GE(start, 0) << what;
        std::set<int> reached{start};
        std::vector<int> open{start};
        while (!open.empty() && reached.size() < 6) {
            const int vertex = open.back();
            open.pop_back();
            for (int next : roads.neighbours(vertex))
                if (reached.insert(next).second)
                    open.push_back(next);
        }
        EXPECT_GE(reached.size(), 6u) << what;
    }
}

TEST_F(GeographyFit, PlacesLieInTheirAreaOnTheGround) {
    for (const drovil::PlaceRow& place : drovil::placeTable()) {
        if (place.kind == drovil::PlaceKind::HotelRoom)
            continue; // upstairs, and in town by their telling rows
        expectInArea(place.areaId, place.position, place.name);
        expectOnGround(place.position, place.name);
        for (const drovil::ScenarioEntryRow& entry : place.entries)
            EXPECT_LE(worldtest::planeDistance(entry.position, place.position), place.radius)
                << place.name << " " << entry.scenarioName;
    }
}

// A player hands a prisoner over standing on the street at the office door:
// the ground there must be the door's, or he never comes within a few metres
// of it however close he walks.
TEST_F(GeographyFit, EverySheriffsOfficeDoorIsOnTheStreet) {
    for (const sim::SheriffOffice& office : sim::SheriffOffices::all())
        EXPECT_NEAR(geography.groundHeight(office.door.x, office.door.y), office.door.z, 3.0f) << office.town;
}

TEST_F(GeographyFit, TownsAndDistrictsCarryTheGameZoneHashes) {
    // Town centres lead to their own zone.
    for (const drovil::MapAreaRow& row : drovil::mapAreaTable())
        EXPECT_EQ(geography.zoneAt(row.area.centre, sim::zoneKindTown), row.area.id) << row.area.name;
    EXPECT_EQ(geography.zoneAt(Vector3(2950.0f, 560.0f, 45.0f), sim::zoneKindTown), 0x7EBD16BDu); // Van Horn
    EXPECT_EQ(geography.zoneAt(Vector3(2600.0f, 820.0f, 70.0f), sim::zoneKindTown),
              0x8BECCBA3u); // Butcher Creek
    EXPECT_EQ(geography.zoneAt(Vector3(1460.0f, 380.0f, 90.0f), sim::zoneKindTown),
              0xE3CDCF62u); // Emerald Ranch
    // The countryside between towns.
    const Vector3 heartlands(400.0f, 500.0f, 105.0f);
    EXPECT_EQ(geography.zoneAt(heartlands, sim::zoneKindTown), 0u);
    EXPECT_EQ(geography.zoneAt(heartlands, sim::zoneKindDistrict), 0x07D4FF5Fu);
    EXPECT_EQ(geography.zoneAt(Vector3(-1700.0f, -350.0f, 150.0f), sim::zoneKindDistrict), 0x3108C492u);
    EXPECT_EQ(geography.zoneAt(Vector3(-5000.0f, -3600.0f, 0.0f), sim::zoneKindDistrict), 0x8016C23Fu);
    EXPECT_NE(geography.zoneAt(heartlands, sim::zoneKindState), 0u);
    // Beyond the map, nothing; and no zone of the kinds the game has but we do not ask for.
    const Vector3 sea(9000.0f, 9000.0f, 0.0f);
    EXPECT_EQ(geography.zoneAt(sea, sim::zoneKindTown), 0u);
    EXPECT_EQ(geography.zoneAt(sea, sim::zoneKindDistrict), 0u);
    EXPECT_EQ(geography.zoneAt(sea, sim::zoneKindState), 0u);
    EXPECT_EQ(geography.zoneAt(heartlands, 3), 0u);
}

TEST_F(GeographyFit, EveryDistrictWithARegionNameExistsOnTheMap) {
    for (const auto& region : drovil::regionNameTable())
        EXPECT_STRNE(geography.districtName(region.zone), "") << region.name;
}

} // namespace

namespace {

TEST(SimRoads, NodesFollowTheRoadAndFaceTheWayAsked) {
    sim::Geography geography;
    // Valentine's road east to Emerald Ranch runs roughly along +x near (400, 600).
    const Vector3 onRoad(400.0f, 600.0f, 105.0f);
    const auto nearest = geography.nearestRoadNode(onRoad);
    ASSERT_TRUE(nearest.has_value());
    EXPECT_LT(worldtest::planeDistance(nearest->position, onRoad), sim::Geography::roadNodeSpacing);
    EXPECT_NEAR(nearest->position.z, geography.groundHeight(nearest->position.x, nearest->position.y), 0.01f);
    // Facing east is heading 270 in the game's counter-clockwise convention; west is 90.
    const auto east = geography.roadNodeTowards(onRoad, Vector3(1400.0f, 450.0f, 90.0f), 0);
    const auto west = geography.roadNodeTowards(onRoad, Vector3(-231.0f, 703.0f, 113.0f), 0);
    ASSERT_TRUE(east.has_value());
    ASSERT_TRUE(west.has_value());
    EXPECT_NEAR(east->heading, 270.0f, 15.0f);
    EXPECT_NEAR(west->heading, 90.0f, 15.0f);
    // Far from every road there is nothing to find.
    EXPECT_FALSE(geography.nearestRoadNode(Vector3(20000.0f, 20000.0f, 0.0f)).has_value());
    EXPECT_FALSE(geography.roadNodeTowards(Vector3(-3000.0f, 1800.0f, 400.0f), onRoad, 0).has_value());
}

} // namespace
