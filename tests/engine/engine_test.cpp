// The contract engine as the player, the files and the log see it.
#include "engine/engine_support.h"
#include "support/game.h"

#include "engine/executor_factory.h"
#include "executors/executor_harness.h"
#include "runtime/data_files.h"
#include "runtime/frame_reads.h"
#include "world/area_ids.h"
#include "world/mission_data_files.h"
#include "world/quest_creator.h"
#include "world/core/strings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

using namespace enginetest;
using drovil::drovilEngine;
using drovil::MissionStatus;

namespace {

std::string slot(int areaId) { return "missions." + std::to_string(areaId); }

// Keeps the player far from every scene, so that a new mission is not blocked.
void sendPlayerAway(sim::Session& session) {
    session.world().playerPed().position = drovil::Vector3(-5000.0f, -5000.0f, 50.0f);
}

// Runs frames until a toast with this title is shown (its icon may take a while).
const sim::ToastShown* waitForToast(sim::Session& session, const std::string& title) {
    session.runUntil([&] {
        for (const auto& toast : session.hud().toasts)
            if (toast.title == title)
                return true;
        return false;
    }, 200);
    for (auto it = session.hud().toasts.rbegin(); it != session.hud().toasts.rend(); ++it)
        if (it->title == title)
            return &*it;
    return nullptr;
}

// Sends a script event and runs frames until the engine has logged `seen`. A
// game event lasts one frame: one that falls in a frame the script spends
// waiting for the game is sent again, as a script that got no answer would.
bool sendAndWait(sim::Session& session, const std::string& name, std::vector<int> values, const std::string& seen) {
    const std::size_t from = session.log().size();
    for (int frame = 0; frame < 300; ++frame) {
        if (session.log().find(seen, from) != std::string::npos)
            return true;
        sendScriptEvent(session, name, values);
        session.runFrames(1);
    }
    return session.log().find(seen, from) != std::string::npos;
}

const sim::ToastShown* lastToast(sim::Session& session) {
    const auto& toasts = session.hud().toasts;
    return toasts.empty() ? nullptr : &toasts.back();
}

int sentFinished(sim::Session& session, int index) {
    for (const auto& event : session.world().gameEvents.sent)
        if (!event.data.empty() && event.data[0] == static_cast<int>(sim::gameHash("DROVIL_MISSION_FINISHED")))
            return event.data.at(static_cast<std::size_t>(index));
    return -999;
}

struct EngineGame {
    explicit EngineGame(sim::SessionOptions options = {}) : session(std::move(options)) {
        useTestExecutors();
        EXPECT_TRUE(test::startGame(session));
    }
    drovil::MissionData* mission(int id) {
        auto* executor = drovilEngine()->find(id);
        return executor ? executor->getMission() : nullptr;
    }
    sim::Session session;
};

} // namespace

TEST(Engine, AnAcceptedOfferBecomesASavedRegisteredMissionWithToastAndCard) {
    EngineGame game;
    sendPlayerAway(game.session);
    acceptContract(game.session, valentine());
    game.session.runFrames(40);

    ASSERT_NE(game.mission(0), nullptr) << "the first mission gets id 0";
    EXPECT_EQ(game.mission(0)->areaId, valentine());
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", "next_mission_id"), 1);
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(valentine())), 0);
    ASSERT_TRUE(game.session.fileExists("Missions/0.dat"));
    EXPECT_EQ(savedInt(game.session, "Missions/0.dat", "areaId"), valentine());
    EXPECT_TRUE(game.session.logContains("DrovilEngine: contract accepted in area: " + std::to_string(valentine())));
    EXPECT_TRUE(game.session.logContains("DrovilEngine: mission created in area: " + std::to_string(valentine()) +
                                         ", mission id: 0"));

    const sim::ToastShown* toast = lastToast(game.session);
    ASSERT_NE(toast, nullptr);
    EXPECT_EQ(toast->title, drovil::langFile().getString("toast.generic_title"));
    EXPECT_EQ(toast->body, drovil::langFile().getString("toast.contract_accepted"));
    EXPECT_EQ(toast->textureHash, sim::gameHash("generic_photograph"));
    // The card comes out in the player's hands.
    EXPECT_NE(game.session.world().documents.held(game.session.world().player.pedId), nullptr);
}

TEST(Engine, SecondMissionTakesTheNextIdAndEveryMissionIsUpdatedEachFrame) {
    EngineGame game;
    sendPlayerAway(game.session);
    acceptContract(game.session, valentine());
    acceptContract(game.session, drovil::area_ids::asSigned(drovil::area_ids::Rhodes));
    game.session.runFrames(5);
    ASSERT_NE(game.mission(0), nullptr);
    ASSERT_NE(game.mission(1), nullptr);
    auto* first = static_cast<extest::TestExecutor*>(drovilEngine()->find(0));
    const int before = first->updates;
    game.session.runFrames(3);
    EXPECT_GE(first->updates, before + 2) << "a running executor is updated every frame";
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", "next_mission_id"), 2);
}

