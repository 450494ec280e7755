// The map area registry in a running game: zone and position lookups through
// the simulated map, the repeated areas of allAreas(), the Grizzlies setting and
// the choice rules of the areas' spot lists.
#include "support/game.h"
#include "support/script_thread.h"

#include "world/area_ids.h"
#include "world/map_areas.h"
#include "world/world_data_checks.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {
using drovil::Hash;
using drovil::MapArea;
using drovil::Vector3;
namespace ids = drovil::area_ids;

const MapArea* areaNamed(const std::string& name) {
    for (const MapArea* area : drovil::mapAreas().distinctAreas())
        if (area->name() == name)
            return area;
    return nullptr;
}

// The zone the registry reports for the player's ped standing at a position.
Hash zoneOfPlayerAt(sim::Session& session, const Vector3& position) {
    session.world().playerPed().position = position;
    Hash zone = 0;
    test::runOnScriptThread(session, [&] {
        zone = drovil::mapAreas().zoneOfEntity(drovil::Entity(session.world().player.pedId));
    });
    return zone;
}

class MapAreasInGame : public ::testing::Test {
protected:
    void start(std::vector<std::string> settings = {}) {
        sim::SessionOptions options;
        options.settingsLines = std::move(settings);
        session = std::make_unique<sim::Session>(options);
        ASSERT_TRUE(test::startGame(*session));
        ASSERT_TRUE(drovil::mapAreasCreated());
    }
    std::unique_ptr<sim::Session> session;
};

TEST_F(MapAreasInGame, ThePlayersZoneFallsBackFromTownToDistrict) {
    start();
    const drovil::MapAreas& areas = drovil::mapAreas();

    // Out in the Heartlands: no town there, the district answers and leads to Valentine.
    const Vector3 heartlands(400.0f, 500.0f, 105.0f);
    Hash town = 1;
    test::runOnScriptThread(*session, [&] { town = areas.zoneAt(heartlands, 1); });
    EXPECT_EQ(town, 0u);
    const Hash zone = zoneOfPlayerAt(*session, heartlands);
    EXPECT_EQ(zone, 0x07D4FF5Fu);
    ASSERT_NE(areas.findArea(zone), nullptr);
    EXPECT_EQ(areas.findArea(zone)->name(), "Valentine");
    EXPECT_EQ(areas.regionName(zone).value_or(""), "Heartlands");

    // In a town the town's own zone wins over its district.
    const Hash inVanHorn = zoneOfPlayerAt(*session, Vector3(2960.0f, 545.0f, 45.0f));
    EXPECT_EQ(inVanHorn, 0x7EBD16BDu);
    ASSERT_NE(areas.findArea(inVanHorn), nullptr);
    EXPECT_EQ(areas.findArea(inVanHorn)->name(), "Annesburg");
    EXPECT_EQ(zoneOfPlayerAt(*session, Vector3(-231.3357f, 703.2683f, 113.7415f)), ids::Valentine);

    // A district that no area answers for by zone: named, but no area.
    const Hash meadows = zoneOfPlayerAt(*session, Vector3(850.0f, -1700.0f, 48.0f));
    EXPECT_EQ(meadows, 0xCC7C3314u);
    EXPECT_EQ(areas.findArea(meadows), nullptr);
    EXPECT_EQ(areas.regionName(meadows).value_or(""), "Scarlett Meadows");

    // Off the map there is no zone of any kind.
    EXPECT_EQ(zoneOfPlayerAt(*session, Vector3(20000.0f, 20000.0f, 0.0f)), 0u);
    EXPECT_EQ(areas.findArea(0), nullptr);
    EXPECT_FALSE(areas.regionName(ids::Valentine).has_value()); // a town, not a region
}

