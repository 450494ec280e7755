// The spawn and placement helpers against the simulated game: models are loaded
// before anything is created, peds stand where asked or sit in the seat asked
// for, horses come saddled from the common breeds, and points land at exactly
// the distance asked for.
#include "support/game.h"
#include "support/script_thread.h"

#include "runtime/natives.h"
#include "world/spawn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {
using drovil::Hash;
using drovil::Ped;
using drovil::Vector3;
using drovil::Vehicle;

// Every ped the helpers create starts with configuration flag 130 off and one of
// its model's outfits chosen by the game.
void expectPreparedLikeASpawnedPed(const sim::World& world, int ped) {
    const sim::EntityRecord* record = world.entities.find(ped);
    ASSERT_NE(record, nullptr);
    ASSERT_EQ(record->configFlags.count(130), 1u) << "flag 130 is set on every spawned ped";
    EXPECT_FALSE(record->configFlags.at(130));
    EXPECT_TRUE(world.appearances.find(ped).randomOutfit);
}

class SpawnHelpers : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::startGame(session)); }
    sim::World& world() { return session.world(); }
    sim::Session session;
};

TEST_F(SpawnHelpers, APedIsCreatedWhereAskedOnceItsModelHasLoaded) {
    const Hash model = sim::gameHash("a_m_m_griroughtravellers_01");
    const Vector3 where(-250.5f, 700.25f, 114.0f);
    ASSERT_EQ(world().models.requestCount(model), 0);

    Ped ped;
    const std::uint64_t before = world().clock.frame;
    test::runOnScriptThread(session, [&] { ped = drovil::spawnPed(model, where); });
    const std::uint64_t waited = world().clock.frame - before;

    ASSERT_TRUE(ped);
    const sim::EntityRecord* record = world().entities.find(ped.id);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->kind, sim::EntityKind::Ped);
    EXPECT_EQ(record->model, model);
    EXPECT_FLOAT_EQ(record->position.x, where.x);
    EXPECT_FLOAT_EQ(record->position.y, where.y);
    EXPECT_FLOAT_EQ(record->position.z, where.z);
    expectPreparedLikeASpawnedPed(world(), ped.id);
    EXPECT_GE(waited, sim::ModelStreaming::framesToLoad) << "the helper waited for the model, frame by frame";
    EXPECT_EQ(world().models.requestCount(model), 1) << "spawnPed asks for the model once, then waits";

    // A model that is already there needs no wait: both peds come in one frame.
    Ped second, third;
    const std::uint64_t again = world().clock.frame;
    test::runOnScriptThread(session, [&] {
        second = drovil::spawnPedByName("a_m_m_griroughtravellers_01", Vector3(1.0f, 2.0f, 3.0f));
        third = drovil::spawnPed(model, Vector3(4.0f, 5.0f, 6.0f));
    });
    EXPECT_EQ(world().clock.frame - again, 1u);
    ASSERT_TRUE(second);
    ASSERT_TRUE(third);
    EXPECT_NE(second.id, third.id);
    EXPECT_EQ(world().entities.find(second.id)->model, model) << "by name is the same model";
    EXPECT_FLOAT_EQ(world().entities.find(third.id)->position.y, 5.0f);
}

TEST_F(SpawnHelpers, PedsTakeTheSeatsAskedForAndATakenSeatIsRefused) {
    const Hash wagonModel = sim::gameHash("wagon05x");
    const Hash guardModel = sim::gameHash("g_m_m_unicornwallgoons_01");
    Vehicle wagon;
    Ped driver, passenger, refused, byName;
    test::runOnScriptThread(session, [&] {
        drovil::loadModel(wagonModel);
        wagon = drovil::natives::spawn::createVehicle(wagonModel, Vector3(100.0f, 200.0f, 50.0f), 90.0f, true,
                                                      true, false, false);
        driver = drovil::spawnPedInVehicle(guardModel, wagon, -1);
        passenger = drovil::spawnPedInVehicle(guardModel, wagon, 0);
        refused = drovil::spawnPedInVehicle(guardModel, wagon, 0);
        byName = drovil::spawnPedInVehicleByName("a_m_m_sdroughtravellers_01", wagon, 1);
    });
    ASSERT_TRUE(wagon);
    ASSERT_TRUE(driver);
    ASSERT_TRUE(passenger);
    EXPECT_FALSE(refused) << "a seat holds one ped";
    ASSERT_TRUE(byName);

    const auto driverSeat = world().seats.seatOf(driver.id);
    ASSERT_TRUE(driverSeat.has_value());
    EXPECT_EQ(driverSeat->vehicle, wagon.id);
    EXPECT_EQ(driverSeat->seat, -1);
    EXPECT_EQ(world().seats.seatOf(passenger.id)->seat, 0);
    EXPECT_EQ(world().seats.seatOf(byName.id)->seat, 1);
    EXPECT_EQ(world().entities.find(byName.id)->model, sim::gameHash("a_m_m_sdroughtravellers_01"));
    EXPECT_FLOAT_EQ(world().entities.find(passenger.id)->position.x, 100.0f)
        << "a seated ped is where its wagon is";
    expectPreparedLikeASpawnedPed(world(), driver.id);
    expectPreparedLikeASpawnedPed(world(), byName.id);

    // The game reports the seats as the helpers filled them.
    // Seat -2 asks for any free passenger seat: the last one, seat 2.
    Ped reportedDriver, last, overflow;
    int seats = 0;
    bool driveableFull = false, driveableWrecked = true, driverInWagon = false;
    test::runOnScriptThread(session, [&] {
        reportedDriver = drovil::natives::vehicle::driver(wagon);
        seats = drovil::natives::vehicle::seatCountOfModel(wagonModel);
        last = drovil::spawnPedInVehicle(guardModel, wagon, -2);
        overflow = drovil::spawnPedInVehicle(guardModel, wagon, -2);
        driveableFull = drovil::natives::vehicle::isDriveable(wagon, true, true);
        driverInWagon = drovil::natives::vehicle::isPedInVehicle(driver, wagon, false);
    });
    EXPECT_EQ(reportedDriver, driver);
    EXPECT_EQ(seats, 4);
    ASSERT_TRUE(last);
    EXPECT_EQ(world().seats.seatOf(last.id)->seat, 2);
    EXPECT_FALSE(overflow) << "a full wagon takes nobody more";
    EXPECT_TRUE(driveableFull) << "a full wagon still drives";
    world().entities.find(wagon.id)->alive = false;
    test::runOnScriptThread(session, [&] { driveableWrecked = drovil::natives::vehicle::isDriveable(wagon, true, true); });
    EXPECT_FALSE(driveableWrecked) << "a wrecked one does not";
    EXPECT_TRUE(driverInWagon);
}

