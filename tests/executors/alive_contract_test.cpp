// Dead or alive contracts in the executor: the target knocked out or lassoed
// may be hogtied; hogtied, he is to be carried to the sheriff's office of the
// contract's area, handed over there (on foot, near the door, within reach,
// not wanted) and taken in by a lawman. On the way he may die, get loose or be
// cut loose by his men, and leaving him behind loses the contract. Without
// AliveBounties none of it happens.
#include "executors/executor_harness.h"
#include "support/game.h"
#include "world/core/geometry.h"
#include "world/law/law.h"
#include "world/area_ids.h"

#include <gtest/gtest.h>

namespace {
using namespace drovil;
using extest::engine;

// Valentine's sheriff's office: in front of it, and the lawman's desk inside.
const Vector3 officeDoor(-275.256f, 801.303f, 118.397f);
const Vector3 officeDesk(-272.433f, 808.868f, 119.371f);

sim::SessionOptions aliveOptions(std::vector<std::string> settings = {}) {
    sim::SessionOptions options = extest::testOptions(std::move(settings));
    options.aliveBounties = true;
    return options;
}

MissionData aliveStreet() {
    MissionData record = extest::streetMission();
    record.areaId = area_ids::asSigned(area_ids::Valentine);
    record.bonusesReward = 18;
    return record;
}

MissionData aliveCamp() {
    MissionData record = extest::campMission();
    record.areaId = area_ids::asSigned(area_ids::Valentine);
    record.bonusesReward = 28;
    return record;
}

int playerId(sim::Session& session) {
    return session.world().player.pedId;
}

void standBeside(sim::Session& session, int ped) {
    const sim::EntityRecord* record = session.world().entities.find(ped);
    session.world().playerPed().position = Vector3(record->position.x, record->position.y - 1.0f, record->position.z);
}

// The player ropes the ped and ties him up, as the game's own lasso and hogtie do.
bool hogtie(sim::Session& session, int ped) {
    standBeside(session, ped);
    sim::World& world = session.world();
    if (!world.restraints.lasso(world, playerId(session), ped) ||
        !world.restraints.startHogtie(world, playerId(session), ped))
        return false;
    return session.runUntil([&] { return world.entities.find(ped)->hogtied; }, 200);
}

bool reachStage(sim::Session& session, ExecutorStage stage, int maxFrames = 60) {
    return session.runUntil([&] { return engine().executor && engine().executor->getStage() == stage; },
                            maxFrames);
}

const sim::BlipRecord* officeBlip(sim::Session& session) {
    const auto named = session.world().blips.named(extest::langText(session, "blips.sheriff_office"));
    return named.empty() ? nullptr : named.back();
}

const sim::PromptRecord* handOverPrompt(sim::Session& session) {
    const std::string text = extest::langText(session, "prompts.hand_over_target");
    for (const sim::PromptRecord* prompt : session.world().prompts.visible())
        if (prompt->text == text && prompt->active())
            return prompt;
    return nullptr;
}

// The player, the hogtied target on his shoulder, at the office door.
void carryToTheOffice(sim::Session& session, int target, float metresFromDoor) {
    sim::World& world = session.world();
    world.hunting.pickUp(world, playerId(session), target);
    world.playerPed().position = Vector3(officeDoor.x, officeDoor.y - metresFromDoor, officeDoor.z);
    session.runFrames(2);
}

bool holdHandOver(sim::Session& session) {
    const sim::PromptRecord* prompt = handOverPrompt(session);
    if (!prompt)
        return false;
    const int handle = prompt->handle;
    session.world().prompts.startHold(handle);
    const bool held = session.runUntil(
        [&] {
            const sim::PromptRecord* record = session.world().prompts.find(handle);
            return !record || record->holdCompletions > 0;
        },
        300);
    session.world().prompts.releaseHold(handle);
    return held;
}

TEST(AliveContract, AHogtiedTargetIsToBeTakenToTheAreasSheriffMarkedWithARoute) {
    sim::Session session(aliveOptions());
    ASSERT_TRUE(extest::startContract(session, aliveStreet()));
    ASSERT_TRUE(extest::startHunting(session));
    const int target = extest::targetRecord(session)->id;
    ASSERT_TRUE(hogtie(session, target));
    ASSERT_TRUE(reachStage(session, ExecutorStage::Delivering));

    EXPECT_EQ(engine().mission.status, MissionStatus::Engaged);
    EXPECT_EQ(extest::logCount(session, "target hogtied: to be handed to the sheriff"), 1);
    EXPECT_EQ(extest::subtitleCount(session, extest::langText(session, "contract.alive.deliver")), 1);
    const sim::BlipRecord* office = officeBlip(session);
    ASSERT_NE(office, nullptr) << "the office is on the map";
    EXPECT_LT(sim::flatDistance(office->position, officeDoor), 0.01f);
    EXPECT_EQ(office->sprite, sim::gameHash("blip_ambient_sheriff"));
    ASSERT_TRUE(session.world().route.shown()) << "a route leads there";
    EXPECT_LT(sim::flatDistance(session.world().route.points.back(), officeDoor), 0.01f);
    EXPECT_FALSE(engine().executor->searchAreaBlip()) << "the search area is off the map";
}

TEST(AliveContract, TheSheriffTakesHimOnlyFromAnUnwantedManOnFootAtHisDoor) {
    sim::Session session(aliveOptions());
    ASSERT_TRUE(extest::startContract(session, aliveStreet()));
    ASSERT_TRUE(extest::startHunting(session));
    const int target = extest::targetRecord(session)->id;
    ASSERT_TRUE(hogtie(session, target));
    ASSERT_TRUE(reachStage(session, ExecutorStage::Delivering));

    carryToTheOffice(session, target, 12.0f);
    EXPECT_EQ(handOverPrompt(session), nullptr) << "12 m from the door";
    carryToTheOffice(session, target, 2.0f);
    ASSERT_NE(handOverPrompt(session), nullptr) << "at the door, the target on his shoulder";

    // Wanted: the sheriff will not take a prisoner from him.
    session.world().player.wanted = true;
    session.runFrames(3);
    EXPECT_EQ(handOverPrompt(session), nullptr);
    const std::string loseTheLaw = extest::langText(session, "contract.alive.lose_the_law");
    EXPECT_EQ(extest::subtitleCount(session, loseTheLaw), 1);
    session.runFrames(30);
    EXPECT_EQ(extest::subtitleCount(session, loseTheLaw), 1) << "said once while he stays";
    session.world().player.wanted = false;
    session.runFrames(2);

    // The target laid down out of his reach: no prompt until he stands by him.
    session.world().hunting.putDown(session.world(), target);
    session.world().playerPed().position.x += 5.0f;
    session.runFrames(2);
    EXPECT_EQ(handOverPrompt(session), nullptr) << "the target is 5 m off";
    carryToTheOffice(session, target, 2.0f);

    const int lawman = session.world().sheriffOffices.lawmanOf(2);
    ASSERT_NE(lawman, 0) << "Valentine's office has its lawman";
    ASSERT_TRUE(holdHandOver(session));
    EXPECT_EQ(extest::logCount(session, "the sheriff's lawman comes out for the target"), 1);
    EXPECT_EQ(session.world().hunting.carrierOf(target), 0) << "off the player's shoulder";
    ASSERT_TRUE(session.runUntil([&] { return engine().mission.status == MissionStatus::Completed; }, 2000));

    EXPECT_FALSE(session.world().entities.exists(target)) << "taken into the office for good";
    EXPECT_TRUE(engine().mission.broughtInAlive);
    EXPECT_EQ(engine().mission.bonusesReward, 18);
    EXPECT_EQ(extest::logCount(session, "target brought in alive: bounty 35 and bonus 18"), 1);
    EXPECT_EQ(officeBlip(session), nullptr);
    EXPECT_FALSE(session.world().route.shown());
    // The office's lawman is the game's again and goes back to his desk.
    const sim::EntityRecord* sheriff = session.world().entities.find(lawman);
    ASSERT_NE(sheriff, nullptr);
    EXPECT_FALSE(sheriff->missionEntity);
    session.runFor(20000);
    EXPECT_LT(sim::flatDistance(session.world().entities.find(lawman)->position, officeDesk), 1.5f);
}

TEST(AliveContract, ATargetWhoDiesOnTheWayIsADeadTargetAndForfeitsTheBonus) {
    sim::Session session(aliveOptions());
    ASSERT_TRUE(extest::startContract(session, aliveStreet()));
    ASSERT_TRUE(extest::startHunting(session));
    sim::EntityRecord* target = extest::targetRecord(session);
    ASSERT_TRUE(hogtie(session, target->id));
    ASSERT_TRUE(reachStage(session, ExecutorStage::Delivering));
    session.world().hunting.pickUp(session.world(), playerId(session), target->id);

    session.world().combat.kill(session.world(), target->id, 0);
    ASSERT_TRUE(reachStage(session, ExecutorStage::Escaping, 5));
    EXPECT_EQ(extest::logCount(session, "the hogtied target died"), 1);
    EXPECT_EQ(officeBlip(session), nullptr);
    EXPECT_FALSE(session.world().route.shown());

    // The body laid down, the player gets away from it.
    session.world().hunting.putDown(session.world(), target->id);
    extest::putPlayerSouthOf(session, engine().mission.coords, 500.0f);
    ASSERT_TRUE(session.runUntil([&] { return engine().mission.status == MissionStatus::Completed; }, 30));
    EXPECT_FALSE(engine().mission.broughtInAlive);
    EXPECT_EQ(engine().mission.bonusesReward, 0) << "a dead man pays the bounty only";
    EXPECT_EQ(extest::logCount(session, "the target was not brought in alive: no alive bonus of 18"), 1);
}

TEST(AliveContract, ATargetWhoGetsLooseIsHuntedAgainAndMayBeHogtiedAgain) {
    sim::Session session(aliveOptions());
    ASSERT_TRUE(extest::startContract(session, aliveStreet()));
    ASSERT_TRUE(extest::startHunting(session));
    const int target = extest::targetRecord(session)->id;
    ASSERT_TRUE(hogtie(session, target));
    ASSERT_TRUE(reachStage(session, ExecutorStage::Delivering));

    // On the ground he works at the knots; one second more and he is loose.
    session.world().restraints.setEscapeSeconds(target, 1.0f);
    ASSERT_TRUE(reachStage(session, ExecutorStage::Hunting, 90));
    EXPECT_FALSE(session.world().entities.find(target)->hogtied);
    EXPECT_EQ(extest::logCount(session, "the target is no longer hogtied"), 1);
    EXPECT_EQ(extest::subtitleCount(session, extest::langText(session, "contract.alive.broke_free")), 1);
    EXPECT_EQ(officeBlip(session), nullptr);
    EXPECT_FALSE(session.world().route.shown());
    EXPECT_EQ(engine().mission.status, MissionStatus::Engaged);

    ASSERT_TRUE(hogtie(session, target));
    ASSERT_TRUE(reachStage(session, ExecutorStage::Delivering));
    EXPECT_EQ(extest::logCount(session, "target hogtied: to be handed to the sheriff"), 2);
    EXPECT_NE(officeBlip(session), nullptr);
}

TEST(AliveContract, OnHisShoulderHeCannotGetLooseAcrossTheHorseHeCan) {
    sim::Session session(aliveOptions());
    ASSERT_TRUE(extest::startContract(session, aliveStreet()));
    ASSERT_TRUE(extest::startHunting(session));
    const int target = extest::targetRecord(session)->id;
    ASSERT_TRUE(hogtie(session, target));
    ASSERT_TRUE(reachStage(session, ExecutorStage::Delivering));
    sim::World& world = session.world();
    world.restraints.setEscapeSeconds(target, 1.0f);
    world.hunting.pickUp(world, playerId(session), target);
    session.runFor(10000);
    EXPECT_TRUE(world.entities.find(target)->hogtied) << "held on the shoulder";
    EXPECT_EQ(engine().executor->getStage(), ExecutorStage::Delivering);

    // Laid across a horse he goes on struggling, and falls off once loose.
    sim::EntityRecord& horse =
        world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_c_horse_morgan_bay"), world.playerPed().position, 0);
    world.hunting.pickUp(world, horse.id, target);
    ASSERT_TRUE(reachStage(session, ExecutorStage::Hunting, 90));
    EXPECT_EQ(world.hunting.carrierOf(target), 0);
}

TEST(AliveContract, HisMenFightThePlayerAndOneCutsHimLoose) {
    sim::Session session(aliveOptions());
    ASSERT_TRUE(extest::startContract(session, aliveCamp(), 400.0f, 2));
    ASSERT_TRUE(extest::startHunting(session));
    session.world().playerPed().invincible = true; // their shots are not what this is about
    const int target = extest::targetRecord(session)->id;
    ASSERT_TRUE(hogtie(session, target));
    ASSERT_TRUE(reachStage(session, ExecutorStage::Delivering));
    session.runFrames(2);
    EXPECT_EQ(extest::logCount(session, "one of the target's men goes to cut him loose"), 1);

    int cutter = 0, fighter = 0;
    for (const Ped guard : engine().executor->guardPeds()) {
        const auto& history = session.world().tasks.history(guard.id);
        if (!history.empty() && history.back().kind == sim::TaskKind::CutLoose)
            cutter = guard.id;
        else if (session.world().entities.find(guard.id)->combatOpponent == playerId(session))
            fighter = guard.id;
    }
    ASSERT_NE(cutter, 0) << "one goes for the knots";
    EXPECT_NE(fighter, 0) << "the other fights the player";
    EXPECT_EQ(session.world().tasks.scriptTaskStatus(cutter, sim::gameHash("SCRIPT_TASK_CUT_FREE_HOGTIED_TARGET_PED")),
              1);
    ASSERT_TRUE(reachStage(session, ExecutorStage::Hunting, 300)) << "cut loose";
    EXPECT_FALSE(session.world().entities.find(target)->hogtied);
    EXPECT_EQ(extest::subtitleCount(session, extest::langText(session, "contract.alive.broke_free")), 1);
}

TEST(AliveContract, LeavingTheHogtiedTargetBehindLosesTheContract) {
    sim::Session session(aliveOptions());
    ASSERT_TRUE(extest::startContract(session, aliveStreet()));
    ASSERT_TRUE(extest::startHunting(session));
    const int target = extest::targetRecord(session)->id;
    ASSERT_TRUE(hogtie(session, target));
    ASSERT_TRUE(reachStage(session, ExecutorStage::Delivering));
    // Carried 100 m off the scene and left there: the distance counts from where he lies.
    sim::World& world = session.world();
    world.hunting.pickUp(world, playerId(session), target);
    world.playerPed().position.y += 100.0f;
    session.runFrames(2);
    world.hunting.putDown(world, target);
    world.playerPed().position.y -= 110.0f;
    session.runFrames(2);
    EXPECT_EQ(engine().mission.status, MissionStatus::Engaged) << "110 m from him, 10 m from the scene";
    world.playerPed().position.y += 240.0f;
    session.runFrames(2);
    EXPECT_EQ(engine().mission.status, MissionStatus::Failed) << "130 m beyond him";
    EXPECT_EQ(extest::logCount(session, "mission area abandoned / target lost"), 1);
    EXPECT_EQ(officeBlip(session), nullptr);
}

TEST(AliveContract, AKnockedOutOrLassoedTargetIsExplainedOnceWithHints) {
    sim::Session session(aliveOptions());
    ASSERT_TRUE(extest::startContract(session, aliveStreet()));
    ASSERT_TRUE(extest::startHunting(session));
    const int target = extest::targetRecord(session)->id;
    standBeside(session, target);
    ASSERT_TRUE(session.world().restraints.lasso(session.world(), playerId(session), target));
    session.runFrames(40);
    EXPECT_EQ(extest::logCount(session, "Tutorials: triggered: target_knocked_out.dead_or_alive"), 1);
    EXPECT_EQ(extest::logCount(session, "Tutorials: triggered: target_knocked_out"), 1) << "not the dead-only text";
    EXPECT_EQ(engine().executor->getStage(), ExecutorStage::Hunting) << "lassoed is not hogtied";
}

TEST(AliveContract, WithoutHintsTheKnockedOutTargetIsNotExplained) {
    sim::Session session(aliveOptions({"Hints=0"}));
    ASSERT_TRUE(extest::startContract(session, aliveStreet()));
    ASSERT_TRUE(extest::startHunting(session));
    sim::EntityRecord* target = extest::targetRecord(session);
    session.world().combat.knockOut(session.world(), target->id, 0);
    session.runFrames(40);
    EXPECT_EQ(extest::logCount(session, "target_knocked_out"), 0);
}

TEST(AliveContract, HogtyingAGuardIsNoDelivery) {
    sim::Session session(aliveOptions());
    ASSERT_TRUE(extest::startContract(session, aliveCamp(), 400.0f, 1));
    ASSERT_TRUE(extest::startHunting(session));
    const Ped guard = engine().executor->guardPeds().at(0);
    ASSERT_TRUE(hogtie(session, guard.id));
    session.runFrames(30);
    EXPECT_EQ(engine().executor->getStage(), ExecutorStage::Hunting);
    EXPECT_EQ(extest::logCount(session, "target hogtied"), 0);
    EXPECT_EQ(officeBlip(session), nullptr);
}

// A street contract in the middle of Valentine, where the law keeps watch.
MissionData inTownStreet() {
    MissionData record = aliveStreet();
    record.coords = Vector3(-281.0f, 760.0f, 118.0f);
    record.blipCoords = record.coords;
    return record;
}

TEST(AliveContractLaw, TheLawDoesNotMindABountyHogtiedInTown) {
    sim::Session session(aliveOptions());
    ASSERT_TRUE(extest::startContract(session, inTownStreet()));
    ASSERT_TRUE(extest::startHunting(session));
    ASSERT_NE(sim::Law::townAt(session.world().playerPed().position), nullptr);
    ASSERT_TRUE(hogtie(session, extest::targetRecord(session)->id));
    ASSERT_TRUE(reachStage(session, ExecutorStage::Delivering));
    session.runFor(8000);
    EXPECT_FALSE(session.world().player.wanted) << "the witnesses of the lasso and the hogtie kept quiet";
    EXPECT_EQ(session.world().law.pendingReports(), 0u);
}

TEST(AliveContractLaw, HogtyingAnyoneElseInTownIsTheGamesBusiness) {
    sim::Session session(aliveOptions());
    ASSERT_TRUE(extest::startContract(session, inTownStreet()));
    ASSERT_TRUE(extest::startHunting(session));
    sim::World& world = session.world();
    const Vector3 here = world.playerPed().position;
    sim::EntityRecord& townsman = world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_m_m_valtownfolk_01"),
                                                        Vector3(here.x + 6.0f, here.y, here.z), 0.0f);
    const int passerBy = townsman.id;
    ASSERT_TRUE(hogtie(session, passerBy));
    session.runFor(3000);
    EXPECT_TRUE(world.player.wanted) << "a witness told the law";
    EXPECT_EQ(engine().executor->getStage(), ExecutorStage::Hunting);
}

