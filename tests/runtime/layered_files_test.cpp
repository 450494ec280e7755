// The shipped defaults in Drovil/Defaults/ and the player's own files over
// them, as players have them: a file with the one line he changed, a file he
// damaged, the full files an install from before the defaults' folder keeps,
// and an install whose defaults are gone. Each is played or started as the
// game would, and judged by what the player, the files and the log show.
#include "drovil_version.h"
#include "runtime/data_files.h"
#include "runtime/settings.h"
#include "scenarios/scenario_run.h"
#include "scenarios/scenarios.h"
#include "session/scenario_session.h"
#include "support/game.h"
#include "support/key_value_edit.h"
#include "support/script_thread.h"
#include "ui/lang_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {
using namespace sim;

std::string shipped(const std::string& name) {
    std::ifstream in(std::string(DROVIL_DATA_DIR) + "/Defaults/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

// Every prompt text the player was shown while the game ran.
std::set<std::string>& promptsSeen(Session& session) {
    static std::set<std::string> seen;
    session.host().addFrameHook([&session] {
        for (const PromptRecord* prompt : session.world().prompts.visible())
            seen.insert(prompt->text);
    });
    return seen;
}

// drovil-sim started again on a game folder, as the player starts the game
// again: what its timeline shows.
std::string startAgain(const std::filesystem::path& folder) {
    const std::string command = std::string(DROVIL_SIM_COMMAND) + " --scenario idle --frames 30 --game-dir '" +
                                folder.string() + "' 2>&1";
    std::string output;
    std::FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t read = 0; pipe && (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, read);
    if (pipe)
        pclose(pipe);
    return output;
}

} // namespace

// A player's Settings.ini and Lang.dat holding only the line he changed: his
// line is in force, every other key keeps its default, and the first
// contract plays and pays at his price scale.
TEST(PlayersFiles, OnlyTheLineHeChangedAndEveryOtherKeyFromTheDefaults) {
    const ScenarioDefinition* scenario = findScenario("first-contract");
    SessionOptions options = scenarioOptions(*scenario, 7);
    options.aliveBounties = true; // the defaults as shipped, to compare his files with
    options.settingsLines = {"PricesScale=2.0"};
    options.writeFiles["Lang.dat"] = "prompts.quest_giver.accept=Take the job\n";
    Session session(options);
    const std::set<std::string>& prompts = promptsSeen(session);
    ScenarioRun run(session, 40000, nullptr);
    const ScenarioResult result = playScenario(*scenario, run);

    // The scenario's own check: paid the pending reward at the scale the files give.
    EXPECT_TRUE(result.success) << result.summary;
    EXPECT_NE(result.summary.find("bounty $55, paid $110.00"), std::string::npos) << result.summary;
    EXPECT_EQ(count(session.newLog(), "PaymentsService: payment collected: 110.000000"), 1);
    EXPECT_EQ(prompts.count("Take the job"), 1u) << "his text";
    EXPECT_EQ(prompts.count("Turn it down"), 1u) << "the default of a key he left out";
    EXPECT_EQ(prompts.count("Take the contract"), 0u);
    EXPECT_EQ(prompts.count("Collect reward"), 1u);

    const std::string log = session.newLog();
    EXPECT_NE(log.find("data file 'Drovil/Lang.dat' read over the defaults: 1 keys of its own, 70 of the 71 "
                       "defaults not in it"),
              std::string::npos);
    EXPECT_NE(log.find("Drovil/Settings.ini: PricesScale=2.0 differs from the default 1.0"), std::string::npos);
    EXPECT_NE(log.find("Drovil/Settings.ini: 1 of its 1 keys differ from the defaults"), std::string::npos);
    EXPECT_NE(log.find("Drovil/Lang.dat: prompts.quest_giver.accept=Take the job differs from the default Take "
                       "the contract"),
              std::string::npos);
    EXPECT_EQ(session.readFile("Settings.ini"), "\nPricesScale=2.0\n") << "never written by the game";
    EXPECT_EQ(session.readFile("Defaults/Settings.ini"), shipped("Settings.ini"));
}

// A player's file with a line that is not key=value: the game starts on the
// defaults of that file, and the log and the screen name the file and the line.
TEST(PlayersFiles, ADamagedOneIsLeftOutWithItsLineAndTheGameRunsOnTheDefaults) {
    SessionOptions options;
    options.aliveBounties = true; // the defaults as shipped, to compare his files with
    options.writeFiles["AI.dat"] = "guard.sight_range=5\nnot a line\n";
    options.writeFiles["Lang.dat"] = "menu.title=Mine\n\n=\n";
    options.writeFiles["GeneralMeta.dat"] = "contract.escape_distance=400\n";
    Session session(options);
    ASSERT_TRUE(test::startGame(session));
    EXPECT_FALSE(session.scriptStopped());
    const std::string log = session.newLog();
    EXPECT_NE(log.find("cannot parse line: not a line, please make sure it is assembled of the correct format "
                       "(<setting_name>=<settings_value>). (Drovil/AI.dat line 2, 10 bytes)"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("Drovil/AI.dat is left out: line 2 is not key=value, so none of its keys are read and the "
                       "defaults stand"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("Drovil/Lang.dat is left out: line 3 is not key=value"), std::string::npos) << log;
    EXPECT_NE(log.find("initialization complete"), std::string::npos);
    EXPECT_TRUE(session.hud().subtitleShown("Drovil: cannot read Drovil/Lang.dat (line 3), Drovil/AI.dat (line 2), "
                                            "the defaults are used instead. See Drovil/Log.log."))
        << session.hud().lastSubtitle();

    const int shippedSight = std::stoi(sim::parseKeyValues(shipped("AI.dat")).at("guard.sight_range"));
    test::runOnScriptThread(session, [&] {
        EXPECT_EQ(drovil::aiFile().getInt("guard.sight_range", -999), shippedSight) << "the default, not his 5";
        EXPECT_EQ(drovil::langText("menu.title"), "Contracts");
        // His file that loads is in force beside the damaged ones.
        EXPECT_FLOAT_EQ(drovil::generalMetaFile().getFloat("contract.escape_distance", -999.0f), 400.0f);
    });
}

// An install from before the defaults had their folder: full copies of every
// file in Drovil/, one value edited in each of two, and a text a later version
// added missing. Every value of his stands, the new text comes from the
// defaults, and the first start of the version names his keys that differ,
// once: the next start is quiet about them.
TEST(PlayersFiles, AnOldInstallWithFullFilesKeepsItsValuesAndNamesThemOncePerVersion) {
    SessionOptions options;
    options.aliveBounties = true; // the defaults as shipped, to compare his files with
    options.keepGameDir = true;
    options.writeFiles["Settings.ini"] = test::withValue(shipped("Settings.ini"), "PricesScale", "2.0");
    std::string lang = test::withValue(shipped("Lang.dat"), "menu.title", "My contracts");
    lang.erase(lang.find("menu.empty="), lang.find('\n', lang.find("menu.empty=")) - lang.find("menu.empty=") + 1);
    options.writeFiles["Lang.dat"] = lang;
    options.writeFiles["GeneralMeta.dat"] = shipped("GeneralMeta.dat");
    options.writeFiles["AI.dat"] = shipped("AI.dat");
    options.writeFiles["Version.dat"] = "version=0.0.9\n";
    Session session(options);
    ASSERT_TRUE(test::startGame(session));
    test::runOnScriptThread(session, [] {
        EXPECT_FLOAT_EQ(drovil::getSettingFloat("PricesScale"), 2.0f);
        EXPECT_EQ(drovil::langText("menu.title"), "My contracts");
        EXPECT_EQ(drovil::langText("menu.empty"), sim::parseKeyValues(shipped("Lang.dat")).at("menu.empty"));
    });
    const std::string log = session.newLog();
    for (const char* expected :
         {"first start of Drovil " DROVIL_VERSION " on this folder (the last was 0.0.9): the player's own files "
          "against the defaults",
          "Drovil/Settings.ini: PricesScale=2.0 differs from the default 1.0",
          "Drovil/Settings.ini: 1 of its 10 keys differ from the defaults; 9 only repeat them, and while they are in "
          "it a change of their default in a later version does not reach the game (remove those lines to have it)",
          "Drovil/Lang.dat: menu.title=My contracts differs from the default Contracts",
          "Drovil/Lang.dat: 1 of its 70 keys differ from the defaults; 69 only repeat them",
          "Drovil/AI.dat: 0 of its 13 keys differ from the defaults; 13 only repeat them"})
        EXPECT_NE(log.find(expected), std::string::npos) << expected << "\n" << log;
    EXPECT_EQ(count(log, "differs from the default"), 2) << log;
    EXPECT_EQ(session.readFile("Version.dat"), "version=" DROVIL_VERSION "\n");

    const std::string again = startAgain(session.gameDir());
    EXPECT_NE(again.find("initialization complete"), std::string::npos) << again;
    EXPECT_EQ(again.find("first start of Drovil"), std::string::npos) << again;
    EXPECT_EQ(again.find("differs from the default"), std::string::npos) << again;
    std::filesystem::remove_all(session.gameDir());
}

// The plug-in copied alone over such an install: no defaults' folder, and the
// game runs on the player's full files as it did before.
TEST(PlayersFiles, WithoutTheDefaultsFolderAnOldInstallRunsOnItsOwnFiles) {
    SessionOptions options;
    options.aliveBounties = true; // the defaults as shipped, to compare his files with
    for (const char* name : {"Settings.ini", "Lang.dat", "GeneralMeta.dat", "AI.dat"}) {
        options.writeFiles[name] = shipped(name);
        options.removeFiles.push_back(std::string("Defaults/") + name);
    }
    options.writeFiles["Lang.dat"] = test::withValue(shipped("Lang.dat"), "menu.title", "My contracts");
    Session session(options);
    ASSERT_TRUE(test::startGame(session));
    EXPECT_TRUE(session.logContains("Drovil/Defaults/Lang.dat is missing: only the player's own files are read; "
                                    "unpack Drovil again to bring the defaults back"));
    EXPECT_TRUE(session.logContains("Drovil/Defaults/AI.dat is missing"));
    test::runOnScriptThread(session, [] {
        EXPECT_EQ(drovil::langText("menu.title"), "My contracts");
        EXPECT_EQ(drovil::langText("prompts.threaten"), "Threaten");
    });
}
