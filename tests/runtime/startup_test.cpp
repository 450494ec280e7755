// Start-up as the player and the log see it: banner, data files, decorators,
// failures and the debug-tools switch.
#include "support/game.h"
#include "drovil_version.h"

#include "runtime/data_files.h"
#include "runtime/startup_objects.h"
#include "support/script_thread.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

using namespace test;

namespace {
const char* const expectedDecorators[] = {
    "KV_Drovil_isContractTarget",    "KV_Drovil_discoveredBody",          "KV_Drovil_seenByPlayer",
    "KV_Drovil_knockedOutTutorial", "KV_Drovil_prostituteInteractionStep", "KV_Drovil_isContractCard",
};
}

TEST(StartUp, WritesBannerLoadsFilesRegistersDecoratorsInOrder) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    const auto log = logMessages(session);

    ASSERT_FALSE(log.empty());
    EXPECT_NE(log[0].find("===="), std::string::npos) << "the banner opens the log";
    const int name = findLog(log, "Drovil " DROVIL_VERSION);
    const int attach = findLog(log, "Drovil/Log.log");
    ASSERT_GE(name, 0);
    ASSERT_GE(attach, 0);
    EXPECT_NE(log[name].find("(build "), std::string::npos) << "the banner names the build: " << log[name];

    // The data files load in their fixed order, after the settings.
    const int settings = findLog(log, "settings file loaded");
    const int lang = findLog(log, "loading data file: Drovil/Defaults/Lang.dat");
    const int meta = findLog(log, "loading data file: Drovil/Defaults/GeneralMeta.dat");
    const int ai = findLog(log, "loading data file: Drovil/Defaults/AI.dat");
    const int save = findLog(log, "loading data file: Drovil/Savegame.dat");
    const int flags = findLog(log, "loading data file: Drovil/TutorialFlags.dat");
    const int done = findLog(log, "initialization complete");
    EXPECT_LT(attach, settings);
    EXPECT_LT(settings, lang);
    EXPECT_LT(lang, meta);
    EXPECT_LT(meta, ai);
    EXPECT_LT(ai, save);
    EXPECT_LT(save, flags);
    EXPECT_LT(flags, done);

    const auto& registered = session.world().registeredDecorators;
    ASSERT_GE(registered.size(), std::size(expectedDecorators));
    for (std::size_t i = 0; i < std::size(expectedDecorators); ++i)
        EXPECT_EQ(registered[i], expectedDecorators[i]);
    EXPECT_FALSE(session.host().anyScriptFinished());
}

TEST(StartUp, MissingLangFailsBeforeAnythingElseAndTellsThePlayer) {
    sim::SessionOptions options;
    options.removeFiles = {"Defaults/Lang.dat"};
    sim::Session session(options);
    session.runFrames(20);

    EXPECT_TRUE(session.host().anyScriptFinished()) << "the script ends after a failed start-up";
    EXPECT_TRUE(session.hud().subtitleShown("Failed to load Drovil, please check the logs for more info."));
    EXPECT_TRUE(session.world().registeredDecorators.empty());
    EXPECT_TRUE(session.logContains("unable to load from data file, please make sure it exists."));
    EXPECT_FALSE(session.logContains("loading data file: Drovil/Defaults/GeneralMeta.dat"));
    EXPECT_FALSE(session.logContains("initialization complete"));
}

TEST(StartUp, CorruptDefaultsFailStartUp) {
    sim::SessionOptions options;
    options.writeFiles = {{"Defaults/AI.dat", "guard.a=1\nnot a line\n"}};
    sim::Session session(options);
    session.runFrames(20);

    EXPECT_TRUE(session.logContains("data file 'Drovil/Defaults/AI.dat' is corruped at line: 1"));
    EXPECT_TRUE(session.hud().subtitleShown("Failed to load Drovil, please check the logs for more info."));
    EXPECT_FALSE(session.logContains("loading data file: Drovil/Savegame.dat"));
}

TEST(StartUp, MissingTutorialFlagsIsNotAFailure) {
    sim::SessionOptions options;
    options.removeFiles = {"TutorialFlags.dat"};
    sim::Session session(options);
    ASSERT_TRUE(startGame(session));
    EXPECT_TRUE(session.logContains("TutorialFlags didn't load properly, continuing anyway."));
}