// Without AliveBounties a hogtied target is nothing to the contract, as before:
// it waits for him dead, and the law judges the hogtie as it judges any.
TEST(AliveContract, DeadOnlyContractsTakeNoPrisoner) {
    sim::Session session(extest::testOptions());
    MissionData record = aliveStreet();
    record.bonusesReward = 0;
    ASSERT_TRUE(extest::startContract(session, record));
    ASSERT_TRUE(extest::startHunting(session));
    const int target = extest::targetRecord(session)->id;
    ASSERT_TRUE(hogtie(session, target));
    session.runFrames(60);
    EXPECT_EQ(engine().executor->getStage(), ExecutorStage::Hunting);
    EXPECT_EQ(officeBlip(session), nullptr);
    EXPECT_FALSE(session.world().route.shown());
    EXPECT_EQ(extest::logCount(session, "Tutorials: triggered: target_recognized.dead_or_alive"), 0);
}

TEST(AliveContractLaw, InDeadOnlyContractsTheHogtiedTargetIsAnyonesCrime) {
    sim::Session session(extest::testOptions());
    MissionData record = inTownStreet();
    record.bonusesReward = 0;
    ASSERT_TRUE(extest::startContract(session, record));
    ASSERT_TRUE(extest::startHunting(session));
    ASSERT_TRUE(hogtie(session, extest::targetRecord(session)->id));
    session.runFor(3000);
    EXPECT_TRUE(session.world().player.wanted);
}

} // namespace
