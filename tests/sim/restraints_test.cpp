// Lassos, hogties and carrying in the simulated world, as the game has them:
// a roped man works the rope off unless he is tied, a tied one struggles free
// in time unless he is on a shoulder, anyone next to him can cut him loose;
// the law hears of a man roped or tied in town unless the witnesses are kept
// quiet; the sheriff's offices keep a lawman at his desk.
#include "sim/living_world.h"

#include "world/core/geometry.h"
#include "world/law/law.h"

#include <gtest/gtest.h>

using namespace simtest;
using drovil::Vector3;

namespace {

int player(sim::World& world) {
    return world.player.pedId;
}

void standAt(sim::World& world, const Vector3& at) {
    world.playerPed().position = at;
}

// The player ropes and ties the ped standing next to him.
bool tie(sim::World& world, int ped) {
    const Vector3 at = world.entities.find(ped)->position;
    standAt(world, shifted(at, 0.0f, -1.0f));
    if (!world.restraints.lasso(world, player(world), ped) || !world.restraints.startHogtie(world, player(world), ped))
        return false;
    stepFrames(world, 30 * 3);
    return world.entities.find(ped)->hogtied;
}

} // namespace

TEST(SimRestraints, ALassoCatchesWithinItsRangeAndARopedManWorksLooseUnlessTied) {
    sim::World world(1);
    const int outlaw = addPed(world, openCountry);
    standAt(world, shifted(openCountry, 0.0f, -25.0f));
    EXPECT_FALSE(world.restraints.lasso(world, player(world), outlaw)) << "25 m is out of reach";
    standAt(world, shifted(openCountry, 0.0f, -15.0f));
    ASSERT_TRUE(world.restraints.lasso(world, player(world), outlaw));
    EXPECT_TRUE(world.restraints.isLassoed(outlaw));
    EXPECT_FALSE(world.restraints.lasso(world, player(world), outlaw)) << "already roped";
    // Roped, he neither fights nor can be set to.
    world.combat.startFight(world, outlaw, player(world));
    EXPECT_EQ(world.entities.find(outlaw)->combatOpponent, 0);
    // Not tied up within the rope's hold, he is loose and, armed, fights.
    EXPECT_FALSE(world.restraints.startHogtie(world, player(world), outlaw)) << "out of the player's hands' reach";
    stepFrames(world, 30 * static_cast<int>(sim::Restraints::lassoHoldMs / 1000) + 5);
    EXPECT_FALSE(world.restraints.isLassoed(outlaw));
    EXPECT_FALSE(world.entities.find(outlaw)->hogtied);
    EXPECT_EQ(world.entities.find(outlaw)->combatOpponent, player(world));
}

TEST(SimRestraints, ALassoedOrKnockedOutManIsHogtiedInAMomentAndComesToBound) {
    sim::World world(1);
    const int roped = addPed(world, openCountry);
    ASSERT_TRUE(tie(world, roped));
    EXPECT_FALSE(world.restraints.isLassoed(roped));
    EXPECT_FALSE(world.restraints.isBeingHogtied(roped));

    const int stunned = addPed(world, shifted(openCountry, 10.0f, 0.0f));
    world.combat.knockOut(world, stunned, 0);
    standAt(world, shifted(openCountry, 10.0f, -1.0f));
    ASSERT_TRUE(world.restraints.startHogtie(world, player(world), stunned));
    stepFrames(world, 30);
    EXPECT_TRUE(world.restraints.isBeingHogtied(stunned)) << "the knot takes a moment";
    stepFrames(world, 60);
    EXPECT_TRUE(world.entities.find(stunned)->hogtied);
    EXPECT_FALSE(world.entities.find(stunned)->knockedOut) << "he comes to bound";

    const int standing = addPed(world, shifted(openCountry, 20.0f, 0.0f));
    standAt(world, shifted(openCountry, 20.0f, -1.0f));
    EXPECT_FALSE(world.restraints.startHogtie(world, player(world), standing)) << "a man on his feet is roped first";
}

TEST(SimRestraints, ABoundManStrugglesFreeOnTheGroundOrAHorseNeverOnAShoulder) {
    sim::World world(1);
    const int outlaw = addPed(world, openCountry);
    ASSERT_TRUE(tie(world, outlaw));
    const float left = world.restraints.escapeSeconds(outlaw);
    EXPECT_GE(left, sim::Restraints::escapeMinMs / 1000.0f - 5.0f);
    EXPECT_LE(left, sim::Restraints::escapeMaxMs / 1000.0f);

    world.restraints.setEscapeSeconds(outlaw, 2.0f);
    world.hunting.pickUp(world, player(world), outlaw);
    stepFrames(world, 30 * 10);
    EXPECT_TRUE(world.entities.find(outlaw)->hogtied) << "held on the shoulder";
    EXPECT_FLOAT_EQ(world.restraints.escapeSeconds(outlaw), 2.0f);

    sim::EntityRecord& horse =
        world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_c_horse_morgan_bay"), world.playerPed().position, 0.0f);
    world.hunting.pickUp(world, horse.id, outlaw);
    stepFrame(world);
    EXPECT_GT(world.entities.find(outlaw)->position.z, horse.position.z + 0.5f) << "across its back";
    stepFrames(world, 30 * 3);
    EXPECT_FALSE(world.entities.find(outlaw)->hogtied) << "loose across the horse";
    EXPECT_EQ(world.hunting.carrierOf(outlaw), 0) << "and off it";
    EXPECT_EQ(world.entities.find(outlaw)->combatOpponent, player(world)) << "armed, he turns on the player";

    // Someone without a gun loose runs instead; one set never to escape stays bound.
    const int townsman =
        world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_f_m_valtownfolk_01"), shifted(openCountry, 30.0f, 0.0f), 0.0f)
            .id;
    ASSERT_TRUE(tie(world, townsman));
    world.restraints.setEscapeSeconds(townsman, 1.0f);
    stepFrames(world, 30 * 2);
    EXPECT_TRUE(world.fleeing.isFleeing(townsman, world.clock.elapsedMs));
    const int kept = addTownsman(world, shifted(openCountry, 40.0f, 0.0f));
    ASSERT_TRUE(tie(world, kept));
    world.restraints.setEscapeSeconds(kept, -1.0f);
    stepFrames(world, 30 * 300);
    EXPECT_TRUE(world.entities.find(kept)->hogtied);
}

