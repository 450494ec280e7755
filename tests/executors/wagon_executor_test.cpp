// Wagon contracts in the simulated game, run by the contract engine: when the
// convoy comes, who sits where, the escort riders, and a convoy that finds no road.
#include "executors/road_rig.h"
#include "executors/executor_harness.h"
#include "runtime/data_files.h"
#include "support/game.h"
#include "world/places/geography.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
using namespace roadtest;
using drovil::MissionStatus;

bool convoyOnTheRoad(sim::Session& session) {
    return session.logContains("wagon created. distance from mission coords: ");
}

TEST(WagonConvoy, NothingUntilThePlayerIsInTheSearchAreaThenTheConvoyOnTheNextFrame) {
    const drovil::MissionData record = wagonRecord(2, true);
    sim::Session session(roadOptions(record));
    ASSERT_TRUE(test::startGame(session));
    ASSERT_NE(wagon(), nullptr) << "the engine restores a wagon mission with the wagon executor";

    putPlayerSouthOf(session, record.coords, 200.0f); // within spawnDistance, outside the search area
    ASSERT_TRUE(session.runUntil([&] { return session.logContains("mission set prepared"); }, 300));
    // No delay: the game clock passes through a float on its way, which may
    // round it by a few game seconds either way.
    EXPECT_TRUE(session.logContains("wagon will be spawned in: "));
    session.runFrames(60);
    EXPECT_FALSE(session.logContains("creating wagon mission set"));
    EXPECT_FALSE(wagon()->getVehicle()) << "no wagon before the hunt is on";

    putPlayerSouthOf(session, record.coords, 50.0f);
    ASSERT_TRUE(session.runUntil([&] { return wagon()->getMission()->status == MissionStatus::Engaged; }, 30));
    session.runFrames(1);
    EXPECT_TRUE(session.runUntil([&] { return convoyOnTheRoad(session); }, 10))
        << "no more than the clock's rounding after the hunt begins";
    ASSERT_TRUE(wagon()->getVehicle());
    EXPECT_EQ(extest::logCount(session, "creating wagon mission set"), 1) << "the convoy is built once";

    // It drives off about the roads, the target on the box.
    const int vehicle = wagon()->getVehicle().id;
    const drovil::Vector3 start = session.world().entities.find(vehicle)->position;
    session.runFor(10000);
    const drovil::Vector3 later = session.world().entities.find(vehicle)->position;
    const float dx = later.x - start.x, dy = later.y - start.y;
    EXPECT_GT(dx * dx + dy * dy, 20.0f * 20.0f) << "a wandering wagon covers ground";
    EXPECT_LT(session.world().geography.distanceToRoad(later), 5.0f) << "and keeps to the road";
}

struct SeatCase {
    bool armed;
    int guards;
    std::vector<int> guardSeats; // in the wagon
    int riders;
    int targetSeat;
};

class WagonSeats : public ::testing::TestWithParam<SeatCase> {};