TEST(Engine, AnAbortEventFailsTheMissionWithoutReward) {
    EngineGame game;
    sendPlayerAway(game.session);
    acceptContract(game.session, valentine());
    game.session.runFrames(5);
    ASSERT_NE(game.mission(0), nullptr);
    const std::string pendingBefore = drovil::savegameFile().getString("pending_payment");

    EXPECT_TRUE(sendAndWait(game.session, "DROVIL_ABORT_MISSION", {0},
                            "DrovilEngine: received event: DROVIL_ABORT_MISSION. id: 0"));
    EXPECT_EQ(drovilEngine()->find(0), nullptr);
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(valentine())), -1);
    EXPECT_EQ(drovil::savegameFile().getString("pending_payment"), pendingBefore);
    EXPECT_EQ(sentFinished(game.session, 1), 0);
    EXPECT_EQ(sentFinished(game.session, 2), valentine());
    EXPECT_EQ(sentFinished(game.session, 3), MissionStatus::Failed);
    EXPECT_FALSE(game.session.world().missionFlag);
}

TEST(Engine, AnAbortForAnUnknownIdOnlyLogs) {
    EngineGame game;
    EXPECT_TRUE(sendAndWait(game.session, "DROVIL_ABORT_MISSION", {42},
                            "DrovilEngine: mission executor is not in the list and was not cleaned up properly: 42"));
    EXPECT_EQ(sentFinished(game.session, 1), -999);
}

TEST(Engine, ACompletedMissionPaysTheRewardWithAToast) {
    EngineGame game;
    sendPlayerAway(game.session);
    acceptContract(game.session, valentine());
    game.session.runFrames(5);
    ASSERT_NE(game.mission(0), nullptr);
    test::runOnScriptThread(game.session, [] {
        drovil::MissionData* mission = drovilEngine()->find(0)->getMission();
        mission->bounty = 55;
        mission->bonusesReward = 5;
        drovilEngine()->find(0)->setStatus(MissionStatus::Completed);
    });
    const sim::ToastShown* toast = waitForToast(game.session, drovil::langFile().getString("toast.contract_completed"));

    EXPECT_EQ(drovilEngine()->find(0), nullptr);
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", "pending_payment"), 60);
    EXPECT_EQ(savedInt(game.session, "Missions/0.dat", "status"), MissionStatus::Completed);
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(valentine())), -1);
    ASSERT_NE(toast, nullptr);
    EXPECT_NE(toast->body.find("$60.00"), std::string::npos) << toast->body;
    EXPECT_EQ(sentFinished(game.session, 3), MissionStatus::Completed);
}

TEST(Engine, ACompletedMissionWithBountyZeroPaysNothingAndShowsNoToast) {
    EngineGame game;
    sendPlayerAway(game.session);
    acceptContract(game.session, valentine());
    game.session.runFrames(5);
    ASSERT_NE(game.mission(0), nullptr);
    const std::size_t toastsBefore = game.session.hud().toasts.size();
    test::runOnScriptThread(game.session, [] {
        drovilEngine()->find(0)->getMission()->bounty = 0;
        drovilEngine()->find(0)->setStatus(MissionStatus::Completed);
    });
    game.session.runFrames(90); // longer than any toast's icon takes to load
    EXPECT_EQ(drovilEngine()->find(0), nullptr);
    EXPECT_EQ(game.session.hud().toasts.size(), toastsBefore);
    EXPECT_EQ(drovil::savegameFile().getFloat("pending_payment", 0.0f), 0.0f);
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(valentine())), -1);
}

TEST(Engine, AMissionAcceptedWithinItsSpawnDistanceStartsBlockedUntilThePlayerIsFarther) {
    sim::Session session;
    // The player stands on the scene when its executor is made.
    for (int setting = 0; setting <= 8; ++setting)
        drovil::overrideExecutorMaker(static_cast<drovil::SettingType>(setting), [&session](drovil::MissionData* m) {
            session.world().playerPed().position = m->coords;
            // Moved in the middle of the plug-in's frame, which the game never does.
            drovil::forgetFrameReads();
            return std::make_unique<extest::TestExecutor>(m, 0, 0);
        });
    ASSERT_TRUE(test::startGame(session));
    acceptContract(session, valentine());
    session.runFrames(3);
    auto* executor = drovilEngine()->find(0);
    ASSERT_NE(executor, nullptr);
    EXPECT_EQ(executor->getMission()->status, MissionStatus::Blocked);
    bool radiusZeroBlip = false;
    for (const auto& [id, blip] : session.world().blips.all())
        radiusZeroBlip = radiusZeroBlip || (blip.kind == sim::BlipKind::Radius && blip.radius == 0.0f);
    EXPECT_TRUE(radiusZeroBlip) << "a blocked mission shows a radius-0 blip";
    const int updatesWhileBlocked = static_cast<extest::TestExecutor*>(executor)->updates;

    sendPlayerAway(session);
    session.runUntil([&] { return executor->getMission()->status != MissionStatus::Blocked; }, 200);
    EXPECT_EQ(executor->getMission()->status, MissionStatus::Open) << "unblocked once the player is away";
    EXPECT_GT(static_cast<extest::TestExecutor*>(executor)->updates, updatesWhileBlocked);
}

