#include "world/train_stations.h"

#include "runtime/game.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "world/data/station_table.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace drovil {
namespace {

// How far out the computed remote points lie and the stride of the track walk.
constexpr float remoteDistance = 350.0f;
constexpr float remoteStep = 20.0f;
// A passenger waits this far short of the track, but never closer to the
// station than the minimum.
constexpr float approachShortOfTrack = 7.0f;
constexpr float approachMinimum = 5.0f;

const StationRow* rowOf(int id) {
    const auto& table = stationTable();
    if (id < 0 || id >= static_cast<int>(table.size()))
        return nullptr;
    return &table[static_cast<std::size_t>(id)];
}

Vector3 trackPointNear(const Vector3& position) {
    return natives::path::nearestTrackPosition(position);
}

float flatLength(float x, float y) {
    return std::sqrt(x * x + y * y);
}

TrainStations* stations = nullptr;

} // namespace

int TrainStations::nearestStation(const Vector3& position) const {
    int best = 0;
    float bestDistance = distanceBetween(position, stationPosition(0));
    for (int id = 1; id < stationCount; ++id) {
        const float distance = distanceBetween(position, stationPosition(id));
        if (distance < bestDistance) {
            best = id;
            bestDistance = distance;
        }
    }
    return best;
}

Vector3 TrainStations::stationPosition(int id) const {
    const StationRow* row = rowOf(id);
    return row ? row->position : Vector3();
}

Vector3 TrainStations::stationApproachPoint(int id) const {
    const StationRow* row = rowOf(id);
    if (!row)
        return Vector3();
    if (row->approachPoint)
        return *row->approachPoint;
    const Vector3 station = row->position;
    const Vector3 track = trackPointNear(station);
    const float dx = track.x - station.x, dy = track.y - station.y, dz = track.z - station.z;
    const float length = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (length <= 0.0f)
        return station; // the station stands on the track itself
    const float along = std::max(length - approachShortOfTrack, approachMinimum);
    return Vector3(station.x + dx / length * along, station.y + dy / length * along,
                   station.z + dz / length * along);
}

StationRemotePoint TrainStations::stationRemotePoint(int id) const {
    const StationRow* row = rowOf(id);
    if (!row)
        return StationRemotePoint();
    if (row->remotePoint)
        return *row->remotePoint;
    return searchRemotePoint(row->position, remoteDistance, remoteStep);
}

StationRemotePoint searchRemotePoint(const Vector3& station, float distance, float step) {
    const Vector3 start = trackPointNear(station);
    struct Direction {
        float x, y;
        bool flag;
    };
    const Direction directions[] = {
        {1.0f, 0.0f, true}, {-1.0f, 0.0f, false}, {0.0f, 1.0f, true}, {0.0f, -1.0f, false}};
    // Enough strides for a track that winds to three times the straight way out.
    const int maxSteps = static_cast<int>(std::ceil(distance / step)) * 3;
    for (const Direction& direction : directions) {
        Vector3 current = start;
        float headingX = direction.x, headingY = direction.y;
        for (int stepIndex = 0; stepIndex < maxSteps; ++stepIndex) {
            const Vector3 probe(current.x + headingX * step, current.y + headingY * step, current.z);
            const Vector3 next = trackPointNear(probe);
            const float movedX = next.x - current.x, movedY = next.y - current.y;
            const float moved = flatLength(movedX, movedY);
            // The track does not run this way (or it ends here). The first stride
            // must make headway in the probed direction itself, so that a track
            // crossing the probe's axis is not taken for one running along it.
            if (moved < step * 0.25f)
                break;
            if (stepIndex == 0 && movedX * direction.x + movedY * direction.y < step * 0.5f)
                break;
            headingX = movedX / moved;
            headingY = movedY / moved;
            current = next;
            if (distanceBetween(current, station) >= distance)
                return StationRemotePoint{current, direction.flag};
        }
    }
    log("TrainStations: no track leads " + floatText(distance) + " m away from the station at " +
        floatText(station.x) + ", " + floatText(station.y));
    return StationRemotePoint{start, false};
}

void createTrainStations() {
    if (!stations)
        stations = new TrainStations();
}

TrainStations& trainStations() {
    if (!stations) {
        log("TrainStations: used before start-up created them");
        std::abort();
    }
    return *stations;
}

bool trainStationsCreated() {
    return stations != nullptr;
}

} // namespace drovil
