// What the game's task status (GET_SCRIPT_TASK_STATUS) reports, frame by frame,
// of every task the plug-in gives a ped, asked through the natives as the
// plug-in asks: waiting to start in the frame it is given, performed from the
// next, dormant while the ped is held by something else, finished once its time
// or its goal is reached (and for good once it has none), and not found once
// the ped is given something else; a glance runs beside the main task, and a
// step inside a sequence is never a task of its own.
#include "support/game.h"
#include "support/script_thread.h"

#include "runtime/natives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace natives = drovil::natives;
using drovil::Entity;
using drovil::Ped;
using drovil::Vector3;

namespace {

// Far from any town, road or station.
const Vector3 openCountry(-1200.0f, 1500.0f, 200.0f);

// Who takes part in a row: the ped told, and the entity the task is about
// (another ped, a wagon, a scenario point).
struct Cast {
    int ped = 0;
    int other = 0;
    Vector3 at;
};

struct Row {
    const char* told;       // what the ped is told
    const char* scriptTask; // the script task asked about
    std::function<Cast(sim::World&, const Vector3&)> cast;
    std::function<void(const Cast&)> give; // on the script thread
    // The first report of "finished", in ms after the frame of giving: within
    // [overFromMs, overByMs]; overByMs 0: never over while watched.
    int overFromMs = 0;
    int overByMs = 0;
    // Something done to the scene at that time (0: nothing): the foe shot dead.
    int killOtherAtMs = 0;
    // The ped bound for a while: the task held meanwhile.
    int boundFromMs = 0;
    int boundUntilMs = 0;
    // A glance goes on when the ped is given a main task; a step inside a
    // sequence is never found.
    bool beside = false;
    bool stepOfSequence = false;
};

int mobster(sim::World& world, const Vector3& at, float heading = 0.0f) {
    sim::EntityRecord& ped = world.entities.create(sim::EntityKind::Ped, sim::gameHash("g_m_m_unicriminals_01"), at,
                                                   heading);
    ped.missionEntity = true;
    return ped.id;
}

Vector3 ahead(const Vector3& from, float metres) {
    return Vector3(from.x, from.y + metres, from.z);
}

// A ped, and another `metres` north of him (facing away).
std::function<Cast(sim::World&, const Vector3&)> withPedAhead(float metres) {
    return [metres](sim::World& world, const Vector3& at) {
        return Cast{mobster(world, at), mobster(world, ahead(at, metres)), at};
    };
}

Cast alone(sim::World& world, const Vector3& at) {
    return Cast{mobster(world, at), 0, at};
}

// A driver on the box of a wagon standing on a road, facing the next road
// vertex along (15 to 50 m off), which is where he is sent.
Cast driverOnTheRoad(sim::World& world, const Vector3& near) {
    const sim::RoadNetwork& roads = world.traffic.roads;
    int from = -1, to = -1;
    float best = 1e9f;
    for (int vertex = 0; vertex < static_cast<int>(roads.size()); ++vertex)
        for (int next : roads.neighbours(vertex)) {
            const float length = std::hypot(roads.point(next).x - roads.point(vertex).x,
                                            roads.point(next).y - roads.point(vertex).y);
            const float away = std::hypot(roads.point(vertex).x - near.x, roads.point(vertex).y - near.y);
            if (length >= 15.0f && length <= 50.0f && away < best) {
                best = away;
                from = vertex;
                to = next;
            }
        }
    // A few metres along the road from the vertex, so that it stands on that road.
    const Vector3 start = roads.point(from), goal = roads.point(to);
    const float length = std::hypot(goal.x - start.x, goal.y - start.y);
    const Vector3 road(start.x + (goal.x - start.x) * 3.0f / length, start.y + (goal.y - start.y) * 3.0f / length,
                       start.z);
    sim::EntityRecord& wagon = world.entities.create(sim::EntityKind::Vehicle, sim::gameHash("wagon02x"), road,
                                                     sim::headingTowards(road, goal));
    wagon.missionEntity = true;
    const int driver = mobster(world, road);
    world.seats.seatPed(wagon.id, -1, driver);
    return Cast{driver, wagon.id, goal};
}

std::vector<Row> rows() {
    std::vector<Row> table;
    auto add = [&table](Row row) { table.push_back(std::move(row)); };
    const Ped none;
    // Walking and following.
    add({"walk 5 m", "SCRIPT_TASK_FOLLOW_NAV_MESH_TO_COORD", alone,
         [](const Cast& c) { natives::task::goToPoint(Ped(c.ped), ahead(c.at, 5.0f), 1.0f, -1, 0.5f, 0, 40000.0f); },
         2500, 4500});
    add({"go to a ped 8 m off", "SCRIPT_TASK_GO_TO_ENTITY", withPedAhead(8.0f),
         [](const Cast& c) { natives::task::goToEntity(Ped(c.ped), Entity(c.other), -1, 1.5f, 1.0f, 0.0f, 0); }, 3500,
         6000});
    add({"follow a ped for 3 s", "SCRIPT_TASK_FOLLOW_TO_OFFSET_OF_ENTITY", withPedAhead(4.0f),
         [](const Cast& c) {
             natives::task::followEntity(Ped(c.ped), Entity(c.other), Vector3(0.0f, -2.0f, 0.0f), 1.0f, 3000, 0.5f,
                                         true, 0, 1, 0, 0, 0);
         },
         2900, 3300});
    add({"follow a ped until there, not persisting", "SCRIPT_TASK_FOLLOW_TO_OFFSET_OF_ENTITY", withPedAhead(5.0f),
         [](const Cast& c) {
             natives::task::followEntity(Ped(c.ped), Entity(c.other), Vector3(0.0f, -1.0f, 0.0f), 1.0f, -1, 0.5f,
                                         false, 0, 1, 0, 0, 0);
         },
         1800, 3500});
    add({"walk 12 m, bound on the way for a second", "SCRIPT_TASK_FOLLOW_NAV_MESH_TO_COORD", alone,
         [](const Cast& c) { natives::task::goToPoint(Ped(c.ped), ahead(c.at, 12.0f), 1.0f, -1, 0.5f, 0, 40000.0f); },
         8000, 9800, 0, 1000, 2000});
    // Turning, glancing, standing, aiming.
    add({"turn to a point for 2 s", "SCRIPT_TASK_TURN_PED_TO_FACE_COORD", alone,
         [](const Cast& c) { natives::task::turnToFacePoint(Ped(c.ped), ahead(c.at, -5.0f), 2000); }, 1900, 2200});
    add({"turn to a ped for good", "SCRIPT_TASK_TURN_PED_TO_FACE_ENTITY", withPedAhead(-4.0f),
         [](const Cast& c) { natives::task::turnToFaceEntity(Ped(c.ped), Entity(c.other), -1, 0.0f, 0.0f, 0.0f); }});
    Row lookForGood{"look at a ped for good", "SCRIPT_TASK_LOOK_AT_ENTITY", withPedAhead(6.0f),
                    [](const Cast& c) { natives::task::lookAtEntity(Ped(c.ped), Entity(c.other), -1, 0, 0, 0); }};
    lookForGood.beside = true;
    add(lookForGood);
    Row lookAWhile{"look at a ped for 2 s", "SCRIPT_TASK_LOOK_AT_ENTITY", withPedAhead(6.0f),
                   [](const Cast& c) { natives::task::lookAtEntity(Ped(c.ped), Entity(c.other), 2000, 0, 0, 0); },
                   1900, 2200};
    lookAWhile.beside = true;
    add(lookAWhile);
    Row lookAtPoint{"look at a point for 1 s", "SCRIPT_TASK_LOOK_AT_COORD", alone,
                    [](const Cast& c) { natives::task::lookAtPoint(Ped(c.ped), ahead(c.at, 9.0f), 1000, 0, 0, 0); },
                    900, 1200};
    lookAtPoint.beside = true;
    add(lookAtPoint);
    add({"stand still 1.5 s", "SCRIPT_TASK_STAND_STILL", alone,
         [](const Cast& c) { natives::task::pause(Ped(c.ped), 1500); }, 1400, 1700});
    add({"turn to a heading", "SCRIPT_TASK_ACHIEVE_HEADING", alone,
         [](const Cast& c) { natives::task::achieveHeading(Ped(c.ped), 90.0f, 1000); }, 400, 1100});
    add({"aim at a point for 1.5 s", "SCRIPT_TASK_AIM_GUN_AT_COORD", alone,
         [](const Cast& c) { natives::task::aimAtPoint(Ped(c.ped), ahead(c.at, 20.0f), 1500, false, false); }, 1400,
         1700});
    add({"aim at a ped for 1.5 s", "SCRIPT_TASK_AIM_GUN_AT_ENTITY", withPedAhead(10.0f),
         [](const Cast& c) { natives::task::aimGunAtEntity(Ped(c.ped), Entity(c.other), 1500, false, 0); }, 1400,
         1700});
    add({"take out a weapon", "SCRIPT_TASK_SWAP_WEAPON", alone,
         [](const Cast& c) { natives::task::swapWeapon(Ped(c.ped), true, true, 0, 0); }, 550, 800});
    add({"crouch", "SCRIPT_TASK_SET_CROUCH_MOVEMENT", alone,
         [](const Cast& c) { natives::task::setCrouchMovement(Ped(c.ped), true, 0, false); }, 0, 100});
    add({"play a clip for 1.5 s", "SCRIPT_TASK_PLAY_ANIM", alone,
         [](const Cast& c) {
             natives::animation::playTask(Ped(c.ped), "script_common@handover@generic@player_handover@money",
                                          "handover_money_male", 8.0f, -8.0f, 1500, 0, 0.0f, false, 0, false, nullptr,
                                          false);
         },
         1400, 1700});
    // Scenarios.
    add({"scenario where he stands for 2 s", "SCRIPT_TASK_START_SCENARIO_IN_PLACE", alone,
         [](const Cast& c) {
             natives::task::scenarioInPlace(Ped(c.ped), sim::gameHash("WORLD_HUMAN_GUARD_SCOUT"), 2000, true, 0,
                                            0.0f, false);
         },
         1900, 2200});
    add({"nearest scenario with none in reach", "SCRIPT_TASK_USE_NEAREST_SCENARIO_TO_POS", alone,
         [](const Cast& c) { natives::task::useNearestScenarioToCoord(Ped(c.ped), c.at, 10.0f, 3000, 0, 0, 1, 0); },
         0, 100});
    add({"nearest scenario 4 m off, for 3 s there", "SCRIPT_TASK_USE_NEAREST_SCENARIO_TO_POS",
         [](sim::World& world, const Vector3& at) {
             const int point = world.scenarioPoints.createAt(sim::gameHash("PROP_HUMAN_SEAT_BENCH"), ahead(at, 4.0f),
                                                             0.0f);
             return Cast{mobster(world, at), point, at};
         },
         [](const Cast& c) { natives::task::useNearestScenarioToCoord(Ped(c.ped), c.at, 10.0f, 3000, 0, 0, 1, 0); },
         5000, 7500});
    add({"nearest scenario 3 m off, put there at once, for 2 s", "SCRIPT_TASK_USE_NEAREST_SCENARIO_TO_POS",
         [](sim::World& world, const Vector3& at) {
             const int point = world.scenarioPoints.createAt(sim::gameHash("PROP_HUMAN_SEAT_BENCH"), ahead(at, 3.0f),
                                                             0.0f);
             return Cast{mobster(world, at), point, at};
         },
         [](const Cast& c) {
             natives::task::useNearestScenarioToCoordWarp(Ped(c.ped), c.at, 10.0f, 2000, 0, 0, 1, 0);
         },
         1900, 2200});
    add({"a scenario point for good", "SCRIPT_TASK_USE_SCENARIO_POINT",
         [](sim::World& world, const Vector3& at) {
             const int point = world.scenarioPoints.createAt(sim::gameHash("PROP_HUMAN_SEAT_BENCH"), ahead(at, 2.0f),
                                                             0.0f);
             return Cast{mobster(world, at), point, at};
         },
         [](const Cast& c) {
             natives::task::useScenarioPoint(Ped(c.ped), c.other, "", 0, false, 0, 0, 0, -1.0f, 0);
         }});
    // Wandering.
    add({"wander the streets", "SCRIPT_TASK_WANDER_STANDARD", alone,
         [](const Cast& c) { natives::task::wanderStreets(Ped(c.ped), 10.0f, 10); }});
    add({"wander an area", "SCRIPT_TASK_WANDER_IN_AREA", alone,
         [](const Cast& c) { natives::task::wanderInArea(Ped(c.ped), c.at, 20.0f, 10.0f, 10.0f, 1); }});
    // Fighting and fleeing.
    add({"fight a ped until he drops", "SCRIPT_TASK_COMBAT",
         [](sim::World& world, const Vector3& at) {
             // Bullet-proof, so that he drops when the test shoots him.
             const int foe = mobster(world, ahead(at, 8.0f));
             world.entities.find(foe)->invincible = true;
             return Cast{mobster(world, at), foe, at};
         },
         [](const Cast& c) { natives::combat::fightTarget(Ped(c.ped), Ped(c.other), 0, 16); }, 2000, 2200, 2000});
    add({"shoot at a ped for 3 s, who drops at once", "SCRIPT_TASK_SHOOT_AT_ENTITY", withPedAhead(10.0f),
         [](const Cast& c) {
             natives::task::shootAtEntity(Ped(c.ped), Entity(c.other), 3000, sim::gameHash("FIRING_PATTERN_BURST"),
                                          false);
         },
         2900, 3300, 500});
    add({"stealth kill a ped", "SCRIPT_TASK_MELEE", withPedAhead(3.0f),
         [](const Cast& c) {
             natives::task::melee(Ped(c.ped), Ped(c.other), sim::gameHash("AR_STEALTH_KILL_V2"), 0, 0, 1.0f, 0,
                                  -1.0f);
         },
         200, 1200});
    add({"flee a ped with no limit", "SCRIPT_TASK_FLEE_PED", withPedAhead(5.0f),
         [](const Cast& c) { natives::task::fleePed(Ped(c.ped), Ped(c.other), 3, 0, -999.0f, -1, 0); }});
    add({"flee a ped for 3 s", "SCRIPT_TASK_FLEE_PED", withPedAhead(5.0f),
         [](const Cast& c) { natives::task::fleePed(Ped(c.ped), Ped(c.other), 3, 0, -1.0f, 3000, 0); }, 2900,
         3200});
    add({"flee a ped until 20 m off", "SCRIPT_TASK_SMART_FLEE_PED", withPedAhead(5.0f),
         [none](const Cast& c) { natives::task::smartFleeFromPed(Ped(c.ped), Ped(c.other), 20.0f, -1, 0, 3.0f, none); },
         2000, 3600});
    // A kill carried home.
    add({"pick up a carcass 3 m off", "SCRIPT_TASK_PICKUP_CARRIABLE_ENTITY",
         [](sim::World& world, const Vector3& at) {
             sim::EntityRecord& deer =
                 world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_c_deer_01"), ahead(at, 3.0f), 0.0f);
             deer.alive = false;
             return Cast{mobster(world, at), deer.id, at};
         },
         [](const Cast& c) { natives::task::pickUpCarriable(Ped(c.ped), Entity(c.other)); }, 2500, 4000});
    add({"lay the carcass he carries down 3 m off", "SCRIPT_TASK_PLACE_CARRIED_ENTITY_AT_COORD",
         [](sim::World& world, const Vector3& at) {
             sim::EntityRecord& deer = world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_c_deer_01"), at, 0.0f);
             deer.alive = false;
             const int hunter = mobster(world, at);
             world.hunting.pickUp(world, hunter, deer.id);
             return Cast{hunter, deer.id, at};
         },
         [](const Cast& c) {
             natives::task::placeCarriedAt(Ped(c.ped), Entity(c.other), ahead(c.at, 3.0f), 1.0f, 0);
         },
         2000, 4000});
    // Vehicles.
    add({"get into a wagon 5 m off", "SCRIPT_TASK_ENTER_VEHICLE",
         [](sim::World& world, const Vector3& at) {
             sim::EntityRecord& wagon =
                 world.entities.create(sim::EntityKind::Vehicle, sim::gameHash("wagon02x"), ahead(at, 5.0f), 0.0f);
             wagon.missionEntity = true;
             return Cast{mobster(world, at), wagon.id, at};
         },
         [](const Cast& c) {
             natives::drive::enterVehicle(Ped(c.ped), drovil::Vehicle(c.other), -1, -1, 1.0f, 0, 0);
         },
         1500, 3000});
    add({"board a car 5 m off", "SCRIPT_TASK_BOARD_VEHICLE",
         [](sim::World& world, const Vector3& at) {
             sim::EntityRecord& car =
                 world.entities.create(sim::EntityKind::Vehicle, sim::gameHash("wagon02x"), ahead(at, 5.0f), 0.0f);
             car.missionEntity = true;
             return Cast{mobster(world, at), car.id, at};
         },
         [](const Cast& c) { natives::train::boardVehicle(Ped(c.ped), drovil::Vehicle(c.other), -1, 1.25f, 1); },
         1000, 2500});
    add({"drive about the roads", "SCRIPT_TASK_VEHICLE_DRIVE_WANDER", driverOnTheRoad,
         [](const Cast& c) { natives::drive::wanderRoads(Ped(c.ped), drovil::Vehicle(c.other), 3.0f, 786603); }});
    add({"drive to the next road vertex", "SCRIPT_TASK_VEHICLE_DRIVE_TO_COORD", driverOnTheRoad,
         [](const Cast& c) {
             natives::drive::driveToPoint(Ped(c.ped), drovil::Vehicle(c.other), c.at, 6.0f, 0,
                                          sim::gameHash("wagon02x"), 786603, 5.0f, -1.0f);
         },
         2000, 9000});
    // A sequence: it is the ped's task; its steps are not.
    Row sequence{"a sequence of two walks", "SCRIPT_TASK_PERFORM_SEQUENCE", alone,
                 [](const Cast& c) {
                     drovil::TaskSequence handle;
                     natives::task::openSequence(&handle);
                     natives::task::lookAtPoint(Ped(), ahead(c.at, 6.0f), -1, 0, 0, 0);
                     natives::task::goToPoint(Ped(), ahead(c.at, 2.0f), 1.0f, -1, 0.5f, 0, 40000.0f);
                     natives::task::goToPoint(Ped(), c.at, 1.0f, -1, 0.5f, 0, 40000.0f);
                     natives::task::closeSequence(handle);
                     natives::task::performSequence(Ped(c.ped), handle);
                     natives::task::clearSequence(&handle);
                 },
                 1800, 3500};
    add(sequence);
    Row step = sequence;
    step.told = "a walk inside a sequence";
    step.scriptTask = "SCRIPT_TASK_FOLLOW_NAV_MESH_TO_COORD";
    step.stepOfSequence = true;
    add(step);
    step.told = "a glance inside a sequence";
    step.scriptTask = "SCRIPT_TASK_LOOK_AT_COORD";
    add(step);
    return table;
}

std::string timeline(const std::vector<int>& statuses, int frameMs) {
    std::string text;
    int last = -100;
    for (std::size_t frame = 0; frame < statuses.size(); ++frame)
        if (statuses[frame] != last) {
            last = statuses[frame];
            text += " " + std::to_string(frame * static_cast<std::size_t>(frameMs)) + "ms:" + std::to_string(last);
        }
    return text;
}

} // namespace

