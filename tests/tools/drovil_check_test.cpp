// drovil-check on the shipped folder and on folders edited the ways players,
// modders and translators edit them: each bad file named with its line or
// key, and the exit status telling whether the folder would load and show
// every text.
#include "support/key_value_edit.h"
#include "folder_check.h"
#include "runtime/scratch_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace drovil {
namespace {
namespace fs = std::filesystem;

std::string shipped(const std::string& name) {
    std::ifstream in(std::string(DROVIL_DATA_DIR) + "/Defaults/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

using test::withValue;

// The number of the line of `key` in the text (from 1).
int lineOf(const std::string& text, const std::string& key) {
    std::istringstream in(text);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.rfind(key + "=", 0) == 0)
            return number;
    }
    return 0;
}

class DrovilCheck : public testing::ScratchFolderTest {
protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        fs::copy(DROVIL_DATA_DIR, "Drovil", fs::copy_options::recursive);
    }

    int check() {
        std::ostringstream out, err;
        const int status = check::runCheckCommand({"Drovil"}, out, err);
        output = out.str() + err.str();
        return status;
    }
    bool says(const std::string& text) const { return output.find(text) != std::string::npos; }

    std::string output;
};

TEST_F(DrovilCheck, TheShippedFolderIsClean) {
    EXPECT_EQ(check(), 0) << output;
    EXPECT_TRUE(says("0 errors, 0 warnings: the folder would load and show every text")) << output;
    for (const char* file : {"Defaults/Settings.ini: ok", "Defaults/Lang.dat: ok", "Defaults/GeneralMeta.dat: ok",
                             "Defaults/AI.dat: ok"})
        EXPECT_TRUE(says(file)) << output;
    EXPECT_FALSE(says("Savegame.dat")) << "none shipped, none needed";
    EXPECT_FALSE(says("\nSettings.ini")) << "no file of the player's, none needed";
}

// Every translation the repository ships, installed beside the defaults:
// complete, its placeholders and lengths as the screen takes them.
TEST_F(DrovilCheck, TheShippedTranslationsAreComplete) {
    int translations = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(DROVIL_TRANSLATIONS_DIR)) {
        fs::copy_file(entry.path(), fs::path("Drovil") / entry.path().filename());
        ++translations;
    }
    ASSERT_GE(translations, 1);
    EXPECT_EQ(check(), 0) << output;
    EXPECT_TRUE(says("Lang.fr.dat: ok")) << output;
    EXPECT_TRUE(says("0 errors, 0 warnings: the folder would load and show every text")) << output;
}

TEST_F(DrovilCheck, ALineThatStopsLoadingIsAnErrorAtItsLine) {
    // The player's own file is left out whole, and the game runs on the defaults.
    writeFile("Drovil/Lang.dat", "plugin.name=Drovil\nthis line has no equals sign\n");
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(says("\nLang.dat:2: error: this line is not key=value ('this line has no equals sign'): the game "
                     "stops reading the file here, and the game leaves the whole file out (none of its keys are "
                     "read): the defaults stand"))
        << output;
    EXPECT_TRUE(says("the folder would not load or show every text as its files say"));
    // Damaged defaults keep Drovil from starting.
    fs::remove("Drovil/Lang.dat");
    writeFile("Drovil/Defaults/AI.dat", "guard.sight_range=50\n\nnot a line\n");
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(says("Defaults/AI.dat:3: error: this line is not key=value ('not a line'): the game stops reading "
                     "the file here, and Drovil does not start"))
        << output;
}

