#include "world/vehicles/trains.h"

#include "world/core/geometry.h"
#include "world/core/world.h"
#include "world/places/geography_data.h"
#include "world/places/station_clerks.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {

// The westernmost stretch of the northern line, out of the junction east of
// Strawberry's Wallace station, runs the other way from the rest of that line:
// its tracks meet there head to head.
constexpr std::size_t northernLine = 0;
constexpr std::size_t northernJunction = 2;

std::vector<std::vector<PlanePoint>> trackLines() {
    std::vector<std::vector<PlanePoint>> lines;
    const std::vector<Polyline>& railway = geographyData().railway;
    for (std::size_t i = 0; i < railway.size(); ++i) {
        const Polyline& line = railway[i];
        if (i == northernLine && line.size() > northernJunction + 1) {
            std::vector<PlanePoint> west(line.begin(), line.begin() + northernJunction + 1);
            std::reverse(west.begin(), west.end());
            lines.push_back(west);
            lines.emplace_back(line.begin() + northernJunction, line.end());
        } else {
            lines.emplace_back(line.begin(), line.end());
        }
    }
    return lines;
}

float headingAlong(const drovil::Vector3& from, const drovil::Vector3& to) {
    return headingTowards(from, to);
}

} // namespace

Trains::Trains() {
    for (const std::vector<PlanePoint>& line : trackLines()) {
        Track track;
        float total = 0.0f;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i > 0)
                total += std::hypot(line[i].x - line[i - 1].x, line[i].y - line[i - 1].y);
            track.points.emplace_back(line[i].x, line[i].y, 0.0f);
            track.lengths.push_back(total);
        }
        tracks_.push_back(track);
    }
    // Every station lies on the track nearest to it, where it comes closest.
    const std::vector<drovil::Vector3>& stations = StationClerks::stationPositions();
    for (std::size_t id = 0; id < stations.size(); ++id) {
        const std::optional<TrackPoint> on = nearestTrackPoint(stations[id]);
        if (on && on->distance <= stationReach)
            tracks_[static_cast<std::size_t>(on->track)].stations.emplace_back(static_cast<int>(id), on->along);
    }
}

const std::vector<std::uint32_t>& Trains::configCars(std::uint32_t config) {
    static const std::map<std::uint32_t, std::vector<std::uint32_t>> configs = {
        {stationTrainConfig,
         {gameHash("northsteamer01x"), gameHash("northcoalcar01x"), gameHash("northpassenger01x"),
          gameHash("northpassenger03x"), gameHash("northpassenger01x"), gameHash("caboose01x")}},
    };
    static const std::vector<std::uint32_t> none;
    auto found = configs.find(config);
    return found == configs.end() ? none : found->second;
}

std::optional<TrackPoint> Trains::nearestTrackPoint(const drovil::Vector3& position) const {
    std::optional<TrackPoint> best;
    for (std::size_t t = 0; t < tracks_.size(); ++t) {
        const Track& track = tracks_[t];
        for (std::size_t i = 1; i < track.points.size(); ++i) {
            const drovil::Vector3& a = track.points[i - 1];
            const drovil::Vector3& b = track.points[i];
            const float dx = b.x - a.x, dy = b.y - a.y;
            const float lengthSquared = dx * dx + dy * dy;
            float f = lengthSquared > 0.0f ? ((position.x - a.x) * dx + (position.y - a.y) * dy) / lengthSquared : 0.0f;
            f = std::clamp(f, 0.0f, 1.0f);
            const float x = a.x + f * dx, y = a.y + f * dy;
            const float distance = std::hypot(position.x - x, position.y - y);
            if (!best || distance < best->distance)
                best = TrackPoint{static_cast<int>(t), track.lengths[i - 1] + f * std::sqrt(lengthSquared), distance};
        }
    }
    return best;
}

float Trains::trackLength(int track) const {
    if (track < 0 || static_cast<std::size_t>(track) >= tracks_.size())
        return 0.0f;
    return tracks_[static_cast<std::size_t>(track)].lengths.back();
}

drovil::Vector3 Trains::pointOnTrack(int track, float along) const {
    if (track < 0 || static_cast<std::size_t>(track) >= tracks_.size())
        return drovil::Vector3();
    const Track& line = tracks_[static_cast<std::size_t>(track)];
    along = std::clamp(along, 0.0f, line.lengths.back());
    std::size_t i = 1;
    while (i + 1 < line.points.size() && line.lengths[i] < along)
        ++i;
    const float segment = line.lengths[i] - line.lengths[i - 1];
    const float f = segment > 0.0f ? (along - line.lengths[i - 1]) / segment : 0.0f;
    const drovil::Vector3& a = line.points[i - 1];
    const drovil::Vector3& b = line.points[i];
    return drovil::Vector3(a.x + f * (b.x - a.x), a.y + f * (b.y - a.y), 0.0f);
}

int Trains::create(World& world, std::uint32_t config, const drovil::Vector3& position, bool direction) {
    const std::vector<std::uint32_t>& models = configCars(config);
    const std::optional<TrackPoint> on = nearestTrackPoint(position);
    if (models.empty() || !on)
        return 0;
    for (std::uint32_t model : models)
        if (!world.models.isLoaded(model, world.clock.frame))
            return 0;
    TrainRecord train;
    train.config = config;
    train.track = on->track;
    train.along = on->along;
    train.heading = direction ? -1 : 1;
    train.speed = cruiseSpeed;
    for (std::size_t i = 0; i < models.size(); ++i) {
        EntityRecord& car = world.entities.create(EntityKind::Vehicle, models[i], position, 0.0f);
        car.missionEntity = true;
        world.seats.addVehicle(car.id, i == 0 ? 2 : passengerSeats + 1);
        train.cars.push_back(car.id);
    }
    const int handle = train.cars.front();
    for (int car : train.cars)
        trainOfCar_[car] = handle;
    auto placed = trains_.emplace(handle, train).first;
    placeCars(world, placed->second);
    return handle;
}

