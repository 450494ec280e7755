// Street and hotel contracts in the simulated game, run by the contract engine:
// the scenes they build, how they keep the target moving once the hunt is on,
// when they leave it alone, and what the game's own natives make of that.
#include "executors/camp_rig.h"
#include "executors/executor_harness.h"
#include "engine/drovil_engine.h"
#include "executors/hotel_executor.h"
#include "executors/street_executor.h"
#include "support/game.h"
#include "world/area_ids.h"
#include "world/places.h"
#include "world/town/interiors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
using namespace drovil;

constexpr int missionId = 5;
// A street spot on Valentine's main street, and the hotel's room 1A.
const Vector3 streetSpot(-312.085f, 830.793f, 119.576f);
const Vector3 hotelRoom(-325.663f, 765.258f, 117.437f);

MissionData townRecord(SettingType setting, const Vector3& coords, int guards, int companions,
                       std::uint32_t area = area_ids::Valentine) {
    MissionData record = MissionData::newRecord(missionId, coords, setting == SettingType::Hotel ? 2 : 3,
                                                static_cast<int>(setting), area_ids::asSigned(area), 45);
    record.targetModel = sim::gameHash("a_m_m_griroughtravellers_01");
    record.guardModel = sim::gameHash("a_m_m_sdroughtravellers_01");
    record.companionModel = sim::gameHash("a_f_m_grifancytravellers_01");
    record.guardsCount = guards;
    record.companionsCount = companions;
    record.blipRadius = setting == SettingType::Hotel ? 30.0f : 40.0f;
    record.spawnDistance = 2.5f * record.blipRadius;
    record.missionAreaRadius = 3.0f * record.blipRadius;
    record.blipCoords = coords;
    return record;
}

