// Start-up as the player and the log see it: banner, data files, decorators,
// failures and the debug-tools switch.
#include "support/game.h"
#include "drovil_version.h"

#include "runtime/data_files.h"
#include "runtime/startup_objects.h"

#include <gtest/gtest.h>

#include <stdexcept>

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
    const int lang = findLog(log, "loading data file: Drovil/Lang.dat");
    const int meta = findLog(log, "loading data file: Drovil/GeneralMeta.dat");
    const int ai = findLog(log, "loading data file: Drovil/AI.dat");
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
    options.removeFiles = {"Lang.dat"};
    sim::Session session(options);
    session.runFrames(20);

    EXPECT_TRUE(session.host().anyScriptFinished()) << "the script ends after a failed start-up";
    EXPECT_TRUE(session.hud().subtitleShown("Failed to load Drovil, please check the logs for more info."));
    EXPECT_TRUE(session.world().registeredDecorators.empty());
    EXPECT_TRUE(session.logContains("unable to load from data file, please make sure it exists."));
    EXPECT_FALSE(session.logContains("loading data file: Drovil/GeneralMeta.dat"));
    EXPECT_FALSE(session.logContains("initialization complete"));
}

TEST(StartUp, CorruptAiFileFailsStartUp) {
    sim::SessionOptions options;
    options.writeFiles = {{"AI.dat", "guard.a=1\nnot a line\n"}};
    sim::Session session(options);
    session.runFrames(20);

    EXPECT_TRUE(session.logContains("data file 'Drovil/AI.dat' is corruped at line: 1"));
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

TEST(StartUp, MissingSettingsKeepsDefaults) {
    sim::SessionOptions options;
    options.removeFiles = {"Settings.ini"};
    sim::Session session(options);
    ASSERT_TRUE(startGame(session));
    EXPECT_TRUE(session.logContains("Unable to load from data file, please make sure it exists."));
}

// A frame step that throws once, as a malformed number read from a data file does.
namespace {
int throwingFrames = 0;
void readMalformedNumber() {
    if (throwingFrames > 0) {
        --throwingFrames;
        drovil::langFile().setString("broken.number", "twelve");
        (void)drovil::langFile().getInt("broken.number", -999);
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

TEST(DebugTools, F2TogglesOnlyWithDevTools) {
    sim::SessionOptions options;
    options.settingsLines = {"DevTools=1"};
    sim::Session session(options);
    ASSERT_TRUE(startGame(session));

    session.tapKey(keyF2);
    session.runFrames(1);
    EXPECT_EQ(session.hud().lastSubtitle(), "Debug tools ON");
    EXPECT_TRUE(session.world().player.debugProtection);
    // The debug frame draws the game's debug number in the corner.
    session.world().debugNumber = 4711;
    session.runFrames(1);
    EXPECT_TRUE(session.hud().textDrawn("4711"));

    session.tapKey(keyF2);
    session.runFrames(1);
    EXPECT_EQ(session.hud().lastSubtitle(), "Debug tools OFF");
    EXPECT_FALSE(session.world().player.debugProtection);
    EXPECT_EQ(session.world().player.debugResetCalls, 1);
    session.runFrames(1);
    EXPECT_FALSE(session.hud().textDrawn("4711"));
}

TEST(DebugTools, F2DoesNothingWithoutDevTools) {
    sim::Session session; // the shipped settings leave DevTools off
    ASSERT_TRUE(startGame(session));
    session.tapKey(keyF2);
    session.runFrames(5);
    EXPECT_FALSE(session.hud().subtitleShown("Debug tools ON"));
    EXPECT_FALSE(session.world().player.debugProtection);
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
    const auto& items = session.world().player.items;
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].item, 0xA64DAA5Eu);
    EXPECT_EQ(items[0].count, 5);
    EXPECT_EQ(items[2].count, 50);
    ASSERT_EQ(session.world().player.ammo.size(), 1u);
    EXPECT_EQ(session.world().player.ammo[0].item, sim::gameHash("AMMO_ARROW_DYNAMITE"));
    EXPECT_EQ(session.world().player.ammo[0].count, 10);
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