TEST_F(MapAreasInGame, AllAreasListsOneEntryPerZoneInSignedOrder) {
    start();
    const std::vector<const MapArea*> all = drovil::mapAreas().allAreas();
    std::vector<std::string> names;
    for (const MapArea* area : all)
        names.push_back(area->name());
    const std::vector<std::string> expected = {
        "Tumbleweed", // 0x8016C23F Rio Bravo, the lowest signed key
        "Annesburg",  // 0x8BECCBA3
        "Tumbleweed", // 0xA51AF855
        "Saint Denis", "Armadillo",
        "Valentine", // 0xE3CDCF62
        "Annesburg", // 0x00704B67
        "Valentine", // 0x07D4FF5F Heartlands
        "Strawberry",  "Valentine",
        "Strawberry", // 0x3108C492 Big Valley
        "Blackwater",  "Rhodes",
        "Annesburg", // 0x7EBD16BD
    };
    EXPECT_EQ(names, expected);
    // The repeats are the same records, so a caller can skip them by identity.
    EXPECT_EQ(all[0], all[2]);
    EXPECT_EQ(std::set<const MapArea*>(all.begin(), all.end()).size(), 8u);
    EXPECT_EQ(drovil::mapAreas().distinctAreas().size(), 8u);
}

TEST_F(MapAreasInGame, ValentineKeepsItsGrizzliesCampsByDefault) {
    start();
    const MapArea* valentine = areaNamed("Valentine");
    ASSERT_NE(valentine, nullptr);
    ASSERT_EQ(valentine->campSpots().size(), 46u);
    worldtest::expectExactly(valentine->campSpots()[40], -1068.52f, 2176.55f, 356.601f);
    worldtest::expectExactly(valentine->campSpots()[45], -882.759f, 1496.19f, 245.988f);
    EXPECT_EQ(areaNamed("Annesburg")->campSpots().size(), 27u);
}

TEST_F(MapAreasInGame, DisableGrizzliesLeavesValentineFortyCamps) {
    start({"DisableGrizzlies=1"});
    const MapArea* valentine = areaNamed("Valentine");
    ASSERT_NE(valentine, nullptr);
    ASSERT_EQ(valentine->campSpots().size(), 40u);
    const Vector3 grizzlies[] = {{-1068.52f, 2176.55f, 356.601f}, {-967.042f, 2181.84f, 339.871f},
                                 {-1438.82f, 2246.19f, 302.743f}, {-1675.93f, 2046.5f, 284.168f},
                                 {-1909.05f, 1814.68f, 234.315f}, {-882.759f, 1496.19f, 245.988f}};
    for (const Vector3& camp : valentine->campSpots())
        for (const Vector3& removed : grizzlies)
            EXPECT_FALSE(worldtest::samePoint(camp, removed)) << "a Grizzlies camp stayed";
    // Other areas are untouched.
    EXPECT_EQ(areaNamed("Strawberry")->campSpots().size(), 31u);
    // Camp choices never reach the Grizzlies.
    Vector3 nearest;
    test::runOnScriptThread(
        *session, [&] { nearest = valentine->nearestCampSpot(Vector3(-1068.52f, 2176.55f, 356.6f)); });
    EXPECT_FALSE(worldtest::samePoint(nearest, Vector3(-1068.52f, 2176.55f, 356.601f)));
}

TEST_F(MapAreasInGame, NearestAreaAndTheEmptyListRules) {
    start();
    const drovil::MapAreas& areas = drovil::mapAreas();
    const MapArea* nearRhodes = nullptr;
    const MapArea* farAway = reinterpret_cast<const MapArea*>(1);
    const MapArea* nearTumbleweed = nullptr;
    Vector3 armadilloSaloon(1, 1, 1), strawberrySaloon(1, 1, 1), armadilloStation(1, 1, 1);
    test::runOnScriptThread(*session, [&] {
        nearRhodes = areas.nearestArea(Vector3(1300.0f, -1200.0f, 70.0f));
        // More than 10 000 m from every centre.
        farAway = areas.nearestArea(Vector3(20000.0f, 20000.0f, 0.0f));
        nearTumbleweed = areas.nearestArea(Vector3(-5600.0f, -3000.0f, 0.0f));
        armadilloSaloon = areaNamed("Armadillo")->randomSaloonSpot();
        strawberrySaloon = areaNamed("Strawberry")->randomSaloonSpot();
        armadilloStation = areaNamed("Armadillo")->randomStationSpot();
    });
    ASSERT_NE(nearRhodes, nullptr);
    EXPECT_EQ(nearRhodes->name(), "Rhodes");
    EXPECT_EQ(farAway, nullptr);
    ASSERT_NE(nearTumbleweed, nullptr);
    EXPECT_EQ(nearTumbleweed->name(), "Tumbleweed");
    worldtest::expectExactly(armadilloSaloon, 0.0f, 0.0f, 0.0f);
    worldtest::expectExactly(strawberrySaloon, 0.0f, 0.0f, 0.0f);
    worldtest::expectExactly(armadilloStation, 0.0f, 0.0f, 0.0f); // its one entry is the zero vector
}

