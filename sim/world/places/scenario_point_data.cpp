// The game's scenario points: the seat kinds, the seat props at the named
// places (their model hashes are the ones scripts search for), the towns'
// streets and saloons, and a camp propset's points.
#include "world/places/scenario_point_data.h"

#include "world/core/strings.h"

namespace sim {
namespace seats {
const SeatKind campFire{0xB5F8DD94, "PROP_CAMP_SEAT_CHAIR_STEW"};
const SeatKind chair{0x3CD3DC55, "PROP_HUMAN_SEAT_CHAIR"};
const SeatKind bench{0x4B0D78C8, "PROP_HUMAN_SEAT_BENCH"};
const SeatKind chairAtTable{0x764617AC, "PROP_HUMAN_SEAT_CHAIR_TABLE_DRINKING"};
const SeatKind barStool{0x96A00FF4, "PROP_HUMAN_SEAT_CHAIR_DRINKING"};
const SeatKind steps{0xBFE66280, "WORLD_HUMAN_SEAT_STEPS"};

const std::vector<const SeatKind*>& all() {
    static const std::vector<const SeatKind*> kinds{&campFire, &chair, &bench, &chairAtTable, &barStool, &steps};
    return kinds;
}
} // namespace seats

namespace {
// Seat prop models.
constexpr std::uint32_t chairProp = 0xCFE255D2;
constexpr std::uint32_t chairAtTableProp = 0xA9EFBB71;
constexpr std::uint32_t benchProp = 0x49446542;
constexpr std::uint32_t campSeatProp = 0x8C845530;
} // namespace

const SeatKind& seatKindOfProp(std::uint32_t model) {
    switch (model) {
    case chairAtTableProp:
        return seats::chairAtTable;
    case benchProp:
        return seats::bench;
    case campSeatProp:
        return seats::campFire;
    default:
        return seats::chair;
    }
}

const std::vector<SeatPropRow>& seatPropTable() {
    static const auto* table = new std::vector<SeatPropRow>{
        // Lake Don Julio House
        {campSeatProp, {-2926.6f, -2921.14f, 29.353f}},
        {chairProp, {-2919.13f, -2934.19f, 29.543f}},
        {chairProp, {-2935.15f, -2936.49f, 29.338f}},
        // Pleasance House
        {benchProp, {-2571.08f, -2880.63f, 39.571f}},
        {campSeatProp, {-2579.84f, -2884.2f, 39.479f}},
        // Stillwater Creek
        {chairProp, {-2121.75f, -2882.71f, 37.361f}},
        {campSeatProp, {-2123.53f, -2891.03f, 37.193f}},
        // Old Bacchus Place
        {chairProp, {-3158.19f, -2035.6f, 20.397f}},
        {benchProp, {-3185.03f, -2019.96f, 20.709f}},
        // Silent Stead
        {chairProp, {-4939.28f, -3605.35f, -23.105f}},
        {chairProp, {-4958.59f, -3630.79f, -23.199f}},
        {chairAtTableProp, {-4952.35f, -3619.79f, -23.229f}},
        // Scratching Post
        {chairProp, {-5943.64f, -2272.63f, 54.815f}},
        {chairProp, {-5922.34f, -2288.52f, 54.891f}},
        {benchProp, {-5914.51f, -2277.04f, 54.851f}},
        // Plainview
        {campSeatProp, {-5889.84f, -3597.17f, 10.266f}},
        {benchProp, {-5880.08f, -3616.61f, 10.106f}},
        // Tanner's Reach
        {chairProp, {-2060.0f, -1365.65f, 117.156f}},
        {benchProp, {-2048.74f, -1362.13f, 115.055f}},
        // Swadbass Point
        {benchProp, {-1257.05f, -1659.22f, 56.487f}},
        // Treehouse
        {chairProp, {-1916.42f, -111.49f, 164.542f}},
        {campSeatProp, {-1931.43f, -115.63f, 165.992f}},
        // Hotel Room
        {chairProp, {-1821.13f, -367.57f, 166.504f}},
        {benchProp, {-1816.46f, -366.75f, 166.504f}},
        // WindowRock
        {campSeatProp, {545.1f, 1710.11f, 455.706f}},
        // Firwood Rise
        {chairProp, {295.41f, 1070.6f, 189.188f}},
        {campSeatProp, {304.92f, 1051.8f, 187.733f}},
        {chairProp, {302.42f, 1079.27f, 189.325f}},
        // Gill Landing
        {campSeatProp, {-663.77f, 417.87f, 106.052f}},
        {campSeatProp, {-655.31f, 434.38f, 105.303f}},
        // Hotel Room 1A
        {chairProp, {-323.06f, 763.36f, 117.437f}},
        // Robard Farm
        {chairProp, {1053.99f, -1033.77f, 66.747f}},
        // Radley's House
        {campSeatProp, {1596.99f, -1487.74f, 55.095f}},
        {chairAtTableProp, {1603.79f, -1490.96f, 55.069f}},
        {campSeatProp, {1633.75f, -1497.68f, 55.054f}},
        {chairProp, {1592.59f, -1470.51f, 55.291f}},
        // Copperhead Landing
        {chairProp, {2569.05f, -560.17f, 42.028f}},
        // Hotel Room
        {chairProp, {2640.45f, -1220.78f, 59.6f}},
        // Osman Grove
        {chairAtTableProp, {1891.46f, 299.06f, 77.0615f}},
        {benchProp, {1899.1f, 294.87f, 75.7811f}},
        {campSeatProp, {1897.57f, 297.53f, 75.9793f}},
        // Reed Cottage
        {chairProp, {2090.51f, 601.83f, 109.563f}},
        {chairProp, {2050.87f, 601.03f, 107.783f}},
        // Black Baslam Rise
        {chairProp, {2441.25f, 1809.44f, 229.148f}},
        {benchProp, {2448.89f, 1808.28f, 229.055f}},
        {chairProp, {2426.27f, 1809.65f, 229.313f}},
        // The Loft
        {chairProp, {2814.28f, 1735.15f, 159.352f}},
        {chairProp, {2786.32f, 1727.5f, 154.969f}},
    };
    return *table;
}

const std::vector<TownSeatsRow>& townSeatsTable() {
    static const auto* table = new std::vector<TownSeatsRow>{
        // Tumbleweed
        {{{-5478.16f, -2893.98f, -1.826f, 323.4f}, {-5534.55f, -3060.77f, -1.914f, 116.2f},
           {-5432.76f, -2885.46f, -1.719f, 51.9f}, {-5633.41f, -2905.26f, -1.496f, 332.6f}},
         {{-5513.87f, -2912.25f, -1.75131f, 0.0f}}},
        // Valentine
        {{{-312.085f, 830.793f, 119.576f, 83.9105f}, {1405.58f, 426.67f, 90.748f, 101.9f},
           {-353.47f, 831.58f, 119.384f, 167.1f}, {-137.38f, 824.55f, 118.583f, 307.0f},
           {1438.19f, 347.42f, 90.913f, 142.1f}, {1479.88f, 333.54f, 90.657f, 343.2f},
           {-396.09f, 765.75f, 118.68f, 330.1f}, {-121.1f, 776.19f, 117.095f, 194.2f},
           {-352.32f, 706.37f, 117.377f, 248.2f}, {1457.5f, 484.19f, 90.677f, 314.3f}},
         {{-240.996f, 769.99f, 118.085f, 0.0f}, {-307.937f, 807.302f, 118.98f, 0.0f}}},
        // Annesburg
        {{{2935.2f, 569.433f, 44.8467f, 324.0f}, {2957.07f, 597.56f, 44.786f, 258.6f},
           {2926.8f, 601.41f, 44.856f, 244.1f}, {2991.43f, 1148.17f, 47.106f, 269.6f},
           {2919.25f, 1281.31f, 44.656f, 117.6f}, {2845.78f, 1427.73f, 50.338f, 144.2f},
           {2775.82f, 1124.87f, 51.031f, 134.8f}, {2934.31f, 1209.35f, 44.827f, 269.0f},
           {2707.49f, 1205.09f, 67.637f, 247.1f}, {3088.76f, 1283.53f, 55.024f, 335.9f},
           {2794.74f, 1377.82f, 52.146f, 329.4f}},
         {{2944.27f, 521.257f, 45.3776f, 0.0f}}},
        // Strawberry
        {{{-1776.76f, -454.96f, 155.633f, 351.0f}, {-1675.1f, -315.53f, 150.231f, 163.6f},
           {-1643.35f, -395.41f, 151.847f, 44.3f}, {-1748.48f, -323.5f, 153.083f, 57.2f}},
         {{-1095.53f, -575.422f, 82.4099f, 0.0f}, {-1298.77f, 401.872f, 95.3839f, 0.0f}}},
        // Rhodes
        {{{1266.3f, -1436.99f, 78.408f, 182.6f}, {1139.5f, -1110.59f, 71.215f, 119.4f},
           {1324.65f, -1172.78f, 74.622f, 236.9f}, {1146.58f, -1189.95f, 70.673f, 120.1f},
           {1254.77f, -1395.81f, 77.533f, 341.8f}, {1085.56f, -1170.7f, 70.88f, 324.0f},
           {1190.43f, -1127.7f, 72.543f, 196.9f}, {1264.49f, -1137.1f, 73.802f, 131.9f}},
         {{1344.6f, -1374.88f, 80.4805f, 0.0f}}},
        // Saint Denis
        {{{2365.03f, -1124.68f, 46.3264f, 220.0f}, {2824.34f, -1363.92f, 46.273f, 304.5f},
           {2741.45f, -1293.79f, 47.756f, 339.6f}, {2710.48f, -1327.36f, 46.946f, 254.2f},
           {2617.17f, -1214.16f, 53.377f, 141.3f}, {2532.86f, -1103.38f, 48.339f, 156.5f},
           {2452.05f, -1133.61f, 46.099f, 342.6f}, {2456.13f, -1200.82f, 45.447f, 81.1f},
           {2796.92f, -1224.16f, 47.929f, 52.4f}, {2782.61f, -1387.79f, 46.23f, 100.8f},
           {2686.85f, -1374.64f, 46.351f, 229.6f}, {2309.11f, -1031.67f, 44.941f, 104.1f},
           {2788.75f, -1445.98f, 46.232f, 223.9f}, {2781.87f, -1349.78f, 46.255f, 73.2f}},
         {{2634.01f, -1225.79f, 53.3804f, 0.0f}, {2794.42f, -1168.74f, 47.928f, 0.0f}}},
        // Blackwater
        {{{-624.66f, -1205.42f, 44.478f, 338.6f}, {-826.87f, -1427.01f, 45.93f, 91.7f},
           {-870.7f, -1371.78f, 44.112f, 32.0f}, {-780.15f, -1397.68f, 45.989f, 44.7f},
           {-766.21f, -1182.45f, 43.518f, 304.9f}, {-899.3f, -1135.28f, 44.432f, 149.1f},
           {-727.93f, -1300.88f, 43.872f, 198.3f}, {-957.67f, -1290.41f, 44.145f, 90.1f},
           {-867.08f, -1222.84f, 43.615f, 183.3f}, {-731.41f, -1163.98f, 43.706f, 331.0f}},
         {{-811.299f, -1323.2f, 43.6781f, 0.0f}}},
        // Armadillo
        {{{-3718.14f, -2610.48f, -13.3694f, 317.822f}, {-3716.46f, -2681.18f, -13.357f, 155.9f},
           {-3602.03f, -2649.32f, -13.784f, 60.0f}, {-3784.74f, -2582.98f, -13.046f, 331.3f}},
         {{0.0f, 0.0f, 0.0f, 0.0f}}},
    };
    return *table;
}

const std::vector<CampPointRow>& campPointTable() {
    static const auto* table = new std::vector<CampPointRow>{
        // Four seats round the fire, facing it.
        {0.0f, 2.2f, 180.0f, seats::campFire.pointType, seats::campFire.scenario},
        {2.2f, 0.0f, 90.0f, seats::campFire.pointType, seats::campFire.scenario},
        {0.0f, -2.2f, 0.0f, seats::campFire.pointType, seats::campFire.scenario},
        {-2.2f, 0.0f, 270.0f, seats::campFire.pointType, seats::campFire.scenario},
        // Standing about the camp's edge: a lookout, a smoker, one leaning on the wagon.
        {4.5f, 4.5f, 315.0f, gameHash("WORLD_HUMAN_GUARD_SCOUT"), "WORLD_HUMAN_GUARD_SCOUT"},
        {-4.5f, -4.5f, 135.0f, gameHash("WORLD_HUMAN_SMOKE"), "WORLD_HUMAN_SMOKE"},
        {-5.0f, 3.0f, 90.0f, gameHash("WORLD_HUMAN_LEAN_BACK_WALL_SMOKING"), "WORLD_HUMAN_LEAN_BACK_WALL_SMOKING"},
    };
    return *table;
}

} // namespace sim