TEST(Engine, ExternalStartsAreRefusedAsTheRulesSay) {
    EngineGame game;
    sendPlayerAway(game.session);
    // With nothing in play, a bad area and a bad template are refused.
    EXPECT_TRUE(sendAndWait(game.session, "DROVIL_START_MISSION", {12345, 0, 0},
                            "DrovilEngine: external mission - validation error: area id is not valid: 12345"));
    EXPECT_TRUE(sendAndWait(game.session, "DROVIL_START_MISSION", {valentine(), 9, 0},
                            "DrovilEngine: external mission - validation error: unrecognized template type: 9"));

    // An open mission refuses any external start.
    acceptContract(game.session, valentine());
    EXPECT_TRUE(sendAndWait(
        game.session, "DROVIL_START_MISSION", {valentine(), 0, 0},
        "DrovilEngine: external mission - cannot start a mission while another one is already in progress"));

    // Blocked, mission 0 no longer counts as in progress, but holds the id an
    // external mission would take.
    test::runOnScriptThread(game.session, [] { drovilEngine()->find(0)->block(true); });
    game.session.world().player.hasControl = false;
    EXPECT_TRUE(sendAndWait(
        game.session, "DROVIL_START_MISSION", {valentine(), 0, 0},
        "DrovilEngine: external mission - cannot start a mission: another external mission is already in progress"));
}

TEST(Engine, AnExternalMissionIsNeverSavedAndItsRewardIsKept) {
    EngineGame game;
    sendPlayerAway(game.session);
    const std::string saveBefore = game.session.readFile("Savegame.dat");
    EXPECT_TRUE(sendAndWait(game.session, "DROVIL_START_MISSION", {valentine(), 0, 77},
                            "DrovilEngine: external mission created."));
    ASSERT_NE(game.mission(0), nullptr);
    EXPECT_TRUE(game.mission(0)->isExternal);
    EXPECT_EQ(game.mission(0)->bounty, 77) << "the event's bounty replaces the generated one";
    EXPECT_TRUE(game.session.logContains("DrovilEngine: external mission created. area id: " +
                                         std::to_string(valentine()) + ", template: 0"));
    EXPECT_FALSE(game.session.fileExists("Missions/0.dat"));
    EXPECT_EQ(game.session.readFile("Savegame.dat"), saveBefore);

    test::runOnScriptThread(game.session, [] { drovilEngine()->find(0)->setStatus(MissionStatus::Completed); });
    game.session.runFrames(3);
    EXPECT_FALSE(game.session.fileExists("Missions/0.dat"));
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(valentine())), -999);
    EXPECT_GE(savedInt(game.session, "Savegame.dat", "pending_payment"), 77) << "the reward survives a restart";
}

TEST(Engine, AMissionWithoutAnExecutorIsLoggedAndKeptInItsSlot) {
    sim::SessionOptions options;
    const std::string key = slot(valentine());
    options.writeFiles = {{"Savegame.dat", "next_mission_id=6\npending_payment=0\n" + key + "=5\n"},
                          {"Missions/5.dat", "areaId=" + std::to_string(valentine()) +
                                                 "\nid=5\nsettingId=3\nstatus=0\ncoords=0,0,0\nblipCoords=0,0,0\n"}};
    sim::Session session(options); // no test executors: the House setting has none
    ASSERT_TRUE(test::startGame(session));
    EXPECT_TRUE(session.logContains("DrovilEngine: missing mission executor for setting type: 3"));
    EXPECT_TRUE(session.logContains("DrovilEngine: failed to create a mission executor for mission: 5"));
    EXPECT_TRUE(session.logContains("DrovilEngine: loaded 0 missions successfuly"));
    EXPECT_EQ(savedInt(session, "Savegame.dat", key), 5);
}

