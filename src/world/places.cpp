#include "world/places.h"

#include "runtime/log.h"
#include "runtime/natives.h"
#include "world/data/place_table.h"

#include <cstdlib>

namespace drovil {
namespace {

// The game's idle activities ignore this condition; it is what the game's own
// scripts pass for a scenario placed by position.
constexpr Hash anyConditional = 0xFB62C5FC;
// Bound entries sit half a metre above their point so the ped lands on the seat.
const Vector3 boundOffset(0.0f, 0.0f, 0.5f);

ScenarioEntry makeEntry(const ScenarioEntryRow& row) {
    ScenarioEntry entry;
    entry.scenarioName = row.scenarioName;
    entry.heading = row.heading;
    if (row.bound) {
        entry.pointHandle =
            natives::object::closestOfType(row.position, row.searchRadius, row.pointType, false, false, false).id;
        entry.offset = boundOffset;
    } else {
        entry.position = row.position;
    }
    return entry;
}

PlaceRegistry* registry = nullptr;

} // namespace

Place::Place(std::int32_t id, Hash areaId, Vector3 position, float radius, PlaceKind kind, std::string name)
    : id_(id), areaId_(areaId), position_(position), radius_(radius), kind_(kind), name_(std::move(name)) {}

void Place::spawnScenarios() {
    for (ScenarioEntry& entry : scenarioEntries_) {
        const Hash scenario = natives::misc::hashOfName(entry.scenarioName.c_str());
        ScenarioPoint handle;
        if (entry.isBound())
            handle = natives::scenario::createPointOnEntity(Entity(entry.pointHandle), scenario, entry.offset, entry.heading,
                                                     0, -1, true);
        else
            handle = natives::scenario::createPoint(scenario, entry.position, entry.heading,
                                                        anyConditional, -1, true);
        entry.scenarioHandle = handle.id;
        // A bound entry has no position of its own (it is (0, 0, 0)): placing it
        // there would carry the scenario off its seat to the map's origin.
        if (!entry.isBound())
            natives::scenario::setPointCoords(handle, entry.position, true);
        natives::scenario::setPointHeading(handle, entry.heading, true);
    }
}

void Place::releaseScenarios() {
    for (ScenarioEntry& entry : scenarioEntries_) {
        const ScenarioPoint handle(entry.scenarioHandle);
        if (entry.scenarioHandle != 0 && natives::scenario::pointExists(handle))
            natives::scenario::deletePoint(handle);
    }
}

PlaceRegistry::PlaceRegistry() {
    std::int32_t nextId = 0;
    for (const PlaceRow& row : placeTable()) {
        auto place =
            std::make_unique<Place>(nextId++, row.areaId, row.position, row.radius, row.kind, row.name);
        if (row.ownerModel[0] != '\0')
            place->setOwnerModel(row.ownerModel);
        for (const ScenarioEntryRow& entryRow : row.entries) {
            ScenarioEntry entry = makeEntry(entryRow);
            // A seat the game does not have here is left out.
            if (entryRow.bound && entry.pointHandle == 0)
                continue;
            place->addScenarioEntry(std::move(entry));
        }
        byArea_[row.areaId].push_back(place.get());
        places_.push_back(std::move(place));
    }
}

std::vector<Place*> PlaceRegistry::placesOfArea(Hash areaId) {
    return byArea_[areaId];
}

std::vector<Place*> PlaceRegistry::allPlaces() const {
    std::vector<Place*> result;
    result.reserve(places_.size());
    for (const auto& place : places_)
        result.push_back(place.get());
    return result;
}

void createPlaceRegistry() {
    if (!registry)
        registry = new PlaceRegistry();
}

PlaceRegistry& placeRegistry() {
    if (!registry) {
        log("PlaceRegistry: used before start-up created it");
        std::abort();
    }
    return *registry;
}

bool placeRegistryCreated() {
    return registry != nullptr;
}

} // namespace drovil
