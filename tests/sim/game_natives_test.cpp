// Simulated natives that answer as the game's do, seen from the plug-in's side
// of the call: what a script gets back, in the units and conventions the game
// uses.
#include "support/game.h"
#include "support/script_thread.h"

#include "player/player_controller.h"
#include "runtime/natives.h"

#include <gtest/gtest.h>

namespace natives = drovil::natives;
using drovil::Entity;
using drovil::Ped;

namespace {
int addPedAt(sim::World& world, const char* model, float dx) {
    drovil::Vector3 at = world.playerPed().position;
    at.x += dx;
    return world.entities.create(sim::EntityKind::Ped, sim::gameHash(model), at, 0.0f).id;
}
} // namespace

TEST(GameNatives, TheCalendarCountsGameSecondsSince1898AndJumpsWhenThePlayerSleeps) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    int start = 0, later = 0, afterSleep = 0, hourAfterSleep = 0;
    test::runOnScriptThread(session, [&] { start = natives::misc::secondsSinceBaseYear(); });
    // 14 June 1899, the morning: a year and a half of seconds since 1898 began.
    EXPECT_GT(start, (365 + 164) * 86400);
    EXPECT_LT(start, (365 + 165) * 86400);
    // Ten real seconds are five game minutes at 2 s a game minute.
    session.runFor(10000);
    test::runOnScriptThread(session, [&] { later = natives::misc::secondsSinceBaseYear(); });
    EXPECT_NEAR(later - start, 300, 5);

    sim::PlayerController player(session.world());
    ASSERT_TRUE(player.sleep(8));
    test::runOnScriptThread(session, [&] {
        afterSleep = natives::misc::secondsSinceBaseYear();
        hourAfterSleep = natives::environment::clockHour();
    });
    EXPECT_NEAR(afterSleep - later, 8 * 3600, 5);
    EXPECT_EQ(hourAfterSleep, 17);

    // Nobody sleeps with the law after him.
    session.world().player.wanted = true;
    EXPECT_FALSE(player.sleep(8));
}

TEST(GameNatives, TheMissionFlagIsOneForTheWholeGame) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    bool readBack = false, storyMission = false, randomEvent = true;
    test::runOnScriptThread(session, [&] {
        natives::gamestate::setMissionFlag(true);
        readBack = natives::gamestate::missionFlag();
        natives::gamestate::setMissionFlag(false);
        randomEvent = natives::gamestate::randomEventFlag();
    });
    EXPECT_TRUE(readBack);
    // A story mission sets the same flag.
    session.world().missionFlag = true;
    test::runOnScriptThread(session, [&] { storyMission = natives::gamestate::missionFlag(); });
    EXPECT_TRUE(storyMission);
    EXPECT_FALSE(randomEvent);
}

TEST(GameNatives, CashChangesArePositiveAmountsTheGameMayRefuse) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    session.world().player.cashCents = 500;
    bool added = false, zero = true, negative = true, tooMuch = true, spent = false;
    test::runOnScriptThread(session, [&] {
        const drovil::Hash reason = natives::misc::hashOfName("ADD_REASON_DEFAULT");
        added = natives::player::incrementCash(250, reason);
        zero = natives::player::incrementCash(0, reason);
        negative = natives::player::decrementCash(-100);
        tooMuch = natives::player::decrementCash(800);
        spent = natives::player::decrementCash(700);
    });
    EXPECT_TRUE(added);
    EXPECT_FALSE(zero);
    EXPECT_FALSE(negative) << "a negative decrement is refused, not turned into income";
    EXPECT_FALSE(tooMuch) << "the purse never goes below nothing";
    EXPECT_TRUE(spent);
    EXPECT_EQ(session.world().player.cashCents, 50);
}

