// Thousands of generated and mutated inputs through every reader of the files
// a player or a modder edits: the data-file loader and its readers, the
// mission-file reader, the settings reader, the Lang texts through the
// formatter and the bounded screen buffers, the data checker. Nothing may
// crash, hang or (under the asan preset) draw a sanitizer report. The inputs
// come from a fixed seed, so a failure replays.
#include "folder_check.h"
#include "runtime/data_file.h"
#include "runtime/log.h"
#include "runtime/number_text.h"
#include "runtime/scratch_folder.h"
#include "runtime/settings.h"
#include "runtime/settings_format.h"
#include "ui/bounded_copy.h"
#include "ui/lang_format.h"
#include "ui/text.h"
#include "world/mission_data_files.h"
#include "world/payments_service.h"

#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace drovil {
namespace {

constexpr int inputsPerReader = 3000;

void discard(const std::string&) {}

std::string shippedFile(const std::string& name) {
    std::ifstream in(std::string(DROVIL_DATA_DIR) + "/Defaults/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A mission file as the game writes it.
std::string missionFile() {
    return "areaId=459833523\nblipCoords=205.1,780.3,126.223\nblipRadius=90.000000\nbonusesReward=0\nbounty=60\n"
           "companionModel=0\ncompanionsCount=0\ncompanionsLootMoney=0\ncoords=187.54,798.92,126.223\ncreatedAt=0\n"
           "guardModel=-1580322312\nguardsCount=4\nguardsLootMoney=2500\nid=0\nisTargetACriminal=1\n"
           "isTargetArmed=1\nmissionAreaRadius=270.000000\npropsetModel=1262350166\nsettingId=0\n"
           "spawnDistance=250.000000\nstatus=0\ntargetFleeChance=0.000000\ntargetLootMoney=4000\n"
           "targetModel=-1868237566\ntargetOutfitIndex=0\ntemplateId=0\nvariant=0\nvehicleModel=0\n"
           "vehiclePropsetModel=0\nambienceRadius=0.000000\n";
}

std::string saveFile() {
    return "missions.459833523=0\nmissions.2046780049=-1\nnext_mission_id=1\npending_payment=60.000000\n";
}

// Pieces that make the readers work hard: numbers at and past every limit,
// separators, placeholders, line breaks, a byte-order mark, bytes of every kind.
const std::vector<std::string>& tokens() {
    static const auto* list = new std::vector<std::string>{
        "=", "==", ",", ",,", ".", "-", "+", " ", "\t", "\r", "\n", "\r\n", "\xEF\xBB\xBF", "0", "1", "-1", "-999",
        "2147483647", "2147483648", "-2147483648", "99999999999", "1e38", "1e39", "-1e39", "1e-45", "1e-50", "nan",
        "-nan", "inf", "-inf", "infinity", "0x1p3", "1,5", "1.5", "3.", ".5", "e5", "1e", "--1", "+-1", "abc",
        "%s", "%d", "%i", "%%", "%", "%n", "%999999d", "%-*.*s", "@", "@@", "coords", "status", "bounty",
        "pending_payment", "next_mission_id", "missions.459833523", "PricesScale", "DevTools", "Hostages", ";",
        "[", "/", "\\", std::string(1, '\0'), "\xC3\xA9", "\xE2\x82\xAC", "\xFF", std::string(300, 'x'),
        std::string(120, '%'), std::string(600, '@')};
    return *list;
}

class Inputs {
public:
    explicit Inputs(std::uint32_t seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // A text built from tokens and random bytes, in lines.
    std::string generated() {
        std::string text;
        const int lines = below(12);
        for (int line = 0; line < lines; ++line) {
            const int pieces = below(8);
            for (int piece = 0; piece < pieces; ++piece)
                text += below(4) == 0 ? std::string(1, static_cast<char>(below(256))) : token();
            text += below(6) == 0 ? "\r\n" : "\n";
        }
        return text;
    }

    // A good file with a few random changes: bytes flipped, inserted, dropped,
    // pieces repeated, tokens put in.
    std::string mutated(std::string text) {
        const int changes = 1 + below(6);
        for (int change = 0; change < changes && !text.empty(); ++change) {
            const std::size_t at = static_cast<std::size_t>(below(static_cast<int>(text.size())));
            switch (below(6)) {
            case 0:
                text[at] = static_cast<char>(below(256));
                break;
            case 1:
                text.insert(at, 1, static_cast<char>(below(256)));
                break;
            case 2:
                text.erase(at, static_cast<std::size_t>(below(20)));
                break;
            case 3:
                text.insert(at, text.substr(at, static_cast<std::size_t>(below(40))));
                break;
            default:
                text.insert(at, token());
                break;
            }
        }
        return text;
    }

    std::string either(const std::string& good) { return below(2) == 0 ? generated() : mutated(good); }

private:
    const std::string& token() { return tokens()[static_cast<std::size_t>(below(static_cast<int>(tokens().size())))]; }

    std::mt19937 random_;
};

class LoadersFuzz : public testing::ScratchFolderTest {
protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        makeDrovilFolder();
        setLogSink(discard);
    }
    void TearDown() override {
        setLogSink(nullptr);
        ScratchFolderTest::TearDown();
    }

    // Every reader over every key of a loaded file.
    static void readEverything(const DictDataFile& file) {
        for (const auto& [key, value] : file.entries()) {
            (void)file.getString(key);
            (void)file.getInt(key, -999);
            (void)file.getFloat(key, -999.0f);
            (void)file.getBool(key);
            const Vector3 p = file.getPosition(key);
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << key;
            if (const auto f = file.readFloat(key)) {
                EXPECT_TRUE(std::isfinite(*f)) << key << "=" << value;
            }
        }
    }
};

TEST_F(LoadersFuzz, DataFilesLoadAndReadWithoutHarm) {
    Inputs inputs(1);
    const std::array<std::string, 4> seeds = {shippedFile("Lang.dat"), shippedFile("GeneralMeta.dat"),
                                              shippedFile("AI.dat"), saveFile()};
    for (int i = 0; i < inputsPerReader; ++i) {
        const std::string text = inputs.either(seeds[static_cast<std::size_t>(i) % seeds.size()]);
        DictDataFile file("Drovil/Fuzz.dat");
        std::istringstream in(text);
        file.loadFrom(in);
        readEverything(file);
        // Every so often through the disk as well: load, change, save, load again.
        if (i % 50 == 0) {
            writeFile("Drovil/Fuzz.dat", text);
            DictDataFile again("Drovil/Fuzz.dat");
            again.load();
            again.setInt("next_mission_id", 3);
            EXPECT_TRUE(again.save(false));
            DictDataFile saved("Drovil/Fuzz.dat");
            EXPECT_TRUE(saved.load()) << "what the plug-in writes it can read back";
            readEverything(saved);
        }
    }
}

TEST_F(LoadersFuzz, MissionFilesReadIntoRecordsWithoutHarm) {
    Inputs inputs(2);
    for (int i = 0; i < inputsPerReader; ++i) {
        DictDataFile file("Drovil/Missions/0.dat");
        std::istringstream in(inputs.either(missionFile()));
        file.loadFrom(in);
        MissionData record;
        MissionDataFiles::readFields(file, record);
        EXPECT_TRUE(std::isfinite(record.spawnDistance) && std::isfinite(record.blipRadius) &&
                    std::isfinite(record.coords.x) && std::isfinite(record.blipCoords.z));
        // A record read back is written the same way the game writes it.
        DictDataFile written("Drovil/Missions/1.dat");
        MissionDataFiles::writeFields(record, written);
        MissionData again;
        MissionDataFiles::readFields(written, again);
        EXPECT_EQ(again.status, record.status);
        EXPECT_EQ(again.bounty, record.bounty);
    }
}

TEST_F(LoadersFuzz, SettingsReadWithoutHarm) {
    Inputs inputs(3);
    const std::string seed = shippedFile("Settings.ini");
    for (int i = 0; i < inputsPerReader; ++i) {
        const std::string text = inputs.either(seed);
        std::istringstream in(text);
        const auto settings = settingsWithDefaults(readSettingsLines(in));
        for (const KnownSetting& known : knownSettings()) {
            const auto found = settings.find(known.name);
            if (found == settings.end())
                continue;
            (void)settingValueReads(known, found->second);
            (void)readSettingBool(known, found->second);
            EXPECT_TRUE(std::isfinite(readSettingFloat(known, found->second)));
        }
        // The plug-in's own start-up reading, through the file, now and then.
        if (i % 20 == 0) {
            writeFile("Drovil/Settings.ini", text);
            loadSettings();
            (void)getSettingBool("DevTools");
            (void)getSettingBool("DisableGrizzlies");
            const float scale = getSettingFloat("PricesScale");
            EXPECT_TRUE(std::isfinite(scale));
            EXPECT_TRUE(std::isfinite(PaymentsService::priceScale()));
        }
    }
}

TEST_F(LoadersFuzz, LangTextsGoThroughTheFormatterAndTheScreenBuffersWithoutHarm) {
    Inputs inputs(4);
    const std::string lang = shippedFile("Lang.dat");
    for (int i = 0; i < inputsPerReader; ++i) {
        DictDataFile file("Drovil/Lang.dat");
        std::istringstream in(inputs.either(lang));
        file.loadFrom(in);
        for (const auto& [key, text] : file.entries()) {
            const std::string withText = formatLangText(text, std::string("$1,234.56"));
            const std::string withNumber = formatLangText(text, -2147483647 - 1);
            EXPECT_LE(withText.size(), text.size() + 9);
            (void)langPlaceholders(text);
            const std::string lines = expandLineBreaks(withText);
            EXPECT_EQ(lines.size(), withText.size());
            char toast[100];
            copyBounded(toast, sizeof toast, lines.c_str());
            EXPECT_LT(std::char_traits<char>::length(toast), sizeof toast);
            char help[500];
            copyBounded(help, sizeof help, withNumber.c_str());
            EXPECT_LT(std::char_traits<char>::length(help), sizeof help);
        }
    }
}

TEST_F(LoadersFuzz, NumbersAndMoneyNeverLeaveTheirRange) {
    Inputs inputs(5);
    for (int i = 0; i < inputsPerReader * 3; ++i) {
        const std::string text = inputs.generated().substr(0, 40);
        if (const auto f = parseFloatText(text)) {
            EXPECT_TRUE(std::isfinite(*f)) << text;
        }
        (void)parseIntText(text);
        (void)numberTextRemark(text, i % 2 == 0);
    }
    for (double dollars : {0.0, 1.5, -1.5, 21474836.47, 21474836.48, 1e9, -1e9, 1e40, -1e40, 3.5e38, HUGE_VAL,
                           -HUGE_VAL, std::nan("")}) {
        const int cents = dollarsToCents(dollars);
        EXPECT_GE(cents, -2147483647) << dollars;
    }
    EXPECT_EQ(dollarsToCents(1e40), 2147483647);
    EXPECT_EQ(dollarsToCents(std::nan("")), 0);
    EXPECT_EQ(dollarsToCents(60.0), 6000);
}

// The checker reads whole folders of damaged files the same way.
TEST_F(LoadersFuzz, TheCheckerLooksOverDamagedFoldersWithoutHarm) {
    Inputs inputs(6);
    const std::array<std::pair<const char*, std::string>, 6> files = {
        std::pair<const char*, std::string>{"Lang.dat", shippedFile("Lang.dat")},
        {"GeneralMeta.dat", shippedFile("GeneralMeta.dat")},
        {"AI.dat", shippedFile("AI.dat")},
        {"Settings.ini", shippedFile("Settings.ini")},
        {"Savegame.dat", saveFile()},
        {"Missions/0.dat", missionFile()}};
    std::filesystem::create_directories("Drovil/Missions");
    for (int i = 0; i < 300; ++i) {
        for (const auto& [name, good] : files)
            writeFile(std::string("Drovil/") + name, inputs.below(3) == 0 ? inputs.either(good) : good);
        std::ostringstream out, err;
        const int status = check::runCheckCommand({"Drovil"}, out, err);
        EXPECT_TRUE(status == 0 || status == 1) << err.str();
    }
}

} // namespace
} // namespace drovil
