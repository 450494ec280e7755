// The place registry in a running game: places grouped by area in table order,
// idle spots bound to the game's scenario points, and scenarios started and
// released through the simulated world.
#include "support/game.h"
#include "support/script_thread.h"

#include "world/area_ids.h"
#include "world/data/place_table.h"
#include "world/places.h"
#include "world/world_data_checks.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {
using drovil::Place;
using drovil::PlaceKind;
using drovil::ScenarioEntry;
using drovil::Vector3;
namespace ids = drovil::area_ids;

std::vector<std::string> namesOf(const std::vector<Place*>& places) {
    std::vector<std::string> names;
    for (const Place* place : places)
        names.push_back(place->name());
    return names;
}

Place* placeNamed(drovil::Hash area, const std::string& name) {
    for (Place* place : drovil::placeRegistry().placesOfArea(area))
        if (place->name() == name)
            return place;
    return nullptr;
}

int boundCount(const Place& place) {
    int count = 0;
    for (const ScenarioEntry& entry : place.scenarioEntries())
        count += entry.isBound() ? 1 : 0;
    return count;
}

class PlacesInGame : public ::testing::Test {
protected:
    // `beforeStart` may change the world before the plug-in builds its registries.
    void start(const std::function<void(sim::World&)>& beforeStart = {}) {
        session = std::make_unique<sim::Session>();
        if (beforeStart)
            beforeStart(session->world());
        ASSERT_TRUE(test::startGame(*session));
        ASSERT_TRUE(drovil::placeRegistryCreated());
    }
    std::unique_ptr<sim::Session> session;
};

TEST_F(PlacesInGame, AreasListTheirPlacesInTableOrder) {
    start();
    drovil::PlaceRegistry& registry = drovil::placeRegistry();
    EXPECT_EQ(namesOf(registry.placesOfArea(ids::Strawberry)),
              (std::vector<std::string>{"Treehouse", "Hotel Room"}));
    const std::vector<std::string> armadillo = namesOf(registry.placesOfArea(ids::Armadillo));
    EXPECT_EQ(armadillo, (std::vector<std::string>{"Lake Don Julio House", "Pleasance House", "Twin Rocks",
                                                   "Thieves Landing", "MacFarlanes Ranch", "Stillwater Creek",
                                                   "Old Bacchus Place"}));
    const std::vector<std::string> valentine = namesOf(registry.placesOfArea(ids::Valentine));
    ASSERT_EQ(valentine.size(), 8u);
    EXPECT_EQ(valentine.front(), "WindowRock");
    EXPECT_EQ(valentine.back(), "Hotel Room 1B");
    EXPECT_EQ(registry.placesOfArea(ids::Annesburg).size(), 7u);
    EXPECT_EQ(registry.placesOfArea(ids::Blackwater).size(), 3u);
    EXPECT_EQ(registry.placesOfArea(ids::Rhodes).size(), 6u);
    EXPECT_EQ(registry.placesOfArea(ids::SaintDenis).size(), 6u);
    EXPECT_EQ(registry.placesOfArea(ids::Tumbleweed).size(), 9u);
    EXPECT_EQ(registry.allPlaces().size(), 48u);
}

TEST_F(PlacesInGame, IdsRunOverAllPlacesInTheOrderTheAreasAreFilled) {
    start();
    const std::vector<Place*> all = drovil::placeRegistry().allPlaces();
    for (std::size_t i = 0; i < all.size(); ++i)
        EXPECT_EQ(all[i]->id(), static_cast<int>(i));
    EXPECT_EQ(all.front()->name(), "Lake Don Julio House"); // Armadillo is filled first
    EXPECT_EQ(all.back()->name(), "The Loft");              // and Annesburg last
    EXPECT_EQ(all[7]->areaId(), ids::Tumbleweed);
}

