// Mission files: one Drovil/Missions/<id>.dat per mission, read back after a
// restart of the game.
#include "support/game.h"
#include "support/script_thread.h"

#include "world/area_ids.h"
#include "world/mission_data_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {
namespace fs = std::filesystem;
using drovil::MissionData;
using drovil::MissionDataFiles;
using drovil::Vector3;

// A mission with a distinct, non-default value in every field, positions
// included, and a negative hash among the models.
MissionData sampleMission(int id) {
    MissionData m;
    m.id = id;
    m.coords = Vector3(2904.366f, 1248.808f, 44.87448f);
    m.templateId = 4;
    m.settingId = 8;
    m.areaId = drovil::area_ids::asSigned(drovil::area_ids::Armadillo);
    m.status = 3;
    m.bounty = 115;
    m.createdAt = 86523;
    m.variant = 5;
    m.targetModel = 0xD39FE932; // above 2^31: written as a negative number
    m.targetOutfitIndex = 17;
    m.guardsCount = 4;
    m.guardModel = 0x1B6880B3;
    m.companionsCount = 1;
    m.companionModel = 0x00704B67;
    m.vehicleModel = 0x680D3008;
    m.vehiclePropsetModel = 0x9B8E3A21;
    m.isTargetACriminal = true;
    m.isTargetArmed = true;
    m.propsetModel = 0x1234ABCD;
    m.ambienceRadius = 35.5f;
    m.spawnDistance = 250.0f;
    m.targetFleeChance = 0.2f;
    m.blipRadius = 90.0f;
    m.missionAreaRadius = 412.25f;
    m.targetLootMoney = 4000;
    m.companionsLootMoney = 1200;
    m.guardsLootMoney = 2500;
    m.blipCoords = Vector3(-3619.911f, -2605.103f, -13.33457f);
    m.bonusesReward = 25;
    m.isExternal = true; // never stored
    return m;
}

void expectNear(const Vector3& actual, const Vector3& expected) {
    // Positions are stored with six significant digits.
    EXPECT_NEAR(actual.x, expected.x, std::abs(expected.x) * 1e-5f + 1e-4f);
    EXPECT_NEAR(actual.y, expected.y, std::abs(expected.y) * 1e-5f + 1e-4f);
    EXPECT_NEAR(actual.z, expected.z, std::abs(expected.z) * 1e-5f + 1e-4f);
}

void expectSameStoredFields(const MissionData& loaded, const MissionData& saved) {
    EXPECT_EQ(loaded.id, saved.id);
    expectNear(loaded.coords, saved.coords);
    EXPECT_EQ(loaded.templateId, saved.templateId);
    EXPECT_EQ(loaded.settingId, saved.settingId);
    EXPECT_EQ(loaded.areaId, saved.areaId);
    EXPECT_EQ(loaded.status, saved.status);
    EXPECT_EQ(loaded.bounty, saved.bounty);
    EXPECT_EQ(loaded.createdAt, saved.createdAt);
    EXPECT_EQ(loaded.variant, saved.variant);
    EXPECT_EQ(loaded.targetModel, saved.targetModel);
    EXPECT_EQ(loaded.targetOutfitIndex, saved.targetOutfitIndex);
    EXPECT_EQ(loaded.guardsCount, saved.guardsCount);
    EXPECT_EQ(loaded.guardModel, saved.guardModel);
    EXPECT_EQ(loaded.companionsCount, saved.companionsCount);
    EXPECT_EQ(loaded.companionModel, saved.companionModel);
    EXPECT_EQ(loaded.vehicleModel, saved.vehicleModel);
    EXPECT_EQ(loaded.vehiclePropsetModel, saved.vehiclePropsetModel);
    EXPECT_EQ(loaded.isTargetACriminal, saved.isTargetACriminal);
    EXPECT_EQ(loaded.isTargetArmed, saved.isTargetArmed);
    EXPECT_EQ(loaded.propsetModel, saved.propsetModel);
    // Floats are stored with six decimals.
    EXPECT_NEAR(loaded.ambienceRadius, saved.ambienceRadius, 1e-6f);
    EXPECT_NEAR(loaded.spawnDistance, saved.spawnDistance, 1e-6f);
    EXPECT_NEAR(loaded.targetFleeChance, saved.targetFleeChance, 1e-6f);
    EXPECT_NEAR(loaded.blipRadius, saved.blipRadius, 1e-6f);
    EXPECT_NEAR(loaded.missionAreaRadius, saved.missionAreaRadius, 1e-6f);
    EXPECT_EQ(loaded.targetLootMoney, saved.targetLootMoney);
    EXPECT_EQ(loaded.companionsLootMoney, saved.companionsLootMoney);
    EXPECT_EQ(loaded.guardsLootMoney, saved.guardsLootMoney);
    expectNear(loaded.blipCoords, saved.blipCoords);
    EXPECT_EQ(loaded.bonusesReward, saved.bonusesReward);
}

