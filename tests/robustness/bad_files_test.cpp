// Files damaged or edited by hand, as players, modders and translators leave
// them: the game never stops, no error comes back frame after frame, a bad
// value is named once (file, key, value), and no reward is paid twice. Each
// case plays a whole game: the first contract from the offer to the payment,
// or a restart with a contract already in play.
#include "support/key_value_edit.h"
#include "scenarios/contract_play.h"
#include "session/scenario_session.h"
#include "runtime/text_lines.h"
#include "support/game.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

namespace {
using namespace sim;

using test::withValue;

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

// One damaged folder: the file edited, the key, the value, and the log line
// that must name it exactly once ("" when the value is good).
struct BadFile {
    const char* file;
    const char* key;
    const char* value;
    const char* report;
};

std::ostream& operator<<(std::ostream& out, const BadFile& bad) {
    return out << bad.file << ": " << bad.key << "=" << bad.value;
}

std::string areaKey() {
    return "missions." + std::to_string(valentineAreaId());
}

// Applies the edit to the files of the folder (the shipped copy when the
// scenario writes none of its own).
void applyEdit(SessionOptions& options, const BadFile& bad) {
    const std::string file = bad.file;
    if (file == "Settings.ini") {
        options.settingsLines.push_back(std::string(bad.key) + "=" + bad.value);
        return;
    }
    auto existing = options.writeFiles.find(file);
    const std::string contents = existing != options.writeFiles.end() ? existing->second : shipped(file);
    const std::string key = std::string(bad.key) == "AREA" ? areaKey() : bad.key;
    options.writeFiles[file] = withValue(contents, key, bad.value);
}

void expectNamedOnceAndNoFrameErrors(const Session& session, const BadFile& bad) {
    const std::string log = session.newLog();
    EXPECT_FALSE(session.scriptStopped()) << "the plug-in stopped";
    EXPECT_EQ(log.find("Something wrong happened"), std::string::npos) << "an error reached the frame's guard";
    EXPECT_EQ(log.find("start-up failed"), std::string::npos);
    if (*bad.report) {
        const std::string report = std::string(bad.report);
        EXPECT_EQ(count(log, report), 1) << "reported once: " << report;
    }
}

// --- The first contract, from the offer to the payment ---

class FirstContractWith : public ::testing::TestWithParam<BadFile> {};

TEST_P(FirstContractWith, TheContractIsPlayedAndPaidOnce) {
    const BadFile& bad = GetParam();
    const ScenarioDefinition* scenario = findScenario("first-contract");
    SessionOptions options = scenarioOptions(*scenario, 7);
    applyEdit(options, bad);
    Session session(options);
    ScenarioRun run(session, 40000, nullptr);
    const ScenarioResult result = playScenario(*scenario, run);
    // The scenario's own check: the cash grew by the pending reward scaled as
    // the plug-in reads PricesScale, the mission ended completed, nothing left pending.
    EXPECT_TRUE(result.success) << result.summary;
    EXPECT_EQ(count(session.newLog(), "PaymentsService: payment collected"), 1);
    expectNamedOnceAndNoFrameErrors(session, bad);
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, FirstContractWith,
    ::testing::Values(
        BadFile{"Settings.ini", "DevTools", "yes",
                "Settings.ini: cannot read DevTools=yes (not a whole number), the default 0 is used"},
        BadFile{"Settings.ini", "PricesScale", "abc",
                "Settings.ini: cannot read PricesScale=abc (not a number), the default 1.0 is used"},
        BadFile{"Settings.ini", "PricesScale", "1,5", ""},
        BadFile{"Settings.ini", "PricesScale", "2=3",
                "cannot parse line: PricesScale=2=3, please make sure it is assembled of the correct format"},
        BadFile{"Settings.ini", "TargetRecognition", "yes",
                "Settings.ini: cannot read TargetRecognition=yes (not a whole number), the default 1 is used"},
        BadFile{"GeneralMeta.dat", "contract.escape_distance", "abc",
                "data file 'Drovil/GeneralMeta.dat': cannot read contract.escape_distance=abc (not a finite "
                "number), it is taken as absent"},
        BadFile{"AI.dat", "guard.sight_range", "fifty",
                "data file 'Drovil/AI.dat': cannot read guard.sight_range=fifty (not a whole number that fits), "
                "it is taken as absent"},
        BadFile{"Savegame.dat", "pending_payment", "abc",
                "data file 'Drovil/Savegame.dat': cannot read pending_payment=abc (not a finite number), it is "
                "taken as absent"},
        BadFile{"Savegame.dat", "next_mission_id", "abc", "cannot read next_mission_id=abc"}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return "Case" + std::to_string(info.index); });

// --- A restart with a camp contract in play: the game runs on ---

class ContractInPlayWith : public ::testing::TestWithParam<BadFile> {};

TEST_P(ContractInPlayWith, TheGameRunsOnWithoutAFrameError) {
    const BadFile& bad = GetParam();
    const ScenarioDefinition* scenario = findScenario("camp-stealth-night");
    SessionOptions options = scenarioOptions(*scenario, 1);
    applyEdit(options, bad);
    Session session(options);
    ASSERT_TRUE(test::startGame(session));
    session.runFrames(600);
    expectNamedOnceAndNoFrameErrors(session, bad);
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, ContractInPlayWith,
    ::testing::Values(
        BadFile{"Savegame.dat", "AREA", "abc",
                "data file 'Drovil/Savegame.dat': cannot read missions.459833523=abc (not a whole number that "
                "fits), it is taken as absent"},
        BadFile{"Savegame.dat", "AREA", "99999999999", "cannot read missions.459833523=99999999999"},
        BadFile{"Savegame.dat", "pending_payment", "1e40", "cannot read pending_payment=1e40"},
        BadFile{"Savegame.dat", "pending_payment", "nan", "cannot read pending_payment=nan"},
        BadFile{"Missions/0.dat", "coords", "1,2",
                "data file 'Drovil/Missions/0.dat': cannot read coords=1,2 (not a position x,y,z of three finite "
                "numbers), it is taken as absent"},
        BadFile{"Missions/0.dat", "coords", "abc,def,ghi", "cannot read coords=abc,def,ghi"},
        BadFile{"Missions/0.dat", "coords", "1e39,0,0", "cannot read coords=1e39,0,0"},
        BadFile{"Missions/0.dat", "status", "abc", "cannot read status=abc"},
        BadFile{"Missions/0.dat", "bounty", "99999999999", "cannot read bounty=99999999999"},
        BadFile{"GeneralMeta.dat", "contract.auto_detect.distance_threshold", "abc",
                "cannot read contract.auto_detect.distance_threshold=abc"},
        BadFile{"Settings.ini", "DisableGrizzlies", "no",
                "Settings.ini: cannot read DisableGrizzlies=no (not a whole number), the default 0 is used"},
        BadFile{"Settings.ini", "QuickContractCardAccess", "true",
                "Settings.ini: cannot read QuickContractCardAccess=true"},
        BadFile{"Settings.ini", "PriceScale", "2", "Settings.ini: unknown setting PriceScale=2, it is not used"}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return "Case" + std::to_string(info.index); });

// A line of a megabyte in any file the game reads (a file saved in the wrong
// format, a paste gone wrong): each is reported with its file, line number and
// length, quoting a few hundred bytes of it, and the game runs on.
TEST(BadFiles, AMegabyteLineInAnyFileTakesAFewHundredBytesOfTheLog) {
    const std::string huge(1 << 20, 'x');
    SessionOptions options;
    options.settingsLines = {huge, huge + "=1", "PricesScale=" + huge};
    options.writeFiles["Lang.dat"] = "menu.title=Mine\n" + huge + "\n";
    const std::string rhodesSlot = "missions." + std::to_string(static_cast<std::int32_t>(0x79FF6291u));
    options.writeFiles["TutorialFlags.dat"] = huge + "\n";
    options.writeFiles["Savegame.dat"] =
        "next_mission_id=1\nmissions." + std::to_string(valentineAreaId()) + "=0\n" + rhodesSlot + "=" + huge + "\n";
    options.writeFiles["Missions/0.dat"] = "id=0\n" + huge + "\n";
    Session session(options);
    ASSERT_TRUE(test::startGame(session));
    session.runFrames(300);
    EXPECT_FALSE(session.scriptStopped());
    const std::uintmax_t size = std::filesystem::file_size(session.logPath());
    ASSERT_LT(size, 40000u) << "the log took the long lines whole";
    const std::string log = session.newLog();
    for (const char* file : {"Drovil/Settings.ini line 2", "Drovil/Lang.dat line 2", "Drovil/TutorialFlags.dat line 1",
                             "Drovil/Missions/0.dat line 2"})
        EXPECT_NE(log.find(std::string("[...], please make sure it is assembled of the correct format "
                                       "(<setting_name>=<settings_value>). (") +
                           file + ", 1048576 bytes)"),
                  std::string::npos)
            << file;
    EXPECT_NE(log.find("Drovil/Settings.ini: unknown setting " + std::string(drovil::logQuoteBytes, 'x') + "[...]=1"),
              std::string::npos);
    EXPECT_NE(log.find("data file 'Drovil/Savegame.dat': cannot read " + rhodesSlot + "=" +
                       std::string(drovil::logQuoteBytes, 'x') + "[...] (not a whole number that fits)"),
              std::string::npos);
}

} // namespace
