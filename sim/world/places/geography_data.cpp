// The simulated map: town zones, districts, the ground, roads and railway.
// A coarse stand-in for the game's world at its real coordinates (metres):
// towns are unions of discs, districts the cells nearest to their seed points,
// the ground is interpolated between surveyed heights.
#include "world/places/geography_data.h"

#include "world/places/station_clerks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sim {
namespace {
// A station this near a road is at the roadside already: a coach on the road
// in front of it pulls up well within hailing distance of the platform.
constexpr float stationRoadside = 12.0f;
// How far the street in front of a station runs each way from its platform.
constexpr float stationFrontage = 40.0f;

struct RoadPoint {
    PlanePoint at;
    PlanePoint along; // unit direction of the road there
    float distance = std::numeric_limits<float>::max();
};

// The point of the roads nearest to (x, y).
RoadPoint nearestRoadPoint(const std::vector<Polyline>& roads, float x, float y) {
    RoadPoint best;
    for (const Polyline& road : roads)
        for (std::size_t i = 1; i < road.size(); ++i) {
            const PlanePoint a = road[i - 1], b = road[i];
            const float dx = b.x - a.x, dy = b.y - a.y;
            const float length2 = dx * dx + dy * dy;
            if (length2 <= 0.0f)
                continue;
            const float t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / length2, 0.0f, 1.0f);
            const PlanePoint on{a.x + dx * t, a.y + dy * t};
            const float d = std::hypot(x - on.x, y - on.y);
            if (d < best.distance) {
                const float length = std::sqrt(length2);
                best = RoadPoint{on, PlanePoint{dx / length, dy / length}, d};
            }
        }
    return best;
}

// The simulated map holds only the stretch of each road about the towns; in the
// game the road goes on. A road end that meets no other road is carried on
// straight for this far, so that nothing placed near the end of a stretch
// (a wagon coming down the road, a coach calling at a station) finds the road
// stopping short.
constexpr float roadGoesOn = 400.0f;
// A road end this near another road meets it.
constexpr float roadMeets = 1.0f;

bool meetsAnotherRoad(const std::vector<Polyline>& roads, std::size_t self, const PlanePoint& end) {
    for (std::size_t r = 0; r < roads.size(); ++r) {
        if (r == self)
            continue;
        const RoadPoint on = nearestRoadPoint({roads[r]}, end.x, end.y);
        if (on.distance <= roadMeets)
            return true;
    }
    return false;
}

PlanePoint carriedOn(const PlanePoint& end, const PlanePoint& before) {
    const float dx = end.x - before.x, dy = end.y - before.y;
    const float length = std::hypot(dx, dy);
    return length > 0.0f ? PlanePoint{end.x + dx / length * roadGoesOn, end.y + dy / length * roadGoesOn} : end;
}

GeographyData* withRoadsGoingOn(GeographyData* data) {
    std::vector<Polyline>& roads = data->roads;
    const std::vector<Polyline> asMapped = roads;
    for (std::size_t r = 0; r < roads.size(); ++r) {
        const Polyline& mapped = asMapped[r];
        if (mapped.size() < 2)
            continue;
        if (!meetsAnotherRoad(asMapped, r, mapped.back()))
            roads[r].push_back(carriedOn(mapped.back(), mapped[mapped.size() - 2]));
        if (!meetsAnotherRoad(asMapped, r, mapped.front()))
            roads[r].insert(roads[r].begin(), carriedOn(mapped.front(), mapped[1]));
    }
    return data;
}