TEST(EngineRestart, AGameRestartRestoresExactlyTheMissionsInPlay) {
    const char* phase = std::getenv("DROVIL_RESTART_GAME_DIR");
    if (phase) {
        // Second launch: a new process on the same Drovil/ folder.
        sim::SessionOptions options;
        options.reuseGameDir = phase;
        EngineGame game(options);
        const std::string log = game.session.newLog();
        EXPECT_NE(log.find("DrovilEngine: mission loaded. id: 0"), std::string::npos);
        EXPECT_EQ(log.find("DrovilEngine: mission loaded. id: 1"), std::string::npos);
        EXPECT_NE(log.find("DrovilEngine: loaded 1 missions successfuly"), std::string::npos);
        ASSERT_NE(game.mission(0), nullptr);
        EXPECT_EQ(game.mission(1), nullptr);
        EXPECT_EQ(game.mission(0)->areaId, valentine());
        return;
    }
    sim::SessionOptions options;
    options.keepGameDir = true;
    EngineGame game(options);
    sendPlayerAway(game.session);
    acceptContract(game.session, valentine());
    acceptContract(game.session, drovil::area_ids::asSigned(drovil::area_ids::Rhodes));
    game.session.runFrames(3);
    EXPECT_TRUE(sendAndWait(game.session, "DROVIL_ABORT_MISSION", {1}, "DROVIL_ABORT_MISSION. id: 1"));
    ASSERT_NE(game.mission(0), nullptr);
    ASSERT_EQ(game.mission(1), nullptr);

    const std::string dir = game.session.gameDir().string();
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string command = "DROVIL_RESTART_GAME_DIR='" + dir + "' '" + self +
                                "' --gtest_filter=EngineRestart.AGameRestartRestoresExactlyTheMissionsInPlay";
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << "the second launch's checks failed; its game folder is kept: " << dir;
    if (status == 0) {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
}

// --- Save slots by map area ---

namespace {
constexpr int annesburg = 0x00704B67;
constexpr int vanHorn = 0x7EBD16BD; // a town of the Annesburg area with a zone of its own

// A record of the area with every key a restored mission needs.
std::string missionText(int id, int areaId, int status = 0) {
    return "id=" + std::to_string(id) + "\nareaId=" + std::to_string(areaId) + "\nsettingId=0\ntemplateId=0\nstatus=" +
           std::to_string(status) + "\nbounty=50\nbonusesReward=0\ncoords=2904.37,1248.81,44.8745\n"
           "blipCoords=2904.37,1248.81,44.8745\nblipRadius=90\nspawnDistance=250\nmissionAreaRadius=270\n";
}
} // namespace

TEST(EngineSlots, AnOfferInAnOutlyingTownIsKeptInItsAreasSlotAndStopsOffersThere) {
    EngineGame game;
    sendPlayerAway(game.session);
    acceptContract(game.session, vanHorn);
    game.session.runFrames(5);
    drovil::MissionData* mission = game.mission(0);
    ASSERT_NE(mission, nullptr);
    EXPECT_EQ(mission->areaId, annesburg);
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(annesburg)), 0);
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(vanHorn)), -999) << "no slot under the town's zone";
    EXPECT_TRUE(game.session.logContains("DrovilEngine: mission created in area: " + std::to_string(annesburg)));

    // In Van Horn, on a street spot of the area, with a passer-by at hand: no
    // offer while the area's mission is in play.
    sim::World& world = game.session.world();
    world.townsfolk.enabled = false;
    const drovil::Vector3 street(2935.2f, 569.433f, 44.8467f);
    world.playerPed().position = street;
    world.townsfolk.spawn(world, drovil::Vector3(street.x + 4.0f, street.y, street.z),
                          sim::gameHash("a_m_m_valtownfolk_01"));
    game.session.runFrames(60);
    EXPECT_FALSE(game.session.logContains("quest offer triggered")) << "its area has a mission in play";

    // The mission over, the town offers contracts again.
    EXPECT_TRUE(sendAndWait(game.session, "DROVIL_ABORT_MISSION", {0}, "DROVIL_ABORT_MISSION. id: 0"));
    test::runOnScriptThread(game.session, [] { drovil::questCreator()->setNextOffer(0); });
    world.playerPed().position = street;
    world.townsfolk.spawn(world, drovil::Vector3(street.x + 4.0f, street.y, street.z),
                          sim::gameHash("a_m_m_valtownfolk_01"));
    EXPECT_TRUE(game.session.runUntil([&] { return game.session.logContains("quest offer triggered"); }, 120));
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(annesburg)), -1);
}

TEST(EngineSlots, AnOldSaveUnderATownsZoneIsMovedToItsAreaOnceAndRestored) {
    sim::SessionOptions options;
    options.writeFiles = {{"Savegame.dat", "next_mission_id=6\npending_payment=0\n" + slot(vanHorn) + "=5\n"},
                          {"Missions/5.dat", missionText(5, annesburg)}};
    EngineGame game(options);
    EXPECT_TRUE(game.session.logContains("DrovilEngine: save slot " + slot(vanHorn) + " moved to " + slot(annesburg)));
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(annesburg)), 5);
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(vanHorn)), -999);
    ASSERT_NE(game.mission(5), nullptr) << "restored, not lost";
    EXPECT_TRUE(game.session.logContains("DrovilEngine: loaded 1 missions successfuly"));
}

TEST(EngineSlots, AnOldTownSlotBesideAnotherMissionOfItsAreaIsKeptAndOnlyItsOwnSlotCleared) {
    sim::SessionOptions options;
    options.writeFiles = {{"Savegame.dat", "next_mission_id=6\npending_payment=0\n" + slot(annesburg) + "=4\n" +
                                               slot(vanHorn) + "=5\n"},
                          {"Missions/4.dat", missionText(4, annesburg)},
                          {"Missions/5.dat", missionText(5, annesburg)}};
    EngineGame game(options);
    sendPlayerAway(game.session);
    EXPECT_TRUE(game.session.logContains("DrovilEngine: save slot " + slot(vanHorn) + " is kept: " +
                                         slot(annesburg) + " holds mission 4"));
    ASSERT_NE(game.mission(4), nullptr);
    ASSERT_NE(game.mission(5), nullptr);

    test::runOnScriptThread(game.session, [] { drovilEngine()->find(5)->setStatus(MissionStatus::Failed); });
    game.session.runFrames(3);
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(annesburg)), 4) << "the other mission stays in play";
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(vanHorn)), -999);
    ASSERT_NE(game.mission(4), nullptr);
}

// --- Mission ids ---