TEST(ScriptTaskStatus, EveryTaskThePlugInGivesReportsItsLifeAsTheGameDoes) {
    sim::Session session;
    session.world().townsfolk.enabled = false;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const std::vector<Row> table = rows();
    std::vector<Cast> casts;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Vector3 at(openCountry.x + 40.0f * static_cast<float>(i % 10), openCountry.y + 60.0f * static_cast<float>(i / 10),
                         openCountry.z);
        casts.push_back(table[i].cast(world, at));
    }
    std::vector<std::uint32_t> hashes;
    for (const Row& row : table)
        hashes.push_back(sim::gameHash(row.scriptTask));
    std::vector<std::vector<int>> statuses(table.size());
    auto ask = [&] {
        for (std::size_t i = 0; i < table.size(); ++i)
            statuses[i].push_back(natives::task::scriptTaskStatus(Ped(casts[i].ped), hashes[i], true));
    };
    ASSERT_TRUE(test::runOnScriptThread(session, [&] {
        for (std::size_t i = 0; i < table.size(); ++i)
            table[i].give(casts[i]);
        ask();
    }));
    test::runEveryFrame(ask);
    const int frameMs = static_cast<int>(world.clock.frameMs);
    const int watchMs = 16000;
    for (int elapsed = frameMs; elapsed <= watchMs; elapsed += frameMs) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            const Row& row = table[i];
            if (row.killOtherAtMs && elapsed - frameMs < row.killOtherAtMs && elapsed >= row.killOtherAtMs)
                world.combat.kill(world, casts[i].other, 0);
            if (row.boundFromMs && elapsed - frameMs < row.boundFromMs && elapsed >= row.boundFromMs)
                world.entities.find(casts[i].ped)->hogtied = true;
            if (row.boundUntilMs && elapsed - frameMs < row.boundUntilMs && elapsed >= row.boundUntilMs)
                world.entities.find(casts[i].ped)->hogtied = false;
        }
        session.runFrames(1);
    }
    test::runEveryFrame({});
    // A new main task for everyone (another than the one asked about).
    std::vector<int> afterwards(table.size());
    const std::uint32_t standStill = sim::gameHash("SCRIPT_TASK_STAND_STILL");
    ASSERT_TRUE(test::runOnScriptThread(session, [&] {
        for (std::size_t i = 0; i < table.size(); ++i)
            if (hashes[i] == standStill)
                natives::task::achieveHeading(Ped(casts[i].ped), 180.0f, 5000);
            else
                natives::task::pause(Ped(casts[i].ped), 5000);
    }));
    session.runFrames(1);
    ASSERT_TRUE(test::runOnScriptThread(session, [&] {
        for (std::size_t i = 0; i < table.size(); ++i)
            afterwards[i] = natives::task::scriptTaskStatus(Ped(casts[i].ped), hashes[i], true);
    }));

    for (std::size_t i = 0; i < table.size(); ++i) {
        const Row& row = table[i];
        const std::vector<int>& seen = statuses[i];
        SCOPED_TRACE(std::string(row.told) + " (" + row.scriptTask + "):" + timeline(seen, frameMs));
        ASSERT_GT(seen.size(), 1u);
        if (row.stepOfSequence) {
            for (int status : seen)
                EXPECT_EQ(status, 7) << "a step inside a sequence is no task of the ped's";
            continue;
        }
        EXPECT_EQ(seen.front(), 0) << "waiting to start in the frame it is given";
        int overAt = -1;
        for (std::size_t frame = 1; frame < seen.size(); ++frame) {
            const int ms = static_cast<int>(frame) * frameMs;
            if (overAt >= 0) {
                EXPECT_EQ(seen[frame], 8) << "finished, and so until the ped is given another (at " << ms << " ms)";
                continue;
            }
            if (seen[frame] == 8) {
                overAt = ms;
                continue;
            }
            const bool bound = row.boundFromMs && ms >= row.boundFromMs && ms < row.boundUntilMs;
            EXPECT_EQ(seen[frame], bound ? 2 : 1) << "at " << ms << " ms";
        }
        if (row.overByMs == 0) {
            EXPECT_EQ(overAt, -1) << "a task with no end of its own goes on";
        } else {
            EXPECT_GE(overAt, row.overFromMs);
            EXPECT_LE(overAt, row.overByMs);
        }
        if (row.beside)
            EXPECT_EQ(afterwards[i], seen.back()) << "a glance goes on beside the ped's new task";
        else
            EXPECT_EQ(afterwards[i], 7) << "replaced by the new task: not found";
    }
}