// Every station of the game stands on a street, where coaches call for their
// passengers. A station off the roads above gets one: a street along its front,
// the way the nearest road runs, joined to that road at both ends.
GeographyData* withStationRoads(GeographyData* data) {
    const std::vector<Polyline> mainRoads = data->roads;
    for (const drovil::Vector3& station : StationClerks::stationPositions()) {
        const RoadPoint road = nearestRoadPoint(mainRoads, station.x, station.y);
        if (road.distance <= stationRoadside || road.distance == std::numeric_limits<float>::max())
            continue;
        const PlanePoint platform{station.x, station.y};
        const PlanePoint before{station.x - road.along.x * stationFrontage, station.y - road.along.y * stationFrontage};
        const PlanePoint after{station.x + road.along.x * stationFrontage, station.y + road.along.y * stationFrontage};
        const RoadPoint in = nearestRoadPoint(mainRoads, before.x, before.y);
        const RoadPoint out = nearestRoadPoint(mainRoads, after.x, after.y);
        data->roads.push_back(Polyline{in.at, before, platform, after, out.at});
    }
    return data;
}
} // namespace

const GeographyData& geographyData() {
    static const GeographyData* data = withStationRoads(withRoadsGoingOn(new GeographyData{
        // Towns (zone kind 1): zone name, discs (x, y, radius).
        {
            {"annesburg", {{2904.0f, 1248.0f, 260.0f}}},
            {"vanhorn", {{2960.0f, 545.0f, 170.0f}}},
            {"butcher", {{2600.0f, 820.0f, 150.0f}}},
            {"armadillo", {{-3665.0f, -2612.0f, 170.0f}}},
            {"blackwater", {{-798.0f, -1247.0f, 260.0f}}},
            {"rhodes", {{1232.0f, -1251.0f, 250.0f}}},
            {"stdenis",
             {{2420.0f, -1150.0f, 220.0f}, {2650.0f, -1200.0f, 230.0f}, {2760.0f, -1350.0f, 150.0f}}},
            {"strawberry", {{-1731.0f, -413.0f, 170.0f}}},
            {"tumbleweed", {{-5517.0f, -2936.0f, 160.0f}}},
            {"valentine", {{-231.0f, 703.0f, 230.0f}}},
            {"emerald", {{1460.0f, 380.0f, 150.0f}}},
        },
        // Districts (zone kind 10): hash, name, state (kind 11) and seed points.
        {
            {0x62162401,
             "Grizzlies West",
             "ambarino",
             {{-1700.0f, 1900.0f}, {-2300.0f, 1500.0f}, {-1000.0f, 2150.0f}, {-2600.0f, 900.0f}}},
            {0xF8D68DC1,
             "Grizzlies East",
             "ambarino",
             {{100.0f, 1950.0f}, {1000.0f, 1850.0f}, {1800.0f, 2100.0f}}},
            {0x6D67801E, "Cumberland", "newhanover", {{250.0f, 1150.0f}, {800.0f, 1150.0f}}},
            {0x07D4FF5F,
             "Heartlands",
             "newhanover",
             {{-300.0f, 450.0f}, {350.0f, 500.0f}, {950.0f, 500.0f}, {1350.0f, 250.0f}, {600.0f, 0.0f}}},
            {0x0AA5F25D,
             "Roanoke",
             "newhanover",
             {{2550.0f, 1350.0f},
              {2750.0f, 800.0f},
              {2150.0f, 650.0f},
              {1950.0f, 250.0f},
              {3050.0f, 1800.0f},
              {2000.0f, 1300.0f}}},
            {0x78BFE1AC,
             "Bayou Nwa",
             "lemoyne",
             {{2450.0f, -1350.0f}, {2750.0f, -900.0f}, {2150.0f, -1300.0f}}},
            {0x4DFA0B50,
             "Bluewater Marsh",
             "lemoyne",
             {{1900.0f, -300.0f}, {2450.0f, -400.0f}, {2150.0f, -700.0f}}},
            {0xCC7C3314,
             "Scarlett Meadows",
             "lemoyne",
             {{1150.0f, -1250.0f},
              {850.0f, -1700.0f},
              {1600.0f, -1550.0f},
              {650.0f, -800.0f},
              {1450.0f, -800.0f}}},
            {0x1C68EA97,
             "Great Plains",
             "westelizabeth",
             {{-800.0f, -1400.0f}, {-400.0f, -1700.0f}, {-1100.0f, -1850.0f}, {-250.0f, -1150.0f}}},
            {0x6467EF09,
             "Tall Trees",
             "westelizabeth",
             {{-1900.0f, -1300.0f}, {-2500.0f, -1800.0f}, {-1700.0f, -1850.0f}}},
            {0x3108C492,
             "Big Valley",
             "westelizabeth",
             {{-1700.0f, -350.0f},
              {-1250.0f, 250.0f},
              {-2100.0f, 100.0f},
              {-1100.0f, -500.0f},
              {-1500.0f, 700.0f}}},
            {0xF9831C72,
             "Cholla Springs",
             "newaustin",
             {{-3650.0f, -2450.0f}, {-3100.0f, -2200.0f}, {-4200.0f, -2300.0f}, {-3600.0f, -1900.0f}}},
            {0x35390B10,
             "Hennigans Stead",
             "newaustin",
             {{-2500.0f, -2700.0f}, {-1500.0f, -2500.0f}, {-2900.0f, -3200.0f}, {-2000.0f, -3200.0f}}},
            {0x84D7AD0E,
             "Gaptooth Ridge",
             "newaustin",
             {{-5500.0f, -2600.0f}, {-6100.0f, -3100.0f}, {-4900.0f, -2300.0f}}},
            {0x8016C23F,
             "Rio Bravo",
             "newaustin",
             {{-5100.0f, -3500.0f}, {-4200.0f, -3450.0f}, {-5800.0f, -3750.0f}}},
            {0xB1531168, "Perdido", "nuevoparaiso", {{-5600.0f, -4500.0f}}},
            {0x56A7C746, "Punta Orgullo", "nuevoparaiso", {{-4200.0f, -4400.0f}}},
            {0x19700C95, "Diez Coronas", "nuevoparaiso", {{-2800.0f, -4300.0f}}},
        },
        // The mainland: districts exist only inside this box (x min, x max, y min, y max).
        {-7000.0f, 3800.0f, -4900.0f, 2800.0f},
        // Guarma, the island far to the south-east.
        {0xE1736CD7, "Guarma", "guarma", {1300.0f, -6600.0f, 1500.0f}},
        // Surveyed ground heights (x, y, z).
        {
            {2904.366f, 1248.808f, 44.87448f},
            {-3665.947f, -2612.442f, -14.08434f},
            {-798.9842f, -1247.722f, 43.42519f},
            {1232.205f, -1251.088f, 73.67763f},
            {2328.742f, -1096.286f, 44.7446f},
            {-1731.426f, -412.8995f, 154.8678f},
            {-5517.375f, -2936.821f, -2.219434f},
            {-231.3357f, 703.2683f, 113.7415f},
            {2931.73f, 1283.24f, 44.6528f},
            {2944.27f, 521.257f, 45.3776f},
            {2935.2f, 569.433f, 44.8467f},
            {1996.07f, 198.181f, 80.4f},
            {2030.75f, 128.785f, 80.775f},
            {-3718.14f, -2610.48f, -13.3694f},
            {-875.477f, -1328.74f, 43.958f},
            {-811.299f, -1323.2f, 43.6781f},
            {1233.22f, -1297.11f, 76.9048f},
            {1344.6f, -1374.88f, 80.4805f},
            {2749.14f, -1400.79f, 46.1927f},
            {2634.01f, -1225.79f, 53.3804f},
            {2794.42f, -1168.74f, 47.928f},
            {2365.03f, -1124.68f, 46.3264f},
            {-1095.53f, -575.422f, 82.4099f},
            {-1298.77f, 401.872f, 95.3839f},
            {-5230.35f, -3468.04f, -20.5129f},
            {-5513.87f, -2912.25f, -1.75131f},
            {-180.543f, 629.124f, 114.09f},
            {1521.5f, 439.356f, 90.6807f},
            {-240.996f, 769.99f, 118.085f},
            {-307.937f, 807.302f, 118.98f},
            {-312.085f, 830.793f, 119.576f},
            {-1068.52f, 2176.55f, 356.601f},
            {-967.042f, 2181.84f, 339.871f},
            {-1438.82f, 2246.19f, 302.743f},
            {-1675.93f, 2046.5f, 284.168f},
            {-1909.05f, 1814.68f, 234.315f},
            {-882.759f, 1496.19f, 245.988f},
            {2985.22f, 568.669f, 44.6279f},
            {-1765.09f, -383.61f, 157.737f},
            {-3729.61f, -2603.14f, -12.9377f},
            {1524.43f, 432.788f, 90.6807f},
            {2941.09f, 1267.47f, 44.6437f},
            {2766.2f, -1407.68f, 46.2386f},
            {1239.99f, -1318.56f, 76.9011f},
            {-1303.65f, 406.335f, 95.3838f},
            {-1097.46f, -572.283f, 82.3941f},
            {102.893f, 622.482f, 117.955f},
            {1342.84f, 740.888f, 93.4725f},
            {2845.97f, 925.866f, 48.3713f},
            {2866.03f, -1068.36f, 44.8577f},
            {1018.83f, -983.882f, 66.6966f},
            {-1059.14f, 602.135f, 93.0829f},
            {-1306.54f, -295.74f, 100.096f},
            {-5152.15f, -3230.05f, -16.3825f},
            {1888.86f, 300.964f, 77.0615f},
            {1898.65f, 295.165f, 75.7811f},
            {1897.12f, 297.832f, 75.9793f},
            {1894.92f, 299.828f, 76.9728f},
            {1876.5f, 288.787f, 75.7943f},
            {1893.13f, 288.248f, 76.4853f},
            {-2300.0f, 1500.0f, 420.0f},
            {-2600.0f, 900.0f, 310.0f},
            {-1700.0f, 1900.0f, 330.0f},
            {-1300.0f, 1800.0f, 390.0f},
            {-2000.0f, 2300.0f, 520.0f},
            {-1200.0f, 2500.0f, 610.0f},
            {-600.0f, 1900.0f, 420.0f},
            {100.0f, 1950.0f, 640.0f},
            {600.0f, 2300.0f, 820.0f},
            {1000.0f, 1850.0f, 560.0f},
            {1800.0f, 2100.0f, 480.0f},
            {-300.0f, 1500.0f, 300.0f},
            {250.0f, 1150.0f, 190.0f},
            {800.0f, 1150.0f, 170.0f},
            {500.0f, 900.0f, 150.0f},
            {-100.0f, 1100.0f, 180.0f},
            {-300.0f, 450.0f, 118.0f},
            {350.0f, 500.0f, 105.0f},
            {950.0f, 500.0f, 98.0f},
            {1350.0f, 250.0f, 92.0f},
            {600.0f, 0.0f, 80.0f},
            {100.0f, 200.0f, 110.0f},
            {-600.0f, 650.0f, 100.0f},
            {1100.0f, 800.0f, 100.0f},
            {2550.0f, 1350.0f, 120.0f},
            {2750.0f, 800.0f, 70.0f},
            {2150.0f, 650.0f, 110.0f},
            {2000.0f, 1300.0f, 260.0f},
            {3050.0f, 1800.0f, 180.0f},
            {2400.0f, 1700.0f, 230.0f},
            {2300.0f, 1000.0f, 160.0f},
            {2600.0f, 400.0f, 60.0f},
            {3150.0f, 1200.0f, 60.0f},
            {1900.0f, -300.0f, 42.0f},
            {2450.0f, -400.0f, 41.0f},
            {2150.0f, -700.0f, 40.0f},
            {2450.0f, -1350.0f, 40.0f},
            {2750.0f, -900.0f, 42.0f},
            {2150.0f, -1300.0f, 41.0f},
            {2000.0f, -900.0f, 41.0f},
            {1150.0f, -1250.0f, 70.0f},
            {850.0f, -1700.0f, 48.0f},
            {1600.0f, -1550.0f, 55.0f},
            {650.0f, -800.0f, 60.0f},
            {1450.0f, -800.0f, 62.0f},
            {1800.0f, -1200.0f, 48.0f},
            {1000.0f, -2000.0f, 44.0f},
            {-1700.0f, -350.0f, 150.0f},
            {-1250.0f, 250.0f, 120.0f},
            {-2100.0f, 100.0f, 190.0f},
            {-1100.0f, -500.0f, 90.0f},
            {-1500.0f, 700.0f, 160.0f},
            {-1900.0f, -700.0f, 140.0f},
            {-800.0f, -1400.0f, 46.0f},
            {-400.0f, -1700.0f, 44.0f},
            {-1100.0f, -1850.0f, 52.0f},
            {-250.0f, -1150.0f, 50.0f},
            {-1300.0f, -1300.0f, 75.0f},
            {-1900.0f, -1300.0f, 110.0f},
            {-2500.0f, -1800.0f, 95.0f},
            {-1700.0f, -1850.0f, 70.0f},
            {-2300.0f, -1200.0f, 180.0f},
            {-3650.0f, -2450.0f, -5.0f},
            {-3100.0f, -2200.0f, 20.0f},
            {-4200.0f, -2300.0f, 15.0f},
            {-3600.0f, -1900.0f, 35.0f},
            {-4000.0f, -2800.0f, -10.0f},
            {-2500.0f, -2700.0f, 40.0f},
            {-1500.0f, -2500.0f, 42.0f},
            {-2900.0f, -3200.0f, 30.0f},
            {-2000.0f, -3200.0f, 35.0f},
            {-1400.0f, -2330.0f, 41.0f},
            {-5500.0f, -2600.0f, 40.0f},
            {-6100.0f, -3100.0f, 60.0f},
            {-4900.0f, -2300.0f, 70.0f},
            {-5900.0f, -2400.0f, 55.0f},
            {-4800.0f, -2900.0f, 5.0f},
            {-5100.0f, -3500.0f, -25.0f},
            {-4200.0f, -3450.0f, -5.0f},
            {-5800.0f, -3750.0f, 10.0f},
            {-4600.0f, -3700.0f, -15.0f},
        },
        // Roads, as polylines in the ground plane.
        {
            {{1996.07f, 198.181f},
             {2150.0f, 420.0f},
             {2400.0f, 640.0f},
             {2600.0f, 820.0f},
             {2800.0f, 700.0f},
             {2960.0f, 545.0f}},
            {{2960.0f, 545.0f},
             {2900.0f, 800.0f},
             {2880.0f, 1000.0f},
             {2904.0f, 1248.0f},
             {2750.0f, 1480.0f},
             {2500.0f, 1650.0f}},
            {{-3250.0f, -2450.0f},
             {-3500.0f, -2560.0f},
             {-3665.0f, -2612.0f},
             {-3900.0f, -2680.0f},
             {-4150.0f, -2750.0f}},
            {{-3665.0f, -2612.0f}, {-3620.0f, -2350.0f}, {-3580.0f, -2050.0f}},
            {{-350.0f, -1380.0f},
             {-600.0f, -1300.0f},
             {-798.0f, -1247.0f},
             {-1000.0f, -1180.0f},
             {-1200.0f, -1080.0f},
             {-1350.0f, -1000.0f}},
            {{-798.0f, -1247.0f}, {-850.0f, -1500.0f}, {-950.0f, -1750.0f}},
            {{750.0f, -950.0f},
             {1000.0f, -1130.0f},
             {1232.0f, -1251.0f},
             {1500.0f, -1230.0f},
             {1800.0f, -1180.0f},
             {2050.0f, -1140.0f}},
            {{1232.0f, -1251.0f}, {1180.0f, -1500.0f}, {1080.0f, -1750.0f}},
            {{2050.0f, -1140.0f},
             {2328.0f, -1096.0f},
             {2500.0f, -1180.0f},
             {2650.0f, -1250.0f},
             {2760.0f, -1340.0f}},
            {{2328.0f, -1096.0f}, {2300.0f, -850.0f}, {2250.0f, -600.0f}, {2150.0f, -350.0f}},
            {{-1200.0f, -420.0f},
             {-1450.0f, -330.0f},
             {-1731.0f, -413.0f},
             {-1950.0f, -250.0f},
             {-1950.0f, 50.0f},
             {-1700.0f, 300.0f},
             {-1450.0f, 420.0f}},
            {{-6200.0f, -2500.0f},
             {-5900.0f, -2700.0f},
             {-5517.0f, -2936.0f},
             {-5250.0f, -3300.0f},
             {-5100.0f, -3650.0f}},
            {{-5517.0f, -2936.0f}, {-5200.0f, -2820.0f}, {-4900.0f, -2780.0f}, {-4650.0f, -2850.0f}},
            {{-231.0f, 703.0f},
             {0.0f, 650.0f},
             {400.0f, 600.0f},
             {900.0f, 560.0f},
             {1300.0f, 450.0f},
             {1460.0f, 380.0f}},
            {{-231.0f, 703.0f}, {-480.0f, 690.0f}, {-740.0f, 670.0f}},
            {{-231.0f, 703.0f}, {-180.0f, 1000.0f}, {50.0f, 1250.0f}, {300.0f, 1550.0f}},
            {{-231.0f, 703.0f}, {-120.0f, 350.0f}, {150.0f, 50.0f}},
            // Side roads the prison wagons come in by, each from where it sets out
            // to a junction of the roads above.
            {{-998.135f, -1460.87f}, {-850.0f, -1500.0f}},
            {{1566.96f, -1470.49f}, {1500.0f, -1230.0f}},
            {{-451.547f, 557.196f}, {-480.0f, 690.0f}},
            {{-72.5308f, 578.354f}, {0.0f, 650.0f}},
            {{-1566.53f, -548.818f}, {-1731.0f, -413.0f}},
            {{-1984.99f, -422.871f}, {-1950.0f, -250.0f}},
            {{-5524.41f, -2622.83f}, {-5517.0f, -2936.0f}},
            {{2242.95f, -1359.27f}, {2328.0f, -1096.0f}},
            {{2794.09f, 1028.99f}, {2880.0f, 1000.0f}},
            {{2854.69f, 1468.56f}, {2750.0f, 1480.0f}},
        },
        // Railway lines, as polylines in the ground plane.
        {
            {{-1600.0f, 150.0f},    {-1290.0f, 388.0f},   {-1059.14f, 602.135f}, {-600.0f, 660.0f},
             {-185.0f, 615.0f},     {102.893f, 622.482f}, {700.0f, 700.0f},      {1342.84f, 740.888f},
             {1530.0f, 426.0f},     {1450.0f, 100.0f},    {1300.0f, -500.0f},    {1018.83f, -983.882f},
             {1247.0f, -1302.0f},   {1700.0f, -1350.0f},  {2300.0f, -1450.0f},   {2756.0f, -1416.0f},
             {2866.03f, -1068.36f}, {2950.0f, -400.0f},   {2990.0f, 200.0f},     {2998.0f, 560.0f},
             {2845.97f, 925.866f},  {2945.0f, 1262.0f},   {2980.0f, 1600.0f}},
            {{-1290.0f, 388.0f},
             {-1306.54f, -295.74f},
             {-1108.0f, -586.0f},
             {-880.0f, -1343.0f},
             {-1600.0f, -1900.0f},
             {-2400.0f, -2400.0f},
             {-3727.0f, -2618.0f},
             {-4400.0f, -2950.0f},
             {-5152.15f, -3230.05f},
             {-5244.0f, -3471.0f},
             {-5300.0f, -3800.0f}},
            {{-1108.0f, -586.0f}, {-1400.0f, -480.0f}, {-1763.0f, -398.0f}, {-2000.0f, -450.0f}},
        },
    }));
    return *data;
}

} // namespace sim