TEST(EngineIds, AnOfferAcceptedWhileAnExternalMissionRunsGetsAnIdOfItsOwn) {
    EngineGame game;
    sendPlayerAway(game.session);
    ASSERT_TRUE(sendAndWait(game.session, "DROVIL_START_MISSION", {valentine(), 0, 0},
                            "DrovilEngine: external mission created."));
    auto* external = drovilEngine()->find(0);
    ASSERT_NE(external, nullptr);
    ASSERT_TRUE(external->getMission()->isExternal);

    acceptContract(game.session, drovil::area_ids::asSigned(drovil::area_ids::Rhodes));
    game.session.runFrames(3);
    EXPECT_EQ(drovilEngine()->find(0), external) << "the external mission keeps id 0";
    ASSERT_NE(game.mission(1), nullptr);
    EXPECT_FALSE(game.mission(1)->isExternal);
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", "next_mission_id"), 2);
    EXPECT_EQ(drovilEngine()->missionsInPlay(), 2u);

    // Each ends as itself.
    EXPECT_TRUE(sendAndWait(game.session, "DROVIL_ABORT_MISSION", {0}, "DrovilEngine: mission terminated: 0"));
    EXPECT_NE(game.mission(1), nullptr);
}

TEST(EngineIds, TheLastIdGoesOnFromZeroAndANegativeOneIsNeverUsed) {
    sim::SessionOptions options;
    options.writeFiles = {{"Savegame.dat", "next_mission_id=2147483647\n"}};
    EngineGame game(options);
    sendPlayerAway(game.session);
    acceptContract(game.session, valentine());
    game.session.runFrames(3);
    ASSERT_NE(game.mission(2147483647), nullptr);
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", "next_mission_id"), 0);
    acceptContract(game.session, drovil::area_ids::asSigned(drovil::area_ids::Rhodes));
    game.session.runFrames(3);
    EXPECT_NE(game.mission(0), nullptr);

    test::runOnScriptThread(game.session, [] { drovil::savegameFile().setInt("next_mission_id", -5); });
    acceptContract(game.session, drovil::area_ids::asSigned(drovil::area_ids::Blackwater));
    game.session.runFrames(3);
    EXPECT_NE(game.mission(1), nullptr) << "from 0 on, past the ids in play";
    EXPECT_TRUE(game.session.logContains("DrovilEngine: next_mission_id is negative (-5), ids go on from 0"));
}

TEST(EngineIds, AnAbortedMissionsFileSaysFailed) {
    EngineGame game;
    sendPlayerAway(game.session);
    acceptContract(game.session, valentine());
    game.session.runFrames(3);
    ASSERT_NE(game.mission(0), nullptr);
    EXPECT_EQ(savedInt(game.session, "Missions/0.dat", "status"), MissionStatus::Open);
    EXPECT_TRUE(sendAndWait(game.session, "DROVIL_ABORT_MISSION", {0}, "DrovilEngine: mission terminated: 0"));
    EXPECT_EQ(savedInt(game.session, "Missions/0.dat", "status"), MissionStatus::Failed);
}

TEST(EngineIds, AnEndedMissionIsLetGoButItsIdIsNeverGivenAgain) {
    EngineGame game;
    sendPlayerAway(game.session);
    acceptContract(game.session, valentine());
    game.session.runFrames(3);
    ASSERT_NE(game.mission(0), nullptr);
    ASSERT_TRUE(sendAndWait(game.session, "DROVIL_ABORT_MISSION", {0}, "DrovilEngine: mission terminated: 0"));
    game.session.runFrames(3);

    // A long game keeps no old contract in memory: asked again, it comes from its file.
    drovil::MissionData* reread = nullptr;
    test::runOnScriptThread(game.session, [&] { reread = drovil::MissionDataFiles::instance().loadMission(0); });
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->status, MissionStatus::Failed);
    EXPECT_EQ(reread->areaId, valentine());
    EXPECT_TRUE(game.session.logContains("MissionDataFiles: loading mission data from disk: 0"));

    // A save whose next id went back (copied from an older game) does not hand it out again.
    test::runOnScriptThread(game.session, [] {
        drovil::MissionDataFiles::instance().forget(0);
        drovil::savegameFile().setInt("next_mission_id", 0);
    });
    acceptContract(game.session, drovil::area_ids::asSigned(drovil::area_ids::Rhodes));
    game.session.runFrames(3);
    EXPECT_EQ(game.mission(0), nullptr);
    ASSERT_NE(game.mission(1), nullptr);
    EXPECT_EQ(savedInt(game.session, "Missions/0.dat", "status"), MissionStatus::Failed);
    EXPECT_EQ(savedInt(game.session, "Missions/0.dat", "areaId"), valentine());
}

// --- Restoring ---

