// Guard awareness in the simulated world: what a guard sees and hears of the
// player under cover, crouching, night and weather, how it climbs its alert
// ladder on noises, shots and bodies, and that Combat is the end of it.
#include "behaviour/check_shocking_noise_task.h"
#include "behaviour/check_suspicious_event_task.h"
#include "behaviour/guard_rig.h"
#include "support/game.h"

#include "runtime/natives.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace guardtest;
using drovil::GuardMode;
using drovil::Vector3;

namespace {
namespace decl = drovil::natives::decl;

constexpr std::uint32_t hostileBlipStyle = 0x318C617C;
// Foliage codes: 80 hides a standing man, 64 a crouching one, 60 hides a little.
constexpr int tallGrass = 80;
constexpr int kneeHighGrass = 64;
constexpr int sparseGrass = 60;

void setWeather(sim::World& world, int hour, float wind = 0.0f, float rain = 0.0f) {
    setHour(world, hour);
    world.weather.windSpeed = wind;
    world.weather.rainLevel = rain;
}

int player(sim::World& world) {
    return world.player.pedId;
}

int addPed(sim::World& world, const Vector3& at) {
    return world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_m_m_rancher_01"), at, 0.0f).id;
}

int addBody(sim::World& world, const Vector3& at) {
    const int ped = addPed(world, at);
    world.combat.kill(world, ped, 0);
    return ped;
}

bool hasEvent(const sim::World& world, int ped, const char* name) {
    for (const sim::PerceptionEvent& event : world.perception.eventsOf(ped))
        if (event.type == sim::gameHash(name))
            return true;
    return false;
}

sim::SessionOptions withAi(const std::map<std::string, std::string>& changes) {
    sim::SessionOptions options;
    options.writeFiles = {{"AI.dat", aiFileWith(changes)}};
    return options;
}
} // namespace

TEST(GuardAI, FullFoliageCoverIsNeverSeenAndOpenGroundIsSeenAtOnce) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    GuardRig& rig = GuardRig::instance();
    setWeather(world, 12);
    const Vector3 playerAt = offset(clearing, 0.0f, 6.0f);
    placePlayer(world, playerAt);
    world.perception.addFoliage(playerAt, 3.0f, tallGrass);
    const int guard = rig.addGuard(world, clearing, headingFrom(clearing, playerAt));

    session.runFrames(60);
    EXPECT_EQ(rig.modeOf(guard), GuardMode::Unaware) << "6 m away in broad daylight, but in tall grass";
    EXPECT_TRUE(rig.changes().empty());
    EXPECT_EQ(world.blips.onEntity(guard), nullptr);
    EXPECT_EQ(world.entities.find(guard)->combatOpponent, 0);
    EXPECT_LT(world.perception.seeingRange(guard), 0.0f) << "a hidden target is not even looked for";

    // Crouching doubles the cover: knee-high grass hides him as fully.
    world.perception.clearFoliage();
    world.perception.addFoliage(playerAt, 3.0f, kneeHighGrass);
    world.perception.setCrouching(player(world), true);
    session.runFrames(60);
    EXPECT_EQ(rig.modeOf(guard), GuardMode::Unaware);

    // In the open the same guard sees him in the next frame and fights him.
    world.perception.clearFoliage();
    ASSERT_TRUE(session.runUntil([&] { return rig.modeOf(guard) == GuardMode::Combat; }, 3));
    ASSERT_EQ(rig.changes().size(), 1u);
    EXPECT_EQ(rig.changes()[0].ped, guard);
    EXPECT_EQ(rig.changes()[0].previousMode, 0);
    EXPECT_EQ(rig.changes()[0].newMode, 3);
    const sim::BlipRecord* blip = world.blips.onEntity(guard);
    ASSERT_NE(blip, nullptr);
    EXPECT_EQ(blip->style, hostileBlipStyle);
    EXPECT_EQ(world.entities.find(guard)->combatOpponent, player(world));
}

