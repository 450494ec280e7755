// The saves' writer thread: the order files reach the disk in, one write per
// file and frame, reads of a file on its way, a failed write holding the ones
// behind it, and the writes finished at unload.
#include "runtime/data_file.h"
#include "runtime/durable_save.h"
#include "runtime/file_write.h"
#include "runtime/file_writer.h"
#include "runtime/scratch_folder.h"

#include <filesystem>

namespace drovil {
namespace {

class FileWriterTest : public testing::ScratchFolderTest {
protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        makeDrovilFolder();
    }
    void TearDown() override {
        finishFileWrites();
        clearWriteFault();
        ScratchFolderTest::TearDown();
    }

    // What the script learns of the writes finished so far, as "path ok" lines.
    static std::vector<std::string> finished() {
        waitForFileWrites();
        std::vector<WriteOutcome> outcomes;
        takeFileWriteOutcomes(outcomes);
        std::vector<std::string> lines;
        for (const WriteOutcome& outcome : outcomes)
            lines.push_back(outcome.path + (outcome.result == FileWriteResult::written ? " ok" : " failed"));
        return lines;
    }
};

TEST_F(FileWriterTest, AFileSavedTwiceInAFrameIsWrittenOnceWithItsLastContents) {
    const WriteTicket first = queueFileWrite("Drovil/Savegame.dat", "a=1\n");
    const WriteTicket second = queueFileWrite("Drovil/Savegame.dat", "a=2\n");
    EXPECT_EQ(fileWriteState(first), WriteState::waiting);
    handOverFileWrites();
    EXPECT_EQ(finished(), (std::vector<std::string>{"Drovil/Savegame.dat ok"}));
    EXPECT_EQ(readFile("Drovil/Savegame.dat"), "a=2\n");
    EXPECT_EQ(fileWriteState(first), WriteState::written);
    EXPECT_EQ(fileWriteState(second), WriteState::written);
    EXPECT_FALSE(std::filesystem::exists(temporaryPathFor("Drovil/Savegame.dat")));
}

TEST_F(FileWriterTest, FilesReachTheDiskInTheOrderTheyWereSaved) {
    // The save, a mission file, the save again: merging the second save into
    // the first would put it on the disk ahead of the mission file.
    queueFileWrite("Drovil/Savegame.dat", "slot=1\n");
    queueFileWrite("Drovil/Missions.dat", "status=2\n");
    queueFileWrite("Drovil/Savegame.dat", "slot=-1\n");
    handOverFileWrites();
    EXPECT_EQ(finished(), (std::vector<std::string>{"Drovil/Savegame.dat ok", "Drovil/Missions.dat ok",
                                                    "Drovil/Savegame.dat ok"}));
    EXPECT_EQ(readFile("Drovil/Savegame.dat"), "slot=-1\n");
}

TEST_F(FileWriterTest, AReadSeesTheContentsOnTheirWayToTheDisk) {
    writeFile("Drovil/Test.dat", "old=1\n");
    DictDataFile file("Drovil/Test.dat");
    ASSERT_TRUE(file.load());
    file.setInt("new", 2);
    EXPECT_NE(saveDurably(file), 0u);
    EXPECT_FALSE(file.isDirty());
    EXPECT_EQ(pendingFileContents("Drovil/Test.dat"), std::optional<std::string>("new=2\nold=1\n"));

    DictDataFile reread("Drovil/Test.dat");
    ASSERT_TRUE(reread.load()) << "not handed over yet";
    EXPECT_EQ(reread.getInt("new", 0), 2);

    handOverFileWrites();
    finished();
    EXPECT_EQ(pendingFileContents("Drovil/Test.dat"), std::nullopt);
    EXPECT_EQ(readFile("Drovil/Test.dat"), "new=2\nold=1\n");
    EXPECT_EQ(saveDurably(file), 0u) << "nothing changed since";
}

TEST_F(FileWriterTest, AFailedWriteHoldsTheOnesBehindItUntilItIsWritten) {
    writeFile("Drovil/Savegame.dat", "balance=70\n");
    failNextWriteAfter(3);
    const WriteTicket save = queueFileWrite("Drovil/Savegame.dat", "balance=0\n");
    const WriteTicket mission = queueFileWrite("Drovil/Missions.dat", "status=2\n");
    handOverFileWrites();
    EXPECT_EQ(finished(), (std::vector<std::string>{"Drovil/Savegame.dat failed"}));
    EXPECT_TRUE(fileWriterHeld());
    EXPECT_EQ(fileWriteState(save), WriteState::failed);
    EXPECT_EQ(fileWriteState(mission), WriteState::waiting);
    EXPECT_EQ(readFile("Drovil/Savegame.dat"), "balance=70\n") << "the old file stays whole";
    EXPECT_FALSE(std::filesystem::exists("Drovil/Missions.dat")) << "nothing gets ahead of the failed write";
    EXPECT_EQ(pendingFileContents("Drovil/Savegame.dat"), std::optional<std::string>("balance=0\n"));

    retryFileWrites();
    EXPECT_EQ(finished(), (std::vector<std::string>{"Drovil/Savegame.dat ok", "Drovil/Missions.dat ok"}));
    EXPECT_FALSE(fileWriterHeld());
    EXPECT_EQ(fileWriteState(mission), WriteState::written);
    EXPECT_EQ(readFile("Drovil/Savegame.dat"), "balance=0\n");
}

TEST_F(FileWriterTest, NewContentsForAFailedFileReplaceItsWriteAndAreTriedAtOnce) {
    failNextWriteAfter(0);
    queueFileWrite("Drovil/Savegame.dat", "balance=0\n");
    handOverFileWrites();
    EXPECT_EQ(finished(), (std::vector<std::string>{"Drovil/Savegame.dat failed"}));

    const WriteTicket again = queueFileWrite("Drovil/Savegame.dat", "balance=70\n");
    EXPECT_EQ(fileWriteState(again), WriteState::waiting) << "not tried yet";
    handOverFileWrites();
    EXPECT_EQ(finished(), (std::vector<std::string>{"Drovil/Savegame.dat ok"}));
    EXPECT_EQ(readFile("Drovil/Savegame.dat"), "balance=70\n");
}

TEST_F(FileWriterTest, UnloadFinishesEveryWriteEvenOneNotHandedOver) {
    queueFileWrite("Drovil/Savegame.dat", "a=1\n");
    handOverFileWrites();
    queueFileWrite("Drovil/TutorialFlags.dat", "seen=1\n");
    finishFileWrites();
    EXPECT_EQ(readFile("Drovil/Savegame.dat"), "a=1\n");
    EXPECT_EQ(readFile("Drovil/TutorialFlags.dat"), "seen=1\n");
}

} // namespace
} // namespace drovil