// The mod's folder is copied over an installed one on every update: it must
// not carry a save that would replace the player's.
TEST(StartUp, TheShippedFolderCarriesNoSaveAndAGameWithoutOneStartsEmpty) {
    EXPECT_FALSE(std::filesystem::exists(std::string(DROVIL_DATA_DIR) + "/Savegame.dat"));
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    EXPECT_FALSE(session.fileExists("Savegame.dat"));
    EXPECT_TRUE(session.logContains(
        "Savegame.dat not found: starting without saved contracts, it is written at the first save"));
    EXPECT_TRUE(session.logContains("DrovilEngine: loaded 0 missions successfuly"));
    // The first save writes it.
    test::runOnScriptThread(session, [] {
        drovil::savegameFile().setInt("next_mission_id", 1);
        drovil::savegameFile().save(false);
    });
    EXPECT_EQ(session.readFile("Savegame.dat"), "next_mission_id=1\n");
}

TEST(StartUp, ASaveThatIsThereButDoesNotLoadStopsStartUpAndIsKept) {
    sim::SessionOptions options;
    options.writeFiles = {{"Savegame.dat", "next_mission_id=4\nnot a line\n"}};
    sim::Session session(options);
    session.runFrames(20);
    EXPECT_TRUE(session.hud().subtitleShown("Failed to load Drovil, please check the logs for more info."));
    EXPECT_EQ(session.readFile("Savegame.dat"), "next_mission_id=4\nnot a line\n") << "never overwritten";
}

TEST(StartUp, MissingSettingsKeepsDefaults) {
    sim::SessionOptions options;
    options.removeFiles = {"Defaults/Settings.ini"};
    sim::Session session(options);
    ASSERT_TRUE(startGame(session));
    EXPECT_TRUE(session.logContains("Unable to load from data file, please make sure it exists."));
}

// A frame step that throws a standard error for as many frames as asked.
namespace {
int throwingFrames = 0;
void readMalformedNumber() {
    if (throwingFrames > 0) {
        --throwingFrames;
        (void)std::stoi("twelve");
    }
}
} // namespace

TEST(MainLoop, AnExceptionIsReportedAndTheNextFrameRunsNormally) {
    sim::SessionOptions options;
    options.settingsLines = {"DevTools=1"};
    sim::Session session(options);
    ASSERT_TRUE(startGame(session));
    drovil::addGuardedFrameStep(readMalformedNumber);

    throwingFrames = 1;
    session.runFrames(1);
    const auto log = logMessages(session);
    const int wrong = findLog(log, "Something wrong happened");
    ASSERT_GE(wrong, 0);
    ASSERT_LT(wrong + 1, static_cast<int>(log.size()));
    const std::string& fatal = log[wrong + 1];
    EXPECT_EQ(fatal.rfind("Fatal: ", 0), 0u) << fatal;
    EXPECT_NE(fatal.find("stoi"), std::string::npos) << "the conversion error's own text: " << fatal;
    EXPECT_NE(fatal.find(", check the logs for more info."), std::string::npos);
    EXPECT_EQ(session.hud().lastSubtitle(), fatal);

    // The loop goes on: the next frames raise nothing and the debug switch still works.
    session.runFrames(3);
    session.tapKey(keyF2);
    session.runFrames(1);
    EXPECT_EQ(session.hud().lastSubtitle(), "Debug tools ON");
    const auto after = logMessages(session);
    EXPECT_EQ(findLog(after, "Something wrong happened", wrong + 1), -1);
}

TEST(MainLoop, AnErrorRepeatedEveryFrameIsLoggedAtPowersOfTenAndShownEachTime) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    drovil::addGuardedFrameStep(readMalformedNumber);
    const std::size_t before = logMessages(session).size();
    throwingFrames = 1000;
    session.runFrames(1000);
    const auto log = logMessages(session);
    int reports = 0;
    for (std::size_t i = before; i < log.size(); ++i)
        reports += log[i] == "Something wrong happened" ? 1 : 0;
    EXPECT_EQ(reports, 4) << "the 1st, 10th, 100th and 1000th time";
    EXPECT_GE(findLog(log, "the same error as before, 1000 times in a row"), 0);
    EXPECT_EQ(session.hud().lastSubtitle().rfind("Fatal: ", 0), 0u);
    // Frames without an error end the row: the next error is logged at once.
    throwingFrames = 0;
    session.runFrames(2);
    EXPECT_EQ(findLog(logMessages(session), "Something wrong happened", static_cast<int>(log.size())), -1);
    throwingFrames = 1;
    session.runFrames(1);
    EXPECT_GE(findLog(logMessages(session), "Something wrong happened", static_cast<int>(log.size())), 0);
}

