// The map area, zone and region tables as a modder reads them: the counts every
// area must keep, the rows taken from the game, and no point listed twice.
#include "world/area_ids.h"
#include "world/data/map_area_table.h"
#include "world/data/zone_table.h"
#include "world/world_data_checks.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {
using drovil::MapAreaData;
using drovil::MapAreaRow;
using drovil::Vector3;
using worldtest::expectExactly;

const MapAreaRow& row(const std::string& name) {
    for (const MapAreaRow& candidate : drovil::mapAreaTable())
        if (candidate.area.name == name)
            return candidate;
    ADD_FAILURE() << "no area named " << name;
    return drovil::mapAreaTable().front();
}

struct Counts {
    std::size_t street, road, saloon, station, camp, grizzlies;
};

TEST(MapAreaTable, EveryListHasTheCountOfItsArea) {
    const std::map<std::string, Counts> expected = {
        {"Annesburg", {11, 9, 1, 1, 27, 0}},   {"Armadillo", {4, 4, 0, 1, 25, 0}},
        {"Blackwater", {10, 9, 1, 1, 21, 0}},  {"Rhodes", {8, 11, 1, 1, 27, 0}},
        {"Saint Denis", {14, 11, 2, 1, 7, 0}}, {"Strawberry", {4, 10, 0, 2, 31, 0}},
        {"Tumbleweed", {4, 14, 1, 1, 21, 0}},  {"Valentine", {10, 23, 2, 2, 40, 6}},
    };
    ASSERT_EQ(drovil::mapAreaTable().size(), 8u);
    for (const auto& [name, counts] : expected) {
        SCOPED_TRACE(name);
        const MapAreaRow& r = row(name);
        EXPECT_EQ(r.area.streetSpots.size(), counts.street);
        EXPECT_EQ(r.area.roadPoints.size(), counts.road);
        EXPECT_EQ(r.area.saloonSpots.size(), counts.saloon);
        EXPECT_EQ(r.area.stationSpots.size(), counts.station);
        EXPECT_EQ(r.area.campSpots.size(), counts.camp);
        EXPECT_EQ(r.grizzliesCampSpots.size(), counts.grizzlies);
        EXPECT_FALSE(r.area.gangModels.empty());
        EXPECT_TRUE(r.area.places.empty()) << "places come from the place registry";
    }
}

