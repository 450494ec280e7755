// The debug tools' contract keys as the tester at the keyboard sees them: Z
// shows a generated contract on the card and leaves the game's files alone, X
// releases the nearest area's blocked mission, K puts an outlaw in front of the
// player unless the player is aiming at or locked on to someone.
#include "engine/engine_support.h"
#include "support/game.h"

#include "engine/executor_factory.h"
#include "executors/executor_harness.h"
#include "runtime/data_files.h"
#include "ui/contract_viewer.h"
#include "world/area_ids.h"
#include "world/core/strings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace enginetest;
using drovil::drovilEngine;
using drovil::MissionStatus;

namespace {

constexpr unsigned keyZ = 90;
constexpr unsigned keyX = 88;
constexpr unsigned keyK = 75;
const char* criminalModel = "G_M_M_UniCriminals_01";

sim::SessionOptions devToolsOptions() {
    sim::SessionOptions options;
    options.settingsLines = {"DevTools=1"};
    return options;
}

// The game with DevTools set; the town's own crowd is kept away, so that no
// quest offer comes in between.
struct DebugGame {
    DebugGame() : session(devToolsOptions()) { session.world().townsfolk.enabled = false; }
    // A frame may still be waiting for the game when the key comes: the key
    // counts for 100 ms, a few frames.
    void switchDebugToolsOn() {
        session.tapKey(test::keyF2);
        ASSERT_TRUE(session.runUntil([&] { return session.hud().subtitleShown("Debug tools ON"); }, 3));
    }
    bool flipOffered() {
        const auto& flags = session.world().playerPed().blackboard;
        auto flag = flags.find(sim::Documents::flipFlag);
        return flag != flags.end() && flag->second;
    }
    const sim::HeldDocument* heldCard() {
        return session.world().documents.held(session.world().player.pedId);
    }
    std::vector<const sim::EntityRecord*> criminals() {
        std::vector<const sim::EntityRecord*> found;
        for (const auto& [id, record] : session.world().entities.all())
            if (record.model == sim::gameHash(criminalModel))
                found.push_back(&record);
        return found;
    }
    sim::Session session;
};

std::string missionFilesListing(const sim::Session& session) {
    const std::filesystem::path dir = session.gameDir() / "Drovil" / "Missions";
    std::string listing;
    if (std::filesystem::exists(dir))
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            listing += entry.path().filename().string() + " ";
    return listing;
}

const sim::DrawnText* textAt(const sim::Hud& hud, float x, float y) {
    for (const sim::DrawnText& drawn : hud.texts)
        if (std::abs(drawn.x - x) < 1e-4f && std::abs(drawn.y - y) < 1e-4f)
            return &drawn;
    return nullptr;
}

} // namespace

TEST(DebugContractKeys, ZShowsAGeneratedContractOnTheCardWithoutSavingOrRegisteringIt) {
    DebugGame game;
    ASSERT_TRUE(test::startGame(game.session));
    game.switchDebugToolsOn();
    const std::string saveBefore = game.session.readFile("Savegame.dat");
    const std::string filesBefore = missionFilesListing(game.session);

    game.session.tapKey(keyZ);
    // The card is taken out at once; flipping is offered once its portrait is done.
    ASSERT_TRUE(game.session.runUntil([&] { return game.flipOffered(); }, 600));
    ASSERT_NE(game.heldCard(), nullptr);

    // The card is for a mission 0 of the town the player stands in, with its
    // target's portrait on the front.
    const drovil::MissionData* shown = drovil::contractViewer()->record();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->id, 0);
    EXPECT_EQ(shown->areaId, valentine());
    const sim::PortraitPhoto* photo = game.session.world().portraits.photoIn(2, 1);
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->model, shown->targetModel);
    const sim::ObjectState* prop = game.session.world().objects.find(game.heldCard()->object);
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(prop->texture, sim::gameHash(sim::Portraits::nameOfSlot(2, 1)));

    // Flipped, its back tells the generated bounty.
    ASSERT_TRUE(game.session.runUntil(
        [&] { return game.heldCard() && game.heldCard()->phase == sim::InspectionPhase::Held; }, 200));
    ASSERT_TRUE(sim::flipHeldDocument(game.session.world()));
    game.session.runFrames(1);
    const sim::DrawnText* reward = textAt(game.session.hud(), 0.59f, 0.58f);
    ASSERT_NE(reward, nullptr);
    EXPECT_EQ(reward->text, test::cashText(shown->bounty * 100));

    // Nothing of it joins the game.
    game.session.runFrames(10);
    EXPECT_EQ(drovilEngine()->missionsInPlay(), 0u);
    EXPECT_EQ(drovilEngine()->find(0), nullptr);
    EXPECT_EQ(game.session.readFile("Savegame.dat"), saveBefore);
    EXPECT_EQ(missionFilesListing(game.session), filesBefore);
    EXPECT_FALSE(game.session.logContains("DrovilEngine: mission created"));
}