TEST(DebugTools, F2TogglesOnlyWithDevTools) {
    sim::SessionOptions options;
    options.settingsLines = {"DevTools=1"};
    sim::Session session(options);
    ASSERT_TRUE(startGame(session));

    session.tapKey(keyF2);
    session.runFrames(1);
    EXPECT_EQ(session.hud().lastSubtitle(), "Debug tools ON");
    EXPECT_TRUE(session.world().playerPed().invincible);
    // The debug frame draws in the corner whether the game can take persona
    // photographs (1 or 0).
    const auto overlay = [&session] {
        for (const sim::DrawnText& text : session.hud().texts)
            if (text.x == 0.0f && text.y == 0.0f)
                return text.text;
        return std::string("(none)");
    };
    session.runFrames(1);
    EXPECT_EQ(overlay(), "1");
    session.world().pedshotAvailable = false;
    session.runFrames(1);
    EXPECT_EQ(overlay(), "0");

    session.tapKey(keyF2);
    session.runFrames(1);
    EXPECT_EQ(session.hud().lastSubtitle(), "Debug tools OFF");
    EXPECT_FALSE(session.world().playerPed().invincible);
    // Turning the tools off caps the wanted level at the game's usual 5 again.
    EXPECT_EQ(session.world().player.maxWantedLevelSets, 1);
    EXPECT_EQ(session.world().player.maxWantedLevel, 5);
    session.runFrames(1);
    EXPECT_EQ(overlay(), "(none)");
}

TEST(DebugTools, F2DoesNothingWithoutDevTools) {
    sim::Session session; // the shipped settings leave DevTools off
    ASSERT_TRUE(startGame(session));
    session.tapKey(keyF2);
    session.runFrames(5);
    EXPECT_FALSE(session.hud().subtitleShown("Debug tools ON"));
    EXPECT_FALSE(session.world().playerPed().invincible);
}

TEST(DebugTools, F1GivesTheTestItems) {
    sim::SessionOptions options;
    options.settingsLines = {"DevTools=1"};
    sim::Session session(options);
    ASSERT_TRUE(startGame(session));
    session.tapKey(keyF2);
    session.runFrames(1);
    session.tapKey(keyF1);
    session.runFrames(1);
    // Dynamite, a bow and a Navy revolver with their ammunition, and dynamite arrows.
    sim::World& world = session.world();
    const sim::PedWeapons& carried = world.weapons.of(world, world.player.pedId);
    for (const char* weapon : {"WEAPON_THROWN_DYNAMITE", "WEAPON_BOW", "WEAPON_REVOLVER_NAVY"})
        EXPECT_TRUE(world.weapons.carries(world, world.player.pedId, sim::gameHash(weapon))) << weapon;
    ASSERT_EQ(carried.ammoForWeapon.size(), 3u);
    EXPECT_EQ(carried.ammoForWeapon.at(0xA64DAA5Eu), 5);
    EXPECT_EQ(carried.ammoForWeapon.at(0x88A8505Cu), 15);
    EXPECT_EQ(carried.ammoForWeapon.at(0x07E945C8u), 50);
    ASSERT_EQ(carried.ammoOfType.size(), 1u);
    EXPECT_EQ(carried.ammoOfType.at(sim::gameHash("AMMO_ARROW_DYNAMITE")), 10);
}

TEST(PluginEntry, DetachWithdrawsScriptAndKeyboardHandler) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    EXPECT_EQ(session.host().registeredScripts(), 1u);
    EXPECT_EQ(session.host().registeredKeyboardHandlers(), 1u);
    session.detach();
    EXPECT_EQ(session.host().registeredScripts(), 0u);
    EXPECT_EQ(session.host().registeredKeyboardHandlers(), 0u);
}