TEST(EngineRestore, AMissionSavedBlockedStartsOpenAndRuns) {
    sim::SessionOptions options;
    options.writeFiles = {{"Savegame.dat", "next_mission_id=6\n" + slot(annesburg) + "=5\n"},
                          {"Missions/5.dat", missionText(5, annesburg, MissionStatus::Blocked)}};
    EngineGame game(options);
    sendPlayerAway(game.session);
    game.session.runFrames(30);
    ASSERT_NE(game.mission(5), nullptr);
    EXPECT_EQ(game.mission(5)->status, MissionStatus::Open);
    EXPECT_TRUE(game.session.logContains("DrovilEngine: mission 5 was saved blocked, it starts open"));
    EXPECT_LE(extest::logCount(game.session, "mission unblocked"), 1) << "not every frame";
    EXPECT_GT(static_cast<extest::TestExecutor*>(drovilEngine()->find(5))->updates, 20);
}

TEST(EngineRestore, AFileThatCannotBeRestoredIsSetAsideAndTheOthersAreRestored) {
    sim::SessionOptions options;
    const int rhodes = drovil::area_ids::asSigned(drovil::area_ids::Rhodes);
    options.writeFiles = {
        {"Savegame.dat", "next_mission_id=9\n" + slot(annesburg) + "=5\n" + slot(rhodes) + "=6\n" + slot(valentine()) +
                             "=7\n"},
        {"Missions/5.dat", "id=5\nthis is not a line\n"},         // does not load
        {"Missions/6.dat", missionText(6, rhodes) + "coords=abc\n"}, // no place for the scene
        {"Missions/7.dat", missionText(7, valentine())}};
    EngineGame game(options);
    ASSERT_NE(game.mission(7), nullptr);
    EXPECT_EQ(game.mission(5), nullptr);
    EXPECT_EQ(game.mission(6), nullptr);
    for (int id : {5, 6}) {
        const std::string file = "Missions/" + std::to_string(id) + ".dat";
        EXPECT_FALSE(game.session.fileExists(file)) << file;
        EXPECT_TRUE(game.session.fileExists(file + ".bad")) << "kept for the player: " << file;
        EXPECT_TRUE(game.session.logContains("MissionDataFiles: mission data file set aside: Drovil/" + file +
                                             " -> Drovil/" + file + ".bad"));
    }
    EXPECT_TRUE(game.session.logContains("DrovilEngine: mission 6 cannot be restored: no readable coords"));
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(annesburg)), -1);
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(rhodes)), -1);
    EXPECT_FALSE(game.session.logContains("Something wrong happened"));
}

// A save whose slots name contracts that have ended (a backup taken between
// two writes, a copied folder): none is played again, blocked or moved, even
// with the player starting next to its scene, and none pays a second time.
TEST(EngineRestore, AContractThatHasEndedNeverComesBackNorPaysAgain) {
    const int rhodes = drovil::area_ids::asSigned(drovil::area_ids::Rhodes);
    const int strawberry = drovil::area_ids::asSigned(drovil::area_ids::Strawberry);
    constexpr int bigValley = 0x3108C492; // a district of the Strawberry area
    const drovil::Vector3 scene(-312.085f, 830.793f, 119.576f); // Valentine's main street
    // Its scene on the street where the player starts.
    std::string completed = missionText(5, valentine(), MissionStatus::Completed);
    for (std::size_t at; (at = completed.find("2904.37,1248.81,44.8745")) != std::string::npos;)
        completed.replace(at, 23, "-312.085,830.793,119.576");
    sim::SessionOptions options;
    options.writeFiles = {
        {"Savegame.dat", "next_mission_id=11\npending_payment=0\n" + slot(valentine()) + "=5\n" + slot(vanHorn) +
                             "=6\n" + slot(annesburg) + "=8\n" + slot(rhodes) + "=7\n" + slot(strawberry) +
                             "=9\n" + slot(bigValley) + "=10\n"},
        {"Missions/5.dat", completed},
        // An old town slot naming a failed contract is not moved to its area.
        {"Missions/6.dat", missionText(6, annesburg, MissionStatus::Failed)},
        {"Missions/7.dat", missionText(7, rhodes)},
        {"Missions/8.dat", missionText(8, annesburg, MissionStatus::Completed)},
        // An area slot naming a completed contract does not hold back the
        // contract in play of its district's old slot.
        {"Missions/9.dat", missionText(9, strawberry, MissionStatus::Completed)},
        {"Missions/10.dat", missionText(10, strawberry)}};
    sim::Session session(options);
    useTestExecutors();
    session.world().playerPed().position = scene;
    ASSERT_TRUE(test::startGame(session));

    EXPECT_EQ(drovilEngine()->find(5), nullptr) << "no executor for a completed contract at the player's feet";
    EXPECT_EQ(drovilEngine()->find(6), nullptr);
    EXPECT_EQ(drovilEngine()->find(8), nullptr);
    EXPECT_EQ(drovilEngine()->find(9), nullptr);
    EXPECT_NE(drovilEngine()->find(7), nullptr) << "the contracts in play are restored";
    EXPECT_NE(drovilEngine()->find(10), nullptr);
    EXPECT_TRUE(session.logContains("DrovilEngine: loaded 2 missions successfuly"));
    EXPECT_FALSE(session.logContains("ContractExecutor [5]"));
    EXPECT_TRUE(session.logContains("DrovilEngine: mission 5 has already ended, save slot " + slot(valentine()) +
                                    " is cleared"));
    EXPECT_TRUE(session.logContains("DrovilEngine: save slot " + slot(vanHorn) +
                                    " is cleared: mission 6 has already ended"));
    EXPECT_FALSE(session.logContains(slot(vanHorn) + " moved to"));
    EXPECT_EQ(savedInt(session, "Savegame.dat", slot(valentine())), -1);
    EXPECT_EQ(savedInt(session, "Savegame.dat", slot(vanHorn)), -999);
    EXPECT_EQ(savedInt(session, "Savegame.dat", slot(annesburg)), -1);
    EXPECT_TRUE(session.logContains("DrovilEngine: save slot " + slot(bigValley) + " moved to " + slot(strawberry)));
    EXPECT_EQ(savedInt(session, "Savegame.dat", slot(strawberry)), 10);

    // The player plays on: he walks off and comes back, and whatever the
    // engine holds in play is played to its end.
    session.runFrames(10);
    sendPlayerAway(session);
    session.runFrames(10);
    session.world().playerPed().position = scene;
    session.runFrames(10);
    test::runOnScriptThread(session, [] {
        for (int id : {5, 6, 8, 9})
            if (auto* executor = drovilEngine()->find(id))
                executor->setStatus(MissionStatus::Completed);
    });
    session.runFrames(5);
    EXPECT_EQ(savedInt(session, "Savegame.dat", "pending_payment"), 0) << "paid once, long ago";
    EXPECT_EQ(savedInt(session, "Missions/5.dat", "status"), MissionStatus::Completed);
    EXPECT_EQ(savedInt(session, "Missions/6.dat", "status"), MissionStatus::Failed);
    EXPECT_EQ(session.world().gameEvents.countStartingWith(static_cast<int>(sim::gameHash("DROVIL_MISSION_FINISHED"))),
              0);
}

