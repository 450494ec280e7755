// The game's scenario points the plug-in's places bind to: seats, benches and
// camp stools near the named places, by point type.
#include "world/places/scenario_points.h"

namespace sim {
namespace {
constexpr std::uint32_t chair = 0xCFE255D2;
constexpr std::uint32_t chairAtTable = 0xA9EFBB71;
constexpr std::uint32_t bench = 0x49446542;
constexpr std::uint32_t campSeat = 0x8C845530;
} // namespace

const std::vector<ScenarioPointRow>& scenarioPointTable() {
    static const auto* table = new std::vector<ScenarioPointRow>{
        // Lake Don Julio House
        {campSeat, {-2926.6f, -2921.14f, 29.353f}},
        {chair, {-2919.13f, -2934.19f, 29.543f}},
        {chair, {-2935.15f, -2936.49f, 29.338f}},
        // Pleasance House
        {bench, {-2571.08f, -2880.63f, 39.571f}},
        {campSeat, {-2579.84f, -2884.2f, 39.479f}},
        // Stillwater Creek
        {chair, {-2121.75f, -2882.71f, 37.361f}},
        {campSeat, {-2123.53f, -2891.03f, 37.193f}},
        // Old Bacchus Place
        {chair, {-3158.19f, -2035.6f, 20.397f}},
        {bench, {-3185.03f, -2019.96f, 20.709f}},
        // Silent Stead
        {chair, {-4939.28f, -3605.35f, -23.105f}},
        {chair, {-4958.59f, -3630.79f, -23.199f}},
        {chairAtTable, {-4952.35f, -3619.79f, -23.229f}},
        // Scratching Post
        {chair, {-5943.64f, -2272.63f, 54.815f}},
        {chair, {-5922.34f, -2288.52f, 54.891f}},
        {bench, {-5914.51f, -2277.04f, 54.851f}},
        // Plainview
        {campSeat, {-5889.84f, -3597.17f, 10.266f}},
        {bench, {-5880.08f, -3616.61f, 10.106f}},
        // Tanner's Reach
        {chair, {-2060.0f, -1365.65f, 117.156f}},
        {bench, {-2048.74f, -1362.13f, 115.055f}},
        // Swadbass Point
        {bench, {-1257.05f, -1659.22f, 56.487f}},
        // Treehouse
        {chair, {-1916.42f, -111.49f, 164.542f}},
        {campSeat, {-1931.43f, -115.63f, 165.992f}},
        // Hotel Room
        {chair, {-1821.13f, -367.57f, 166.504f}},
        {bench, {-1816.46f, -366.75f, 166.504f}},
        // WindowRock
        {campSeat, {545.1f, 1710.11f, 455.706f}},
        // Firwood Rise
        {chair, {295.41f, 1070.6f, 189.188f}},
        {campSeat, {304.92f, 1051.8f, 187.733f}},
        {chair, {302.42f, 1079.27f, 189.325f}},
        // Gill Landing
        {campSeat, {-663.77f, 417.87f, 106.052f}},
        {campSeat, {-655.31f, 434.38f, 105.303f}},
        // Hotel Room 1A
        {chair, {-323.06f, 763.36f, 117.437f}},
        // Robard Farm
        {chair, {1053.99f, -1033.77f, 66.747f}},
        // Radley's House
        {campSeat, {1596.99f, -1487.74f, 55.095f}},
        {chairAtTable, {1603.79f, -1490.96f, 55.069f}},
        {campSeat, {1633.75f, -1497.68f, 55.054f}},
        {chair, {1592.59f, -1470.51f, 55.291f}},
        // Copperhead Landing
        {chair, {2569.05f, -560.17f, 42.028f}},
        // Hotel Room
        {chair, {2640.45f, -1220.78f, 59.6f}},
        // Osman Grove
        {chairAtTable, {1891.46f, 299.06f, 77.0615f}},
        {bench, {1899.1f, 294.87f, 75.7811f}},
        {campSeat, {1897.57f, 297.53f, 75.9793f}},
        // Reed Cottage
        {chair, {2090.51f, 601.83f, 109.563f}},
        {chair, {2050.87f, 601.03f, 107.783f}},
        // Black Baslam Rise
        {chair, {2441.25f, 1809.44f, 229.148f}},
        {bench, {2448.89f, 1808.28f, 229.055f}},
        {chair, {2426.27f, 1809.65f, 229.313f}},
        // The Loft
        {chair, {2814.28f, 1735.15f, 159.352f}},
        {chair, {2786.32f, 1727.5f, 154.969f}},
    };
    return *table;
}

} // namespace sim