bool saveOnScriptThread(sim::Session& session, MissionData& record) {
    bool saved = false;
    test::runOnScriptThread(session, [&] { saved = MissionDataFiles::instance().saveMission(record); });
    return saved;
}

MissionData* loadOnScriptThread(sim::Session& session, int id) {
    MissionData* loaded = nullptr;
    test::runOnScriptThread(session, [&] { loaded = MissionDataFiles::instance().loadMission(id); });
    return loaded;
}

int countLog(const sim::Session& session, const std::string& text) {
    int count = 0;
    for (const std::string& line : test::logMessages(session))
        count += line.find(text) != std::string::npos ? 1 : 0;
    return count;
}

constexpr const char* restartFolderVariable = "DROVIL_TEST_RESTART_FOLDER";

} // namespace

TEST(MissionFiles, FileHoldsEveryStoredKeyInKeyOrderWithTheGamesNumberForms) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    // Annesburg's centre, the first row of the map-area table.
    static MissionData record = sampleMission(42);
    ASSERT_TRUE(saveOnScriptThread(session, record));

    EXPECT_EQ(session.readFile("Missions/42.dat"), "ambienceRadius=35.500000\n"
                                                   "areaId=-744494798\n"
                                                   "blipCoords=-3619.91,-2605.1,-13.3346\n"
                                                   "blipRadius=90.000000\n"
                                                   "bonusesReward=25\n"
                                                   "bounty=115\n"
                                                   "companionModel=7359335\n"
                                                   "companionsCount=1\n"
                                                   "companionsLootMoney=1200\n"
                                                   "coords=2904.37,1248.81,44.8745\n"
                                                   "createdAt=86523\n"
                                                   "guardModel=459833523\n"
                                                   "guardsCount=4\n"
                                                   "guardsLootMoney=2500\n"
                                                   "id=42\n"
                                                   "isTargetACriminal=1\n"
                                                   "isTargetArmed=1\n"
                                                   "missionAreaRadius=412.250000\n"
                                                   "propsetModel=305441741\n"
                                                   "settingId=8\n"
                                                   "spawnDistance=250.000000\n"
                                                   "status=3\n"
                                                   "targetFleeChance=0.200000\n"
                                                   "targetLootMoney=4000\n"
                                                   "targetModel=-744494798\n"
                                                   "targetOutfitIndex=17\n"
                                                   "templateId=4\n"
                                                   "variant=5\n"
                                                   "vehicleModel=1745694728\n"
                                                   "vehiclePropsetModel=-1685177823\n");
}

TEST(MissionFiles, LoadingASavedIdReturnsTheSavedRecordWithoutReadingTheDisk) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    static MissionData record = sampleMission(9);
    ASSERT_TRUE(saveOnScriptThread(session, record));
    record.bounty = 300; // changed in memory only

    MissionData* loaded = loadOnScriptThread(session, 9);
    EXPECT_EQ(loaded, &record);
    EXPECT_EQ(countLog(session, "MissionDataFiles: loading mission data from disk: 9"), 0);

    // A second save of the id writes through the entry it already has.
    ASSERT_TRUE(saveOnScriptThread(session, record));
    EXPECT_NE(session.readFile("Missions/9.dat").find("bounty=300\n"), std::string::npos);
}

TEST(MissionFiles, AFileLetGoAfterTheMissionEndedIsReadBackBeforeItIsWrittenAgain) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    static MissionData record = sampleMission(12);
    ASSERT_TRUE(saveOnScriptThread(session, record));
    // A key this version does not write, as a later version might have left.
    {
        const std::string before = session.readFile("Missions/12.dat");
        std::ofstream(session.gameDir() / "Drovil" / "Missions" / "12.dat", std::ios::binary) << before << "zNote=kept\n";
    }
    test::runOnScriptThread(session, [] { MissionDataFiles::instance().releaseFile(12); });

    // The record is still the one in memory, not read from the disk again.
    EXPECT_EQ(loadOnScriptThread(session, 12), &record);
    EXPECT_EQ(countLog(session, "MissionDataFiles: loading mission data from disk: 12"), 0);

    record.status = 4;
    ASSERT_TRUE(saveOnScriptThread(session, record));
    const std::string written = session.readFile("Missions/12.dat");
    EXPECT_NE(written.find("status=4\n"), std::string::npos);
    EXPECT_NE(written.find("bounty=115\n"), std::string::npos);
    EXPECT_NE(written.find("zNote=kept\n"), std::string::npos);
}