// --- Saves that fail ---

TEST(EngineSaves, ACompletionSavedWhileTheDiskFailsReachesTheDiskLaterInOrder) {
    EngineGame game;
    sendPlayerAway(game.session);
    acceptContract(game.session, valentine());
    game.session.runFrames(3);
    ASSERT_NE(game.mission(0), nullptr);
    const std::filesystem::path blocker = game.session.gameDir() / "Drovil" / "Savegame.dat.tmp";
    std::filesystem::create_directory(blocker);
    test::runOnScriptThread(game.session, [] {
        drovilEngine()->find(0)->getMission()->bounty = 60;
        drovilEngine()->find(0)->setStatus(MissionStatus::Completed);
    });
    game.session.runFrames(5);
    EXPECT_TRUE(game.session.hud().subtitleShown("Drovil cannot save its files, please check the logs for more info."));
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(valentine())), 0) << "the disk still has the old save";
    EXPECT_EQ(savedInt(game.session, "Missions/0.dat", "status"), MissionStatus::Open)
        << "the mission file waits for the save: it must not say ended while the save lacks the reward";

    std::filesystem::remove(blocker);
    ASSERT_TRUE(game.session.runUntil(
        [&] { return game.session.logContains("Drovil can save again: every file is saved"); }, 600));
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", "pending_payment"), 60);
    EXPECT_EQ(savedInt(game.session, "Savegame.dat", slot(valentine())), -1);
    EXPECT_EQ(savedInt(game.session, "Missions/0.dat", "status"), MissionStatus::Completed);
}

TEST(EngineRestore, AnErrorRestoringOneMissionLeavesTheOthersAndTheGameRunning) {
    sim::SessionOptions options;
    const int rhodes = drovil::area_ids::asSigned(drovil::area_ids::Rhodes);
    options.writeFiles = {{"Savegame.dat", "next_mission_id=9\n" + slot(rhodes) + "=6\n" + slot(valentine()) + "=7\n"},
                          {"Missions/6.dat", missionText(6, rhodes)},
                          {"Missions/7.dat", missionText(7, valentine())}};
    sim::Session session(options);
    // Whatever goes wrong building mission 6 (the camp setting here) stays with it.
    drovil::overrideExecutorMaker(drovil::SettingType::Camp,
                                  [](drovil::MissionData* mission) -> std::unique_ptr<drovil::BaseContractExecutor> {
                                      if (mission->id == 6)
                                          throw std::runtime_error("the scene's data is beyond repair");
                                      return std::make_unique<extest::TestExecutor>(mission, 0, 0);
                                  });
    ASSERT_TRUE(test::startGame(session)) << "start-up completes";
    EXPECT_TRUE(session.logContains("DrovilEngine: mission 6 could not be restored: the scene's data is beyond repair"));
    EXPECT_TRUE(session.fileExists("Missions/6.dat.bad"));
    EXPECT_NE(drovilEngine()->find(7), nullptr);
    EXPECT_EQ(drovilEngine()->find(6), nullptr);
    session.runFrames(10);
    EXPECT_FALSE(session.logContains("Something wrong happened"));
}

