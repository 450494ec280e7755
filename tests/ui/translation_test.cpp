// Translations, Drovil/Lang.<tag>.dat, follow the language the game is set to:
// the one of that language is read over the texts, a key it leaves out shows
// in English (or as the player's own Lang.dat has it), and the first contract
// played in French shows French on the card, in the toasts, the prompts, the
// help boxes and the subtitles.
#include "runtime/game_language.h"
#include "scenarios/scenario_run.h"
#include "scenarios/scenarios.h"
#include "session/scenario_session.h"
#include "support/game.h"
#include "support/script_thread.h"
#include "ui/lang_format.h"
#include "ui/lang_text.h"
#include "ui/text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace {
using namespace sim;

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string shippedEnglish() {
    return readWhole(std::string(DROVIL_DATA_DIR) + "/Defaults/Lang.dat");
}

std::string shippedFrench() {
    return readWhole(std::string(DROVIL_TRANSLATIONS_DIR) + "/Lang.fr.dat");
}

std::string without(const std::string& text, const std::set<std::string>& keys) {
    std::string kept;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (keys.count(line.substr(0, line.find('='))) == 0)
            kept += line + "\n";
    return kept;
}

// The same folder in every language: the French translation without
// menu.title, a German one of one text, and the player's own Lang.dat.
SessionOptions folderWithTranslations(int language) {
    SessionOptions options;
    options.language = language;
    options.writeFiles["Lang.fr.dat"] = without(shippedFrench(), {"menu.title", "prompts.drovil_menu.view"});
    options.writeFiles["Lang.de.dat"] = "menu.empty=Keine Auftr\xC3\xA4ge.\n";
    options.writeFiles["Lang.dat"] = "prompts.drovil_menu.view=Read it\n";
    return options;
}

struct LanguageCase {
    int language;
    const char* threaten;  // prompts.threaten, which French translates
    const char* menuTitle; // menu.title, which French leaves out
    const char* menuEmpty; // menu.empty, which German translates
    const char* readLog;   // the translation read, or "" for none
};

std::ostream& operator<<(std::ostream& out, const LanguageCase& c) {
    return out << "language " << c.language;
}

class TheGamesLanguage : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(TheGamesLanguage, PicksTheTranslationReadOverTheTexts) {
    const LanguageCase& c = GetParam();
    Session session(folderWithTranslations(c.language));
    ASSERT_TRUE(test::startGame(session));
    const std::map<std::string, std::string> english = parseKeyValues(shippedEnglish());
    test::runOnScriptThread(session, [&] {
        EXPECT_EQ(drovil::langText("prompts.threaten"), c.threaten);
        EXPECT_EQ(drovil::langText("menu.title"), c.menuTitle);
        EXPECT_EQ(drovil::langText("menu.empty"), std::string(c.menuEmpty).empty() ? english.at("menu.empty")
                                                                                     : std::string(c.menuEmpty));
        // Left out by the translation: the player's own text, over the default.
        EXPECT_EQ(drovil::langText("prompts.drovil_menu.view"), "Read it");
    });
    if (*c.readLog)
        EXPECT_TRUE(session.logContains(c.readLog)) << session.newLog();
    else
        EXPECT_FALSE(session.logContains("Lang.fr.dat' read") || session.logContains("Lang.de.dat' read"));
    // The scripted player reads what the screen shows, as the game does.
    EXPECT_EQ(session.shownText("prompts.threaten"), c.threaten);
}

INSTANTIATE_TEST_SUITE_P(
    Translations, TheGamesLanguage,
    ::testing::Values(
        LanguageCase{1, "Menacer", "Contracts", "Aucun contrat en cours.@Des inconnus en ville en proposent de temps "
                                                "à autre.",
                     "data file 'Drovil/Lang.fr.dat' read over the defaults: 69 keys of its own, 2 of the 71 "
                     "defaults not in it"},
        LanguageCase{2, "Threaten", "Contracts", "Keine Auftr\xC3\xA4ge.",
                     "data file 'Drovil/Lang.de.dat' read over the defaults: 1 keys of its own, 70 of the 71 "
                     "defaults not in it"},
        LanguageCase{0, "Threaten", "Contracts", "", ""},
        // A language of a later game: the texts stay as they are.
        LanguageCase{99, "Threaten", "Contracts", "", ""}),
    [](const ::testing::TestParamInfo<LanguageCase>& info) {
        const drovil::GameLanguage* language = drovil::findGameLanguage(info.param.language);
        return std::string(language ? language->name : "Unknown");
    });