TEST_F(PlacesInGame, PlacesCarryTheirKindRadiusAndOwner) {
    start();
    const Place* caliga = placeNamed(ids::Rhodes, "Caliga Hall");
    ASSERT_NE(caliga, nullptr);
    EXPECT_EQ(caliga->getKind(), PlaceKind::GraysEstate);
    EXPECT_EQ(caliga->radius(), 200.0f);
    EXPECT_EQ(caliga->ownerModel(), "g_m_m_unigrays_01");
    const Place* bronte = placeNamed(ids::SaintDenis, "Bronte's Mansion");
    ASSERT_NE(bronte, nullptr);
    EXPECT_EQ(static_cast<int>(bronte->getKind()), 6);
    const Place* osman = placeNamed(ids::Annesburg, "Osman Grove");
    ASSERT_NE(osman, nullptr);
    EXPECT_FALSE(osman->hasOwnerModel());
    worldtest::expectExactly(osman->getPosition(), 1888.86f, 300.964f, 77.0615f);
    const Place* room = placeNamed(ids::SaintDenis, "Hotel Room");
    ASSERT_NE(room, nullptr);
    worldtest::expectExactly(room->getPosition(), 2638.62f, -1222.11f, 59.6005f);
    EXPECT_EQ(room->radius(), 15.0f);
    EXPECT_EQ(room->getKind(), PlaceKind::HotelRoom);
}

TEST_F(PlacesInGame, EveryBoundEntryFindsItsSeatInTheGame) {
    start();
    for (const drovil::PlaceRow& row : drovil::placeTable()) {
        const Place* place = placeNamed(row.areaId, row.name);
        ASSERT_NE(place, nullptr) << row.name;
        ASSERT_EQ(place->scenarioEntries().size(), row.entries.size()) << row.name;
        std::set<int> points;
        for (std::size_t i = 0; i < row.entries.size(); ++i) {
            const ScenarioEntry& entry = place->scenarioEntries()[i];
            EXPECT_EQ(entry.isBound(), row.entries[i].bound) << row.name << " " << i;
            EXPECT_EQ(entry.scenarioName, row.entries[i].scenarioName);
            EXPECT_EQ(entry.scenarioHandle, 0);
            if (entry.isBound()) {
                EXPECT_TRUE(points.insert(entry.pointHandle).second) << row.name << " binds one seat twice";
                worldtest::expectExactly(entry.offset, 0.0f, 0.0f, 0.5f);
                worldtest::expectExactly(entry.position, 0.0f, 0.0f, 0.0f);
            } else {
                worldtest::expectExactly(entry.offset, 0.0f, 0.0f, 0.0f);
            }
        }
    }
    // The rows given for Osman Grove, in order.
    const Place* osman = placeNamed(ids::Annesburg, "Osman Grove");
    const auto& entries = osman->scenarioEntries();
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0].scenarioName, "PROP_HUMAN_SEAT_CHAIR_TABLE_DRINKING_BADASS_BEER");
    EXPECT_EQ(entries[0].heading, 180.0f);
    EXPECT_EQ(entries[1].scenarioName, "PROP_HUMAN_SEAT_BENCH_TIRED");
    EXPECT_EQ(entries[2].scenarioName, "PROP_CAMP_SEAT_CHAIR_STEW");
    EXPECT_EQ(entries[3].scenarioName, "WORLD_HUMAN_LEAN_RAILING_SMOKING");
    worldtest::expectExactly(entries[3].position, 1894.92f, 299.828f, 76.9728f);
    EXPECT_EQ(entries[3].heading, 296.0f);
    EXPECT_EQ(entries[5].heading, 194.2f);
    // The bound seat is the game's nearest prop of the asked model.
    const sim::EntityRecord* seat = session->world().entities.find(entries[1].pointHandle);
    ASSERT_NE(seat, nullptr);
    EXPECT_EQ(seat->kind, sim::EntityKind::Object);
    EXPECT_EQ(seat->model, 0x49446542u);
}

