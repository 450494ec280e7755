#pragma once
// The railway and the trains on it. The railway is a set of tracks (the map's
// railway lines, each running one way from its first point to its last); a
// mission train is made of the cars of a train configuration, set on a track
// facing along it (direction false) or against it (true), and runs along it:
// told to stop for stations, it brakes to a halt with its middle at each
// station it comes to, waits there a while, and pulls out again. At the end of
// its track it stands. Every car is a vehicle of the world with seats, so
// passengers who board a car ride along with it.
#include "runtime/types.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace sim {

struct World;

struct TrackPoint {
    int track = -1;
    float along = 0.0f; // metres from the track's first point
    float distance = 0.0f; // from the position asked about, on the ground plane
};

enum class TrainState { Running, Braking, Waiting, EndOfLine };

struct TrainRecord {
    std::uint32_t config = 0;
    std::vector<int> cars; // car 0 is the engine: the train's own handle
    int track = -1;
    float along = 0.0f;  // the engine's place on the track
    int heading = 1;     // +1 along the track, -1 against it
    float speed = 0.0f;  // m/s
    bool stopsForStations = false;
    TrainState state = TrainState::Running;
    std::uint64_t waitUntilMs = 0;
    int stationStoppedAt = -1; // the station it waits at or last left
    int stationStops = 0;      // how many times it has stopped at a station
};

class Trains {
public:
    // Cruising speed and how hard trains brake and pull away.
    static constexpr float cruiseSpeed = 12.0f;
    static constexpr float braking = 1.0f;     // m/s^2
    static constexpr float pullingAway = 0.6f; // m/s^2
    static constexpr float carLength = 18.0f;
    // How long a train stands at a station.
    static constexpr std::uint32_t stationWaitMs = 45000;
    // A station this near a track is on it.
    static constexpr float stationReach = 40.0f;
    static constexpr int passengerSeats = 16;

    Trains();

    // The car models of a configuration; empty for one the game does not know.
    static const std::vector<std::uint32_t>& configCars(std::uint32_t config);
    // The configuration the plug-in's train stations use.
    static constexpr std::uint32_t stationTrainConfig = 0xFAB2FFB9;

    std::optional<TrackPoint> nearestTrackPoint(const drovil::Vector3& position) const;
    drovil::Vector3 pointOnTrack(int track, float along) const;
    float trackLength(int track) const;

    // A train of the configuration at the track point nearest to `position`;
    // 0 when the configuration is unknown or a car model is not loaded.
    int create(World& world, std::uint32_t config, const drovil::Vector3& position, bool direction);
    // Moves the train to the track point nearest to `position` (on the track it is on).
    void setCoords(World& world, int train, const drovil::Vector3& position);
    TrainRecord* find(int train);
    const TrainRecord* find(int train) const;
    // The car of a train by index (0 the engine), 0 when there is none.
    int carriage(int train, int index) const;
    // The train a car belongs to, 0 for none.
    int trainOfCar(int car) const;
    bool isWaitingAtStation(int train) const;
    const std::map<int, TrainRecord>& all() const { return trains_; }

    // One frame: every train runs, brakes, waits or pulls away, its cars follow.
    void step(World& world);

private:
    struct Track {
        std::vector<drovil::Vector3> points;
        std::vector<float> lengths; // cumulative, from the first point
        std::vector<std::pair<int, float>> stations; // station id and where along the track
    };
    void placeCars(World& world, TrainRecord& train);
    void run(World& world, TrainRecord& train, float seconds);
    // The next station ahead of the train's middle (station id, along), if any.
    std::optional<std::pair<int, float>> stationAhead(const TrainRecord& train) const;
    float middleOf(const TrainRecord& train) const;

    std::vector<Track> tracks_;
    std::map<int, TrainRecord> trains_;
    std::map<int, int> trainOfCar_;
};

} // namespace sim