TEST(GuardAI, TheMinimumSightRangeIsHonoured) {
    sim::Session session(withAi({{"guard.min_sight_range", "6.0"}}));
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    GuardRig& rig = GuardRig::instance();
    // Night, a downpour and a gale, crouched in grass: the computed range is
    // under 2 m, so only the minimum can let a guard see him.
    setWeather(world, 23, 100.0f, 1.0f);
    const Vector3 playerAt = clearing;
    placePlayer(world, playerAt);
    world.perception.setCrouching(player(world), true);
    world.perception.addFoliage(playerAt, 3.0f, sparseGrass);
    const Vector3 nearAt = offset(playerAt, 90.0f, 5.5f);
    const Vector3 farAt = offset(playerAt, 270.0f, 7.0f);
    const int near = rig.addGuard(world, nearAt, headingFrom(nearAt, playerAt));
    const int far = rig.addGuard(world, farAt, headingFrom(farAt, playerAt));

    session.runFrames(5);
    EXPECT_EQ(rig.modeOf(near), GuardMode::Combat) << "5.5 m is within the 6 m minimum";
    EXPECT_EQ(rig.modeOf(far), GuardMode::Unaware) << "7 m is beyond it";
    EXPECT_FLOAT_EQ(world.perception.seeingRange(far), 6.0f);
    EXPECT_FLOAT_EQ(world.perception.seeingRange(near), 6.0f);
}

TEST(GuardAI, ASecondNoiseWithinFiveMetresChangesNothing) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    GuardRig& rig = GuardRig::instance();
    setWeather(world, 12);
    placePlayer(world, offset(clearing, 0.0f, 300.0f));
    const int guard = rig.addGuard(world, clearing, 0.0f);
    session.runFrames(2);
    drovil::GuardAI* ai = rig.guard(guard);
    ASSERT_NE(ai, nullptr);

    auto noiseAt = [&](const Vector3& where) {
        bool investigated = false;
        rig.runOnScript([&] { investigated = ai->onNoiseAt(where); });
        EXPECT_TRUE(rig.finishJob(session));
        return investigated;
    };

    const Vector3 first = offset(clearing, 90.0f, 8.0f);
    EXPECT_TRUE(noiseAt(first));
    EXPECT_EQ(ai->getMode(), GuardMode::Suspicious);
    const drovil::AsyncPedTask* check = ai->currentTask();
    ASSERT_NE(dynamic_cast<const drovil::CheckSuspiciousEventTask*>(check), nullptr);
    EXPECT_LT(flatDistance(ai->lastPosition(), first), 0.01f);
    EXPECT_GE(world.tasks.progress(guard), 0) << "the guard sets off to look";
    EXPECT_TRUE(world.speech.find("WHAT_IS_THAT") || world.speech.find("WHAT_WAS_THAT"))
        << "it asks what that was";

    EXPECT_FALSE(noiseAt(offset(first, 0.0f, 4.0f)));
    EXPECT_EQ(ai->getMode(), GuardMode::Suspicious);
    EXPECT_EQ(ai->currentTask(), check) << "the same investigation goes on";
    EXPECT_EQ(rig.changes().size(), 1u);
    EXPECT_LT(flatDistance(ai->lastPosition(), first), 0.01f);

    // A noise farther off is a second noise: the guard starts searching.
    const Vector3 second = offset(clearing, 270.0f, 8.0f);
    EXPECT_TRUE(noiseAt(second));
    EXPECT_EQ(ai->getMode(), GuardMode::Searching);
    const drovil::AsyncPedTask* search = ai->currentTask();
    ASSERT_NE(dynamic_cast<const drovil::CheckShockingNoiseTask*>(search), nullptr);
    ASSERT_EQ(rig.changes().size(), 2u);
    EXPECT_EQ(rig.changes()[1].previousMode, 1);
    EXPECT_EQ(rig.changes()[1].newMode, 2);

    EXPECT_FALSE(noiseAt(offset(second, 0.0f, 3.0f)));
    EXPECT_EQ(ai->currentTask(), search);
    EXPECT_EQ(rig.changes().size(), 2u);

    // Beyond the noise range (12 m) nothing is investigated at all.
    EXPECT_FALSE(noiseAt(offset(clearing, 180.0f, 25.0f)));
    EXPECT_EQ(ai->currentTask(), search);
}