TEST_F(SpawnHelpers, HorsesComeSaddledFromTheCommonBreedsAndCarryARider) {
    std::set<Hash> breeds;
    for (const char* name :
         {"a_c_horse_kentuckysaddle_black", "a_c_horse_kentuckysaddle_buttermilkbuckskin_pc",
          "a_c_horse_kentuckysaddle_chestnutpinto"})
        breeds.insert(sim::gameHash(name));

    std::vector<Ped> horses;
    test::runOnScriptThread(session, [&] {
        for (int i = 0; i < 300; ++i)
            horses.push_back(drovil::spawnRandomHorse(Vector3(10.0f + i, 20.0f, 30.0f)));
    });
    std::set<Hash> models;
    for (Ped horse : horses) {
        ASSERT_TRUE(horse);
        const sim::EntityRecord* record = world().entities.find(horse.id);
        ASSERT_NE(record, nullptr);
        models.insert(record->model);
        expectPreparedLikeASpawnedPed(world(), horse.id);
        EXPECT_EQ(world().appearances.find(horse.id).shopItems, std::vector<std::uint32_t>{0x8FFCF06B})
            << "every horse wears the saddle";
    }
    EXPECT_EQ(models.size(), 19u) << "300 horses show every one of the 19 breeds";
    for (Hash breed : breeds)
        EXPECT_EQ(models.count(breed), 1u) << "the first breeds of the list are among them";

    // A rider put on the first horse sits in its saddle. While the rider's model
    // loads, the helper keeps asking for it.
    const Hash riderModel = sim::gameHash("g_m_m_bountyhunters_01");
    Ped rider;
    test::runOnScriptThread(session,
                           [&] { rider = drovil::spawnPedInVehicleAlt(riderModel, horses.front(), -1); });
    ASSERT_TRUE(rider);
    const auto saddle = world().seats.seatOf(rider.id);
    ASSERT_TRUE(saddle.has_value());
    EXPECT_EQ(saddle->vehicle, horses.front().id);
    EXPECT_EQ(saddle->seat, -1);
    EXPECT_GT(world().models.requestCount(riderModel), 1) << "asked for again while waiting";
    expectPreparedLikeASpawnedPed(world(), rider.id);
}

TEST_F(SpawnHelpers, PointsAroundLieAtTheDistanceAskedForInEveryDirection) {
    const Vector3 centre(-231.3357f, 703.2683f, 113.7415f);
    std::vector<Vector3> points;
    test::runOnScriptThread(session, [&] {
        for (int i = 0; i < 400; ++i)
            points.push_back(drovil::pointAround(centre, 30.0f, false));
    });
    int quadrants[4] = {};
    for (const Vector3& point : points) {
        const float dx = point.x - centre.x, dy = point.y - centre.y;
        EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 30.0f, 0.01f);
        EXPECT_FLOAT_EQ(point.z, centre.z + 0.3f);
        quadrants[(dx >= 0 ? 0 : 1) + (dy >= 0 ? 0 : 2)] += 1;
    }
    for (int count : quadrants)
        EXPECT_GT(count, 50) << "the directions spread all round";

    // Snapped to the ground, the point takes the ground's height there.
    Vector3 snapped;
    float ground = 0.0f;
    bool found = false;
    test::runOnScriptThread(session, [&] {
        snapped = drovil::pointAround(centre, 10.0f, true);
        found = drovil::natives::path::groundHeight(Vector3(snapped.x, snapped.y, centre.z + 10.0f), &ground,
                                                    true);
    });
    ASSERT_TRUE(found);
    EXPECT_FLOAT_EQ(snapped.z, ground);
    const float dx = snapped.x - centre.x, dy = snapped.y - centre.y;
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 10.0f, 0.01f);
}

} // namespace
