// The simulator's scripted player and what the game makes of it: a person's
// pace on foot and on horseback, crouching heard and seen as such, the horse
// that comes when whistled for; the game clearing away what scripts released
// once the player has gone; and the timeline's reading of the plug-in's log.
#include "player/player_controller.h"
#include "scenarios/timeline.h"
#include "session/session.h"
#include "world/core/streaming_out.h"
#include "world/core/world.h"
#include "world/places/scenario_point_data.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
using namespace sim;

float flat(const drovil::Vector3& a, const drovil::Vector3& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Frames of the world alone (no script needed for what is tested here).
void stepWorld(World& world, int frames, PlayerController& player) {
    for (int i = 0; i < frames; ++i) {
        player.beforeFrame();
        world.clock.advance();
        world.beginFrame();
    }
}

TEST(ScriptedPlayer, WalksCreepsAndRidesAtAPersonsPaceAndTheGameSeesHowHeMoves) {
    Session session;
    World& world = session.world();
    PlayerController player(world);
    const drovil::Vector3 start = player.position();
    const drovil::Vector3 far(start.x + 500.0f, start.y, start.z);

    player.goTo(far, Gait::Walk);
    stepWorld(world, 30, player); // about a second
    EXPECT_NEAR(flat(start, player.position()), 1.6f, 0.2f);
    EXPECT_EQ(world.perception.movementOf(world.player.pedId), Movement::Walking);

    player.crouch(true);
    EXPECT_TRUE(world.perception.isCrouching(world.player.pedId));
    const drovil::Vector3 crouchedFrom = player.position();
    stepWorld(world, 30, player);
    EXPECT_NEAR(flat(crouchedFrom, player.position()), 1.0f, 0.2f) << "crouched he creeps";

    // Whistled for, the horse comes to him; in the saddle he canters and the horse goes with him.
    player.whistleForHorse();
    stepWorld(world, 90, player);
    ASSERT_TRUE(player.horseAtHand());
    ASSERT_TRUE(player.mount());
    EXPECT_FALSE(world.perception.isCrouching(world.player.pedId)) << "nobody crouches on a horse";
    const drovil::Vector3 rideFrom = player.position();
    stepWorld(world, 30, player);
    EXPECT_NEAR(flat(rideFrom, player.position()), 11.0f, 0.5f);
    EXPECT_EQ(flat(world.entities.find(player.ownHorse())->position, player.position()), 0.0f);
    player.dismount();
    EXPECT_FALSE(player.riding());
}

TEST(ScriptedPlayer, UnarmedAimIsAFocusArmedAimIsFreeAimAndShootingDrawsTheGun) {
    Session session;
    World& world = session.world();
    PlayerController player(world);
    drovil::Vector3 at = player.position();
    at.y += 10.0f;
    const int ped = world.entities.create(EntityKind::Ped, gameHash("a_m_m_valtownfolk_01"), at, 0.0f).id;
    player.aimAt(ped);
    EXPECT_FALSE(player.armed());
    EXPECT_EQ(world.player.targetEntity, ped);
    EXPECT_EQ(world.player.freeAimEntity, 0);
    player.shootAt(ped);
    EXPECT_TRUE(player.armed());
    EXPECT_EQ(world.player.freeAimEntity, ped);
    EXPECT_EQ(world.player.targetEntity, 0);
    ASSERT_FALSE(world.combat.shots().empty());
    EXPECT_EQ(world.combat.shots().back().shooter, world.player.pedId);
    player.holster();
    EXPECT_EQ(world.player.freeAimEntity, 0);
    EXPECT_EQ(world.weapons.current(world, world.player.pedId), sim::Weapons::unarmed());
}

TEST(ScriptedPlayer, SitsOnTheNearestSeatAndTheGameReportsItsKind) {
    Session session;
    World& world = session.world();
    PlayerController player(world);
    // Valentine's main street, where a bench stands by the street spot.
    world.playerPed().position = drovil::Vector3(-312.085f, 830.793f, 119.576f);
    ASSERT_TRUE(player.sitOnNearestSeat(6.0f));
    session.runFrames(2);
    EXPECT_TRUE(player.seated());
    EXPECT_EQ(sim::ScenarioPoints::typeUsedBy(world, world.player.pedId), sim::seats::bench.pointType);
    // Walking off, he gets up.
    drovil::Vector3 away = player.position();
    away.x += 20.0f;
    player.goTo(away, Gait::Walk);
    session.runFrames(2);
    EXPECT_FALSE(player.seated());
    EXPECT_EQ(sim::ScenarioPoints::typeUsedBy(world, world.player.pedId), 0u);
    // Out in the wild there is nowhere to sit.
    world.playerPed().position = drovil::Vector3(-1200.0f, 1500.0f, 200.0f);
    EXPECT_FALSE(player.sitOnNearestSeat(6.0f));
}

TEST(StreamingOut, ReleasedThingsFarFromThePlayerAreClearedAwayWithTheirBlips) {
    Session session;
    World& world = session.world();
    const drovil::Vector3 player = world.playerPed().position;
    auto placeReleased = [&](float metres) {
        EntityRecord& ped =
            world.entities.create(EntityKind::Ped, gameHash("g_m_m_uniduster_01"),
                                  drovil::Vector3(player.x + metres, player.y, player.z), 0.0f);
        world.scenePeds.released.push_back(ped.id);
        BlipRecord& blip = world.blips.create(BlipKind::Entity, 0x318C617C, 0);
        blip.entity = ped.id;
        return std::make_pair(ped.id, blip.id);
    };
    const auto [nearPed, nearBlip] = placeReleased(streamOutDistance - 50.0f);
    const auto [farPed, farBlip] = placeReleased(streamOutDistance + 50.0f);
    const int kept = world.entities.create(EntityKind::Ped, gameHash("g_m_m_uniduster_01"),
                                           drovil::Vector3(player.x + 900.0f, player.y, player.z), 0.0f)
                         .id; // still the script's: never cleared away

    world.clock.frame = 30;
    streamOutReleased(world);
    EXPECT_TRUE(world.entities.exists(nearPed));
    EXPECT_TRUE(world.blips.exists(nearBlip));
    EXPECT_FALSE(world.entities.exists(farPed));
    EXPECT_FALSE(world.blips.exists(farBlip));
    EXPECT_TRUE(world.entities.exists(kept));
}

TEST(StreamingOut, AModelNoScriptHoldsIsUnloadedOnceNothingOfItIsLeft) {
    Session session;
    World& world = session.world();
    const std::uint32_t held = gameHash("g_m_m_uniduster_01"), inUse = gameHash("a_m_m_valfarmer_01"),
                        unused = gameHash("a_c_horse_morgan_bay");
    for (std::uint32_t model : {held, inUse, unused})
        world.models.request(model, 0);
    world.models.release(inUse);
    world.models.release(unused);
    const int ped = world.entities.create(EntityKind::Ped, inUse, world.playerPed().position, 0.0f).id;

    world.clock.frame = 30;
    streamOutReleased(world);
    EXPECT_TRUE(world.models.isLoaded(held, world.clock.frame)) << "still asked for";
    EXPECT_TRUE(world.models.isLoaded(inUse, world.clock.frame)) << "a ped of it stands in the world";
    EXPECT_FALSE(world.models.isLoaded(unused, world.clock.frame));
    EXPECT_EQ(world.models.requestCount(unused), 0);

    // Once its last ped is gone, the model goes too; asked for again, it loads anew.
    world.removeEntity(ped);
    world.clock.frame = 60;
    streamOutReleased(world);
    EXPECT_FALSE(world.models.isLoaded(inUse, world.clock.frame));
    world.models.request(inUse, world.clock.frame);
    EXPECT_FALSE(world.models.isLoaded(inUse, world.clock.frame));
    EXPECT_TRUE(world.models.isLoaded(inUse, world.clock.frame + sim::ModelStreaming::framesToLoad));
    EXPECT_TRUE(world.models.isLoaded(held, world.clock.frame));
}

TEST(Timeline, TellsStageAndStatusChangesInWords) {
    EXPECT_EQ(describeProgressLine("ContractExecutor [3]: stage changed: 0 -> 2"),
              "mission 3 stage Approaching -> Hunting");
    EXPECT_EQ(describeProgressLine("ContractExecutor [0]: status changed: 1 -> 4"),
              "mission 0 status 1 (engaged) -> 4 (failed)");
    EXPECT_EQ(describeProgressLine("ContractExecutor [0]: mission set prepared"), "");
    EXPECT_EQ(withoutLogStamp("[8/12/2026 4:3:7] initialization complete"), "initialization complete");
    EXPECT_EQ(withoutLogStamp("no stamp [here]"), "no stamp [here]");
}

} // namespace
