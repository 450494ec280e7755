// Train station contracts in the simulated game, run by the contract engine:
// when the transport is due, the train that runs in and stops, the target who
// walks to the platform and boards, the coach that calls for him, and the
// transports handed back to the game at the end.
#include "engine/drovil_engine.h"
#include "executors/camp_rig.h"
#include "executors/executor_harness.h"
#include "executors/train_variant_executor.h"
#include "executors/wagon_variant_executor.h"
#include "support/game.h"
#include "world/area_ids.h"
#include "world/core/script_owned.h"
#include "world/places/geography.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {
using namespace drovil;
using drovil::MissionStatus;

constexpr int stationMissionId = 6;
// Valentine's station (station 0): its trains come in from the east.
const Vector3 valentineStation(-180.543f, 629.124f, 114.09f);

float dist3(const Vector3& a, const Vector3& b);


MissionData stationRecord(int variant) {
    MissionData record = MissionData::newRecord(stationMissionId, valentineStation, 2,
                                                static_cast<int>(SettingType::TrainStation),
                                                area_ids::asSigned(area_ids::Valentine), 60);
    record.variant = variant;
    record.targetModel = sim::gameHash("a_m_m_rhdupperclass_01");
    record.guardModel = sim::gameHash("g_m_m_uniduster_01");
    record.guardsCount = variant == 0 ? 0 : 2;
    record.vehicleModel = 0x680D3008; // the wealthy traveller's coach
    record.blipRadius = 50.0f;
    record.spawnDistance = 100.0f;
    record.missionAreaRadius = 300.0f;
    record.blipCoords = record.coords;
    return record;
}

// The coach calls at the station itself, up the side road to it.
MissionData coachRecord() {
    return stationRecord(1);
}

TrainVariantExecutor* trainExecutor() {
    DrovilEngine* engine = drovilEngine();
    return engine ? dynamic_cast<TrainVariantExecutor*>(engine->find(stationMissionId)) : nullptr;
}

// Game seconds until the transport is due, by the game's own clock.
int dueIn(sim::Session& session) {
    return trainExecutor()->getSpawnAt() - static_cast<int>(session.world().clock.secondsSinceBaseYear());
}

WagonVariantExecutor* coachExecutor() {
    DrovilEngine* engine = drovilEngine();
    return engine ? dynamic_cast<WagonVariantExecutor*>(engine->find(stationMissionId)) : nullptr;
}

// Puts the player `metres` north of the station, on the ground, on foot.
void putPlayerNorthOf(sim::Session& session, const Vector3& point, float metres) {
    sim::World& world = session.world();
    world.seats.leaveSeat(world.player.pedId);
    const float x = point.x, y = point.y + metres;
    world.playerPed().position = Vector3(x, y, world.geography.groundHeight(x, y));
}

void putPlayerNorthOfStation(sim::Session& session, float metres) {
    putPlayerNorthOf(session, valentineStation, metres);
}

// Starts the game with the player well away from the station (a mission
// restored under his eyes would wait, blocked, until he has been away).
// With `debugTools`, F2 turns the debug tools on first (DevTools=1 lets it).
bool startAwayFromStation(sim::Session& session, bool debugTools = false) {
    if (!test::startGame(session))
        return false;
    if (debugTools) {
        session.tapKey(test::keyF2);
        session.runFrames(2);
    }
    putPlayerNorthOfStation(session, 400.0f);
    session.runFrames(30);
    return true;
}

