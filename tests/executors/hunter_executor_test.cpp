// Hunter camp contracts in the simulated game, run by the contract engine: the
// camp the executor builds, the hunter's day out after game and his night at
// the fire, the hour that divides them, a prey given up, companions called
// back to camp, and scenes that could not be built.
#include "executors/executor_harness.h"
#include "executors/hunter_rig.h"
#include "support/game.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {
using namespace huntertest;
using drovil::HuntCycleState;
using drovil::HuntState;
using drovil::MissionStatus;

float flat(const drovil::Vector3& a, const drovil::Vector3& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

int cursesOf(sim::Session& session, int ped) {
    int count = 0;
    for (const sim::SpokenLine& line : session.world().speech.linesOf(ped))
        count += line.line == "GENERIC_CURSE_MED" ? 1 : 0;
    return count;
}

const sim::EntityRecord* entity(sim::Session& session, int id) {
    return session.world().entities.find(id);
}

bool gaveStep(sim::Session& session, int ped, sim::TaskKind kind) {
    for (const sim::TaskStep& step : session.world().tasks.history(ped))
        if (step.kind == kind)
            return true;
    return false;
}

TEST(HunterScene, TheCampHoldsTheHunterHisCompanionHorseAndDogWhoFollowsHim) {
    const drovil::MissionData record = hunterRecord();
    sim::Session session(hunterOptions(record));
    ASSERT_TRUE(test::startGame(session));
    ASSERT_NE(hunter(), nullptr) << "the engine restores the hunter camp with its executor";
    putPlayerSouthOfCamp(session, 200.0f);
    ASSERT_TRUE(session.runUntil([&] { return session.logContains("mission set prepared"); }, 900));

    EXPECT_TRUE(session.logContains("ContractExecutor [5]: HunterExecutor: spawning camp at 187.54,798.92,126.223 "
                                     "distance from player: "));
    EXPECT_TRUE(session.logContains("HunterExecutor: spawning target: " +
                                    std::to_string(static_cast<std::int32_t>(record.targetModel)) + " at coords: "));
    EXPECT_EQ(extest::logCount(session, "HunterExecutor: companion spawned. distance from camp: "), 1);
    ASSERT_EQ(session.world().propsets.all().size(), 1u);
    EXPECT_EQ(session.world().propsets.all().begin()->second.name, record.propsetModel);

    const int target = hunterPed(session);
    ASSERT_NE(target, 0);
    const float fromCamp = flat(entity(session, target)->position, record.coords);
    EXPECT_GE(fromCamp, 4.9f);
    EXPECT_LE(fromCamp, 9.1f);
    int horses = 0, dogs = 0, companions = 0, dog = 0;
    for (const auto& [id, ped] : session.world().entities.all()) {
        if (ped.kind != sim::EntityKind::Ped || flat(ped.position, record.coords) > 20.0f)
            continue;
        if (sim::isHorseModel(ped.model))
            ++horses;
        else if (sim::animalTypeOf(ped.model) == sim::gameHash("AT_DOG"))
            ++dogs, dog = id;
        else if (ped.model == record.companionModel)
            ++companions;
    }
    EXPECT_EQ(horses, 1);
    EXPECT_EQ(dogs, 1);
    EXPECT_EQ(companions, 1);
    // The dog is one of the hunter's group and trots after him; the companion
    // keeps to the camp.
    const int group = session.world().pedGroups.groupOf(target);
    ASSERT_NE(group, 0);
    EXPECT_EQ(session.world().pedGroups.groupOf(dog), group);
    EXPECT_EQ(session.world().pedGroups.size(group), 2);
    EXPECT_EQ(session.world().hunting.personality(target), sim::gameHash("AGGRESSIVECAMPER"));
    // Ready, but nothing stirs while the player is still on his way.
    EXPECT_EQ(hunter()->getHuntState(), HuntCycleState::Idle);
    session.runFrames(60);
    EXPECT_EQ(hunter()->getHuntState(), HuntCycleState::Idle);
    EXPECT_EQ(hunter()->getHuntTask(), nullptr);
}

// By day the hunter goes out, shoots an animal and carries the carcass back
// to camp, where he lays it down and rests by the fire.
TEST(HunterDay, TheHunterBringsAKillBackToCamp) {
    const drovil::MissionData record = hunterRecord();
    sim::Session session(hunterOptions(record));
    ASSERT_TRUE(startHunting(session));
    EXPECT_EQ(hunter()->getHuntState(), HuntCycleState::Hunting);
    const int target = hunterPed(session);

    ASSERT_TRUE(runUntilHuntState(session, HuntState::Carry, 40000)) << "no kill to carry";
    const int prey = hunter()->getHuntTask()->getPrey().id;
    ASSERT_TRUE(session.runUntil([&] { return session.world().hunting.carrierOf(prey) == target; }, 3000));
    EXPECT_FALSE(entity(session, prey)->alive);
    ASSERT_TRUE(session.runUntil([&] { return hunter()->getHuntState() == HuntCycleState::AtCamp; }, 300));
    EXPECT_EQ(hunter()->getHuntTask(), nullptr);
    ASSERT_TRUE(session.runUntil([&] { return session.world().hunting.carrierOf(prey) == 0; }, 6000))
        << "never laid the carcass down";
    EXPECT_LE(flat(entity(session, prey)->position, record.coords), 9.0f) << "the carcass lies at camp";
    EXPECT_TRUE(gaveStep(session, target, sim::TaskKind::ShootAtEntity));
    EXPECT_TRUE(gaveStep(session, target, sim::TaskKind::PlaceCarried));
}

TEST(HunterNight, TheHunterStaysAtCampAllNight) {
    const drovil::MissionData record = hunterRecord();
    sim::SessionOptions options = hunterOptions(record);
    sim::Session session(options);
    session.world().clock.startMinuteOfDay = 22 * 60;
    ASSERT_TRUE(startHunting(session));
    EXPECT_EQ(hunter()->getHuntState(), HuntCycleState::AtCamp);
    const int target = hunterPed(session);
    float farthest = 0.0f;
    for (int frame = 0; frame < 6000; ++frame) {
        session.runFrames(1);
        farthest = std::max(farthest, flat(entity(session, target)->position, record.coords));
        ASSERT_EQ(hunter()->getHuntTask(), nullptr);
    }
    EXPECT_EQ(hunter()->getHuntState(), HuntCycleState::AtCamp);
    EXPECT_LE(farthest, 20.0f);
    EXPECT_TRUE(session.world().combat.shots().empty());
}

struct HourCase {
    int hour;
    int minute;
    bool hunts;
};

class HunterHour : public ::testing::TestWithParam<HourCase> {};

// The hunter rests at camp after a hunt; when his rest is over, the hour says
// whether he goes out again.
TEST_P(HunterHour, DecidesWhetherARestedHunterGoesOutAgain) {
    const HourCase expected = GetParam();
    const drovil::MissionData record = hunterRecord();
    sim::Session session(hunterOptions(record));
    ASSERT_TRUE(startHunting(session));
    const int target = hunterPed(session);
    ASSERT_TRUE(session.runUntil([&] { return hunter()->getHuntState() == HuntCycleState::AtCamp; }, 40000));
    setClock(session, expected.hour, expected.minute);
    // His rest by the fire ends now.
    session.world().tasks.clear(target);
    session.runUntil([&] { return hunter()->getHuntState() != HuntCycleState::AtCamp; }, 40);
    EXPECT_EQ(hunter()->getHuntState(), expected.hunts ? HuntCycleState::Hunting : HuntCycleState::AtCamp);
    EXPECT_EQ(hunter()->getHuntTask() != nullptr, expected.hunts);
    if (!expected.hunts) {
        EXPECT_GE(session.world().tasks.progress(target), 0) << "back to his rest by the fire";
    }
}

INSTANTIATE_TEST_SUITE_P(Clock, HunterHour,
                         ::testing::Values(HourCase{6, 59, false}, HourCase{7, 0, true}, HourCase{17, 59, true},
                                           HourCase{18, 0, false}),
                         [](const auto& info) {
                             return "At" + std::to_string(info.param.hour) + "h" + std::to_string(info.param.minute);
                         });

// While he is not firing, a prey that gets more than 80 m (twice the search
// range) away is given up with a curse; at 70 m he keeps after it.
TEST(HunterPrey, APreyFarAwayIsGivenUpWithACurse) {
    const drovil::MissionData record = hunterRecord();
    sim::Session session(hunterOptions(record));
    ASSERT_TRUE(startHunting(session));
    const int target = hunterPed(session);
    ASSERT_TRUE(runUntilHuntState(session, HuntState::Collect, 40000));
    const int prey = hunter()->getHuntTask()->getPrey().id;
    ASSERT_NE(prey, 0);
    sim::World& world = session.world();
    auto moveAway = [&](float metres) {
        const drovil::Vector3 from = entity(session, target)->position;
        const float x = from.x + metres, y = from.y;
        world.entities.find(prey)->position = drovil::Vector3(x, y, world.geography.groundHeight(x, y));
        world.wildlife.calm(prey);
        world.entities.find(prey)->frozen = true;
    };
    moveAway(70.0f);
    world.lineOfSight.hide(prey);
    for (int frame = 0; frame < 60; ++frame) {
        moveAway(70.0f);
        session.runFrames(1);
    }
    EXPECT_EQ(hunter()->getHuntTask()->getState(), HuntState::Collect);
    EXPECT_EQ(cursesOf(session, target), 0);

    moveAway(85.0f);
    ASSERT_TRUE(session.runUntil([&] { return hunter()->getHuntTask()->getState() != HuntState::Collect; }, 30));
    EXPECT_EQ(hunter()->getHuntTask()->getState(), HuntState::Roam);
    EXPECT_EQ(hunter()->getHuntTask()->getPrey().id, 0);
    EXPECT_EQ(cursesOf(session, target), 1);
}

// The animal bolts at the first shot (a miss) and falls to a later one: while
// he still aims and fires he stays on it, and the kill is carried home.
TEST(HunterPrey, AnAnimalThatBoltsAtTheFirstMissAndFallsToTheNextShotIsCarriedHome) {
    const drovil::MissionData record = hunterRecord();
    sim::Session session(hunterOptions(record));
    ASSERT_TRUE(startHunting(session));
    const int target = hunterPed(session);
    sim::World& world = session.world();
    // The stalk reaches its shooting step.
    constexpr int shootingStep = 5;
    ASSERT_TRUE(session.runUntil([&] { return world.tasks.progress(target) == shootingStep; }, 40000));
    const int prey = hunter()->getHuntTask()->getPrey().id;
    ASSERT_NE(prey, 0);
    world.wildlife.startle(world, prey, entity(session, target)->position);
    const std::size_t shotsBefore = world.combat.shots().total();
    // His next shot brings it down as it runs.
    ASSERT_TRUE(session.runUntil([&] { return world.combat.shots().total() > shotsBefore; }, 300))
        << "he kept shooting";
    world.combat.damage(world, prey, 1000, target);
    EXPECT_EQ(cursesOf(session, target), 0) << "gave up while still shooting";
    ASSERT_TRUE(session.runUntil([&] { return world.hunting.carrierOf(prey) == target; }, 3000))
        << "the kill was left lying";
    ASSERT_TRUE(session.runUntil([&] { return world.hunting.carrierOf(prey) == 0; }, 6000))
        << "never laid the carcass down";
    EXPECT_LE(flat(entity(session, prey)->position, record.coords), 9.0f) << "the carcass lies at camp";
}

// No game about at all: the search ends after a while, the hunter goes back to
// camp empty-handed, rests, and goes out again later in the day.
TEST(HunterSearch, ASearchThatFindsNothingEndsTheHuntAndHeGoesBackToCamp) {
    const drovil::MissionData record = hunterRecord();
    sim::Session session(hunterOptions(record));
    sim::World& world = session.world();
    world.wildlife.roamingEnabled = false;
    const auto noAnimalLeft = [&] {
        std::vector<int> animals;
        for (const auto& [id, animal] : world.wildlife.all())
            animals.push_back(id);
        for (int id : animals)
            world.removeEntity(id);
    };
    ASSERT_TRUE(startHunting(session));
    const int target = hunterPed(session);
    ASSERT_EQ(hunter()->getHuntState(), HuntCycleState::Hunting);
    const auto lifeless = [&](const std::function<bool()>& until, int frames) {
        return session.runUntil([&] {
            noAnimalLeft();
            return until();
        }, frames);
    };
    ASSERT_TRUE(lifeless([&] { return flat(entity(session, target)->position, record.coords) > 20.0f; }, 3000))
        << "he never went out";
    constexpr int framesPerSecond = 1000 / 33;
    EXPECT_FALSE(lifeless([&] { return hunter()->getHuntState() != HuntCycleState::Hunting; },
                          (drovil::HuntTask::searchGiveUpMs - 20000) / 33))
        << "gave up well before his search had run its time";
    ASSERT_TRUE(lifeless([&] { return hunter()->getHuntState() == HuntCycleState::AtCamp; }, 60 * framesPerSecond))
        << "searched on and on";
    EXPECT_EQ(hunter()->getHuntTask(), nullptr);
    ASSERT_TRUE(lifeless([&] { return flat(entity(session, target)->position, record.coords) <= 10.0f; },
                         120 * framesPerSecond))
        << "never came back to camp";
    EXPECT_TRUE(world.combat.shots().empty());
    EXPECT_TRUE(lifeless([&] { return hunter()->getHuntState() == HuntCycleState::Hunting; }, 120 * framesPerSecond))
        << "rested, he goes out again by day";
}

// Creeping up on an animal when night falls, he calls it a day, gets up and
// walks back to his fire, where he stays the night.
TEST(HunterNight, AHuntStillOutAtNightfallEndsAndHeComesBackToHisFire) {
    const drovil::MissionData record = hunterRecord();
    sim::Session session(hunterOptions(record));
    sim::World& world = session.world();
    ASSERT_TRUE(startHunting(session));
    const int target = hunterPed(session);
    constexpr int aimingStep = 4;
    ASSERT_TRUE(session.runUntil(
        [&] {
            return hunter()->getHuntTask() && hunter()->getHuntTask()->getState() == HuntState::Collect &&
                   world.perception.isCrouching(target) && world.tasks.progress(target) < aimingStep;
        },
        40000))
        << "never stalked an animal";
    // The animal stays out of his sight: he creeps on, no shot yet.
    world.lineOfSight.hide(hunter()->getHuntTask()->getPrey().id);
    setClock(session, 17, 59);
    ASSERT_TRUE(session.runUntil([&] { return world.clock.hourOfDay() == 18; }, 200));
    ASSERT_TRUE(session.runUntil([&] { return hunter()->getHuntState() == HuntCycleState::AtCamp; }, 60))
        << "still hunting after dark";
    EXPECT_EQ(hunter()->getHuntTask(), nullptr);
    const std::size_t shotsAtNightfall = world.combat.shots().total();
    ASSERT_TRUE(session.runUntil([&] { return flat(entity(session, target)->position, record.coords) <= 10.0f; },
                                 4000))
        << "never came back to his fire";
    EXPECT_FALSE(world.perception.isCrouching(target)) << "walked home on his feet";
    float farthest = 0.0f;
    for (int frame = 0; frame < 3000; ++frame) {
        session.runFrames(1);
        farthest = std::max(farthest, flat(entity(session, target)->position, record.coords));
    }
    EXPECT_LE(farthest, 20.0f);
    EXPECT_EQ(hunter()->getHuntState(), HuntCycleState::AtCamp);
    EXPECT_EQ(world.combat.shots().total(), shotsAtNightfall) << "no shot after dark";
}

// A companion is called back once it has strayed 30 m from the camp; one
// sitting at the camp is left alone.
TEST(HunterCompanions, AStrayCompanionIsSentBackToCamp) {
    const drovil::MissionData record = hunterRecord();
    sim::Session session(hunterOptions(record));
    session.world().clock.startMinuteOfDay = 22 * 60;
    ASSERT_TRUE(startHunting(session));
    sim::World& world = session.world();
    int companion = 0;
    for (const auto& [id, ped] : world.entities.all())
        if (ped.model == record.companionModel)
            companion = id;
    ASSERT_NE(companion, 0);
    ASSERT_TRUE(session.runUntil([&] { return world.tasks.usingScenario(companion); }, 3000));
    const std::size_t before = world.tasks.stepsGiven(companion);
    session.runFrames(30);
    EXPECT_EQ(world.tasks.stepsGiven(companion), before) << "sitting at camp, left alone";

    // Carried off 32 m while it sits: the game still has it in its scenario.
    world.entities.find(companion)->position =
        drovil::Vector3(record.coords.x + 32.0f, record.coords.y, world.geography.groundHeight(record.coords.x + 32.0f,
                                                                                               record.coords.y));
    session.runFrames(2);
    EXPECT_GT(world.tasks.stepsGiven(companion), before);
    const sim::TaskStep& order = world.tasks.history(companion).back();
    EXPECT_EQ(order.kind, sim::TaskKind::UseNearestScenario);
    EXPECT_LE(flat(order.point, record.coords), 11.5f);
    EXPECT_FLOAT_EQ(order.radius, 5.0f);
    ASSERT_TRUE(session.runUntil([&] { return flat(entity(session, companion)->position, record.coords) < 15.0f; },
                                 3000))
        << "it walked back";
    EXPECT_EQ(world.tasks.regivenWhileUnderWay(companion, sim::gameHash("SCRIPT_TASK_USE_NEAREST_SCENARIO_TO_POS")), 1u)
        << "sent back once, and left be on its way";
}

// A scene without its camp or without its hunter never starts a hunt; the
// contract still ends (it fails, saying why) and frees the area.
class HunterBrokenScene : public ::testing::TestWithParam<bool> {};

TEST_P(HunterBrokenScene, LeavesTheHuntUnstartedAndTheContractEnds) {
    const bool missingPropset = GetParam();
    drovil::MissionData record = hunterRecord();
    if (!missingPropset)
        record.targetModel = 0;
    sim::Session session(hunterOptions(record));
    if (missingPropset)
        session.world().propsets.makeUnavailable(record.propsetModel);
    ASSERT_TRUE(test::startGame(session));
    ASSERT_NE(hunter(), nullptr);
    putPlayerSouthOfCamp(session, 200.0f);
    ASSERT_TRUE(session.runUntil([&] { return !hunter() || session.logContains("mission set prepared"); }, 900));
    EXPECT_EQ(hunter() ? hunter()->getHuntState() : HuntCycleState::None, HuntCycleState::None);
    EXPECT_TRUE(session.logContains(missingPropset ? "HunterExecutor: failed to create camp propset"
                                                   : "HunterExecutor: error: target was not spawned"));
    ASSERT_TRUE(session.runUntil([&] { return hunter() == nullptr; }, 60)) << "the engine ended it";
    EXPECT_TRUE(session.logContains("the scene has no target, the contract cannot be played and fails"));
    EXPECT_EQ(hunterPed(session), 0);
    EXPECT_TRUE(session.world().combat.shots().empty());
}

INSTANTIATE_TEST_SUITE_P(Missing, HunterBrokenScene, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Propset" : "Hunter"; });

} // namespace
