#pragma once
// The eight map areas, each centred on a town and responsible for the
// countryside around it, with the spots where scenes may be placed; and the
// registry that resolves the game's zones and world positions to an area.
#include "runtime/types.h"
#include "world/area_ids.h"
#include "world/places.h"
#include "world/train_stations.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace drovil {

struct StreetSpot {
    Vector3 position;
    float heading = 0.0f; // degrees, 0..360
};

// Everything an area is made of, as the map area table lists it.
struct MapAreaData {
    Hash id = 0; // the town's zone hash: the map area id of the mission records
    Vector3 centre;
    float radius = 0.0f; // metres around the centre that count as the town
    std::string name;
    std::string gangName;
    std::vector<StreetSpot> streetSpots;
    std::vector<Vector3> roadPoints;
    std::vector<Vector3> saloonSpots;
    std::vector<Vector3> stationSpots;
    std::vector<Vector3> campSpots;
    std::vector<std::string> gangModels;
    std::vector<Place*> places;
};

// One town-centred area. Read-only once built. The random choices draw from the
// game's random numbers; the nearest-element searches keep the first of equally
// near elements.
class MapArea {
public:
    explicit MapArea(MapAreaData data) : data_(std::move(data)) {}

    Hash id() const { return data_.id; }
    std::int32_t signedId() const { return static_cast<std::int32_t>(data_.id); }
    const Vector3& centre() const { return data_.centre; }
    float radius() const { return data_.radius; }
    const std::string& name() const { return data_.name; }
    const std::string& gangName() const { return data_.gangName; }
    const std::vector<StreetSpot>& streetSpots() const { return data_.streetSpots; }
    const std::vector<Vector3>& roadPoints() const { return data_.roadPoints; }
    const std::vector<Vector3>& saloonSpots() const { return data_.saloonSpots; }
    const std::vector<Vector3>& stationSpots() const { return data_.stationSpots; }
    const std::vector<Vector3>& campSpots() const { return data_.campSpots; }
    const std::vector<std::string>& gangModels() const { return data_.gangModels; }
    const std::vector<Place*>& places() const { return data_.places; }

    const std::string& randomGangModel() const;
    Vector3 randomStreetSpot() const; // the position only
    StreetSpot nearestStreetSpot(const Vector3& position) const;
    Vector3 randomRoadPoint() const;
    Vector3 nearestRoadPoint(const Vector3& position) const;
    Vector3 randomSaloonSpot() const;  // (0, 0, 0) when the area has none
    Vector3 randomStationSpot() const; // (0, 0, 0) when the area has none
    Vector3 randomCampSpot() const;
    Vector3 nearestCampSpot(const Vector3& position) const; // (0, 0, 0) when none
    // Null when the area has no place of the kind.
    Place* randomPlace(PlaceKind kind) const;
    Place* nearestPlace(PlaceKind kind, const Vector3& position) const;

private:
    MapAreaData data_;
};

// The registry of the eight areas, built once at start-up after the place and
// station registries.
class MapAreas {
public:
    // Reads the DisableGrizzlies setting now: Valentine keeps its six camp spots
    // in the Grizzlies only while it is off.
    MapAreas(PlaceRegistry& places, TrainStations& stations);
    MapAreas(const MapAreas&) = delete;
    MapAreas& operator=(const MapAreas&) = delete;

    // Exact lookup of a zone hash (a town's or a district's); null when unknown.
    const MapArea* findArea(Hash zoneHash) const;
    std::optional<std::string> regionName(Hash zoneHash) const;
    // The area whose centre is nearest (strictly below 9999 m); null when none.
    const MapArea* nearestArea(const Vector3& position) const;
    // One entry per zone-table key in ascending signed order, so an area occurs
    // once for every zone that leads to it (14 entries for 8 areas).
    std::vector<const MapArea*> allAreas() const;
    // The eight areas once each, in the order they were built.
    std::vector<const MapArea*> distinctAreas() const;
    // The zone-table keys other than the area's own id that lead to the area
    // (its outlying towns and districts), in key order.
    std::vector<Hash> otherZonesOf(const MapArea& area) const;
    // The zone at the entity's position: town, else district, else kind 11; 0 when none.
    Hash zoneOfEntity(Entity entity) const;
    Hash zoneAt(const Vector3& position, int kind) const;

    PlaceRegistry& places() const { return places_; }
    TrainStations& stations() const { return stations_; }

private:
    PlaceRegistry& places_;
    TrainStations& stations_;
    std::vector<std::unique_ptr<MapArea>> areas_;
    std::map<std::int32_t, const MapArea*> zones_;
    std::map<std::int32_t, std::string> regionNames_;
};

// The process-wide registry: created once at start-up (after the place and
// station registries), never destroyed.
void createMapAreas();
MapAreas& mapAreas();
bool mapAreasCreated();

} // namespace drovil