TEST(SimRestraints, SomeoneBesideABoundManCutsHimLooseButNotOffAShoulder) {
    sim::World world(1);
    const int outlaw = addPed(world, openCountry);
    ASSERT_TRUE(tie(world, outlaw));
    world.hunting.pickUp(world, player(world), outlaw);
    const int friendOf = addPed(world, shifted(openCountry, 6.0f, 0.0f));
    sim::TaskStep cut;
    cut.kind = sim::TaskKind::CutLoose;
    cut.target = outlaw;
    cut.durationMs = -1;
    cut.scriptTask = sim::gameHash("SCRIPT_TASK_CUT_FREE_HOGTIED_TARGET_PED");
    world.tasks.give(friendOf, cut, world.clock.elapsedMs);
    stepFrames(world, 30 * 6);
    EXPECT_TRUE(world.entities.find(outlaw)->hogtied) << "he waits while the man is on the player's shoulder";
    EXPECT_EQ(world.tasks.scriptTaskStatus(friendOf, cut.scriptTask), 1);
    world.hunting.putDown(world, outlaw);
    stepFrames(world, 30 * 3);
    EXPECT_FALSE(world.entities.find(outlaw)->hogtied);
    EXPECT_EQ(world.tasks.scriptTaskStatus(friendOf, cut.scriptTask), 8) << "done";
}

TEST(SimRestraints, AManRopedInTownIsReportedUnlessTheWitnessesAreKeptQuiet) {
    sim::World world(1);
    const Vector3 street(-281.0f, 760.0f, 118.0f);
    ASSERT_NE(sim::Law::townAt(street), nullptr);
    const int first = addTownsman(world, street);
    standAt(world, shifted(street, 0.0f, -10.0f));
    ASSERT_TRUE(world.restraints.lasso(world, player(world), first));
    stepFrames(world, 30);
    EXPECT_FALSE(world.player.wanted) << "a witness takes a moment to tell";
    stepFrames(world, 30);
    EXPECT_TRUE(world.player.wanted);

    sim::World quiet(1);
    const int second = addTownsman(quiet, street);
    quiet.playerPed().position = shifted(street, 0.0f, -10.0f);
    ASSERT_TRUE(quiet.restraints.lasso(quiet, quiet.player.pedId, second));
    for (int frame = 0; frame < 90; ++frame) {
        quiet.player.witnessesHushedFrame = quiet.clock.frame; // a script hushes them every frame
        stepFrame(quiet);
    }
    EXPECT_FALSE(quiet.player.wanted);
    EXPECT_EQ(quiet.law.pendingReports(), 0u);

    // Out in the country nobody sees it.
    sim::World wild(1);
    const int third = addTownsman(wild, openCountry);
    wild.playerPed().position = shifted(openCountry, 0.0f, -10.0f);
    ASSERT_TRUE(wild.restraints.lasso(wild, wild.player.pedId, third));
    stepFrames(wild, 120);
    EXPECT_FALSE(wild.player.wanted);
}

TEST(SimSheriffOffices, EachOfficeKeepsItsLawmanAtHisDeskOnceThePlayerCameNear) {
    sim::World world(1);
    const sim::SheriffOffice& valentine = sim::SheriffOffices::all().at(2);
    ASSERT_STREQ(valentine.town, "Valentine");
    standAt(world, shifted(valentine.door, 0.0f, -30.0f));
    stepFrame(world);
    const int lawman = world.sheriffOffices.lawmanOf(2);
    ASSERT_NE(lawman, 0);
    EXPECT_TRUE(world.law.isLawman(world, lawman));
    EXPECT_EQ(world.sheriffOffices.lawmanOf(6), 0) << "Saint Denis is far away";

    // Sent about by a script and let go, he walks back to his desk.
    sim::EntityRecord& record = *world.entities.find(lawman);
    record.position = valentine.door;
    stepFrames(world, 30 * 20);
    EXPECT_LT(sim::flatDistance(world.entities.find(lawman)->position, valentine.desk), 1.1f);

    // A man carrying a hogtied prisoner (tied out in the country) up to his
    // door is no business of his.
    const int prisoner = addTownsman(world, openCountry);
    ASSERT_TRUE(tie(world, prisoner));
    world.hunting.pickUp(world, player(world), prisoner);
    standAt(world, valentine.door);
    stepFrames(world, 30 * 10);
    EXPECT_FALSE(world.player.wanted);

    // He stays while the player is away; struck down, he is replaced once
    // the player has been far.
    world.hunting.putDown(world, prisoner);
    standAt(world, shifted(valentine.door, 0.0f, -400.0f));
    stepFrame(world);
    EXPECT_EQ(world.sheriffOffices.lawmanOf(2), lawman);
    world.combat.kill(world, lawman, 0);
    stepFrame(world);
    EXPECT_EQ(world.sheriffOffices.lawmanOf(2), 0);
    EXPECT_FALSE(world.entities.exists(lawman));
    standAt(world, valentine.door);
    stepFrame(world);
    EXPECT_NE(world.sheriffOffices.lawmanOf(2), 0);
    EXPECT_NE(world.sheriffOffices.lawmanOf(2), lawman);
}
