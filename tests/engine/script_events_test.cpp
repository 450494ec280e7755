// Other scripts' orders to Drovil, sent through the game's send native by a
// second script, as another mod sends them. The game keeps an event for one
// frame: those sent while the plug-in waits inside its frame (the contract
// card's portrait, a shove) are kept and handled at the frame's end, in the
// order they came.
#include "engine/engine_support.h"
#include "support/game.h"
#include "support/other_script.h"
#include "support/script_thread.h"

#include "behaviour/hostage_task.h"
#include "behaviour/hostages.h"
#include "runtime/natives.h"
#include "scenarios/scenario_run.h"
#include "world/core/strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace enginetest;
using drovil::drovilEngine;
using drovil::MissionStatus;

namespace {

int logCount(const sim::Session& session, const std::string& text) {
    int count = 0;
    for (const std::string& line : test::logMessages(session))
        count += line.find(text) != std::string::npos ? 1 : 0;
    return count;
}

bool queuedNow(sim::World& world, const std::string& name) {
    for (const sim::QueuedGameEvent* event : world.gameEvents.queuedIn(1))
        if (!event->data.empty() && event->data[0] == static_cast<int>(sim::gameHash(name)))
            return true;
    return false;
}

} // namespace

TEST(GameEventQueue, AnEventSentThroughTheGameIsInTheNextFramesQueueOnly) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    test::startOtherScript(session);
    test::otherScriptSends("SOME_MODS_EVENT", {7, 8, 9});
    session.runFrames(1);
    ASSERT_EQ(test::otherScriptSentFrames().size(), 1u);
    EXPECT_FALSE(queuedNow(session.world(), "SOME_MODS_EVENT")) << "not in the frame it was sent in";
    session.runFrames(1);
    ASSERT_TRUE(queuedNow(session.world(), "SOME_MODS_EVENT"));
    const sim::QueuedGameEvent* event = session.world().gameEvents.queuedIn(1).front();
    EXPECT_EQ(event->type, sim::gameHash("EVENT_NETWORK_SCRIPT_EVENT"));
    EXPECT_EQ(std::vector<int>(event->data.begin() + 1, event->data.end()), (std::vector<int>{7, 8, 9}));
    session.runFrames(1);
    EXPECT_FALSE(queuedNow(session.world(), "SOME_MODS_EVENT")) << "gone a frame later";
}

// While the card's portrait is taken (the photo uploads for three seconds),
// another script aborts the new contract and, a frame later, starts one of
// its own in the same town: both arrive once the portrait is done, the abort
// first, so that the start is not refused for a contract still open.
TEST(EngineScriptEvents, OrdersSentWhileThePortraitIsTakenArriveInTheirOrder) {
    sim::SessionOptions options;
    options.writeFiles = {{"Savegame.dat", "next_mission_id=3\n"}};
    sim::Session session(options);
    useTestExecutors();
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    world.playerPed().position = drovil::Vector3(-5000.0f, -5000.0f, 50.0f);
    world.portraits.uploadFrames = 90;
    test::startOtherScript(session);
    const auto uploading = [&world] { return world.portraits.uploadInProgress(world.clock.frame); };
    test::otherScriptSends("DROVIL_ABORT_MISSION", {3}, uploading);
    test::otherScriptSends("DROVIL_START_MISSION", {valentine(), 0, 0}, uploading);

    acceptContract(session, valentine());
    // The frame goes on once the portrait is done (the accepted contract's
    // toast waits for its icon) and handles the events at its end.
    ASSERT_TRUE(session.runUntil(
        [&] { return session.logContains("DrovilEngine: received event: DROVIL_START_MISSION"); }, 300));
    session.runFrames(3);

    ASSERT_EQ(test::otherScriptSentFrames().size(), 2u);
    const sim::PortraitPhoto& photo = world.portraits.photos().back();
    for (std::uint64_t sent : test::otherScriptSentFrames())
        EXPECT_LT(sent + 1, photo.uploadedFrame) << "the event's one frame fell inside the portrait's wait";
    const std::vector<std::string> messages = test::logMessages(session);
    const int portraitDone = test::findLog(messages, "PedShot: finished with clone");
    const int abort = test::findLog(messages, "DrovilEngine: received event: DROVIL_ABORT_MISSION. id: 3");
    const int start = test::findLog(messages, "DrovilEngine: received event: DROVIL_START_MISSION");
    ASSERT_GE(portraitDone, 0);
    EXPECT_GT(abort, portraitDone) << "handled at the frame's end, after the wait";
    EXPECT_GT(start, abort) << "in the order they were sent";
    EXPECT_EQ(logCount(session, "received event: DROVIL_ABORT_MISSION"), 1);
    EXPECT_EQ(logCount(session, "received event: DROVIL_START_MISSION"), 1);
    EXPECT_TRUE(session.logContains("DrovilEngine: external mission created. area id: " +
                                    std::to_string(valentine()) + ", template: 0"));
    EXPECT_FALSE(session.logContains("cannot start a mission while another one is already in progress"));
    EXPECT_EQ(drovilEngine()->find(3), nullptr);
    EXPECT_EQ(savedInt(session, "Missions/3.dat", "status"), MissionStatus::Failed);
    EXPECT_EQ(savedInt(session, "Savegame.dat", "missions." + std::to_string(valentine())), -1);
    ASSERT_NE(drovilEngine()->find(0), nullptr);
    EXPECT_TRUE(drovilEngine()->find(0)->getMission()->isExternal);
}