float dist3(const Vector3& a, const Vector3& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

float flat(const Vector3& a, const Vector3& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

Vector3 positionOf(sim::Session& session, int entity) {
    const sim::EntityRecord* record = session.world().entities.find(entity);
    return record ? record->position : Vector3();
}

// The station's approach point, where the target waits for the train:
// Valentine's has none of its own, so it lies on the way to the track, 7 m
// short of it and at least 5 m out.
Vector3 approachPoint(sim::Session& session) {
    const Vector3 track = session.world().geography.trackPointNear(valentineStation);
    const float d = dist3(valentineStation, track);
    const float along = std::max(d - 7.0f, 5.0f) / d;
    return Vector3(valentineStation.x + (track.x - valentineStation.x) * along,
                   valentineStation.y + (track.y - valentineStation.y) * along,
                   valentineStation.z + (track.z - valentineStation.z) * along);
}

bool walksToPlatform(sim::Session& session, int target) {
    const sim::PedActivity* activity = session.world().tasks.find(target);
    if (!activity || activity->index < 0)
        return false;
    const sim::TaskStep& step = activity->steps[static_cast<std::size_t>(activity->index)];
    return step.kind == sim::TaskKind::GoTo && flat(step.point, approachPoint(session)) < 0.5f;
}

TEST(TrainStationContract, TheTrainRunsInTheTargetWalksUpOnlyWithinHalfAMileOfItAndBoardsOnceItHasStopped) {
    MissionData record = stationRecord(0);
    record.missionAreaRadius = 3000.0f; // the train may take him far without losing him
    sim::Session session(camptest::campOptions(record));
    ASSERT_TRUE(startAwayFromStation(session));
    ASSERT_NE(trainExecutor(), nullptr) << "variant 0 of a station mission is the train";

    putPlayerNorthOfStation(session, 30.0f);
    ASSERT_TRUE(session.runUntil([&] { return session.logContains("transport will be spawned in: "); }, 600));
    // Due between 10 and 17 game-minute-scaled steps ahead: 20 to 34 real seconds.
    const int wait = dueIn(session);
    EXPECT_GE(wait, 10 * 60 - 2);
    EXPECT_LE(wait, 17 * 60 + 2);
    EXPECT_FALSE(trainExecutor()->getTrain()) << "no train before it is due";

    ASSERT_TRUE(session.runUntil([&] { return static_cast<bool>(trainExecutor()->getTrain()); }, 40 * 60));
    const int train = trainExecutor()->getTrain().id;
    EXPECT_EQ(trainExecutor()->getMission()->status, MissionStatus::Engaged);
    EXPECT_TRUE(session.logContains("train created at: "));
    EXPECT_GT(flat(positionOf(session, train), valentineStation), 150.0f) << "it comes in from down the line";

    // The target stays put until the train is within 150 m. The game's task
    // for the waiting target is the nearest scenario point within 20 m of the
    // spot (a bench, a rail), not a stroll about the area.
    int targetPed = 0;
    for (const auto& [id, record] : session.world().entities.all())
        if (record.decorators.count("KV_Drovil_isContractTarget"))
            targetPed = id;
    ASSERT_NE(targetPed, 0);
    bool waitsOnScenario = false;
    for (const sim::TaskStep& step : session.world().tasks.history(targetPed))
        waitsOnScenario = waitsOnScenario || (step.kind == sim::TaskKind::UseNearestScenario && step.radius == 20.0f);
    EXPECT_TRUE(waitsOnScenario);
    float trainDistanceWhenCalled = -1.0f;
    ASSERT_TRUE(session.runUntil(
        [&] {
            if (walksToPlatform(session, targetPed)) {
                trainDistanceWhenCalled = dist3(positionOf(session, train), valentineStation);
                return true;
            }
            return false;
        },
        60 * 60));
    EXPECT_LE(trainDistanceWhenCalled, 150.0f);
    EXPECT_GT(trainDistanceWhenCalled, 135.0f) << "called as soon as the train came within 150 m";
    EXPECT_EQ(trainExecutor()->getArrivalPhase(), 2);

    // Boarding begins only once the train stands at the station.
    bool waitingWhenBoarding = false;
    ASSERT_TRUE(session.runUntil(
        [&] {
            if (!session.logContains("train has arrived at the station, initiaing train boarding task."))
                return false;
            waitingWhenBoarding = session.world().trains.isWaitingAtStation(train);
            return true;
        },
        60 * 60));
    EXPECT_TRUE(waitingWhenBoarding);
    session.runFrames(1);
    EXPECT_LT(session.world().traffic.speedOf(train), 0.01f);
    const BoardTrainTask* board = trainExecutor()->getBoardTask();
    ASSERT_NE(board, nullptr);
    // The car nearest to him.
    int nearest = -1;
    float best = 1e9f;
    for (int index = 0; index < 100; ++index) {
        const int car = session.world().trains.carriage(train, index);
        if (!car)
            break;
        const float d = dist3(positionOf(session, car), positionOf(session, targetPed));
        if (std::floor(d) < best) {
            best = std::floor(d);
            nearest = index;
        }
    }
    EXPECT_EQ(board->carIndex(), nearest);
    const int boardedCar = board->car().id;

    // He walks up to the car and steps aboard; the game reports the boarding
    // finished (8), he is walked on into the car and, within 2.5 m of it, put
    // on a train seat, all before the train leaves.
    const std::uint32_t boardHash = sim::gameHash("SCRIPT_TASK_BOARD_VEHICLE");
    bool reportedFinished = false;
    float lastDistanceOnFoot = -1.0f;
    ASSERT_TRUE(session.runUntil(
        [&] {
            if (session.world().seats.seatOf(targetPed))
                return true;
            reportedFinished =
                reportedFinished || session.world().tasks.scriptTaskStatus(targetPed, boardHash) == 8;
            lastDistanceOnFoot = dist3(positionOf(session, targetPed), positionOf(session, boardedCar));
            return false;
        },
        40 * 60));
    EXPECT_TRUE(reportedFinished);
    EXPECT_GE(lastDistanceOnFoot, 0.0f);
    EXPECT_LE(lastDistanceOnFoot, 2.5f) << "put on his seat from beside the car";
    EXPECT_EQ(session.world().seats.seatOf(targetPed)->vehicle, boardedCar);
    EXPECT_TRUE(session.world().trains.isWaitingAtStation(train));
    session.runFrames(2);
    EXPECT_EQ(trainExecutor()->getBoardTask(), nullptr) << "the boarding is over";
    EXPECT_EQ(trainExecutor()->getArrivalPhase(), 3);

    // The train pulls out with him.
    const Vector3 boardedAt = positionOf(session, targetPed);
    session.runFor(70000);
    EXPECT_GT(flat(positionOf(session, targetPed), boardedAt), 100.0f);
    const auto seat = session.world().seats.seatOf(targetPed);
    ASSERT_TRUE(seat.has_value());
    EXPECT_EQ(seat->vehicle, boardedCar);
}

// However the game reports the boarding's end (over in its very first frame
// because he already stands at the door, or taken away while he walks up:
// then never "finished"), the target goes on into his car and takes a seat.
class TrainBoarding : public ::testing::TestWithParam<bool> {};

TEST_P(TrainBoarding, TheTargetTakesHisSeatWhenTheBoardingIsOverAtOnceOrTakenAway) {
    const bool atTheDoor = GetParam();
    sim::Session session(camptest::campOptions(stationRecord(0), {"DevTools=1"}));
    ASSERT_TRUE(startAwayFromStation(session, true));
    putPlayerNorthOfStation(session, 20.0f);
    ASSERT_TRUE(session.runUntil([&] { return trainExecutor() && trainExecutor()->getBoardTask(); }, 120 * 30));
    const BoardTrainTask* board = trainExecutor()->getBoardTask();
    const int target = board->getPed().id;
    const int car = board->car().id;
    ASSERT_NE(car, 0);
    const std::uint32_t boardHash = sim::gameHash("SCRIPT_TASK_BOARD_VEHICLE");
    sim::World& world = session.world();
    if (atTheDoor) {
        world.entities.find(target)->position = positionOf(session, car);
        ASSERT_TRUE(session.runUntil([&] { return world.tasks.scriptTaskStatus(target, boardHash) != 7; }, 30));
        session.runFrames(1);
        ASSERT_EQ(world.tasks.scriptTaskStatus(target, boardHash), 8) << "over in its first frame";
    } else {
        ASSERT_TRUE(session.runUntil([&] { return world.tasks.scriptTaskStatus(target, boardHash) == 1; }, 30));
        world.tasks.clear(target);
        session.runFrames(1);
        ASSERT_EQ(world.tasks.scriptTaskStatus(target, boardHash), 7) << "taken away: no such task now";
    }
    ASSERT_TRUE(session.runUntil([&] { return world.seats.seatOf(target).has_value(); }, 20 * 30))
        << "the boarding never went on; phase " << (trainExecutor() && trainExecutor()->getBoardTask()
                                                         ? trainExecutor()->getBoardTask()->phase()
                                                         : -1);
    EXPECT_EQ(world.seats.seatOf(target)->vehicle, car);
    EXPECT_TRUE(world.trains.isWaitingAtStation(trainExecutor()->getTrain().id)) << "aboard before it leaves";
}

INSTANTIATE_TEST_SUITE_P(OverAtOnceOrTakenAway, TrainBoarding, ::testing::Bool());

TEST(TrainStationContract, WithTheDebugToolsTheTrainIsDueAtOnce) {
    sim::Session session(camptest::campOptions(stationRecord(0), {"DevTools=1"}));
    ASSERT_TRUE(startAwayFromStation(session, true));
    putPlayerNorthOfStation(session, 30.0f);
    ASSERT_TRUE(session.runUntil([&] { return session.logContains("transport will be spawned in: "); }, 600))
        << session.newLog();
    // The game clock passes through a float: due now, give or take its rounding.
    EXPECT_LE(dueIn(session), 64);
    EXPECT_TRUE(session.runUntil([&] { return static_cast<bool>(trainExecutor()->getTrain()); }, 30));
}

TEST(TrainStationContract, CarsThatDoNotLoadGiveFailedToSpawnTrainOncePerSecondWhileEngaged) {
    sim::Session session(camptest::campOptions(stationRecord(0), {"DevTools=1"}));
    ASSERT_TRUE(startAwayFromStation(session, true));
    session.world().models.markMissing(sim::gameHash("northpassenger03x"));
    // Within spawnDistance but outside the search area: scheduled, not tried.
    putPlayerNorthOfStation(session, 80.0f);
    ASSERT_TRUE(session.runUntil([&] { return session.logContains("transport will be spawned in: "); }, 600));
    session.runFor(3000);
    EXPECT_EQ(extest::logCount(session, "failed to spawn train"), 0) << "only while the hunt is on";

    putPlayerNorthOfStation(session, 20.0f);
    ASSERT_TRUE(session.runUntil([&] { return session.logContains("failed to spawn train"); }, 120));
    session.runFor(5000);
    const int failures = extest::logCount(session, "failed to spawn train");
    // A round of loading takes half a second, the wait a second.
    EXPECT_GE(failures, 3);
    EXPECT_LE(failures, 6);
    EXPECT_FALSE(trainExecutor()->getTrain());
    EXPECT_EQ(trainExecutor()->getArrivalPhase(), 0);
}

TEST(TrainStationContract, TheTrainGoesBackToTheGameWhenTheMissionEnds) {
    sim::Session session(camptest::campOptions(stationRecord(0), {"DevTools=1"}));
    ASSERT_TRUE(startAwayFromStation(session, true));
    putPlayerNorthOfStation(session, 20.0f);
    ASSERT_TRUE(session.runUntil([&] { return trainExecutor() && trainExecutor()->getTrain(); }, 600));
    const int train = trainExecutor()->getTrain().id;
    ASSERT_NE(session.world().trains.find(train), nullptr);
    const std::vector<int> cars = session.world().trains.find(train)->cars;
    ASSERT_GT(cars.size(), 2u);
    for (int car : cars)
        EXPECT_TRUE(session.world().entities.find(car)->missionEntity);
    // The player walks off: out of the mission area, the target lost.
    putPlayerNorthOfStation(session, 600.0f);
    ASSERT_TRUE(session.runUntil([&] { return trainExecutor() == nullptr; }, 600));
    EXPECT_TRUE(session.logContains("mission area abandoned / target lost"));
    // The whole train, engine and every car, is the game's again.
    for (int car : cars) {
        const sim::EntityRecord* record = session.world().entities.find(car);
        ASSERT_NE(record, nullptr) << "car " << car << " stays in the world";
        EXPECT_FALSE(record->missionEntity) << "car " << car << " still the script's";
    }
    EXPECT_EQ(sim::countScriptOwned(session.world()).entities, 0);
}

TEST(CoachStationContract, TheCoachDrivesUpStopsNearTheSpotTakesTheTargetInAndDrivesOff) {
    sim::Session session(camptest::campOptions(coachRecord(), {"DevTools=1"}));
    ASSERT_TRUE(startAwayFromStation(session, true));
    ASSERT_NE(coachExecutor(), nullptr) << "variant 1 of a station mission is the coach";
    putPlayerNorthOf(session, coachRecord().coords, 30.0f);
    ASSERT_TRUE(session.runUntil([&] { return session.logContains("wagon created. distance from mission coords: "); },
                                 600));
    const int coach = coachExecutor()->getCoach().id;
    EXPECT_EQ(session.world().traffic.robberyLootOf(coach), sim::gameHash("COACH2_MARY3"));
    EXPECT_NE(session.world().seats.occupant(coach, -1), 0);
    EXPECT_NE(session.world().seats.occupant(coach, 0), 0);

    // Told to get in only once the coach stands within 20 m of the spot.
    float distanceWhenCalled = -1.0f;
    float speedWhenCalled = -1.0f;
    ASSERT_TRUE(session.runUntil(
        [&] {
            if (coachExecutor()->getArrivalPhase() < 2)
                return false;
            distanceWhenCalled = dist3(positionOf(session, coach), coachRecord().coords);
            speedWhenCalled = session.world().traffic.speedOf(coach);
            return true;
        },
        3 * 60 * 60));
    EXPECT_LE(distanceWhenCalled, 20.0f);
    EXPECT_LE(speedWhenCalled, sim::Traffic::stoppedSpeed);

    ASSERT_TRUE(session.runUntil([&] { return coachExecutor()->getArrivalPhase() == 3; }, 60 * 60));
    int target = 0;
    for (const auto& [id, record] : session.world().entities.all())
        if (record.decorators.count("KV_Drovil_isContractTarget"))
            target = id;
    EXPECT_EQ(session.world().seats.occupant(coach, 3), target);
    const sim::DriveOrder* order = session.world().traffic.orderOf(coach);
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(order->kind, sim::DriveKind::Wander) << "off about the roads";
    // Down the side road and away, with him aboard.
    const Vector3 pickedUpAt = positionOf(session, coach);
    session.runFor(30000);
    EXPECT_GT(flat(positionOf(session, coach), pickedUpAt), 40.0f);
    EXPECT_EQ(session.world().seats.occupant(coach, 3), target);
    EXPECT_LT(session.world().geography.distanceToRoad(positionOf(session, coach)), 5.0f);
}

struct StationSpot {
    const char* name;
    Hash area;
    Vector3 coords;
};

class CoachAtEveryStation : public ::testing::TestWithParam<StationSpot> {};

// Every station a contract can send the target to: the coach drives up, stops
// within 20 m of the spot, takes him in and leaves with him.
TEST_P(CoachAtEveryStation, TheCoachPullsUpWithinTwentyMetresAndLeavesWithTheTarget) {
    MissionData record = stationRecord(1);
    record.coords = GetParam().coords;
    record.blipCoords = record.coords;
    record.areaId = area_ids::asSigned(GetParam().area);
    sim::Session session(camptest::campOptions(record, {"DevTools=1"}));
    ASSERT_TRUE(startAwayFromStation(session, true));
    putPlayerNorthOf(session, record.coords, 30.0f);
    ASSERT_TRUE(session.runUntil([&] { return coachExecutor() && coachExecutor()->getCoach(); }, 600));
    const int coach = coachExecutor()->getCoach().id;
    float distanceWhenCalled = -1.0f;
    ASSERT_TRUE(session.runUntil(
        [&] {
            if (coachExecutor()->getArrivalPhase() < 2)
                return false;
            distanceWhenCalled = dist3(positionOf(session, coach), record.coords);
            return true;
        },
        3 * 60 * 60));
    EXPECT_LE(distanceWhenCalled, 20.0f);
    ASSERT_TRUE(session.runUntil([&] { return coachExecutor()->getArrivalPhase() == 3; }, 60 * 60));
    const int target = session.world().seats.occupant(coach, 3);
    EXPECT_NE(target, 0);
    const Vector3 pickedUpAt = positionOf(session, coach);
    EXPECT_TRUE(session.runUntil([&] { return flat(positionOf(session, coach), pickedUpAt) > 30.0f; }, 40 * 30))
        << "and drives off";
    EXPECT_EQ(session.world().seats.occupant(coach, 3), target);
}

INSTANTIATE_TEST_SUITE_P(
    Stations, CoachAtEveryStation,
    ::testing::Values(StationSpot{"Valentine", area_ids::Valentine, Vector3(-180.543f, 629.124f, 114.09f)},
                      StationSpot{"EmeraldRanch", area_ids::Valentine, Vector3(1521.5f, 439.356f, 90.6807f)},
                      StationSpot{"Annesburg", area_ids::Annesburg, Vector3(2931.73f, 1283.24f, 44.6528f)},
                      StationSpot{"Riggs", area_ids::Strawberry, Vector3(-1095.53f, -575.422f, 82.4099f)},
                      StationSpot{"Wallace", area_ids::Strawberry, Vector3(-1298.77f, 401.872f, 95.3839f)},
                      StationSpot{"Rhodes", area_ids::Rhodes, Vector3(1233.22f, -1297.11f, 76.9048f)},
                      StationSpot{"SaintDenis", area_ids::SaintDenis, Vector3(2749.14f, -1400.79f, 46.1927f)},
                      StationSpot{"Blackwater", area_ids::Blackwater, Vector3(-875.477f, -1328.74f, 43.958f)},
                      StationSpot{"Tumbleweed", area_ids::Tumbleweed, Vector3(-5230.35f, -3468.04f, -20.5129f)}),
    [](const ::testing::TestParamInfo<StationSpot>& info) { return std::string(info.param.name); });

TEST(CoachStationContract, APlayerOnTheCoachBoxIsNotGivenADrivingTask) {
    sim::Session session(camptest::campOptions(coachRecord(), {"DevTools=1"}));
    ASSERT_TRUE(startAwayFromStation(session, true));
    putPlayerNorthOf(session, coachRecord().coords, 30.0f);
    ASSERT_TRUE(session.runUntil(
        [&] { return coachExecutor() && coachExecutor()->getArrivalPhase() == 2; }, 3 * 60 * 60));
    const int coach = coachExecutor()->getCoach().id;
    // The player has thrown the driver off and taken the reins.
    sim::World& world = session.world();
    const int driver = world.seats.occupant(coach, -1);
    world.seats.leaveSeat(driver);
    world.playerPed().position = positionOf(session, coach);
    world.seats.seatPed(coach, -1, world.player.pedId);
    ASSERT_TRUE(session.runUntil([&] { return coachExecutor()->getArrivalPhase() == 3; }, 60 * 60));
    session.runFrames(5);
    EXPECT_EQ(session.world().traffic.orderOf(coach), nullptr) << "the coach goes where the player drives it";
}

} // namespace