TEST(MissionFiles, ForgottenMissionsStayKnownInWhateverOrderTheyEnd) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    static std::vector<MissionData> records;
    for (int id = 1; id <= 7; ++id)
        records.push_back(sampleMission(id));
    for (MissionData& record : records)
        ASSERT_TRUE(saveOnScriptThread(session, record));
    test::runOnScriptThread(session, [] {
        for (int id : {3, 5, 4, 1, 7})
            MissionDataFiles::instance().forget(id);
    });
    bool known[9] = {};
    test::runOnScriptThread(session, [&] {
        for (int id = 0; id <= 8; ++id)
            known[id] = MissionDataFiles::instance().isKnown(id);
    });
    for (int id = 0; id <= 8; ++id)
        EXPECT_EQ(known[id], id >= 1 && id <= 7) << "id " << id;

    // Written again, a forgotten mission reads its file first and is in the table once more.
    static MissionData again = sampleMission(4);
    again.status = 2;
    ASSERT_TRUE(saveOnScriptThread(session, again));
    EXPECT_EQ(loadOnScriptThread(session, 4), &again);
    MissionData* reread = loadOnScriptThread(session, 5);
    ASSERT_NE(reread, nullptr);
    EXPECT_NE(reread, &records[4]) << "a forgotten record comes from its file";
    EXPECT_EQ(reread->bounty, records[4].bounty);
}

TEST(MissionFiles, ARecordLoadedFromDiskIsCachedAndNeverExternal) {
    sim::SessionOptions options;
    options.writeFiles["Missions/12.dat"] = "id=12\nbounty=60\nsettingId=7\n";
    sim::Session session(options);
    ASSERT_TRUE(test::startGame(session));

    MissionData* first = loadOnScriptThread(session, 12);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->bounty, 60);
    EXPECT_FALSE(first->isExternal);
    EXPECT_EQ(loadOnScriptThread(session, 12), first);
    EXPECT_EQ(countLog(session, "MissionDataFiles: loading mission data from disk: 12"), 1);
    EXPECT_EQ(countLog(session, "MissionDataFiles: mission data loaded successfuly: 12"), 1);
}

TEST(MissionFiles, NegativeIdsNameTheirFilesWithAMinusSign) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    static MissionData record = sampleMission(-5);
    ASSERT_TRUE(saveOnScriptThread(session, record));
    ASSERT_TRUE(session.fileExists("Missions/-5.dat"));
    EXPECT_NE(session.readFile("Missions/-5.dat").find("id=-5\n"), std::string::npos);
    EXPECT_TRUE(session.logContains("file saved: Drovil/Missions/-5.dat"));
}

TEST(MissionFiles, TargetArmedReadsFalseForMinus999AndZeroAndTrueForTwo) {
    sim::SessionOptions options;
    options.writeFiles["Missions/1.dat"] = "id=1\nisTargetArmed=-999\nisTargetACriminal=2\n";
    options.writeFiles["Missions/2.dat"] = "id=2\nisTargetArmed=0\n";
    options.writeFiles["Missions/3.dat"] = "id=3\nisTargetArmed=2\n";
    sim::Session session(options);
    ASSERT_TRUE(test::startGame(session));

    MissionData* minus999 = loadOnScriptThread(session, 1);
    MissionData* zero = loadOnScriptThread(session, 2);
    MissionData* two = loadOnScriptThread(session, 3);
    ASSERT_TRUE(minus999 && zero && two);
    EXPECT_FALSE(minus999->isTargetArmed);
    EXPECT_TRUE(minus999->isTargetACriminal);
    EXPECT_FALSE(zero->isTargetArmed);
    EXPECT_TRUE(two->isTargetArmed);
}

TEST(MissionFiles, MissingKeysReadAsAbsentAndAMissingFileGivesNoRecord) {
    sim::SessionOptions options;
    options.writeFiles["Missions/4.dat"] = "id=4\n";
    sim::Session session(options);
    ASSERT_TRUE(test::startGame(session));

    MissionData* sparse = loadOnScriptThread(session, 4);
    ASSERT_NE(sparse, nullptr);
    EXPECT_EQ(sparse->templateId, -999);
    EXPECT_EQ(sparse->settingId, -999);
    EXPECT_EQ(sparse->bounty, -999);
    EXPECT_EQ(sparse->targetModel, static_cast<drovil::Hash>(-999));
    EXPECT_FLOAT_EQ(sparse->spawnDistance, -999.0f);
    EXPECT_FALSE(sparse->isTargetArmed);
    EXPECT_EQ(sparse->coords.x, 0.0f);
    EXPECT_EQ(sparse->blipCoords.z, 0.0f);

    EXPECT_EQ(loadOnScriptThread(session, 77), nullptr);
    EXPECT_TRUE(session.logContains("MissionDataFiles: mission data file could not be loaded: 77"));
    // Nothing was added for the missing id: asking again reads the disk again.
    EXPECT_EQ(loadOnScriptThread(session, 77), nullptr);
    EXPECT_EQ(countLog(session, "MissionDataFiles: loading mission data from disk: 77"), 2);
}