// Engaging a contract sets the game's one mission flag, and it stays up for as
// long as that contract is engaged, whatever happens to the others: another
// area's mission is held back (blocked) and stays so, its own change of status
// leaves the flag up, and so does its end. Only once no contract is engaged
// does the flag come down, and the held-back mission runs again.
TEST(Engine, AnEngagedContractHoldsBackAnotherAreasMissionForAsLongAsItIsEngaged) {
    EngineGame game;
    sendPlayerAway(game.session);
    acceptContract(game.session, valentine());
    acceptContract(game.session, drovil::area_ids::asSigned(drovil::area_ids::Rhodes));
    acceptContract(game.session, drovil::area_ids::asSigned(drovil::area_ids::Blackwater));
    game.session.runFrames(5);
    ASSERT_NE(game.mission(0), nullptr);
    ASSERT_NE(game.mission(1), nullptr);
    ASSERT_NE(game.mission(2), nullptr);

    test::runOnScriptThread(game.session,
                            [] { drovilEngine()->find(0)->setStatus(MissionStatus::Engaged); }, 1);
    EXPECT_TRUE(game.session.world().missionFlag) << "the engaged contract tells the game";
    game.session.runFrames(1);
    EXPECT_TRUE(game.session.logContains("ContractExecutor [1]: mission blocked"));
    EXPECT_TRUE(game.session.world().missionFlag) << "another mission's change leaves it up";
    game.session.runFrames(60);
    EXPECT_FALSE(game.session.logContains("ContractExecutor [1]: mission unblocked"));
    EXPECT_EQ(game.mission(1)->status, MissionStatus::Blocked);
    EXPECT_EQ(game.mission(2)->status, MissionStatus::Blocked);
    EXPECT_TRUE(game.session.world().missionFlag);

    // Another mission ends (abandoned): the engaged contract still holds the flag.
    EXPECT_TRUE(sendAndWait(game.session, "DROVIL_ABORT_MISSION", {2},
                            "DrovilEngine: received event: DROVIL_ABORT_MISSION. id: 2"));
    EXPECT_EQ(drovilEngine()->find(2), nullptr);
    EXPECT_TRUE(game.session.world().missionFlag) << "another mission's end leaves it up";
    game.session.runFrames(10);
    EXPECT_EQ(game.mission(1)->status, MissionStatus::Blocked);

    // The engaged contract fails: nothing is engaged any more, the flag comes
    // down and the held-back mission is taken up again.
    test::runOnScriptThread(game.session, [] { drovilEngine()->find(0)->setStatus(MissionStatus::Failed); });
    EXPECT_FALSE(game.session.world().missionFlag);
    ASSERT_TRUE(game.session.runUntil(
        [&] { return game.session.logContains("ContractExecutor [1]: mission unblocked"); }, 10));
    EXPECT_EQ(game.mission(1)->status, MissionStatus::Open);
    EXPECT_FALSE(game.session.world().missionFlag);
}

// With no other mission about, the flag stays up for as long as the contract
// is engaged, and completing it takes the flag down whoever else had set it: a
// story mission's flag goes with it.
TEST(Engine, AnEngagedContractKeepsTheFlagUpAndItsEndTakesItDown) {
    EngineGame game;
    sendPlayerAway(game.session);
    acceptContract(game.session, valentine());
    game.session.runFrames(5);
    ASSERT_NE(game.mission(0), nullptr);
    test::runOnScriptThread(game.session, [] { drovilEngine()->find(0)->setStatus(MissionStatus::Engaged); });
    game.session.runFrames(60);
    EXPECT_TRUE(game.session.world().missionFlag);

    game.session.world().missionFlag = true; // a story mission is on as well
    test::runOnScriptThread(game.session, [] { drovilEngine()->find(0)->setStatus(MissionStatus::Completed); });
    game.session.runFrames(2);
    EXPECT_FALSE(game.session.world().missionFlag);
}

// The script event's size is counted in the game's 8-byte slots: for the four
// 32-bit values of DROVIL_MISSION_FINISHED the game reads 32 bytes, twice the
// block the plug-in passes.
TEST(Engine, TheFinishedEventBlockHoldsAllTheGameReads) {
    EngineGame game;
    sendPlayerAway(game.session);
    acceptContract(game.session, valentine());
    game.session.runFrames(5);
    test::runOnScriptThread(game.session, [] { drovilEngine()->find(0)->setStatus(MissionStatus::Failed); });
    const auto finished = static_cast<int>(sim::gameHash("DROVIL_MISSION_FINISHED"));
    const sim::SentGameEvent* sent = nullptr;
    for (const auto& event : game.session.world().gameEvents.sent)
        if (!event.data.empty() && event.data[0] == finished)
            sent = &event;
    ASSERT_NE(sent, nullptr);
    // Four packed values, as other scripts read them; the game copies four
    // 8-byte slots, all of them the engine's: the four values, then zeros.
    EXPECT_EQ(sent->size, 4);
    EXPECT_EQ(sent->bytesTheGameReads(), 32);
    ASSERT_EQ(sent->data.size() * sizeof(std::int32_t), 32u);
    EXPECT_EQ(sent->data[1], 0);
    EXPECT_EQ(sent->data[2], static_cast<int>(valentine()));
    EXPECT_EQ(sent->data[3], static_cast<int>(MissionStatus::Failed));
    for (std::size_t i = 4; i < sent->data.size(); ++i)
        EXPECT_EQ(sent->data[i], 0) << "value " << i;
}