TEST(DebugContractKeys, XUnblocksTheBlockedMissionOfTheNearestArea) {
    DebugGame game;
    // The scene lies where the player stands in Valentine, so the mission
    // starts blocked and the engine alone would keep it so.
    const drovil::Vector3 player = game.session.world().playerPed().position;
    for (int setting = 0; setting <= 8; ++setting)
        drovil::overrideExecutorMaker(static_cast<drovil::SettingType>(setting),
                                      [player](drovil::MissionData* m) {
                                          m->coords = player;
                                          m->blipCoords = player;
                                          return std::make_unique<extest::TestExecutor>(m, 0, 0);
                                      });
    ASSERT_TRUE(test::startGame(game.session));
    acceptContract(game.session, valentine());
    game.session.runFrames(3);
    drovil::BaseContractExecutor* executor = drovilEngine()->find(0);
    ASSERT_NE(executor, nullptr);
    ASSERT_EQ(executor->getMission()->status, MissionStatus::Blocked);
    ASSERT_EQ(savedInt(game.session, "Savegame.dat", "missions." + std::to_string(valentine())), 0);

    game.switchDebugToolsOn();
    game.session.runFrames(30);
    EXPECT_EQ(executor->getMission()->status, MissionStatus::Blocked) << "still within the spawn distance";

    game.session.tapKey(keyX);
    game.session.runFrames(2);
    EXPECT_EQ(executor->getMission()->status, MissionStatus::Open);
    EXPECT_TRUE(game.session.logContains("ContractExecutor [0]: mission unblocked"));
    EXPECT_EQ(drovilEngine()->find(0), executor) << "still the same mission in play";
}

TEST(DebugContractKeys, KSpawnsAnOutlawFiveMetresAheadWithoutHonourValue) {
    DebugGame game;
    ASSERT_TRUE(test::startGame(game.session));
    game.switchDebugToolsOn();
    sim::EntityRecord& player = game.session.world().playerPed();
    player.heading = 90.0f;
    const drovil::Vector3 at = player.position;
    const drovil::Vector3 forward = sim::forwardOf(90.0f);

    game.session.tapKey(keyK);
    ASSERT_TRUE(game.session.runUntil([&] { return !game.criminals().empty(); }, 120));
    ASSERT_EQ(game.criminals().size(), 1u);
    const sim::EntityRecord& criminal = *game.criminals().front();
    EXPECT_NEAR(criminal.position.x, at.x + 5.0f * forward.x, 0.01f);
    EXPECT_NEAR(criminal.position.y, at.y + 5.0f * forward.y, 0.01f);
    EXPECT_NEAR(criminal.position.z, at.z, 0.01f);
    ASSERT_EQ(criminal.decorators.count("honor_override"), 1u);
    EXPECT_EQ(criminal.decorators.at("honor_override"), 0);
    ASSERT_EQ(criminal.configFlags.count(6), 1u);
    EXPECT_TRUE(criminal.configFlags.at(6));
    EXPECT_TRUE(criminal.blocksNonTemporaryEvents);
}

TEST(DebugContractKeys, KDoesNothingWhileTargetingOrFreeAimingAtSomeone) {
    DebugGame game;
    ASSERT_TRUE(test::startGame(game.session));
    game.switchDebugToolsOn();
    sim::World& world = game.session.world();
    const drovil::Vector3 at = world.playerPed().position;
    const int bystander = world.entities
                              .create(sim::EntityKind::Ped, sim::gameHash("a_m_m_valtownfolk_01"),
                                      drovil::Vector3(at.x, at.y + 4.0f, at.z), 180.0f)
                              .id;

    // Focused on someone, unarmed: the bearing shows, K is swallowed.
    world.player.targetEntity = bystander;
    game.session.runFrames(1);
    EXPECT_TRUE(game.session.hud().textDrawn("bearing: "));
    game.session.tapKey(keyK);
    game.session.runFrames(60);
    EXPECT_TRUE(game.criminals().empty());

    // Free-aiming at someone: swallowed too.
    world.player.targetEntity = 0;
    world.player.freeAimEntity = bystander;
    game.session.tapKey(keyK);
    game.session.runFrames(60);
    EXPECT_TRUE(game.criminals().empty());

    // Free again, the same key spawns him.
    world.player.freeAimEntity = 0;
    game.session.tapKey(keyK);
    EXPECT_TRUE(game.session.runUntil([&] { return !game.criminals().empty(); }, 120));
}

namespace {

TEST(DebugContractKeys, F3BuildsACampAheadOfThePlayerAndTheNextF3ClearsItAway) {
    DebugGame game;
    ASSERT_TRUE(test::startGame(game.session));
    game.switchDebugToolsOn();
    // Out of town on the road east of Valentine, facing east (heading 270).
    sim::World& world = game.session.world();
    const float x = 30.84f, y = 646.14f;
    world.playerPed().position = drovil::Vector3(x, y, world.geography.groundHeight(x, y));
    world.playerPed().heading = 270.0f;
    const std::size_t subtitlesBefore = game.session.hud().subtitles.total();
    game.session.tapKey(test::keyF3);
    ASSERT_TRUE(game.session.runUntil([&] { return game.session.logContains("mission set prepared"); }, 900))
        << "the camp is close enough to be built at once";
    game.session.runFrames(3);

    // The distance to the camp was shown, and the camp was built on the camp spot
    // nearest to a point 80 m ahead: nothing of it went to the engine or the files.
    ASSERT_GT(game.session.hud().subtitles.total(), subtitlesBefore);
    const std::string shown = game.session.hud().subtitles.numbered(subtitlesBefore).text;
    EXPECT_NE(shown.find('.'), std::string::npos) << shown;
    EXPECT_GT(std::stof(shown), 0.0f);
    ASSERT_EQ(world.propsets.all().size(), 1u);
    const sim::PlacedPropset& camp = world.propsets.all().begin()->second;
    const float dx = camp.position.x - x, dy = camp.position.y - y;
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), std::stof(shown), 1.0f);
    EXPECT_EQ(drovilEngine()->missionsInPlay(), 0u);
    EXPECT_EQ(missionFilesListing(game.session), "");

    // The second F3 ends it: with the debug tools on the propset is deleted.
    game.session.tapKey(test::keyF3);
    ASSERT_TRUE(game.session.runUntil(
        [&] { return world.propsets.all().begin()->second.fate == sim::PropsetFate::Deleted; }, 10));
    game.session.runFrames(10);
    EXPECT_EQ(world.propsets.all().size(), 1u) << "no second camp";
}

} // namespace