TEST_P(WagonSeats, GuardsFillTheWagonUpToSeatZeroAndTheRestRideEscort) {
    const SeatCase expected = GetParam();
    const drovil::MissionData record = wagonRecord(expected.guards, expected.armed);
    sim::Session session(roadOptions(record));
    ASSERT_TRUE(test::startGame(session));
    putPlayerSouthOf(session, record.coords, 50.0f);
    ASSERT_TRUE(session.runUntil([&] { return convoyOnTheRoad(session); }, 300));
    const int vehicle = wagon()->getVehicle().id;
    ASSERT_TRUE(session.runUntil([&] { return session.world().traffic.orderOf(vehicle) != nullptr; }, 300));
    session.runFrames(30);
    const int target = session.world().seats.occupant(vehicle, expected.targetSeat);
    ASSERT_NE(target, 0);
    EXPECT_EQ(session.world().entities.find(target)->model, record.targetModel);
    EXPECT_EQ(session.world().entities.find(target)->decorators["KV_Drovil_isContractTarget"], 1);
    EXPECT_EQ(session.world().entities.find(target)->decorators["KV_HOSTAGE_enabled"], 0)
        << "nobody takes a wagon's traveller hostage";
    std::vector<int> guardSeats;
    for (const auto& [seat, ped] : seated(session, vehicle))
        if (ped != target)
            guardSeats.push_back(seat);
    EXPECT_EQ(guardSeats, expected.guardSeats);
    for (int seat : expected.guardSeats)
        EXPECT_TRUE(session.logContains("guard created in wagon on seat: " + std::to_string(seat)));
    EXPECT_EQ(extest::logCount(session, "guard created on a horse. distance from wagon: "), expected.riders);
    const drovil::Vector3 at = session.world().entities.find(vehicle)->position;
    EXPECT_EQ(ridersNear(session, at, 20.0f), expected.riders) << "the riders keep up with the wagon";
    // Someone drives: the wagon is on its way.
    EXPECT_NE(session.world().seats.occupant(vehicle, -1), 0);
    EXPECT_NE(session.world().traffic.orderOf(vehicle), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Convoys, WagonSeats,
                         ::testing::Values(SeatCase{true, 1, {0}, 0, -1}, SeatCase{true, 4, {0}, 3, -1},
                                           SeatCase{false, 4, {-1, 0}, 2, 2}));

TEST(WagonConvoy, CompanionsOnlyOnSeatsTheWagonHas) {
    drovil::MissionData record = wagonRecord(1, true);
    record.vehicleModel = sim::gameHash("wagon05x"); // four seats: the box, 0, 1 and 2
    record.companionsCount = 5;
    record.companionModel = sim::gameHash("a_f_m_middlesdtownfolk_01");
    sim::Session session(roadOptions(record));
    ASSERT_TRUE(test::startGame(session));
    putPlayerSouthOf(session, record.coords, 50.0f);
    ASSERT_TRUE(session.runUntil([&] { return convoyOnTheRoad(session); }, 300));
    const int vehicle = wagon()->getVehicle().id;
    // The convoy is complete once its driver sets off.
    ASSERT_TRUE(session.runUntil([&] { return session.world().traffic.orderOf(vehicle) != nullptr; }, 300));
    int companions = 0;
    for (const auto& [id, entity] : session.world().entities.all())
        if (entity.model == record.companionModel)
            ++companions;
    EXPECT_EQ(companions, 1) << "only seat 2 is free after the target and his guard";
    EXPECT_EQ(session.world().entities.find(session.world().seats.occupant(vehicle, 2))->model,
              record.companionModel);
    EXPECT_EQ(seated(session, vehicle).size(), 3u);
}

// With no road near the point no wagon can ever come: the contract fails at
// once, as any failed contract ends (the file, the save's slot, the subtitle),
// instead of trying again every frame for ever.
TEST(WagonConvoy, NoRoadNearTheCoordsFailsTheContractOnceAndPutsNoWagonAnywhere) {
    drovil::MissionData record = wagonRecord(2, true);
    // High in the mountains, kilometres from any road.
    record.coords = drovil::Vector3(-2600.0f, 2700.0f, sim::Geography().groundHeight(-2600.0f, 2700.0f));
    record.blipCoords = record.coords;
    sim::Session session(roadOptions(record));
    ASSERT_TRUE(test::startGame(session));
    putPlayerSouthOf(session, record.coords, 20.0f);
    ASSERT_TRUE(session.runUntil([&] { return session.logContains("failed to create wagon"); }, 300));
    session.runFrames(20);
    EXPECT_EQ(extest::logCount(session, "failed to create wagon"), 1) << "tried once";
    EXPECT_TRUE(session.logContains("ContractExecutor [5]: status changed: 1 -> 4"));
    EXPECT_EQ(wagon(), nullptr) << "the contract has ended";
    EXPECT_NE(session.readFile("Missions/5.dat").find("status=4\n"), std::string::npos);
    EXPECT_NE(session.readFile("Savegame.dat").find(
                  "missions." + std::to_string(record.areaId) + "=-1\n"),
              std::string::npos)
        << "the area is free for another contract";
    EXPECT_TRUE(session.hud().subtitleShown(drovil::langFile().getString("contract.target_lost")));
    for (const auto& [id, entity] : session.world().entities.all())
        EXPECT_NE(entity.kind, sim::EntityKind::Vehicle) << "no wagon was put on a road far away";
}

TEST(WagonConvoy, TheWagonIsReleasedWithTheSceneWhenTheMissionEnds) {
    const drovil::MissionData record = wagonRecord(1, true);
    sim::Session session(roadOptions(record));
    ASSERT_TRUE(test::startGame(session));
    putPlayerSouthOf(session, record.coords, 50.0f);
    ASSERT_TRUE(session.runUntil([&] { return convoyOnTheRoad(session); }, 300));
    const int vehicle = wagon()->getVehicle().id;
    ASSERT_TRUE(session.world().entities.find(vehicle)->missionEntity);
    // Far away: the target is lost and the mission ends.
    putPlayerSouthOf(session, record.coords, 1500.0f);
    ASSERT_TRUE(session.runUntil([&] { return wagon() == nullptr; }, 300));
    const sim::EntityRecord* left = session.world().entities.find(vehicle);
    ASSERT_NE(left, nullptr) << "the wagon stays in the world";
    EXPECT_FALSE(left->missionEntity) << "handed back to the game with the peds";
}

// The debug tools mark the wagon on the map; the mark goes with the scene,
// not with the wagon when the game takes it away some day.
TEST(WagonConvoy, TheDebugBlipOnTheWagonGoesWhenTheMissionEnds) {
    const drovil::MissionData record = wagonRecord(1, true);
    sim::Session session(roadOptions(record, {"DevTools=1"}));
    ASSERT_TRUE(test::startGame(session));
    session.tapKey(test::keyF2);
    session.runFrames(2);
    putPlayerSouthOf(session, record.coords, 50.0f);
    ASSERT_TRUE(session.runUntil([&] { return convoyOnTheRoad(session); }, 300));
    const int vehicle = wagon()->getVehicle().id;
    // Once the convoy's riders are placed, the wagon is marked.
    ASSERT_TRUE(session.runUntil([&] { return session.world().blips.onEntity(vehicle) != nullptr; }, 300))
        << "the debug tools mark the wagon";
    putPlayerSouthOf(session, record.coords, 1500.0f);
    ASSERT_TRUE(session.runUntil([&] { return wagon() == nullptr; }, 300));
    EXPECT_EQ(session.world().blips.onEntity(vehicle), nullptr);
}

} // namespace