// A shove holds the hostage system two seconds inside the frame: another
// script's start, sent in the frame of the shove, lives in the next frame
// only, which the plug-in spends waiting.
TEST(EngineScriptEvents, AStartSentWhileAShoveWaitsArrives) {
    sim::Session session;
    sim::ScenarioRun run(session, 100000, nullptr);
    useTestExecutors();
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    world.townsfolk.enabled = false;

    // An unarmed coward 3 m north, as an executor marks its peds.
    const drovil::Vector3 me = world.playerPed().position;
    sim::EntityRecord& man = world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_m_m_valtownfolk_01"),
                                                   drovil::Vector3(me.x, me.y + 3.0f, me.z), 180.0f);
    man.missionEntity = true;
    const int ped = man.id;
    world.weapons.remove(world, ped, sim::Weapons::revolver());
    world.traits.setAccuracy(ped, 100);
    test::runOnScriptThread(session,
                            [ped] { drovil::natives::decorator::setInt(drovil::Entity(ped), "KV_HOSTAGE_enabled", 1); });

    test::startOtherScript(session);
    const int player = world.player.pedId;
    test::otherScriptSends("DROVIL_START_MISSION", {valentine(), 0, 0}, [&world, player] {
        // The player's bump line: the plug-in shoves the man in this frame.
        for (const sim::SpokenLine& line : world.speech.linesOf(player))
            if (line.line == "BUMP_MALE_URGENT")
                return true;
        return false;
    });

    run.player().drawGun();
    run.player().aimAt(ped);
    ASSERT_TRUE(run.pressPrompt(run.lang("prompts.threaten"), 2000));
    ASSERT_TRUE(run.waitUntil(
        [&] {
            const drovil::HostageTask* task = drovil::hostages()->task();
            return task && task->state() == drovil::HostageState::Held;
        },
        4000));
    run.player().goToEntity(ped, sim::Gait::Walk, 0.3f);
    ASSERT_TRUE(run.waitUntil([] { return !test::otherScriptSentFrames().empty(); }, 6000));
    run.player().stop();
    run.wait(3000);

    EXPECT_EQ(logCount(session, "DrovilEngine: received event: DROVIL_START_MISSION"), 1);
    EXPECT_TRUE(session.logContains("DrovilEngine: external mission created. area id: " +
                                    std::to_string(valentine()) + ", template: 0"));
    ASSERT_NE(drovilEngine()->find(0), nullptr);
}