void Trains::setCoords(World& world, int handle, const drovil::Vector3& position) {
    TrainRecord* train = find(handle);
    const std::optional<TrackPoint> on = nearestTrackPoint(position);
    if (!train || !on)
        return;
    train->track = on->track;
    train->along = on->along;
    placeCars(world, *train);
}

TrainRecord* Trains::find(int train) {
    auto found = trains_.find(train);
    return found == trains_.end() ? nullptr : &found->second;
}

const TrainRecord* Trains::find(int train) const {
    auto found = trains_.find(train);
    return found == trains_.end() ? nullptr : &found->second;
}

int Trains::carriage(int handle, int index) const {
    const TrainRecord* train = find(handle);
    if (!train || index < 0 || static_cast<std::size_t>(index) >= train->cars.size())
        return 0;
    return train->cars[static_cast<std::size_t>(index)];
}

int Trains::trainOfCar(int car) const {
    auto found = trainOfCar_.find(car);
    return found == trainOfCar_.end() ? 0 : found->second;
}

bool Trains::isWaitingAtStation(int handle) const {
    const TrainRecord* train = find(handle);
    return train && train->state == TrainState::Waiting;
}

float Trains::middleOf(const TrainRecord& train) const {
    const float behind = static_cast<float>(train.cars.size() - 1) * 0.5f * carLength;
    return train.along - static_cast<float>(train.heading) * behind;
}

std::optional<std::pair<int, float>> Trains::stationAhead(const TrainRecord& train) const {
    const float middle = middleOf(train);
    std::optional<std::pair<int, float>> nearest;
    for (const auto& [station, along] : tracks_[static_cast<std::size_t>(train.track)].stations) {
        const float ahead = (along - middle) * static_cast<float>(train.heading);
        if (ahead < -0.5f || station == train.stationStoppedAt)
            continue;
        if (!nearest || ahead < (nearest->second - middle) * static_cast<float>(train.heading))
            nearest = std::make_pair(station, along);
    }
    return nearest;
}

void Trains::placeCars(World& world, TrainRecord& train) {
    for (std::size_t i = 0; i < train.cars.size(); ++i) {
        EntityRecord* car = world.entities.find(train.cars[i]);
        if (!car)
            continue;
        const float along = train.along - static_cast<float>(train.heading) * static_cast<float>(i) * carLength;
        drovil::Vector3 at = pointOnTrack(train.track, along);
        const drovil::Vector3 ahead = pointOnTrack(train.track, along + static_cast<float>(train.heading));
        at.z = world.geography.groundHeight(at.x, at.y);
        car->position = at;
        if (flatDistance(at, ahead) > 0.01f)
            car->heading = headingAlong(at, ahead);
    }
}

void Trains::run(World& world, TrainRecord& train, float seconds) {
    const std::uint64_t now = world.clock.elapsedMs;
    switch (train.state) {
    case TrainState::Waiting:
        train.speed = 0.0f;
        if (now >= train.waitUntilMs)
            train.state = TrainState::Running;
        return;
    case TrainState::EndOfLine:
        train.speed = 0.0f;
        return;
    case TrainState::Running: {
        train.speed = std::min(cruiseSpeed, train.speed + pullingAway * seconds);
        const auto station = train.stopsForStations ? stationAhead(train) : std::nullopt;
        if (station) {
            const float left = (station->second - middleOf(train)) * static_cast<float>(train.heading);
            if (left <= train.speed * train.speed / (2.0f * braking) + 1.0f)
                train.state = TrainState::Braking;
        }
        break;
    }
    case TrainState::Braking: {
        const auto station = stationAhead(train);
        if (!station) {
            train.state = TrainState::Running;
            break;
        }
        const float left = (station->second - middleOf(train)) * static_cast<float>(train.heading);
        if (left <= 0.3f) {
            train.along += static_cast<float>(train.heading) * std::max(0.0f, left);
            train.speed = 0.0f;
            train.state = TrainState::Waiting;
            train.waitUntilMs = now + stationWaitMs;
            train.stationStoppedAt = station->first;
            ++train.stationStops;
            return;
        }
        // Slows so as to come to a halt right there, never slower than a crawl.
        train.speed = std::max(0.5f, std::min(train.speed, std::sqrt(2.0f * braking * left)));
        train.speed = std::min(train.speed, left / std::max(seconds, 0.001f));
        break;
    }
    }
    train.along += static_cast<float>(train.heading) * train.speed * seconds;
    const float length = trackLength(train.track);
    if (train.along <= 0.0f || train.along >= length) {
        train.along = std::clamp(train.along, 0.0f, length);
        train.speed = 0.0f;
        train.state = TrainState::EndOfLine;
    }
}

void Trains::step(World& world) {
    const float seconds = static_cast<float>(world.clock.frameMs) / 1000.0f;
    for (auto it = trains_.begin(); it != trains_.end();) {
        TrainRecord& train = it->second;
        // The engine gone (deleted, or taken away by the game once let go): the
        // whole train goes with it.
        if (!world.entities.exists(it->first)) {
            for (int car : train.cars) {
                trainOfCar_.erase(car);
                if (car != it->first && world.entities.exists(car)) {
                    world.removeEntity(car);
                }
            }
            trainOfCar_.erase(it->first);
            it = trains_.erase(it);
            continue;
        }
        run(world, train, seconds);
        placeCars(world, train);
        ++it;
    }
}

} // namespace sim