TEST(GuardAI, FootstepsAreHeardWithinTheirReachAndOnlyAFarNoiseEscalates) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    GuardRig& rig = GuardRig::instance();
    setWeather(world, 23);
    // Tall grass all round: the guard can only hear him.
    world.perception.addFoliage(clearing, 60.0f, tallGrass);
    placePlayer(world, offset(clearing, 90.0f, 5.0f));
    const int guard = rig.addGuard(world, clearing, 0.0f);
    session.runFrames(10);
    EXPECT_EQ(rig.modeOf(guard), GuardMode::Unaware) << "standing still makes no noise";

    // Walking 5 m away: footsteps carry 6 m.
    for (int frame = 0; frame < 30 && rig.modeOf(guard) == GuardMode::Unaware; ++frame)
        circlePlayer(session, clearing, 5.0f, 1.4f, 1);
    ASSERT_EQ(rig.modeOf(guard), GuardMode::Suspicious);
    const drovil::AsyncPedTask* check = rig.guard(guard)->currentTask();
    ASSERT_NE(check, nullptr);

    // A couple more steps near where he was heard change nothing.
    circlePlayer(session, clearing, 5.0f, 1.4f, 40);
    EXPECT_EQ(rig.modeOf(guard), GuardMode::Suspicious);
    EXPECT_EQ(rig.changes().size(), 1u);
    EXPECT_EQ(rig.guard(guard)->currentTask(), check);

    // Running on round the guard is heard well away from the first point.
    for (int frame = 0; frame < 150 && rig.modeOf(guard) == GuardMode::Suspicious; ++frame)
        circlePlayer(session, clearing, 5.0f, 3.5f, 1);
    EXPECT_EQ(rig.modeOf(guard), GuardMode::Searching);
    EXPECT_EQ(rig.changes().size(), 2u);
}

TEST(GuardAI, ALoudNoiseIsHeardAsFarAsTheHearingRangeAllows) {
    sim::Session session(withAi({{"guard.hearing_range", "10"}, {"guard.min_hearing_range", "5.0"}}));
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    GuardRig& rig = GuardRig::instance();
    setWeather(world, 23);
    world.perception.addFoliage(clearing, 60.0f, tallGrass);
    placePlayer(world, offset(clearing, 90.0f, 8.0f));
    const int guard = rig.addGuard(world, clearing, 0.0f);
    session.runFrames(2);

    // Sprinting 8 m away: the noise carries 24 m, farther than the guard's 10 m
    // of hearing; the guard hears it at 8 m all the same.
    for (int frame = 0; frame < 90 && rig.modeOf(guard) == GuardMode::Unaware; ++frame)
        circlePlayer(session, clearing, 8.0f, 6.0f, 1);
    EXPECT_EQ(rig.modeOf(guard), GuardMode::Suspicious);
}

// Wind shortens the hearing range; whatever the wind, a louder gait is heard
// everywhere a softer one is, and nothing beyond the range is heard.
TEST(GuardAI, LouderIsNeverHarderToHearInAnyWind) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    GuardRig& rig = GuardRig::instance();
    setWeather(world, 23);
    struct Gait {
        const char* name;
        float metresPerSecond;
        float reach; // noise level x guard.noise_distance_multiplier (2.0)
    };
    const Gait gaits[] = {{"walking", 1.4f, 6.0f}, {"running", 3.5f, 16.0f}, {"sprinting", 6.0f, 24.0f}};
    int place = 0;
    for (const float wind : {0.0f, 40.0f, 80.0f, 100.0f}) {
        world.weather.windSpeed = wind;
        // The shipped hearing: 30 m shortened by the wind (impact 0.6), never below 12 m.
        const float range = std::max((1.0f - wind * 0.01f * 0.6f) * 30.0f, 12.0f);
        for (const float metres : {4.0f, 10.0f, 14.0f, 20.0f}) {
            bool softerHeard = false;
            for (const Gait& gait : gaits) {
                // Each trial far from the others, with a guard of its own in tall grass.
                const int cell = place++;
                const Vector3 centre(clearing.x + 250.0f * static_cast<float>(cell % 7),
                                     clearing.y + 250.0f * static_cast<float>(cell / 7), clearing.z);
                world.perception.addFoliage(centre, 40.0f, tallGrass);
                placePlayer(world, offset(centre, 90.0f, metres));
                const int guard = rig.addGuard(world, centre, 0.0f);
                session.runFrames(2);
                for (int frame = 0; frame < 60 && rig.modeOf(guard) == GuardMode::Unaware; ++frame)
                    circlePlayer(session, centre, metres, gait.metresPerSecond, 1);
                const bool heard = rig.modeOf(guard) != GuardMode::Unaware;
                const std::string trial = std::string(gait.name) + " " + std::to_string(metres) + " m away in a wind of " +
                                          std::to_string(wind);
                EXPECT_EQ(heard, metres <= gait.reach && metres <= range) << trial;
                if (softerHeard) {
                    EXPECT_TRUE(heard) << trial << ": a softer gait was heard here";
                }
                softerHeard = softerHeard || heard;
            }
        }
    }
}

