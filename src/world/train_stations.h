#pragma once
// The twelve train stations: their positions, where a passenger waits for the
// train (approach point) and where a train bound for the station is put on the
// track (remote point, with the direction the train is created facing).
#include "runtime/types.h"

namespace drovil {

struct StationRemotePoint {
    Vector3 point;
    bool flag = false; // the direction flag the train is created with
};

class TrainStations {
public:
    static constexpr int stationCount = 12;

    // The station nearest to the position; the first of equally near ones in id order.
    int nearestStation(const Vector3& position) const;
    // (0, 0, 0) for an unknown id.
    Vector3 stationPosition(int id) const;
    // Fixed for some stations; for the others computed from the game's track
    // reference point near the station: 7 m short of it, at least 5 m out.
    Vector3 stationApproachPoint(int id) const;
    // Fixed for some stations; stations 3, 7, 9 and 10 search the track.
    StationRemotePoint stationRemotePoint(int id) const;
};

// The search behind the computed remote points: walks the railway from the
// track reference point near `station`, `step` metres at a time, until it is
// `distance` metres from the station. Probes the four axis directions in the
// order +x, -x, +y, -y and keeps the first along which the track runs (the
// first stride must make half its length of headway that way) and that leads
// that far.
// The flag is true when the walk set out towards +x or +y. When no direction
// leads far enough, the reference point itself is returned with flag false.
StationRemotePoint searchRemotePoint(const Vector3& station, float distance, float step);

// The process-wide registry: created once at start-up, never destroyed.
void createTrainStations();
TrainStations& trainStations();
bool trainStationsCreated();

} // namespace drovil