TEST(GameNatives, WhatAPedIsAndWhoHoldsIt) {
    sim::Session session;
    session.world().townsfolk.enabled = false;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const int townsman = addPedAt(world, "a_m_m_valfarmer_01", 4.0f);
    const int horse = addPedAt(world, "a_c_horse_morgan_bay", 8.0f);
    bool isPed = false, horseIsPed = false, objectIsPed = true;
    bool missionBefore = true, missionAfterClaim = false, missionAfterRelease = true;
    drovil::Object prop;
    Ped nearestAnimal, nearestAny;
    test::runOnScriptThread(session, [&] {
        isPed = natives::entity::isPed(Entity(townsman));
        horseIsPed = natives::entity::isPed(Entity(horse));
        missionBefore = natives::entity::isMissionEntity(Entity(townsman));
        natives::entity::setAsMissionEntity(Entity(townsman), true, true);
        missionAfterClaim = natives::entity::isMissionEntity(Entity(townsman));
        Entity handle(townsman);
        natives::pedsetup::releaseEntity(&handle);
        missionAfterRelease = natives::entity::isMissionEntity(Entity(townsman));
        const drovil::Vector3 here = natives::entity::position(natives::player::playerPed().entity(), true, false);
        prop = natives::object::closestOfType(drovil::Vector3(-323.06f, 763.36f, 117.437f), 2.0f, 0xCFE255D2, false,
                                              false, false);
        objectIsPed = natives::entity::isPed(prop.entity());
        natives::ambient::closestPed(here, 20.0f, true, false, &nearestAnimal, false, false, 0, 26);
        natives::ambient::closestPed(here, 20.0f, true, false, &nearestAny, false, false, 0, -1);
    });
    EXPECT_TRUE(isPed);
    EXPECT_TRUE(horseIsPed);
    EXPECT_FALSE(missionBefore) << "one of the game's own";
    EXPECT_TRUE(missionAfterClaim);
    EXPECT_FALSE(missionAfterRelease);
    EXPECT_NE(prop.id, 0) << "Valentine's hotel room chair";
    EXPECT_FALSE(objectIsPed);
    EXPECT_EQ(nearestAnimal.id, horse) << "ped type 26 finds animals";
    EXPECT_EQ(nearestAny.id, townsman);
}

TEST(GameNatives, DeathFightsAndSightAsTheGameReportsThem) {
    sim::Session session;
    session.world().townsfolk.enabled = false;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const int outlaw = addPedAt(world, "g_m_m_unicriminals_01", 6.0f);
    const int other = addPedAt(world, "g_m_m_unicriminals_01", -6.0f);
    world.combat.knockOut(world, outlaw, world.player.pedId);
    world.combat.startFight(world, other, world.player.pedId);
    bool dead = true, knockedOutFlag = false, setFlag = false, fightingAnyone = false, fightingOutlaw = true;
    bool inFistFight = false;
    int firstLook = -1, secondLook = -1, unconsciousLook = -1;
    test::runOnScriptThread(session, [&] {
        dead = natives::condition::entityIsDead(Ped(outlaw));
        knockedOutFlag = natives::condition::pedConfigFlag(Ped(outlaw), 11, true);
        natives::ped::setConfigFlag(Ped(other), 154, true);
        setFlag = natives::condition::pedConfigFlag(Ped(other), 154, true);
        fightingAnyone = natives::condition::pedInCombatWith(Ped(other), Ped());
        fightingOutlaw = natives::condition::pedInCombatWith(Ped(other), Ped(outlaw));
        inFistFight = natives::pedstate::isInMeleeCombat(natives::player::playerPed());
        firstLook = natives::condition::lineOfSight(Ped(other), natives::player::playerPed().entity(), 0, 0);
        unconsciousLook = natives::condition::lineOfSight(Ped(outlaw), natives::player::playerPed().entity(), 0, 0);
    });
    test::runOnScriptThread(session, [&] {
        secondLook = natives::condition::lineOfSight(Ped(other), natives::player::playerPed().entity(), 0, 0);
    });
    EXPECT_FALSE(dead) << "knocked out is not dead";
    EXPECT_TRUE(knockedOutFlag);
    EXPECT_TRUE(setFlag) << "a flag a script set reads back";
    EXPECT_TRUE(fightingAnyone);
    EXPECT_FALSE(fightingOutlaw);
    EXPECT_TRUE(inFistFight) << "the knock-out was a blow";
    EXPECT_EQ(firstLook, 2) << "the sight probe is not sure yet";
    EXPECT_EQ(secondLook, 1);
    EXPECT_EQ(unconsciousLook, 0);
}

