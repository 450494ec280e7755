#include "world/map_areas.h"

#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "runtime/settings.h"
#include "world/data/map_area_table.h"
#include "world/data/zone_table.h"
#include "world/zone_kinds.h"

#include <cstdlib>

namespace drovil {
namespace {

// Areas whose centre is this far or farther from a position are never its nearest.
constexpr float nearestAreaLimit = 9999.0f;

template <class T> const T& randomElement(const std::vector<T>& list) {
    return list[static_cast<std::size_t>(randomInt(0, static_cast<int>(list.size())))];
}

// The first of the nearest elements: a later one replaces it only when strictly nearer.
template <class T, class PositionOf>
std::size_t nearestIndex(const std::vector<T>& list, const Vector3& position, PositionOf positionOf) {
    std::size_t best = 0;
    float bestDistance = distanceBetween(position, positionOf(list[0]));
    for (std::size_t i = 1; i < list.size(); ++i) {
        const float distance = distanceBetween(position, positionOf(list[i]));
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

const Vector3& itself(const Vector3& point) {
    return point;
}

MapAreas* registry = nullptr;

} // namespace

const std::string& MapArea::randomGangModel() const {
    return randomElement(data_.gangModels);
}

Vector3 MapArea::randomStreetSpot() const {
    return randomElement(data_.streetSpots).position;
}

StreetSpot MapArea::nearestStreetSpot(const Vector3& position) const {
    return data_.streetSpots[nearestIndex(data_.streetSpots, position,
                                          [](const StreetSpot& spot) { return spot.position; })];
}

Vector3 MapArea::randomRoadPoint() const {
    return randomElement(data_.roadPoints);
}

Vector3 MapArea::nearestRoadPoint(const Vector3& position) const {
    return data_.roadPoints[nearestIndex(data_.roadPoints, position, itself)];
}

Vector3 MapArea::randomSaloonSpot() const {
    return data_.saloonSpots.empty() ? Vector3() : randomElement(data_.saloonSpots);
}

Vector3 MapArea::randomStationSpot() const {
    return data_.stationSpots.empty() ? Vector3() : randomElement(data_.stationSpots);
}

Vector3 MapArea::randomCampSpot() const {
    return randomElement(data_.campSpots);
}

Vector3 MapArea::nearestCampSpot(const Vector3& position) const {
    if (data_.campSpots.empty())
        return Vector3();
    return data_.campSpots[nearestIndex(data_.campSpots, position, itself)];
}

Place* MapArea::randomPlace(PlaceKind kind) const {
    std::vector<Place*> ofKind;
    for (Place* place : data_.places)
        if (place->getKind() == kind)
            ofKind.push_back(place);
    if (ofKind.empty())
        return nullptr;
    return randomElement(ofKind);
}

Place* MapArea::nearestPlace(PlaceKind kind, const Vector3& position) const {
    Place* best = nullptr;
    float bestDistance = 0.0f;
    for (Place* place : data_.places) {
        if (place->getKind() != kind)
            continue;
        const float distance = distanceBetween(position, place->getPosition());
        if (!best || distance < bestDistance) {
            best = place;
            bestDistance = distance;
        }
    }
    return best;
}

MapAreas::MapAreas(PlaceRegistry& places, TrainStations& stations) : places_(places), stations_(stations) {
    const bool grizzliesDisabled = getSettingBool("DisableGrizzlies");
    for (const MapAreaRow& row : mapAreaTable()) {
        MapAreaData data = row.area;
        data.places = places_.placesOfArea(data.id);
        if (!grizzliesDisabled)
            data.campSpots.insert(data.campSpots.end(), row.grizzliesCampSpots.begin(),
                                  row.grizzliesCampSpots.end());
        areas_.push_back(std::make_unique<MapArea>(std::move(data)));
    }
    for (const ZoneTableRow& row : zoneTable()) {
        for (const auto& area : areas_) {
            if (area->id() == row.areaId) {
                zones_.emplace(static_cast<std::int32_t>(row.zone), area.get()); // an existing key stays
                break;
            }
        }
    }
    for (const RegionNameRow& row : regionNameTable())
        regionNames_.emplace(static_cast<std::int32_t>(row.zone), row.name);
}

const MapArea* MapAreas::findArea(Hash zoneHash) const {
    const auto found = zones_.find(static_cast<std::int32_t>(zoneHash));
    return found == zones_.end() ? nullptr : found->second;
}

std::optional<std::string> MapAreas::regionName(Hash zoneHash) const {
    const auto found = regionNames_.find(static_cast<std::int32_t>(zoneHash));
    if (found == regionNames_.end())
        return std::nullopt;
    return found->second;
}

const MapArea* MapAreas::nearestArea(const Vector3& position) const {
    const MapArea* best = nullptr;
    float bestDistance = nearestAreaLimit;
    for (const auto& [zone, area] : zones_) {
        const float distance = distanceBetween(position, area->centre());
        if (distance < bestDistance) {
            best = area;
            bestDistance = distance;
        }
    }
    return best;
}

std::vector<const MapArea*> MapAreas::allAreas() const {
    std::vector<const MapArea*> result;
    result.reserve(zones_.size());
    for (const auto& [zone, area] : zones_)
        result.push_back(area);
    return result;
}

std::vector<const MapArea*> MapAreas::distinctAreas() const {
    std::vector<const MapArea*> result;
    result.reserve(areas_.size());
    for (const auto& area : areas_)
        result.push_back(area.get());
    return result;
}

std::vector<Hash> MapAreas::otherZonesOf(const MapArea& area) const {
    std::vector<Hash> zones;
    for (const auto& [zone, owner] : zones_)
        if (owner == &area && static_cast<Hash>(zone) != area.id())
            zones.push_back(static_cast<Hash>(zone));
    return zones;
}

Hash MapAreas::zoneOfEntity(Entity entity) const {
    // The player's zones are asked for several times a frame: read once.
    const bool isPlayer = entity == playerPed().entity();
    const Vector3 position = positionOf(entity);
    for (int kind : {zone_kinds::Town, zone_kinds::District, zone_kinds::LastResort}) {
        const Hash zone = isPlayer ? playerZone(kind) : zoneAt(position, kind);
        if (zone != 0)
            return zone;
    }
    return 0;
}

Hash MapAreas::zoneAt(const Vector3& position, int kind) const {
    return natives::zone::zoneAt(position, kind);
}

void createMapAreas() {
    if (!registry)
        registry = new MapAreas(placeRegistry(), trainStations());
}

MapAreas& mapAreas() {
    if (!registry) {
        log("MapAreas: used before start-up created them");
        std::abort();
    }
    return *registry;
}

bool mapAreasCreated() {
    return registry != nullptr;
}

} // namespace drovil
