// A ped told to look at another keeps its head on him as he moves, for as long
// as the look was given (for good with -1), as IS_PED_HEADTRACKING_PED tells;
// the player hailing the watcher or a fight with someone else takes its eyes
// off him.
#include "support/game.h"
#include "support/script_thread.h"

#include "runtime/natives.h"

#include <gtest/gtest.h>

namespace natives = drovil::natives;
using drovil::Entity;
using drovil::Ped;
using drovil::Vector3;

namespace {

int escort(sim::World& world, const Vector3& at) {
    sim::EntityRecord& ped =
        world.entities.create(sim::EntityKind::Ped, sim::gameHash("g_m_m_bountyhunters_01"), at, 0.0f);
    ped.missionEntity = true;
    return ped.id;
}

bool tracking(sim::Session& session, int watcher, int watched) {
    bool result = false;
    test::runOnScriptThread(session, [&] { result = natives::ped::isHeadtrackingPed(Ped(watcher), Ped(watched)); });
    return result;
}

} // namespace

TEST(HeadTracking, ALookAtAPedForGoodFollowsHimUntilSomethingDrawsTheEyesAway) {
    sim::Session session;
    session.world().townsfolk.enabled = false;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const Vector3 me = world.playerPed().position;
    const int guard = escort(world, Vector3(me.x + 3.0f, me.y, me.z));
    const int prisoner = escort(world, Vector3(me.x + 6.0f, me.y + 2.0f, me.z));
    const int bystander = escort(world, Vector3(me.x - 6.0f, me.y, me.z));
    ASSERT_TRUE(test::runOnScriptThread(session, [&] {
        natives::task::lookAtEntity(Ped(guard), Entity(prisoner), -1, -1, 2048, 3);
        natives::task::lookAtEntity(Ped(bystander), Entity(prisoner), 1500, 0, 0, 0);
    }));
    session.runFrames(2);
    EXPECT_TRUE(tracking(session, guard, prisoner));
    EXPECT_FALSE(tracking(session, guard, bystander));

    // The prisoner walks 20 m off: the look follows him, for good.
    world.entities.find(prisoner)->position.y += 20.0f;
    session.runFrames(2);
    EXPECT_TRUE(tracking(session, guard, prisoner)) << "a look at a ped follows him as he moves";
    EXPECT_TRUE(tracking(session, bystander, prisoner));
    session.runFor(2000);
    EXPECT_FALSE(tracking(session, bystander, prisoner)) << "a look of 1.5 s is over";
    world.entities.find(prisoner)->position.x -= 15.0f;
    session.runFor(30000);
    EXPECT_TRUE(tracking(session, guard, prisoner)) << "with -1 it lasts";

    // The player hails the guard: he turns to answer, then looks back.
    world.player.targetEntity = guard;
    ASSERT_TRUE(world.interactions.greet(world));
    session.runFrames(1);
    EXPECT_FALSE(tracking(session, guard, prisoner)) << "his eyes are on the player while he answers";
    session.runFor(static_cast<std::uint32_t>(sim::Interactions::answerMs) + 500);
    EXPECT_TRUE(tracking(session, guard, prisoner));

    // Drawn into a fight with someone else, he has other things to watch.
    world.combat.startFight(world, guard, bystander);
    session.runFrames(1);
    EXPECT_FALSE(tracking(session, guard, prisoner));
}