TEST(MissionFiles, ValuesThatDoNotReadAreNamedOnceAndReadAsAbsent) {
    sim::SessionOptions options;
    options.writeFiles["Missions/6.dat"] = "id=6\ncoords=1,2\nbounty=lots\nstatus=99999999999\nspawnDistance=inf\n";
    sim::Session session(options);
    ASSERT_TRUE(test::startGame(session));

    MissionData* record = loadOnScriptThread(session, 6);
    ASSERT_NE(record, nullptr) << "the record is returned, its unreadable values absent";
    EXPECT_EQ(record->coords.x, 0.0f);
    EXPECT_EQ(record->bounty, -999);
    EXPECT_EQ(record->status, -999);
    EXPECT_FLOAT_EQ(record->spawnDistance, -999.0f);
    for (const char* value : {"coords=1,2", "bounty=lots", "status=99999999999", "spawnDistance=inf"})
        EXPECT_EQ(countLog(session, std::string("data file 'Drovil/Missions/6.dat': cannot read ") + value), 1)
            << value;
    EXPECT_FALSE(session.logContains("Something wrong happened"));
    const std::vector<std::string> unreadable =
        MissionDataFiles::instance().unreadableKeys(6, {"coords", "settingId", "id", "bounty"});
    EXPECT_EQ(unreadable, (std::vector<std::string>{"coords", "settingId", "bounty"}));
}

// The first run of the restart test below, started by it as a process of its own.
TEST(MissionFilesRestart, DISABLED_FirstRunSavesTheMissions) {
    const char* folder = std::getenv(restartFolderVariable);
    ASSERT_NE(folder, nullptr);
    sim::SessionOptions options;
    options.reuseGameDir = folder;
    sim::Session session(options);
    ASSERT_TRUE(test::startGame(session));
    static MissionData positive = sampleMission(31);
    static MissionData negative = sampleMission(-5);
    negative.status = 4;
    negative.bounty = 55;
    negative.isTargetArmed = false;
    negative.isTargetACriminal = false;
    ASSERT_TRUE(saveOnScriptThread(session, positive));
    ASSERT_TRUE(saveOnScriptThread(session, negative));
}

TEST(MissionFiles, EveryFieldButIsExternalSurvivesARestartOfTheGame) {
    // The game folder outlives both runs: the first process saves, this one loads.
    const fs::path folder = sim::makeTemporaryFolder("drovil-restart");
    fs::copy(DROVIL_DATA_DIR, folder / "Drovil", fs::copy_options::recursive);
    const fs::path self = fs::read_symlink("/proc/self/exe");
    const std::string command = std::string(restartFolderVariable) + "='" + folder.string() + "' '" +
                                self.string() +
                                "' --gtest_also_run_disabled_tests"
                                " --gtest_filter=MissionFilesRestart.DISABLED_FirstRunSavesTheMissions"
                                " > '" +
                                (folder / "first_run.txt").string() + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "the first run failed, see " << folder / "first_run.txt";
    ASSERT_TRUE(fs::exists(folder / "Drovil/Missions/31.dat"));
    ASSERT_TRUE(fs::exists(folder / "Drovil/Missions/-5.dat"));

    {
        sim::SessionOptions options;
        options.reuseGameDir = folder;
        sim::Session session(options);
        // The log of the first run is still in the folder: wait for this run's own start-up.
        ASSERT_TRUE(session.runUntil([&] { return countLog(session, "initialization complete") == 2; }, 30));
        MissionData* positive = loadOnScriptThread(session, 31);
        MissionData* negative = loadOnScriptThread(session, -5);
        ASSERT_NE(positive, nullptr);
        ASSERT_NE(negative, nullptr);
        EXPECT_TRUE(session.logContains("MissionDataFiles: loading mission data from disk: 31"));

        expectSameStoredFields(*positive, sampleMission(31));
        EXPECT_FALSE(positive->isExternal);
        MissionData expectedNegative = sampleMission(-5);
        expectedNegative.status = 4;
        expectedNegative.bounty = 55;
        expectedNegative.isTargetArmed = false;
        expectedNegative.isTargetACriminal = false;
        expectSameStoredFields(*negative, expectedNegative);
        EXPECT_FALSE(negative->isExternal);
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}