TEST(Translations, AnUnknownLanguageIsLoggedAndTheTextsStayEnglish) {
    Session session(folderWithTranslations(99));
    ASSERT_TRUE(test::startGame(session));
    EXPECT_TRUE(session.logContains("the game's language 99 is not one Drovil knows: the texts are not translated"));
}

// Everything the player saw in a run, gathered frame by frame.
struct Seen {
    std::set<std::string> prompts;
    std::set<std::string> drawn; // texts drawn on screen: the card's back
};

bool anyContains(const std::set<std::string>& texts, const std::string& part) {
    for (const std::string& text : texts)
        if (text.find(part) != std::string::npos)
            return true;
    return false;
}

// The first contract of the demo played with the game in French and the
// shipped translation, four of its texts left out: every place a text shows
// reads French, and the four read English.
TEST(Translations, TheFirstContractPlayedInFrenchShowsTheTranslationAndEnglishWhereItHasNone) {
    const ScenarioDefinition* scenario = findScenario("first-contract");
    SessionOptions options = scenarioOptions(*scenario, 7);
    options.language = 1;
    const std::set<std::string> leftOut = {"toast.contract_completed", "prompts.quest_giver.decline",
                                           "tutorial.contract_info.flip", "contract_modal.target_whereabouts.0"};
    options.writeFiles["Lang.fr.dat"] = without(shippedFrench(), leftOut);
    Session session(options);
    Seen seen;
    ScenarioRun run(session, 40000, nullptr);
    run.afterEveryFrame([&] {
        for (const PromptRecord* prompt : session.world().prompts.visible())
            seen.prompts.insert(prompt->text);
        for (const DrawnText& text : session.hud().texts)
            seen.drawn.insert(text.text);
    });
    const ScenarioResult result = playScenario(*scenario, run);
    ASSERT_TRUE(result.success) << result.summary;

    const std::map<std::string, std::string> french = parseKeyValues(shippedFrench());
    const std::map<std::string, std::string> english = parseKeyValues(shippedEnglish());
    // Prompts: the offer's, the payment's.
    EXPECT_EQ(seen.prompts.count(french.at("prompts.quest_giver.accept")), 1u);
    EXPECT_EQ(seen.prompts.count(french.at("prompts.receive_payment")), 1u);
    EXPECT_EQ(seen.prompts.count(english.at("prompts.quest_giver.decline")), 1u) << "left out: English";
    EXPECT_EQ(seen.prompts.count(english.at("prompts.quest_giver.accept")), 0u);

    // Toasts: the contract accepted, then completed with the reward filled in.
    bool accepted = false, completed = false;
    for (const ToastShown& toast : session.hud().toasts) {
        accepted = accepted || (toast.title == french.at("toast.generic_title") &&
                                toast.body == french.at("toast.contract_accepted"));
        completed = completed || (toast.title == english.at("toast.contract_completed") &&
                                  toast.body == drovil::formatLangText(french.at("toast.contract_completed.body"),
                                                                       std::string("$55.00")));
    }
    EXPECT_TRUE(accepted) << "the accepted toast in French";
    EXPECT_TRUE(completed) << "the completed toast: its title left out (English), its body French";

    // Help boxes and subtitles.
    std::set<std::string> helps;
    for (const HelpBoxShown& help : session.hud().helpBoxes)
        helps.insert(help.text);
    EXPECT_EQ(helps.count(drovil::expandLineBreaks(french.at("tutorial.contract_info"))), 1u);
    EXPECT_EQ(helps.count(drovil::expandLineBreaks(english.at("tutorial.contract_info.flip"))), 1u)
        << "left out: English";
    EXPECT_TRUE(session.hud().subtitleShown(french.at("contract.track_target")));
    EXPECT_TRUE(session.hud().subtitleShown(french.at("contract.escape_area")));

    // The card's back: who the target is in French, where he hides in English.
    const std::map<std::string, std::string> mission =
        run.readKeyValues("Missions/" + std::to_string(intValue(run.readKeyValues("Savegame.dat"), "next_mission_id",
                                                                1) - 1) + ".dat");
    const std::string description = "contract_modal.target_description." + mission.at("templateId") + "." +
                                    mission.at("variant");
    const std::string frenchWho = french.at(description).substr(0, french.at(description).find_first_of("%@"));
    ASSERT_FALSE(frenchWho.empty());
    EXPECT_TRUE(anyContains(seen.drawn, frenchWho)) << frenchWho;
    const std::string englishWhere = english.at("contract_modal.target_whereabouts.0");
    EXPECT_TRUE(anyContains(seen.drawn, englishWhere.substr(0, englishWhere.find('@')))) << englishWhere;
}

} // namespace
