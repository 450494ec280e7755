// Every game name the plug-in, its data files and the simulated world use is
// one the game has: each is in the game's names table (sim/world/core/
// game_names.tsv), so a name added with a typo fails here, before it fails in
// the game, where it would load, play or show nothing. A name the table does not
// hold is added to it once the game's catalogue or its own scripts show it.
#include "runtime/data_file.h"
#include "runtime/log.h"
#include "tools/source_literals.h"
#include "world/core/game_names.h"
#include "world/core/strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

std::string lowered(const std::string& text) {
    std::string low = text;
    std::transform(low.begin(), low.end(), low.begin(), [](unsigned char c) { return std::tolower(c); });
    return low;
}

// Every name of the table, also by what follows a '/' (a texture of its
// dictionary, a sound of its set), lower-cased as the game hashes them.
const std::set<std::string>& tableNames() {
    static const auto* names = [] {
        auto* set = new std::set<std::string>();
        for (const sim::GameName& name : sim::GameNames::catalogue().all()) {
            set->insert(lowered(name.name));
            const auto slash = name.name.find('/');
            if (slash != std::string::npos)
                set->insert(lowered(name.name.substr(slash + 1)));
        }
        return set;
    }();
    return *names;
}

// The shapes the game's names take: peds and objects (a_m_m_..., cs_...),
// propsets (pg_...), animations (a dictionary with '@'), decorators (KV_...),
// and the upper-case names with underscores (speech lines, scenarios, weapons,
// controls, events, text labels).
bool shapedLikeAGameName(const std::string& text, bool upperCaseNames) {
    static const std::regex model(R"(^([agsu]_[cfm]_|cs_|p_cs_|pg_)[a-z0-9_]+$)", std::regex::icase);
    static const std::regex animation(R"(^[A-Za-z0-9_]+@[A-Za-z0-9@_\-]+$)");
    static const std::regex decorator(R"(^KV_[A-Za-z0-9_]+$)");
    static const std::regex upper(R"(^[A-Z][A-Z0-9]*(_[A-Z0-9]+)+$)");
    return std::regex_match(text, model) || std::regex_match(text, animation) ||
           std::regex_match(text, decorator) || (upperCaseNames && std::regex_match(text, upper));
}

// The plug-in's calls that pass a game name as they are written.
bool passedAsAGameName(const drovil::testing::SourceLiteral& literal) {
    static const char* const calls[] = {"getHashKey(", "hashOfName(", "playSpeech(", "drawSprite(",
                                        "loadTextureDictionary(", "showToast(", "playFrontendSound(",
                                        "ByName(", "Blackboard", "setEventTracker(", "decorator::",
                                        "requestDictionary(", "playTask("};
    // A text or a Lang key is no game name.
    if (literal.text.empty() || literal.text.find_first_of(" .%") != std::string::npos)
        return false;
    for (const char* call : calls)
        if (literal.before.find(call) != std::string::npos)
            return true;
    return false;
}

bool inTable(const std::string& name) { return tableNames().count(lowered(name)) != 0; }

} // namespace

TEST(GameNamesInSource, TheShapesOfTheGamesNamesAreRecognisedAndATypoIsNot) {
    for (const char* name : {"a_m_m_valtownfolk_01", "G_M_M_UniCriminals_01", "pg_vehload_lumber01", "GREET_SHOUTED",
                             "INPUT_CONTEXT_X", "WORLD_HUMAN_SMOKE", "KV_Drovil_isContractCard",
                             "script_common@handover@generic@player_handover@money"}) {
        EXPECT_TRUE(shapedLikeAGameName(name, true)) << name;
        EXPECT_TRUE(inTable(name)) << name;
    }
    for (const char* typo : {"a_m_m_valtownfolk_011", "GREET_SHOUTD", "INPUT_CONTEXT_XX", "WORLD_HUMAN_SMOKES"}) {
        EXPECT_TRUE(shapedLikeAGameName(typo, true)) << typo;
        EXPECT_FALSE(inTable(typo)) << typo;
    }
    for (const char* notAName : {"contract.track_target", "Hostages", "next_mission_id", "Debug tools ON"})
        EXPECT_FALSE(shapedLikeAGameName(notAName, true)) << notAName;
}

TEST(GameNamesInSource, EveryNameThePluginPassesIsTheGames) {
    int checked = 0;
    for (const drovil::testing::SourceLiteral& literal : drovil::testing::sourceLiterals(DROVIL_SOURCE_DIR)) {
        if (!shapedLikeAGameName(literal.text, true) && !passedAsAGameName(literal))
            continue;
        ++checked;
        EXPECT_TRUE(inTable(literal.text))
            << literal.where() << ": '" << literal.text
            << "' is not in sim/world/core/game_names.tsv: a name the game does not have, or one to add there "
               "once the game's catalogue or its own scripts show it";
    }
    EXPECT_GT(checked, 200) << "the plug-in's names were found";
}

TEST(GameNamesInSource, EveryNameTheShippedDataFilesHoldIsTheGames) {
    const drovil::LogSink previous = drovil::setLogSink([](const std::string&) {});
    for (const char* file : {"Lang.dat", "GeneralMeta.dat", "AI.dat", "Settings.ini"}) {
        drovil::DictDataFile data(std::string(DROVIL_DATA_DIR) + "/Defaults/" + file);
        std::ifstream in(std::string(DROVIL_DATA_DIR) + "/Defaults/" + file);
        ASSERT_TRUE(in) << file;
        data.loadFrom(in);
        for (const auto& [key, value] : data.entries()) {
            if (shapedLikeAGameName(value, false)) {
                EXPECT_TRUE(inTable(value)) << file << ": " << key << "=" << value;
            }
        }
    }
    drovil::setLogSink(previous);
}

// The simulated world's own peds, animals, horses, vehicles, propsets,
// scenarios and weapons are the game's too: a world of names the game lacks
// would pass tests the game would fail.
TEST(GameNamesInSource, EveryNameTheSimulatedWorldUsesIsTheGames) {
    static const std::regex worldName(R"(^(([agsu]_[cfm]_|cs_|pg_)[a-z0-9_]+|(WEAPON|WORLD|PROP|INPUT)_[A-Z0-9_]+)$)",
                                      std::regex::icase);
    int checked = 0;
    for (const drovil::testing::SourceLiteral& literal :
         drovil::testing::sourceLiterals(DROVIL_SOURCE_DIR, "sim")) {
        if (!std::regex_match(literal.text, worldName))
            continue;
        ++checked;
        EXPECT_TRUE(inTable(literal.text)) << literal.where() << ": '" << literal.text << "'";
    }
    EXPECT_GT(checked, 50);
}