TEST_F(DrovilCheck, ATranslationKeepsThePlaceholdersAndLengthAndMayLeaveKeysToEnglish) {
    std::string lang = shipped("Lang.dat");
    lang = withValue(lang, "toast.contract_completed.body", "Prime %d payée");
    lang = withValue(lang, "toast.generic_title", std::string(120, 'W'));
    lang = withValue(lang, "contract.trackk_target", "Faute de frappe");
    std::string without;
    std::istringstream in(lang);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("contract.target_lost=", 0) != 0)
            without += line + "\n";
    writeFile("Drovil/Lang.fr.dat", without);
    writeFile("Drovil/Lang.french.dat", "menu.title=Contrats\n");
    EXPECT_EQ(check(), 1);
    const std::string at = "Lang.fr.dat:" + std::to_string(lineOf(without, "toast.contract_completed.body"));
    EXPECT_TRUE(says(at + ": error: key toast.contract_completed.body has the placeholders %d where the shipped "
                          "text has %s"))
        << output;
    EXPECT_TRUE(says("Lang.fr.dat:" + std::to_string(lineOf(without, "toast.generic_title")) +
                     ": error: key toast.generic_title is 120 bytes long as shown, a toast takes 99"))
        << output;
    EXPECT_TRUE(says("Lang.fr.dat: warning: key contract.target_lost is not translated: its text shows in English"))
        << output;
    EXPECT_TRUE(says("Lang.fr.dat:" + std::to_string(lineOf(without, "contract.trackk_target")) +
                     ": warning: key contract.trackk_target is not in the shipped file"))
        << output;
    EXPECT_TRUE(says("Lang.french.dat: warning: no language of the game has the tag 'french': the game never reads "
                     "this file"))
        << output;
}

// What a translator or a player who edited both layers sees: every problem
// named with the file it is in and its line.
TEST_F(DrovilCheck, BothLayersAndATranslationEachProblemWithItsFileAndLine) {
    writeFile("Drovil/Defaults/GeneralMeta.dat",
              withValue(shipped("GeneralMeta.dat"), "contract.escape_distance", "far"));
    writeFile("Drovil/GeneralMeta.dat", "contract.escape_distance=300\ncontract.escape_distanse=300\n");
    writeFile("Drovil/Settings.ini", "; mine\nHints=0\nHints=maybe\n");
    writeFile("Drovil/Lang.dat", "menu.title=My contracts\nmenu.pending_payment=Waiting: %s\n");
    writeFile("Drovil/Lang.de.dat", "menu.title=Auftr\xC3\xA4ge\nbroken\n");
    EXPECT_EQ(check(), 1);
    for (const std::string& expected :
         {"Defaults/GeneralMeta.dat:" + std::to_string(lineOf(shipped("GeneralMeta.dat"), "contract.escape_distance")) +
              ": warning: contract.escape_distance: 'far' is not a finite number",
          std::string("\nGeneralMeta.dat:2: warning: key contract.escape_distanse is not in the shipped file"),
          std::string("\nSettings.ini:2: warning: Hints is set again on line 3: only the later line counts"),
          std::string("\nSettings.ini:3: warning: Hints=maybe does not read as 1 or 0: the default 1 is used"),
          std::string("\nLang.dat:2: error: key menu.pending_payment has the placeholders %s where the shipped text "
                      "has %d"),
          std::string("Lang.de.dat:2: error: this line is not key=value ('broken'): the game stops reading the file "
                      "here, and the game leaves the whole translation out: the texts show in English")})
        EXPECT_TRUE(says(expected)) << expected << "\n" << output;
    EXPECT_FALSE(says("GeneralMeta.dat: warning: key")) << "the player's file need not hold every key\n" << output;
    // Each file's defaults are printed before the player's own.
    EXPECT_LT(output.find("Defaults/GeneralMeta.dat:"), output.find("\nGeneralMeta.dat:")) << output;
}

// An install whose defaults are gone (the plug-in copied alone over an old
// install) runs on the player's full files, which must then hold every key.
TEST_F(DrovilCheck, WithoutTheDefaultsThePlayersFilesMustBeComplete) {
    for (const char* name : {"Settings.ini", "Lang.dat", "GeneralMeta.dat", "AI.dat"})
        writeFile(std::string("Drovil/") + name, shipped(name));
    fs::remove_all("Drovil/Defaults");
    std::string lang = shipped("Lang.dat");
    writeFile("Drovil/Lang.dat", lang.substr(lang.find('\n') + 1)); // plugin.name left out
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(says("Defaults/: warning: missing: the game reads the files of the folder alone")) << output;
    EXPECT_TRUE(says("\nLang.dat: error: key plugin.name is missing: nothing is shown where its text belongs"))
        << output;
}

