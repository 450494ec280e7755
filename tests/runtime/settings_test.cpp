#include "runtime/settings.h"

#include "runtime/scratch_folder.h"

#include <filesystem>
#include <map>
#include <stdexcept>

namespace drovil {
namespace {

// The player's Drovil/Settings.ini, read over the shipped defaults in
// Drovil/Defaults/ (loaded with one line of the log, the first).
class SettingsFile : public testing::ScratchFolderTest {
protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        makeDrovilFolder();
        std::filesystem::create_directory("Drovil/Defaults");
        writeFile("Drovil/Defaults/Settings.ini", readFile(std::string(DROVIL_DATA_DIR) + "/Defaults/Settings.ini"));
    }

    static void loadFrom(const std::string& contents) {
        writeFile("Drovil/Settings.ini", contents);
        loadSettings();
    }

    static std::string cannotParse(const std::string& line, int number,
                                   const std::string& path = "Drovil/Settings.ini") {
        return "cannot parse line: " + line +
               ", please make sure it is assembled of the correct format (<setting_name>=<settings_value>). (" +
               path + " line " + std::to_string(number) + ", " + std::to_string(line.size()) + " bytes)";
    }

    static inline const std::string defaultsLoading = "loading settings file: Drovil/Defaults/Settings.ini";
};

TEST_F(SettingsFile, MissingFilesKeepTheBuiltInDefaults) {
    std::filesystem::remove("Drovil/Defaults/Settings.ini");
    loadSettings();
    EXPECT_EQ(logMessages(),
              std::vector<std::string>{"Unable to load from data file, please make sure it exists."});
    for (const char* name : {"Hostages", "EagleEyeTracksForTarget", "TargetRecognition", "HonorEffects",
                             "Hints", "QuickContractCardAccess"}) {
        EXPECT_EQ(getSetting(name), "1") << name;
        EXPECT_TRUE(getSettingBool(name)) << name;
    }
    EXPECT_EQ(getSetting("PricesScale"), "1.0");
    EXPECT_FLOAT_EQ(getSettingFloat("PricesScale"), 1.0f);
    EXPECT_EQ(getSetting("DevTools"), "");
    EXPECT_FALSE(getSettingBool("DevTools"));
    EXPECT_FALSE(getSettingBool("DisableGrizzlies"));
    EXPECT_FLOAT_EQ(getSettingFloat("Unknown"), 0.0f);
}

TEST_F(SettingsFile, FileValuesReplaceDefaultsAndAddNewKeys) {
    loadFrom("Hostages=0\nPricesScale=2.5\nDevTools=1\n");
    EXPECT_EQ(logMessages(), (std::vector<std::string>{defaultsLoading, "loading settings file: Drovil/Settings.ini",
                                                       "settings file loaded"}));
    EXPECT_FALSE(getSettingBool("Hostages"));
    EXPECT_FLOAT_EQ(getSettingFloat("PricesScale"), 2.5f);
    EXPECT_TRUE(getSettingBool("DevTools"));
    // Untouched defaults survive.
    EXPECT_TRUE(getSettingBool("Hints"));
}

TEST_F(SettingsFile, CommentAndSectionLinesAreSkippedSilently) {
    loadFrom("[General]\n; Hostages=0\n/Hints=0\n\\TargetRecognition=0\n// a=b=c\n\nHonorEffects=0\n");
    EXPECT_TRUE(getSettingBool("Hostages"));
    EXPECT_TRUE(getSettingBool("Hints"));
    EXPECT_TRUE(getSettingBool("TargetRecognition"));
    EXPECT_FALSE(getSettingBool("HonorEffects"));
    EXPECT_EQ(getSetting("; Hostages"), "");
    EXPECT_EQ(logMessages().size(), 3u);
}

TEST_F(SettingsFile, MalformedLinesAreReportedAndLoadingGoesOn) {
    loadFrom("a=b=c\nHints=0\nnothing here\nDevTools=\nHostages=0");
    EXPECT_EQ(logMessages(), (std::vector<std::string>{defaultsLoading, "loading settings file: Drovil/Settings.ini",
                                                       cannotParse("a=b=c", 1), cannotParse("nothing here", 3),
                                                       cannotParse("DevTools=", 4), "settings file loaded"}));
    EXPECT_EQ(getSetting("a"), "");
    EXPECT_FALSE(getSettingBool("Hints"));
    EXPECT_FALSE(getSettingBool("DevTools"));
    // The last line has no line feed and is still read.
    EXPECT_FALSE(getSettingBool("Hostages"));
}

TEST_F(SettingsFile, AMegabyteLineNameOrValueIsQuotedInAFewHundredBytes) {
    const std::string huge(1 << 20, 'x');
    loadFrom(huge + "\nHints=0\n" + huge + "=1\nPricesScale=" + huge + "\n");
    EXPECT_FALSE(getSettingBool("Hints"));
    EXPECT_FLOAT_EQ(getSettingFloat("PricesScale"), 1.0f);
    ASSERT_LT(std::filesystem::file_size("Drovil/Log.log"), 4000u) << "the log took a whole line";
    const std::vector<std::string> messages = logMessages();
    ASSERT_EQ(messages.size(), 6u);
    EXPECT_NE(messages[2].find("[...], please make sure"), std::string::npos);
    EXPECT_NE(messages[2].find("(Drovil/Settings.ini line 1, 1048576 bytes)"), std::string::npos);
    const std::string x200(200, 'x');
    EXPECT_TRUE(logHas("Drovil/Settings.ini: unknown setting " + x200 + "[...]=1, it is not used"));
    EXPECT_TRUE(logHas("Drovil/Settings.ini: cannot read PricesScale=" + x200 +
                       "[...] (not a number), the default 1.0 is used"));
}

TEST_F(SettingsFile, SpacesAroundTheEqualsSignBelongToKeyAndValue) {
    loadFrom("Hostages = 0\n");
    EXPECT_EQ(getSetting("Hostages "), " 0");
    // The real key is untouched, so hostages stay on.
    EXPECT_TRUE(getSettingBool("Hostages"));
    EXPECT_FALSE(getSettingBool("Hostages "));
}

TEST_F(SettingsFile, MinusOneIsOffAndAnyOtherNumberOn) {
    loadFrom("Hostages=-1\nHints=2\nHonorEffects=-999\nDevTools=0\r\n");
    EXPECT_FALSE(getSettingBool("Hostages"));
    EXPECT_TRUE(getSettingBool("Hints"));
    EXPECT_TRUE(getSettingBool("HonorEffects"));
    EXPECT_FALSE(getSettingBool("DevTools"));
}

TEST_F(SettingsFile, ValuesThatDoNotReadAreReportedOnceAndTheDefaultIsUsed) {
    loadFrom("DevTools=yes\nDisableGrizzlies=no\nPricesScale=abc\nQuickContractCardAccess=true\n"
             "TargetRecognition=yes\nHostages=0\n");
    EXPECT_FALSE(getSettingBool("DevTools"));
    EXPECT_FALSE(getSettingBool("DisableGrizzlies"));
    EXPECT_FLOAT_EQ(getSettingFloat("PricesScale"), 1.0f);
    EXPECT_TRUE(getSettingBool("QuickContractCardAccess"));
    EXPECT_TRUE(getSettingBool("TargetRecognition"));
    EXPECT_FALSE(getSettingBool("Hostages"));
    // Read again and again during the game: the report came once, at load.
    for (int frame = 0; frame < 3; ++frame)
        getSettingBool("TargetRecognition");
    EXPECT_EQ(logMessages(),
              (std::vector<std::string>{
                  defaultsLoading, "loading settings file: Drovil/Settings.ini",
                  "Drovil/Settings.ini: cannot read DevTools=yes (not a whole number), the default 0 is used",
                  "Drovil/Settings.ini: cannot read DisableGrizzlies=no (not a whole number), the default 0 is used",
                  "Drovil/Settings.ini: cannot read PricesScale=abc (not a number), the default 1.0 is used",
                  "Drovil/Settings.ini: cannot read QuickContractCardAccess=true (not a whole number), the default "
                  "1 is used",
                  "Drovil/Settings.ini: cannot read TargetRecognition=yes (not a whole number), the default 1 is "
                  "used",
                  "settings file loaded"}));
}

TEST_F(SettingsFile, ADecimalCommaReadsAsAPoint) {
    loadFrom("PricesScale=1,5\n");
    EXPECT_FLOAT_EQ(getSettingFloat("PricesScale"), 1.5f);
}

TEST_F(SettingsFile, AnUnknownSettingNameIsReportedOnce) {
    loadFrom("PriceScale=2\nHostages=0\n");
    EXPECT_FLOAT_EQ(getSettingFloat("PricesScale"), 1.0f);
    EXPECT_TRUE(logHas("Drovil/Settings.ini: unknown setting PriceScale=2, it is not used"));
    EXPECT_EQ(logMessages().size(), 4u);
}

TEST_F(SettingsFile, AByteOrderMarkBeforeTheFirstSettingIsSkipped) {
    loadFrom("\xEF\xBB\xBFHostages=0\n");
    EXPECT_FALSE(getSettingBool("Hostages"));
}

TEST_F(SettingsFile, ReloadingStartsAgainFromTheDefaults) {
    loadFrom("Hostages=0\nDevTools=1\n");
    loadFrom("Hints=0\n");
    EXPECT_TRUE(getSettingBool("Hostages"));
    EXPECT_FALSE(getSettingBool("DevTools"));
    EXPECT_FALSE(getSettingBool("Hints"));
}

// The layers: the player's file needs only what he changed, and what he left
// out (or wrote so that it does not read) keeps the shipped default.
TEST_F(SettingsFile, ThePlayersFileIsReadOverTheShippedDefaultsSettingBySetting) {
    writeFile("Drovil/Defaults/Settings.ini", "Hostages=1\nHints=0\nPricesScale=3.0\nDevTools=1\n");
    loadFrom("Hints=1\nPricesScale=lots\n");
    EXPECT_TRUE(getSettingBool("Hints")) << "the player's line";
    EXPECT_FLOAT_EQ(getSettingFloat("PricesScale"), 3.0f) << "the shipped default, not the built-in 1.0";
    EXPECT_TRUE(getSettingBool("DevTools")) << "left out by the player: the shipped default";
    EXPECT_TRUE(getSettingBool("QuickContractCardAccess")) << "in neither file: the built-in default";
    EXPECT_TRUE(logHas("Drovil/Settings.ini: cannot read PricesScale=lots (not a number), the default 3.0 is used"));
    EXPECT_EQ(defaultSettingValues().at("PricesScale"), "3.0");
    EXPECT_EQ(defaultSettingValues().at("EagleEyeTracksForTarget"), "1");
    const SettingsLayer& player = playerSettingsLayer();
    EXPECT_TRUE(player.found);
    EXPECT_EQ(player.values, (std::map<std::string, std::string>{{"Hints", "1"}, {"PricesScale", "lots"}}));

    // Without a file of his own, the defaults alone, quietly.
    std::filesystem::remove("Drovil/Settings.ini");
    std::filesystem::remove("Drovil/Log.log");
    loadSettings();
    EXPECT_FALSE(getSettingBool("Hints"));
    EXPECT_FALSE(playerSettingsLayer().found);
    EXPECT_EQ(logMessages(), (std::vector<std::string>{defaultsLoading, "settings file loaded"}));
}

TEST_F(SettingsFile, ADamagedDefaultsLineIsReportedWithItsFileAndTheRestStands) {
    writeFile("Drovil/Defaults/Settings.ini", "Hints=0\nbroken\n");
    loadFrom("Hostages=0\n");
    EXPECT_FALSE(getSettingBool("Hints"));
    EXPECT_FALSE(getSettingBool("Hostages"));
    EXPECT_TRUE(logHas(cannotParse("broken", 2, "Drovil/Defaults/Settings.ini")));
}

} // namespace
} // namespace drovil
