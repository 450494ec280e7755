// The twelve train stations. The approach point is where a passenger waits for
// the train; the remote point is where a train bound for the station is put on
// the track, with the direction flag it is created with. Stations without a
// fixed point have it computed from the railway when asked.
#include "world/data/station_table.h"

namespace drovil {

const std::vector<StationRow>& stationTable() {
    using std::nullopt;
    static const auto* table = new std::vector<StationRow>{
        {0,
         {-180.543f, 629.124f, 114.09f},
         nullopt,
         StationRemotePoint{{102.893f, 622.482f, 117.955f}, true}},
        {1,
         {1521.5f, 439.356f, 90.6807f},
         Vector3{1524.43f, 432.788f, 90.6807f},
         StationRemotePoint{{1342.84f, 740.888f, 93.4725f}, false}},
        {2,
         {2931.73f, 1283.24f, 44.6528f},
         Vector3{2941.09f, 1267.47f, 44.6437f},
         StationRemotePoint{{2845.97f, 925.866f, 48.3713f}, false}},
        {3, {2985.22f, 568.669f, 44.6279f}, nullopt, nullopt},
        {4,
         {2749.14f, -1400.79f, 46.1927f},
         Vector3{2766.2f, -1407.68f, 46.2386f},
         StationRemotePoint{{2866.03f, -1068.36f, 44.8577f}, true}},
        {5,
         {1233.22f, -1297.11f, 76.9048f},
         Vector3{1239.99f, -1318.56f, 76.9011f},
         StationRemotePoint{{1018.83f, -983.882f, 66.6966f}, false}},
        {6,
         {-1298.77f, 401.872f, 95.3839f},
         Vector3{-1303.65f, 406.335f, 95.3838f},
         StationRemotePoint{{-1059.14f, 602.135f, 93.0829f}, false}},
        {7, {-1765.09f, -383.61f, 157.737f}, nullopt, nullopt},
        {8,
         {-1095.53f, -575.422f, 82.4099f},
         Vector3{-1097.46f, -572.283f, 82.3941f},
         StationRemotePoint{{-1306.54f, -295.74f, 100.096f}, false}},
        {9, {-875.477f, -1328.74f, 43.958f}, nullopt, nullopt},
        {10, {-3729.61f, -2603.14f, -12.9377f}, nullopt, nullopt},
        {11,
         {-5230.35f, -3468.04f, -20.5129f},
         nullopt,
         StationRemotePoint{{-5152.15f, -3230.05f, -16.3825f}, false}},
    };
    return *table;
}

} // namespace drovil