TEST_F(DrovilCheck, TuningNumbersThatDoNotReadOrUseADecimalCommaAreNamed) {
    std::string meta = withValue(shipped("GeneralMeta.dat"), "contract.escape_distance", "abc");
    meta = withValue(meta, "contract.auto_detect.required_seconds", "1,5");
    writeFile("Drovil/GeneralMeta.dat", meta);
    writeFile("Drovil/AI.dat", withValue(shipped("AI.dat"), "guard.sight_range", "fifty"));
    EXPECT_EQ(check(), 0) << "the folder still loads and shows every text";
    EXPECT_TRUE(says("GeneralMeta.dat:" + std::to_string(lineOf(meta, "contract.escape_distance")) +
                     ": warning: contract.escape_distance: 'abc' is not a finite number, the game reads the key "
                     "as absent"))
        << output;
    EXPECT_TRUE(says("contract.auto_detect.required_seconds: '1,5' uses a decimal comma (read as a point)"))
        << output;
    EXPECT_TRUE(says("AI.dat:1: warning: guard.sight_range: 'fifty' is not a whole number that fits")) << output;
}

TEST_F(DrovilCheck, SettingsWithTyposAndValuesThatDoNotRead) {
    std::ofstream(fs::path("Drovil") / "Settings.ini", std::ios::app)
        << "PriceScale=2\nDevTools=yes\nPricesScale=1,5\nbroken line\n";
    const int first = 1;
    EXPECT_EQ(check(), 0);
    EXPECT_TRUE(says("Settings.ini:" + std::to_string(first) +
                     ": warning: unknown setting PriceScale, it is not used (did you mean PricesScale?)"))
        << output;
    EXPECT_TRUE(says("Settings.ini:" + std::to_string(first + 1) +
                     ": warning: DevTools=yes does not read as 1 or 0: the default 0 is used"))
        << output;
    EXPECT_TRUE(says("PricesScale=1,5 uses a decimal comma (read as a point)")) << output;
    EXPECT_TRUE(says("Settings.ini:" + std::to_string(first + 3) + ": warning: this line is not Name=Value"))
        << output;
}

TEST_F(DrovilCheck, TheSaveAndTheMissionFilesAreCheckedKeyByKey) {
    writeFile("Drovil/Savegame.dat",
              "missions.2126321341=5\nmissions.12345=1\nnext_mission_id=abc\npending_payment=1e40\nspare=1\n");
    fs::create_directory("Drovil/Missions");
    writeFile("Drovil/Missions/5.dat", "id=5\ncoords=1,2\nstatus=abc\nfoo=1\nsettingId=0\nareaId=7359335\n");
    writeFile("Drovil/Missions/6.dat", "id=6\nnot a line\n");
    EXPECT_EQ(check(), 0) << "a bad save value or mission file does not stop the game";
    for (const char* expected :
         {"Savegame.dat:1: warning: key missions.2126321341 is the slot of an outlying town: the game moves it to "
          "missions.7359335",
          "Savegame.dat:2: warning: key missions.12345 names no map area",
          "Savegame.dat:3: warning: next_mission_id: 'abc' is not a whole number that fits",
          "Savegame.dat:4: warning: pending_payment: '1e40' is not a finite number",
          "Savegame.dat:5: warning: key spare is not a key of the save",
          "Missions/5.dat:2: warning: coords: '1,2' is not x,y,z of three numbers",
          "Missions/5.dat:2: warning: without a readable coords the mission is set aside (.bad)",
          "Missions/5.dat:3: warning: status: 'abc' is not a whole number that fits",
          "Missions/5.dat:4: warning: key foo is not a key of a mission file",
          "Missions/5.dat: warning: key bounty is missing: the game reads it as absent",
          "Missions/6.dat:2: warning: this line is not key=value ('not a line'): the game stops reading the file "
          "here, and the game sets the mission file aside (.bad)"})
        EXPECT_TRUE(says(expected)) << expected << "\n" << output;
}

TEST_F(DrovilCheck, MissingRequiredFilesAndAWrongCommandLine) {
    fs::remove("Drovil/Defaults/AI.dat");
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(says("Defaults/AI.dat: error: missing: Drovil does not start without it")) << output;
    std::ostringstream out, err;
    EXPECT_EQ(check::runCheckCommand({}, out, err), 2);
    EXPECT_EQ(check::runCheckCommand({"no-such-folder"}, out, err), 2);
    EXPECT_NE(err.str().find("drovil-check: no such folder 'no-such-folder'"), std::string::npos);
}

} // namespace
} // namespace drovil