TEST_F(MapAreasInGame, TheFirstOfEquallyNearSpotsWins) {
    start();
    drovil::MapAreaData data;
    data.id = ids::Rhodes;
    data.name = "Test";
    // Two spots 10 m either side of the query point, then a farther one.
    const Vector3 west(990.0f, -1000.0f, 60.0f), east(1010.0f, -1000.0f, 60.0f),
        far(1100.0f, -1000.0f, 60.0f);
    const Vector3 query(1000.0f, -1000.0f, 60.0f);
    data.streetSpots = {{far, 1.0f}, {east, 2.0f}, {west, 3.0f}};
    data.roadPoints = {far, west, east};
    data.campSpots = {far, east, west};
    const MapArea listedEastFirst(data);
    data.streetSpots = {{far, 1.0f}, {west, 3.0f}, {east, 2.0f}};
    const MapArea listedWestFirst(data);
    drovil::StreetSpot a, b;
    Vector3 road, camp;
    test::runOnScriptThread(*session, [&] {
        a = listedEastFirst.nearestStreetSpot(query);
        b = listedWestFirst.nearestStreetSpot(query);
        road = listedEastFirst.nearestRoadPoint(query);
        camp = listedEastFirst.nearestCampSpot(query);
    });
    EXPECT_TRUE(worldtest::samePoint(a.position, east));
    EXPECT_EQ(a.heading, 2.0f);
    EXPECT_TRUE(worldtest::samePoint(b.position, west));
    EXPECT_EQ(b.heading, 3.0f);
    EXPECT_TRUE(worldtest::samePoint(road, west));
    EXPECT_TRUE(worldtest::samePoint(camp, east));
}

TEST_F(MapAreasInGame, RandomChoicesDrawFromTheWholeList) {
    start();
    const MapArea* strawberry = areaNamed("Strawberry");
    const MapArea* valentine = areaNamed("Valentine");
    std::set<std::string> models;
    std::set<float> streetXs, roadXs;
    std::map<std::string, int> hotelRooms;
    const drovil::Place* noCemetery = reinterpret_cast<const drovil::Place*>(1);
    const drovil::Place* nearestRoom = nullptr;
    test::runOnScriptThread(*session, [&] {
        for (int i = 0; i < 200; ++i) {
            models.insert(strawberry->randomGangModel());
            streetXs.insert(valentine->randomStreetSpot().x);
            roadXs.insert(valentine->randomRoadPoint().x);
            hotelRooms[valentine->randomPlace(drovil::PlaceKind::HotelRoom)->name()]++;
        }
        noCemetery = strawberry->randomPlace(drovil::PlaceKind::Cemetery);
        nearestRoom = valentine->nearestPlace(drovil::PlaceKind::HotelRoom, Vector3(-326.4f, 760.5f, 117.3f));
    });
    EXPECT_EQ(models.size(), 4u);
    EXPECT_EQ(streetXs.size(), 10u);
    EXPECT_GE(roadXs.size(), 20u);
    EXPECT_EQ(hotelRooms.size(), 2u);
    EXPECT_GT(hotelRooms["Hotel Room 1A"], 0);
    EXPECT_GT(hotelRooms["Hotel Room 1B"], 0);
    EXPECT_EQ(noCemetery, nullptr);
    ASSERT_NE(nearestRoom, nullptr);
    EXPECT_EQ(nearestRoom->name(), "Hotel Room 1B");
}

TEST_F(MapAreasInGame, AreasTakeTheirPlacesFromThePlaceRegistry) {
    start();
    const MapArea* strawberry = areaNamed("Strawberry");
    ASSERT_NE(strawberry, nullptr);
    ASSERT_EQ(strawberry->places().size(), 2u);
    EXPECT_EQ(strawberry->places()[0]->name(), "Treehouse");
    EXPECT_EQ(strawberry->places()[1]->name(), "Hotel Room");
    EXPECT_EQ(areaNamed("Tumbleweed")->places().size(), 9u);
    EXPECT_EQ(&drovil::mapAreas().places(), &drovil::placeRegistry());
    EXPECT_EQ(&drovil::mapAreas().stations(), &drovil::trainStations());
}

} // namespace