float flat(const Vector3& a, const Vector3& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

BaseContractExecutor* executor() {
    DrovilEngine* engine = drovilEngine();
    return engine ? engine->find(missionId) : nullptr;
}

// The game with the mission restored at start-up and the player `metres` south
// of the coords, far enough for the scene not to be built under his eyes.
struct TownGame {
    explicit TownGame(const MissionData& record, std::vector<std::string> settings = {})
        : record(record), session(camptest::campOptions(record, std::move(settings))) {
        putPlayer(400.0f);
        ok = test::startGame(session) && executor() != nullptr;
    }
    void putPlayer(float metresSouth) {
        sim::World& world = session.world();
        world.playerPed().position = Vector3(record.coords.x, record.coords.y - metresSouth, record.coords.z);
    }
    // Into the search area, next to the coords; runs until the hunt is on.
    bool hunt() {
        putPlayer(60.0f);
        if (!session.runUntil([&] { return session.logContains("mission set prepared"); }, 900))
            return false;
        putPlayer(5.0f);
        return session.runUntil([&] { return executor() && record.id >= 0 && status() == 1; }, 300);
    }
    int status() { return executor() ? executor()->getMission()->status : -1; }
    int target() {
        for (const auto& [id, ped] : session.world().entities.all())
            if (ped.decorators.count("KV_Drovil_isContractTarget") && ped.decorators.at("KV_Drovil_isContractTarget"))
                return id;
        return 0;
    }
    // The peds of the scene: everyone the executor spawned near the coords but the player.
    std::vector<int> scenePeds(float radius) {
        std::vector<int> peds;
        for (const auto& [id, ped] : session.world().entities.all())
            if (ped.kind == sim::EntityKind::Ped && id != session.world().player.pedId && ped.missionEntity &&
                flat(ped.position, record.coords) <= radius)
                peds.push_back(id);
        return peds;
    }
    std::size_t tasksGiven(int ped) { return session.world().tasks.stepsGiven(ped); }
    // Game time with the player keeping a few metres behind the ped, as a
    // hunter tailing his man does (the target roams far in a few minutes).
    // Returns the frames in which the ped sat or leant in a scenario.
    int tail(int ped, std::uint32_t milliseconds) {
        int inScenario = 0;
        for (std::uint32_t done = 0; done < milliseconds; done += 1000) {
            if (const sim::EntityRecord* followed = session.world().entities.find(ped)) {
                const Vector3 at = followed->position;
                session.world().playerPed().position = Vector3(at.x, at.y - 6.0f, at.z);
            }
            for (int frame = 0; frame < 30; ++frame) {
                session.runFrames(1);
                const bool sitting = session.world().tasks.usingScenario(ped);
                inScenario += sitting;
                if (sitting) {
                    stay += 1;
                } else if (stay > 0) {
                    stays.push_back(stay * static_cast<int>(session.world().clock.frameMs));
                    stay = 0;
                }
            }
        }
        return inScenario;
    }
    // Each time the ped tailed sat or leant in a scenario, in ms, in order.
    std::vector<int> stays;
    int stay = 0;

    MissionData record;
    sim::Session session;
    bool ok = false;
};

// --- Street ---

TEST(StreetScene, TheTargetStandsAwayFromTheSpotWithItsEntourageAroundIt) {
    TownGame game(townRecord(SettingType::Street, streetSpot, 2, 1));
    ASSERT_TRUE(game.ok);
    ASSERT_NE(dynamic_cast<StreetExecutor*>(executor()), nullptr) << "setting 7 gets the street executor";
    ASSERT_TRUE(game.hunt());
    const int target = game.target();
    ASSERT_NE(target, 0);
    EXPECT_TRUE(game.session.logContains("ContractExecutor [5]: target created. distance from origin coords: "));
    int guards = 0, companions = 0;
    for (int ped : game.scenePeds(40.0f)) {
        const sim::EntityRecord& record = *game.session.world().entities.find(ped);
        if (ped == target)
            continue;
        if (record.model == game.record.guardModel) {
            ++guards;
            // Disarmed in town: the gun it had in hand is gone. The game's
            // weapon removal takes the current weapon only, so a guard that
            // carried a repeater as well still has it.
            EXPECT_EQ(game.session.world().weapons.current(game.session.world(), ped), sim::Weapons::unarmed());
            EXPECT_FALSE(game.session.world().weapons.carries(game.session.world(), ped, sim::Weapons::revolver()));
            EXPECT_TRUE(game.session.world().weapons.carries(game.session.world(), ped, sim::Weapons::repeater()));
        } else if (record.model == game.record.companionModel) {
            ++companions;
        }
    }
    EXPECT_EQ(guards, 2);
    EXPECT_EQ(companions, 1);
    // The target's eagle-eye tracks are on in the street (the shipped setting).
    EXPECT_TRUE(game.session.world().scenePeds.of(target).eagleEyeTracked);
}

// Without anyone around it the target still goes from roaming the streets to
// lingering and back: 40 s of roaming at the least between two lingers.
TEST(StreetWander, AloneTheTargetStillAlternatesRoamingAndLingering) {
    TownGame game(townRecord(SettingType::Street, streetSpot, 0, 0));
    ASSERT_TRUE(game.ok);
    ASSERT_TRUE(game.hunt());
    const int target = game.target();
    ASSERT_NE(target, 0);
    const int lingeringFrames = game.tail(target, 150000);
    const auto& history = game.session.world().tasks.history(target);
    std::vector<sim::TaskKind> kinds;
    for (const sim::TaskStep& step : history)
        if (step.kind == sim::TaskKind::Wander || step.kind == sim::TaskKind::UseNearestScenario)
            if (kinds.empty() || kinds.back() != step.kind)
                kinds.push_back(step.kind);
    // Lingering first (no wander task is running yet), then roaming, and so on.
    ASSERT_GE(kinds.size(), 4u);
    EXPECT_EQ(kinds.front(), sim::TaskKind::UseNearestScenario);
    for (std::size_t i = 1; i < kinds.size(); ++i)
        EXPECT_NE(kinds[i], kinds[i - 1]);
    // Each roaming lasts longer than 40 s: at most four lingers in 150 s.
    int lingers = 0;
    for (const sim::TaskStep& step : history)
        lingers += step.kind == sim::TaskKind::UseNearestScenario;
    EXPECT_LE(lingers, 4);
    EXPECT_GE(lingers, 2);
    ASSERT_NE(executor(), nullptr) << game.session.newLog();
    // Lingering, he walks to the nearest bench or rail and stays there for the
    // task's 30 to 45 s before he roams again.
    EXPECT_GT(lingeringFrames, 0);
    ASSERT_FALSE(game.stays.empty());
    for (int stay : game.stays) {
        EXPECT_GE(stay, 30000) << "he lingers the task's time";
        EXPECT_LE(stay, 45000 + 100);
    }
    const std::uint32_t nearestScenario = sim::gameHash("SCRIPT_TASK_USE_NEAREST_SCENARIO_TO_POS");
    const std::uint32_t wander = sim::gameHash("SCRIPT_TASK_WANDER_STANDARD");
    EXPECT_EQ(game.session.world().tasks.regivenWhileUnderWay(target, nearestScenario), 0u);
    EXPECT_EQ(game.session.world().tasks.regivenWhileUnderWay(target, wander), 0u);
    // The target walked the streets: it left where it stood.
    EXPECT_GT(flat(game.session.world().entities.find(target)->position, game.record.coords), 0.5f);
}

// A hostage is the hostage taker's: the street executor gives it nothing new for
// as long as it is held, and takes it up again afterwards.
TEST(StreetWander, AHostageTargetGetsNoNewTasksWhileHeld) {
    TownGame game(townRecord(SettingType::Street, streetSpot, 0, 1));
    ASSERT_TRUE(game.ok);
    ASSERT_TRUE(game.hunt());
    const int target = game.target();
    game.session.world().entities.find(target)->decorators["KV_HOSTAGE_isHostage"] = 1;
    game.session.runFrames(2);
    const std::size_t before = game.tasksGiven(target);
    game.tail(target, 120000);
    EXPECT_EQ(game.tasksGiven(target), before);
    game.session.world().entities.find(target)->decorators["KV_HOSTAGE_isHostage"] = 0;
    game.tail(target, 60000);
    EXPECT_GT(game.tasksGiven(target), before);
}

// A hogtied street target is left alone, as a hostage is: no new tasks while
// he lies bound (he would carry none of them out), his strolls again once loose.
// Bound on his stroll (phase 1), the stroll's time runs out while he lies
// there; bound while he lingers (phase 0), his time at the bench does.
void boundInPhaseGetsNoNewTasks(int phase) {
    TownGame game(townRecord(SettingType::Street, streetSpot, 0, 0));
    ASSERT_TRUE(game.ok);
    ASSERT_TRUE(game.hunt());
    const auto* street = dynamic_cast<StreetExecutor*>(executor());
    ASSERT_NE(street, nullptr);
    ASSERT_TRUE(game.session.runUntil([&] { return street->getWanderPhase() == phase; }, 3000));
    const int target = game.target();
    sim::EntityRecord& bound = *game.session.world().entities.find(target);
    bound.hogtied = true;
    const Vector3 where = bound.position;
    game.session.runFrames(2);
    const std::size_t before = game.tasksGiven(target);
    game.session.runFor(120000);
    EXPECT_EQ(game.tasksGiven(target), before);
    EXPECT_LT(flat(game.session.world().entities.find(target)->position, where), 0.01f);
    game.session.world().entities.find(target)->hogtied = false;
    game.session.runFor(60000);
    EXPECT_GT(game.tasksGiven(target), before);
}

TEST(StreetWander, AHogtiedTargetGetsNoNewTasksWhileBoundOnHisStroll) {
    boundInPhaseGetsNoNewTasks(1);
}

TEST(StreetWander, AHogtiedTargetGetsNoNewTasksWhileBoundAtHisBench) {
    boundInPhaseGetsNoNewTasks(0);
}

// --- Hotel ---

TEST(HotelScene, NoGuardsWhateverTheCountSaysAndNoEagleEyeTracks) {
    TownGame game(townRecord(SettingType::Hotel, hotelRoom, 4, 1), {"EagleEyeTracksForTarget=1"});
    ASSERT_TRUE(game.ok);
    auto* hotel = dynamic_cast<HotelExecutor*>(executor());
    ASSERT_NE(hotel, nullptr) << "setting 2 gets the hotel executor";
    ASSERT_NE(hotel->getHotelPlace(), nullptr);
    EXPECT_EQ(hotel->getHotelPlace()->name(), "Hotel Room 1A");
    ASSERT_TRUE(game.hunt());
    const int target = game.target();
    ASSERT_NE(target, 0);
    const std::vector<int> peds = game.scenePeds(30.0f);
    EXPECT_EQ(peds.size(), 2u) << "the target and its companion, no guard";
    for (int ped : peds)
        EXPECT_NE(game.session.world().entities.find(ped)->model, game.record.guardModel);
    EXPECT_FALSE(game.session.world().scenePeds.of(target).eagleEyeTracked);
    // Settled in the room: the target is in the room's interior.
    EXPECT_EQ(sim::Interiors::at(game.session.world().entities.find(target)->position), 4001);
}

TEST(HotelWander, TheTargetMovesAboutItsRoomAndAHostageIsLeftAlone) {
    TownGame game(townRecord(SettingType::Hotel, hotelRoom, 0, 1));
    ASSERT_TRUE(game.ok);
    ASSERT_TRUE(game.hunt());
    const int target = game.target();
    game.tail(target, 90000);
    // Every task it got sent it to a spot of its room.
    int roomTasks = 0;
    for (const sim::TaskStep& step : game.session.world().tasks.history(target))
        if (step.kind == sim::TaskKind::UseNearestScenario && !step.warp) {
            ++roomTasks;
            EXPECT_LE(flat(step.point, hotelRoom), 7.5f);
        }
    EXPECT_GT(roomTasks, 0);
    // Never sent elsewhere while on his way to a spot or there; his
    // companion follows him only when he moves on.
    const std::uint32_t nearestScenario = sim::gameHash("SCRIPT_TASK_USE_NEAREST_SCENARIO_TO_POS");
    sim::World& world = game.session.world();
    EXPECT_EQ(world.tasks.regivenWhileUnderWay(target, nearestScenario), 0u);
    for (int companion : game.scenePeds(30.0f))
        if (companion != target)
            EXPECT_LE(world.tasks.regivenWhileUnderWay(companion, nearestScenario), static_cast<std::size_t>(roomTasks));

    game.session.world().entities.find(target)->decorators["KV_HOSTAGE_isHostage"] = 1;
    game.session.runFrames(2);
    const std::size_t before = game.tasksGiven(target);
    game.tail(target, 90000);
    EXPECT_EQ(game.tasksGiven(target), before);
}

// Out of the room the game gives no interior to centre on (it would be the
// map's origin): the target is sent back to spots of its room.
TEST(HotelWander, ATargetOutsideAnyInteriorIsSentBackToItsRoom) {
    TownGame game(townRecord(SettingType::Hotel, hotelRoom, 0, 0));
    ASSERT_TRUE(game.ok);
    ASSERT_TRUE(game.hunt());
    const int target = game.target();
    sim::EntityRecord& outside = *game.session.world().entities.find(target);
    game.session.world().tasks.clear(target);
    outside.position = Vector3(hotelRoom.x + 20.0f, hotelRoom.y, hotelRoom.z + 1.0f);
    game.putPlayer(-25.0f);
    ASSERT_EQ(sim::Interiors::at(outside.position), 0);
    const std::size_t before = game.tasksGiven(target);
    game.session.runFrames(3);
    ASSERT_GT(game.tasksGiven(target), before);
    const sim::TaskStep& last = game.session.world().tasks.history(target).back();
    EXPECT_LE(flat(last.point, hotelRoom), 7.5f);
}

// An area without a hotel room: the scene is never built; the contract fails
// (the base has no target to play) and frees its area.
TEST(HotelScene, NoHotelRoomInTheAreaRefusesTheSceneAndTheContractFails) {
    const Vector3 annesburg(2935.2f, 569.433f, 44.8467f);
    TownGame game(townRecord(SettingType::Hotel, annesburg, 0, 1, area_ids::Annesburg));
    ASSERT_TRUE(game.ok);
    ASSERT_EQ(dynamic_cast<HotelExecutor*>(executor())->getHotelPlace(), nullptr);
    game.putPlayer(50.0f);
    ASSERT_TRUE(game.session.runUntil([&] { return executor() == nullptr; }, 900));
    EXPECT_EQ(extest::logCount(game.session,
                               "ContractExecutor [5]: HotelExecutor: no hotel room in the mission's area, the scene "
                               "is not built"),
              1);
    EXPECT_TRUE(game.session.logContains("ContractExecutor [5]: status changed: 0 -> 4"));
    EXPECT_TRUE(game.scenePeds(60.0f).empty());
}

} // namespace
