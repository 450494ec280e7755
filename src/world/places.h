#pragma once
// Named places of the map areas (houses, ranches, hideouts, hotel rooms,
// cemeteries), each with the idle spots where peds can sit, lean or smoke, and
// the registry that groups them by map area.
#include "runtime/types.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace drovil {

enum class PlaceKind : std::int32_t {
    House = 0, // isolated houses, cabins, camps and ruins usable as hideouts
    Ranch = 1,
    Hideout = 2,
    GraysEstate = 3,
    BraithwaiteEstate = 4,
    BronteEstate = 6,
    HotelRoom = 7,
    Cemetery = 8,
    Landmark = 9,
};

// One idle spot of a place: either bound to a scenario point the game already
// has there (pointHandle != 0), or free-standing at `position`.
struct ScenarioEntry {
    std::int32_t scenarioHandle = 0; // the running scenario, 0 while none
    std::int32_t pointHandle = 0;    // the game's scenario point, 0 for a free-standing entry
    Vector3 position;                // free-standing entries only; (0, 0, 0) when bound
    std::string scenarioName;        // e.g. "PROP_HUMAN_SEAT_CHAIR_SMOKING"
    Vector3 offset;                  // from the bound point; (0, 0, 0.5) when bound
    float heading = 0.0f;            // degrees

    bool isBound() const { return pointHandle != 0; }
};

class Place {
public:
    Place(std::int32_t id, Hash areaId, Vector3 position, float radius, PlaceKind kind, std::string name);
    virtual ~Place() = default;
    Place(const Place&) = delete;
    Place& operator=(const Place&) = delete;

    // Starts every entry's scenario, in order, and keeps the handles.
    virtual void spawnScenarios();
    // Ends every entry's scenario that was started and still exists.
    virtual void releaseScenarios();

    Vector3 getPosition() const { return position_; }
    PlaceKind getKind() const { return kind_; }
    void setOwnerModel(std::string modelName) { ownerModel_ = std::move(modelName); }

    std::int32_t id() const { return id_; }
    Hash areaId() const { return areaId_; }
    float radius() const { return radius_; }
    // The ped model of the people who live there; empty when the place has none.
    const std::string& ownerModel() const { return ownerModel_; }
    bool hasOwnerModel() const { return !ownerModel_.empty(); }
    const std::string& name() const { return name_; }
    const std::vector<ScenarioEntry>& scenarioEntries() const { return scenarioEntries_; }
    void addScenarioEntry(ScenarioEntry entry) { scenarioEntries_.push_back(std::move(entry)); }

private:
    std::int32_t id_;
    Hash areaId_;
    Vector3 position_;
    float radius_;
    PlaceKind kind_;
    std::string ownerModel_;
    std::vector<ScenarioEntry> scenarioEntries_;
    std::string name_;
};

// Every place, grouped by map area. Built once at start-up from the place
// table; bound scenario entries ask the game for their scenario point then.
class PlaceRegistry {
public:
    PlaceRegistry();
    PlaceRegistry(const PlaceRegistry&) = delete;
    PlaceRegistry& operator=(const PlaceRegistry&) = delete;

    // The area's places in table order. An unknown id yields an empty list,
    // which from then on exists in the registry.
    std::vector<Place*> placesOfArea(Hash areaId);
    // Every place, in id order.
    std::vector<Place*> allPlaces() const;

private:
    std::vector<std::unique_ptr<Place>> places_;
    std::map<Hash, std::vector<Place*>> byArea_;
};

// The process-wide registry: created once at start-up, never destroyed.
void createPlaceRegistry();
PlaceRegistry& placeRegistry();
bool placeRegistryCreated();

} // namespace drovil