TEST_F(PlacesInGame, ABoundEntryWithoutASeatInTheGameIsLeftOut) {
    start([](sim::World& world) {
        // Hotel Room 1A's chair is gone from the game.
        EXPECT_EQ(world.scenarioPoints.removeSeatPropsNear(world, Vector3(-325.663f, 765.258f, 117.437f), 6.0f), 1);
    });
    const Place* room = placeNamed(ids::Valentine, "Hotel Room 1A");
    ASSERT_NE(room, nullptr);
    ASSERT_EQ(room->scenarioEntries().size(), 1u);
    EXPECT_EQ(room->scenarioEntries()[0].scenarioName, "WORLD_HUMAN_LEAN_BACK_WALL_SMOKING");
    EXPECT_EQ(boundCount(*placeNamed(ids::Annesburg, "Osman Grove")), 3);
}

TEST_F(PlacesInGame, ScenariosStartAtTheirSpotsAndAreReleased) {
    start();
    Place* room = placeNamed(ids::Valentine, "Hotel Room 1A");
    ASSERT_NE(room, nullptr);
    sim::ScenarioPoints& points = session->world().scenarioPoints;
    const int createdBefore = points.createdByScripts();
    test::runOnScriptThread(*session, [&] { room->spawnScenarios(); });
    ASSERT_EQ(points.createdByScripts(), createdBefore + 2);

    const ScenarioEntry& seated = room->scenarioEntries()[0];
    const ScenarioEntry& leaning = room->scenarioEntries()[1];
    ASSERT_NE(seated.scenarioHandle, 0);
    ASSERT_NE(leaning.scenarioHandle, 0);
    const sim::ScenarioPoint* chair = points.find(seated.scenarioHandle);
    const sim::ScenarioPoint* wall = points.find(leaning.scenarioHandle);
    ASSERT_NE(chair, nullptr);
    ASSERT_NE(wall, nullptr);
    // On the chair, half a metre above it, facing the entry's heading.
    const sim::EntityRecord* prop = session->world().entities.find(seated.pointHandle);
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(chair->attachedTo, seated.pointHandle);
    EXPECT_FLOAT_EQ(chair->position.x, prop->position.x);
    EXPECT_FLOAT_EQ(chair->position.z, prop->position.z + 0.5f);
    EXPECT_EQ(chair->heading, 180.0f);
    EXPECT_EQ(chair->scenario, sim::gameHash("PROP_HUMAN_SEAT_CHAIR_SMOKING"));
    // Free-standing at its position.
    EXPECT_EQ(wall->attachedTo, 0);
    worldtest::expectExactly(wall->position, -325.152f, 766.447f, 117.434f);
    EXPECT_EQ(wall->heading, 196.3f);
    EXPECT_EQ(wall->scenario, sim::gameHash("WORLD_HUMAN_LEAN_BACK_WALL_SMOKING"));

    // One of them is deleted by something else; releasing deletes the other and skips it.
    points.remove(leaning.scenarioHandle);
    const int deletedBefore = points.deletedByScripts();
    test::runOnScriptThread(*session, [&] { room->releaseScenarios(); });
    EXPECT_FALSE(points.exists(seated.scenarioHandle));
    EXPECT_EQ(points.deletedByScripts(), deletedBefore + 1);
}

TEST_F(PlacesInGame, ReleasingScenariosThatNeverStartedDoesNothing) {
    start();
    Place* osman = placeNamed(ids::Annesburg, "Osman Grove");
    ASSERT_NE(osman, nullptr);
    sim::ScenarioPoints& points = session->world().scenarioPoints;
    const int deletedBefore = points.deletedByScripts();
    const std::size_t pointsBefore = points.all().size();
    test::runOnScriptThread(*session, [&] { osman->releaseScenarios(); });
    EXPECT_EQ(points.deletedByScripts(), deletedBefore);
    EXPECT_EQ(points.all().size(), pointsBefore);
    for (const ScenarioEntry& entry : osman->scenarioEntries())
        EXPECT_EQ(entry.scenarioHandle, 0);
}

TEST_F(PlacesInGame, AnUnknownAreaGetsAnEmptyListOfItsOwn) {
    start();
    drovil::PlaceRegistry& registry = drovil::placeRegistry();
    EXPECT_TRUE(registry.placesOfArea(0x12345678).empty());
    EXPECT_TRUE(registry.placesOfArea(0x12345678).empty());
    EXPECT_EQ(registry.allPlaces().size(), 48u);
}

} // namespace