TEST(GuardAI, ShotsAlarmAGuardWithinHearingAndWhizzingByAtAnyDistance) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    GuardRig& rig = GuardRig::instance();
    setWeather(world, 12);
    placePlayer(world, offset(clearing, 0.0f, 400.0f));
    const int guard = rig.addGuard(world, clearing, 0.0f);
    const Vector3 awayAt = offset(clearing, 90.0f, 200.0f);
    const int distantGuard = rig.addGuard(world, awayAt, 0.0f);
    session.runFrames(2);

    // A shot 60 m off is heard by the game, but beyond the guard's 30 m of hearing.
    const int shooter = addPed(world, offset(clearing, 180.0f, 60.0f));
    world.combat.shootTowards(world, shooter, offset(clearing, 180.0f, 120.0f));
    EXPECT_TRUE(hasEvent(world, guard, "EVENT_SHOT_FIRED"));
    session.runFrames(20);
    EXPECT_EQ(rig.modeOf(guard), GuardMode::Unaware);

    // The same shooter 20 m off alarms the guard: it checks where he stands.
    sim::EntityRecord& gunman = *world.entities.find(shooter);
    gunman.position = offset(clearing, 180.0f, 20.0f);
    session.runFrames(40); // the first shot's events wear off
    world.combat.shootTowards(world, shooter, offset(clearing, 180.0f, 80.0f));
    ASSERT_TRUE(session.runUntil([&] { return rig.modeOf(guard) == GuardMode::Searching; }, 5));
    const auto* check = dynamic_cast<const drovil::CheckShockingNoiseTask*>(rig.guard(guard)->currentTask());
    ASSERT_NE(check, nullptr);
    EXPECT_LT(flatDistance(check->point(), gunman.position), 0.01f);
    EXPECT_EQ(rig.guard(guard)->lastEntity().id, shooter);
    EXPECT_EQ(rig.modeOf(distantGuard), GuardMode::Unaware) << "200 m off, the shot is beyond its hearing";

    // A bullet passing close by alarms a guard however far the shooter is.
    world.combat.shootTowards(world, shooter, offset(awayAt, 90.0f, 1.5f));
    EXPECT_TRUE(hasEvent(world, distantGuard, "EVENT_SHOT_FIRED_WHIZZED_BY"));
    ASSERT_TRUE(session.runUntil([&] { return rig.modeOf(distantGuard) == GuardMode::Searching; }, 5));
}

TEST(GuardAI, AMarkedBodyIsIgnoredByEveryGuard) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    GuardRig& rig = GuardRig::instance();
    setWeather(world, 12);
    placePlayer(world, offset(clearing, 0.0f, 300.0f));
    const int marked = addBody(world, clearing);
    world.entities.find(marked)->decorators["KV_Drovil_discoveredBody"] = 1;
    std::vector<int> guards;
    for (float heading : {0.0f, 120.0f, 240.0f}) {
        const Vector3 at = offset(clearing, heading, 10.0f);
        guards.push_back(rig.addGuard(world, at, headingFrom(at, clearing)));
    }

    session.runFrames(60);
    for (int guard : guards) {
        EXPECT_TRUE(hasEvent(world, guard, "EVENT_SHOCKING_DEAD_BODY")) << "every guard has the body in view";
        EXPECT_EQ(rig.modeOf(guard), GuardMode::Unaware);
    }
    EXPECT_TRUE(rig.changes().empty());

    // A body nobody found yet: the first guard to see it marks it and searches;
    // to the others it is then a marked body.
    const int fresh = addBody(world, offset(clearing, 60.0f, 3.0f));
    ASSERT_TRUE(session.runUntil(
        [&] {
            for (int guard : guards)
                if (rig.modeOf(guard) == GuardMode::Searching)
                    return true;
            return false;
        },
        30));
    EXPECT_EQ(world.entities.find(fresh)->decorators["KV_Drovil_discoveredBody"], 1);
    session.runFrames(60);
    int searching = 0;
    for (int guard : guards)
        searching += rig.modeOf(guard) == GuardMode::Searching ? 1 : 0;
    EXPECT_EQ(searching, 1);
    EXPECT_EQ(rig.changes().size(), 1u);
    const int finder = rig.changes()[0].ped;
    EXPECT_LT(flatDistance(rig.guard(finder)->lastPosition(), world.entities.find(fresh)->position), 0.01f);
    EXPECT_GE(world.tasks.progress(finder), 0) << "the finder searches around the body";
}