TEST(GameNatives, EventsAreKeptOnlyForPedsWithAnEventTracker) {
    sim::Session session;
    session.world().townsfolk.enabled = false;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const int tracked = addPedAt(world, "g_m_m_unicriminals_01", 6.0f);
    const int untracked = addPedAt(world, "g_m_m_unicriminals_01", -6.0f);
    test::runOnScriptThread(session,
                            [&] { natives::perception::setEventTracker(Ped(tracked), "SpDefaultStealth", 0); });
    world.combat.shootTowards(world, world.player.pedId, drovil::Vector3(0.0f, 0.0f, 0.0f));
    drovil::Hash seenByTracked = 0, seenByUntracked = 1;
    test::runOnScriptThread(session, [&] {
        seenByTracked = natives::perception::newestEventType(Ped(tracked), 0, 0);
        seenByUntracked = natives::perception::newestEventType(Ped(untracked), 0, 0);
    });
    EXPECT_EQ(seenByTracked, sim::gameHash("EVENT_SHOT_FIRED"));
    EXPECT_EQ(seenByUntracked, 0u);
}

TEST(GameNatives, WeaponsEveryPedCarries) {
    sim::Session session;
    session.world().townsfolk.enabled = false;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const int outlaw = addPedAt(world, "g_m_m_unicriminals_01", 6.0f);
    const int woman = addPedAt(world, "a_f_m_valtownfolk_01", -6.0f);
    drovil::Hash outlawHolds = 0, womanHolds = 0, best = 0, afterHide = 0, afterRemoval = 0, bestAfter = 0;
    test::runOnScriptThread(session, [&] {
        natives::ped::currentWeapon(Ped(outlaw), &outlawHolds, false, 0, false);
        natives::ped::currentWeapon(Ped(woman), &womanHolds, false, 0, false);
        best = natives::combat::bestWeapon(Ped(outlaw), 0, 0);
        natives::pedsetup::hideWeapons(Ped(outlaw), 2, true);
        natives::ped::currentWeapon(Ped(outlaw), &afterHide, false, 0, false);
        natives::combat::holdWeapon(Ped(outlaw), best, true, 0, 0, 0);
        natives::pedsetup::removeWeapon(Ped(outlaw), best, true, natives::misc::hashOfName("REMOVE_REASON_DEFAULT"));
        natives::ped::currentWeapon(Ped(outlaw), &afterRemoval, false, 0, false);
        bestAfter = natives::combat::bestWeapon(Ped(outlaw), 0, 0);
    });
    EXPECT_EQ(outlawHolds, sim::Weapons::revolver());
    EXPECT_EQ(womanHolds, sim::Weapons::unarmed());
    EXPECT_EQ(best, sim::Weapons::repeater());
    EXPECT_EQ(afterHide, sim::Weapons::unarmed()) << "put away, not taken";
    EXPECT_EQ(afterRemoval, sim::Weapons::unarmed());
    EXPECT_EQ(bestAfter, sim::Weapons::revolver()) << "the removed repeater is gone";
}

TEST(GameNatives, BlackboardNumbersAndFloatDecoratorsKeepTheirOwnValues) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    float cautious = 0.0f, later = 1.0f;
    int intDecorator = -1;
    test::runOnScriptThread(session, [&] {
        const Ped player = natives::player::playerPed();
        natives::ped::setBlackboardFloat(player, "cautious", 1.0f, 1000);
        cautious = natives::ped::blackboardFloat(player, "cautious");
        natives::decorator::setFloat(player.entity(), "floot_money", 2.5f);
        intDecorator = natives::decorator::getInt(player.entity(), "floot_money");
    });
    session.runFor(1500);
    test::runOnScriptThread(session,
                            [&] { later = natives::ped::blackboardFloat(natives::player::playerPed(), "cautious"); });
    EXPECT_FLOAT_EQ(cautious, 1.0f);
    EXPECT_FLOAT_EQ(later, 0.0f) << "kept for its time only";
    EXPECT_EQ(intDecorator, 0) << "a float decorator is no integer one";
    EXPECT_FLOAT_EQ(session.world().playerPed().floatDecorators.at("floot_money"), 2.5f);
}