TEST(MapAreaTable, AreasAreBuiltInTheirFixedOrderWithTheirTownData) {
    const std::vector<std::string> order = {"Tumbleweed", "Valentine",   "Annesburg",  "Strawberry",
                                            "Rhodes",     "Saint Denis", "Blackwater", "Armadillo"};
    ASSERT_EQ(drovil::mapAreaTable().size(), order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(drovil::mapAreaTable()[i].area.name, order[i]);

    const MapAreaData& saintDenis = row("Saint Denis").area;
    EXPECT_EQ(saintDenis.id, 0xD25EC74Fu);
    EXPECT_EQ(drovil::area_ids::asSigned(saintDenis.id), -765540529);
    expectExactly(saintDenis.centre, 2328.742f, -1096.286f, 44.7446f);
    EXPECT_EQ(saintDenis.radius, 450.0f);
    EXPECT_EQ(saintDenis.gangName, "Lemoyne Raiders");
    EXPECT_EQ(saintDenis.gangModels,
              (std::vector<std::string>{"g_m_o_uniexconfeds_01", "g_m_y_uniexconfeds_01"}));

    const MapAreaData& strawberry = row("Strawberry").area;
    EXPECT_EQ(strawberry.gangName, "O'driscolls");
    EXPECT_EQ(strawberry.gangModels.size(), 4u);
    EXPECT_EQ(drovil::area_ids::asSigned(row("Tumbleweed").area.id), -1524959147);
    EXPECT_EQ(drovil::area_ids::asSigned(row("Annesburg").area.id), 7359335);
    EXPECT_EQ(row("Annesburg").area.gangModels, (std::vector<std::string>{"G_M_M_UniInbred_01"}));
}

TEST(MapAreaTable, RowsTakenFromTheGameAreExact) {
    const MapAreaData& annesburg = row("Annesburg").area;
    expectExactly(annesburg.stationSpots[0], 2931.73f, 1283.24f, 44.6528f);
    expectExactly(annesburg.saloonSpots[0], 2944.27f, 521.257f, 45.3776f);
    expectExactly(annesburg.streetSpots[0].position, 2935.2f, 569.433f, 44.8467f);
    EXPECT_EQ(annesburg.streetSpots[0].heading, 324.0f);
    expectExactly(annesburg.roadPoints[0], 1996.07f, 198.181f, 80.4f);
    expectExactly(annesburg.campSpots[0], 2030.75f, 128.785f, 80.775f);

    const MapAreaData& armadillo = row("Armadillo").area;
    expectExactly(armadillo.stationSpots[0], 0.0f, 0.0f, 0.0f);
    expectExactly(armadillo.streetSpots[0].position, -3718.14f, -2610.48f, -13.3694f);
    EXPECT_EQ(armadillo.streetSpots[0].heading, 317.822f);

    expectExactly(row("Blackwater").area.stationSpots[0], -875.477f, -1328.74f, 43.958f);
    expectExactly(row("Blackwater").area.saloonSpots[0], -811.299f, -1323.2f, 43.6781f);
    expectExactly(row("Rhodes").area.stationSpots[0], 1233.22f, -1297.11f, 76.9048f);
    expectExactly(row("Rhodes").area.saloonSpots[0], 1344.6f, -1374.88f, 80.4805f);

    const MapAreaData& saintDenis = row("Saint Denis").area;
    expectExactly(saintDenis.stationSpots[0], 2749.14f, -1400.79f, 46.1927f);
    expectExactly(saintDenis.saloonSpots[0], 2634.01f, -1225.79f, 53.3804f);
    expectExactly(saintDenis.saloonSpots[1], 2794.42f, -1168.74f, 47.928f);
    expectExactly(saintDenis.streetSpots[0].position, 2365.03f, -1124.68f, 46.3264f);
    EXPECT_EQ(saintDenis.streetSpots[0].heading, 220.0f);

    expectExactly(row("Strawberry").area.stationSpots[0], -1095.53f, -575.422f, 82.4099f);
    expectExactly(row("Strawberry").area.stationSpots[1], -1298.77f, 401.872f, 95.3839f);
    expectExactly(row("Tumbleweed").area.stationSpots[0], -5230.35f, -3468.04f, -20.5129f);
    expectExactly(row("Tumbleweed").area.saloonSpots[0], -5513.87f, -2912.25f, -1.75131f);

    const MapAreaRow& valentine = row("Valentine");
    expectExactly(valentine.area.stationSpots[0], -180.543f, 629.124f, 114.09f);
    expectExactly(valentine.area.stationSpots[1], 1521.5f, 439.356f, 90.6807f);
    expectExactly(valentine.area.saloonSpots[0], -240.996f, 769.99f, 118.085f);
    expectExactly(valentine.area.saloonSpots[1], -307.937f, 807.302f, 118.98f);
    expectExactly(valentine.area.streetSpots[0].position, -312.085f, 830.793f, 119.576f);
    EXPECT_EQ(valentine.area.streetSpots[0].heading, 83.9105f);
    const float grizzlies[6][3] = {{-1068.52f, 2176.55f, 356.601f}, {-967.042f, 2181.84f, 339.871f},
                                   {-1438.82f, 2246.19f, 302.743f}, {-1675.93f, 2046.5f, 284.168f},
                                   {-1909.05f, 1814.68f, 234.315f}, {-882.759f, 1496.19f, 245.988f}};
    ASSERT_EQ(valentine.grizzliesCampSpots.size(), 6u);
    for (int i = 0; i < 6; ++i)
        expectExactly(valentine.grizzliesCampSpots[static_cast<std::size_t>(i)], grizzlies[i][0],
                      grizzlies[i][1], grizzlies[i][2]);
}

TEST(MapAreaTable, NoPointIsListedTwiceAnywhere) {
    // Key: the exact coordinates. Armadillo's station placeholder (the zero
    // vector) is the one point that is not a place in the world.
    std::map<std::tuple<float, float, float>, std::string> seen;
    auto add = [&](const Vector3& point, const std::string& where) {
        if (point.x == 0.0f && point.y == 0.0f && point.z == 0.0f)
            return;
        const auto key = std::make_tuple(point.x, point.y, point.z);
        const auto [it, inserted] = seen.emplace(key, where);
        EXPECT_TRUE(inserted) << where << " repeats " << it->second;
    };
    for (const MapAreaRow& r : drovil::mapAreaTable()) {
        const MapAreaData& a = r.area;
        for (std::size_t i = 0; i < a.streetSpots.size(); ++i) {
            add(a.streetSpots[i].position, a.name + " street " + std::to_string(i));
            EXPECT_GE(a.streetSpots[i].heading, 0.0f);
            EXPECT_LT(a.streetSpots[i].heading, 360.0f);
        }
        for (std::size_t i = 0; i < a.roadPoints.size(); ++i)
            add(a.roadPoints[i], a.name + " road " + std::to_string(i));
        for (std::size_t i = 0; i < a.campSpots.size(); ++i)
            add(a.campSpots[i], a.name + " camp " + std::to_string(i));
        for (std::size_t i = 0; i < r.grizzliesCampSpots.size(); ++i)
            add(r.grizzliesCampSpots[i], a.name + " grizzlies camp " + std::to_string(i));
        for (std::size_t i = 0; i < a.saloonSpots.size(); ++i)
            add(a.saloonSpots[i], a.name + " saloon " + std::to_string(i));
        for (std::size_t i = 0; i < a.stationSpots.size(); ++i)
            add(a.stationSpots[i], a.name + " station " + std::to_string(i));
    }
}

TEST(MapAreaTable, CampSpotsAreSpreadOut) {
    for (const MapAreaRow& r : drovil::mapAreaTable()) {
        std::vector<Vector3> camps = r.area.campSpots;
        camps.insert(camps.end(), r.grizzliesCampSpots.begin(), r.grizzliesCampSpots.end());
        for (std::size_t i = 0; i < camps.size(); ++i)
            for (std::size_t k = i + 1; k < camps.size(); ++k)
                EXPECT_GT(worldtest::planeDistance(camps[i], camps[k]), 100.0f)
                    << r.area.name << " camps " << i << " and " << k;
    }
}

TEST(ZoneTable, FourteenZonesLeadToTheEightAreas) {
    const auto& zones = drovil::zoneTable();
    ASSERT_EQ(zones.size(), 14u);
    std::set<drovil::Hash> keys;
    std::map<drovil::Hash, int> perArea;
    for (const auto& zone : zones) {
        EXPECT_TRUE(keys.insert(zone.zone).second) << std::hex << zone.zone;
        ++perArea[zone.areaId];
    }
    using namespace drovil::area_ids;
    EXPECT_EQ(perArea[Valentine], 3);
    EXPECT_EQ(perArea[Annesburg], 3);
    EXPECT_EQ(perArea[Tumbleweed], 2);
    EXPECT_EQ(perArea[Strawberry], 2);
    EXPECT_EQ(perArea[Armadillo], 1);
    EXPECT_EQ(perArea[Blackwater], 1);
    EXPECT_EQ(perArea[Rhodes], 1);
    EXPECT_EQ(perArea[SaintDenis], 1);
    // Every area's own zone leads to itself.
    for (const MapAreaRow& r : drovil::mapAreaTable()) {
        bool found = false;
        for (const auto& zone : zones)
            found = found || (zone.zone == r.area.id && zone.areaId == r.area.id);
        EXPECT_TRUE(found) << r.area.name;
    }
}

TEST(ZoneTable, NineteenDistinctRegionNames) {
    const auto& names = drovil::regionNameTable();
    ASSERT_EQ(names.size(), 19u);
    std::set<drovil::Hash> keys;
    std::set<std::string> texts;
    for (const auto& name : names) {
        EXPECT_TRUE(keys.insert(name.zone).second);
        EXPECT_TRUE(texts.insert(name.name).second);
    }
    EXPECT_TRUE(texts.count("Heartlands"));
    EXPECT_TRUE(texts.count("Hennigans Stead"));
    EXPECT_TRUE(texts.count("Roanoke"));
}

} // namespace