TEST(GuardAI, AGuardInCombatIgnoresEverything) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    GuardRig& rig = GuardRig::instance();
    setWeather(world, 12);
    const Vector3 playerAt = offset(clearing, 0.0f, 20.0f);
    placePlayer(world, playerAt);
    const int guard = rig.addGuard(world, clearing, 0.0f);
    ASSERT_TRUE(session.runUntil([&] { return rig.modeOf(guard) == GuardMode::Combat; }, 5));

    drovil::GuardAI* ai = rig.guard(guard);
    const drovil::AsyncPedTask* taskBefore = ai->currentTask();
    auto& dispatch = session.host().dispatch();
    const auto eventsAsked = dispatch.totalCalls(decl::perception::newestEventType::hash);
    const auto rangesGiven = dispatch.totalCalls(decl::perception::setSeeingRange::hash);
    const auto noiseAsked = dispatch.totalCalls(decl::perception::playerNoise::hash);

    // Hidden, a gunman firing past it, a body at its feet, footsteps close by.
    world.perception.addFoliage(world.playerPed().position, 40.0f, tallGrass);
    const int gunman = addPed(world, offset(clearing, 90.0f, 15.0f));
    world.combat.shootTowards(world, gunman, offset(clearing, 0.0f, 1.0f));
    const int body = addBody(world, offset(clearing, 180.0f, 3.0f));
    circlePlayer(session, world.playerPed().position, 2.0f, 3.5f, 60);

    EXPECT_EQ(ai->getMode(), GuardMode::Combat);
    EXPECT_EQ(rig.changes().size(), 1u);
    EXPECT_EQ(world.entities.find(body)->decorators.count("KV_Drovil_discoveredBody"), 0u);
    EXPECT_EQ(ai->currentTask(), taskBefore);
    EXPECT_EQ(dispatch.totalCalls(decl::perception::newestEventType::hash), eventsAsked);
    EXPECT_EQ(dispatch.totalCalls(decl::perception::setSeeingRange::hash), rangesGiven);
    EXPECT_EQ(dispatch.totalCalls(decl::perception::playerNoise::hash), noiseAsked);
}

TEST(GuardAI, ACrouchedPlayerAtNightGetsMuchCloserThanAStandingOneByDay) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    GuardRig& rig = GuardRig::instance();

    // By day, standing, walking straight at the guard.
    setWeather(world, 12, 2.0f);
    const int dayGuard = rig.addGuard(world, clearing, 0.0f);
    placePlayer(world, offset(clearing, 0.0f, 80.0f));
    ASSERT_TRUE(movePlayer(
        session, clearing, 1.4f, [&] { return rig.modeOf(dayGuard) != GuardMode::Unaware; }, 3000));
    const float dayDistance = flatDistance(world.playerPed().position, clearing);
    world.entities.remove(dayGuard);

    // At night, crouched, through sparse grass round a guard elsewhere.
    setWeather(world, 23, 2.0f);
    const Vector3 nightCamp = offset(clearing, 90.0f, 600.0f);
    world.perception.addFoliage(nightCamp, 80.0f, sparseGrass);
    const int nightGuard = rig.addGuard(world, nightCamp, 0.0f);
    placePlayer(world, offset(nightCamp, 0.0f, 60.0f));
    world.perception.setCrouching(player(world), true);
    ASSERT_TRUE(movePlayer(
        session, nightCamp, 1.0f, [&] { return rig.modeOf(nightGuard) != GuardMode::Unaware; }, 3000));
    const float nightDistance = flatDistance(world.playerPed().position, nightCamp);

    EXPECT_GE(dayDistance, 40.0f) << "seen well before reaching the camp by day";
    EXPECT_LE(nightDistance, 8.0f) << "a stalker at night gets close";
    EXPECT_LT(nightDistance * 4.0f, dayDistance);
}
