#include "runtime/data_file.h"

#include "runtime/file_write.h"
#include "runtime/text_lines.h"
#include "runtime/scratch_folder.h"

#include <filesystem>
#include <stdexcept>

namespace drovil {
namespace {

class DictDataFileTest : public testing::ScratchFolderTest {
protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        makeDrovilFolder();
    }
    void TearDown() override {
        clearWriteFault();
        ScratchFolderTest::TearDown();
    }

    // A file object loaded from the given contents of Drovil/Test.dat.
    static DictDataFile loaded(const std::string& contents, bool expectSuccess = true) {
        writeFile(path, contents);
        DictDataFile file(path);
        EXPECT_EQ(file.load(), expectSuccess) << contents;
        return file;
    }

    static inline const std::string path = "Drovil/Test.dat";
};

// Loading

TEST_F(DictDataFileTest, LoadLogsEveryStepAndCountsLines) {
    DictDataFile file = loaded("a=1");
    EXPECT_EQ(logMessages(), (std::vector<std::string>{"loading data file: Drovil/Test.dat",
                                                       "data file found: Drovil/Test.dat",
                                                       "data file 'Drovil/Test.dat' loaded, lines red: 1"}));
    EXPECT_EQ(file.getString("a"), "1");
    EXPECT_FALSE(file.isDirty());
}

TEST_F(DictDataFileTest, FinalLineFeedCountsAnEmptyLine) {
    DictDataFile file = loaded("a=1\n");
    EXPECT_TRUE(logHas("data file 'Drovil/Test.dat' loaded, lines red: 2"));
    EXPECT_EQ(file.entries().size(), 1u);
}

TEST_F(DictDataFileTest, EmptyLinesAreSkippedAndCounted) {
    DictDataFile file = loaded("\na=1\n\nb=2\n");
    EXPECT_TRUE(logHas("data file 'Drovil/Test.dat' loaded, lines red: 5"));
    EXPECT_EQ(file.entries().size(), 2u);
}

TEST_F(DictDataFileTest, CarriageReturnsBeforeLineFeedsAreDropped) {
    DictDataFile file = loaded("a=1\r\nb=two words\r\n");
    EXPECT_EQ(file.getString("a"), "1");
    EXPECT_EQ(file.getString("b"), "two words");
}

TEST_F(DictDataFileTest, MissingFileFailsWithEmptyContents) {
    DictDataFile file("Drovil/Absent.dat");
    EXPECT_FALSE(file.load());
    EXPECT_TRUE(file.entries().empty());
    EXPECT_EQ(logMessages(),
              (std::vector<std::string>{"loading data file: Drovil/Absent.dat",
                                        "unable to load from data file, please make sure it exists."}));
}

TEST_F(DictDataFileTest, ThirdLineWithoutEqualsFailsAtLineTwoAndKeepsEarlierEntries) {
    DictDataFile file = loaded("a=1\nb=2\nbroken\nc=3\n", false);
    EXPECT_TRUE(logHas("cannot parse line: broken, please make sure it is assembled of the correct format "
                       "(<setting_name>=<settings_value>). (Drovil/Test.dat line 3, 6 bytes)"));
    EXPECT_TRUE(logHas("data file 'Drovil/Test.dat' is corruped at line: 2"));
    EXPECT_FALSE(logHas("data file 'Drovil/Test.dat' loaded, lines red: 2"));
    EXPECT_EQ(file.getString("a"), "1");
    EXPECT_EQ(file.getString("b"), "2");
    EXPECT_EQ(file.getString("c"), "");
}

// A damaged file may hold a line of megabytes (a file saved in the wrong
// format, a paste gone wrong): the log quotes a few hundred bytes of it, with
// the line's number and length, never the whole line.
TEST_F(DictDataFileTest, AMegabyteLineIsQuotedInAFewHundredBytesWithItsNumberAndLength) {
    const std::string huge(1 << 20, 'x');
    loaded("a=1\n" + huge + "\n", false);
    ASSERT_LT(std::filesystem::file_size("Drovil/Log.log"), 2000u) << "the log took the whole line";
    const std::vector<std::string> messages = logMessages();
    ASSERT_GE(messages.size(), 2u);
    const std::string& quoted = messages[messages.size() - 2];
    EXPECT_EQ(quoted.rfind("cannot parse line: " + std::string(logQuoteBytes, 'x') + "[...], please make sure", 0),
              0u)
        << quoted.substr(0, 300);
    EXPECT_NE(quoted.find("(Drovil/Test.dat line 2, 1048576 bytes)"), std::string::npos) << quoted.substr(0, 300);
    EXPECT_TRUE(logHas("data file 'Drovil/Test.dat' is corruped at line: 1"));

    // A line that loads but whose value cannot be read is quoted the same way.
    DictDataFile file = loaded("count=" + huge + "\n" + huge + "=1\n");
    EXPECT_EQ(file.getInt("count", -999), -999);
    EXPECT_EQ(file.getInt(huge, -999), 1);
    EXPECT_FLOAT_EQ(file.getFloat("count", -1.0f), -1.0f);
    EXPECT_LT(std::filesystem::file_size("Drovil/Log.log"), 4000u) << "the log took the whole line";
}

TEST_F(DictDataFileTest, TwoEqualsSignsFailTheFile) {
    loaded("a=b=c\n", false);
    EXPECT_TRUE(logHas("data file 'Drovil/Test.dat' is corruped at line: 0"));
}

TEST_F(DictDataFileTest, LineSplitting) {
    DictDataFile file(path);
    EXPECT_TRUE(file.parseLine("key = value"));
    EXPECT_EQ(file.getString("key "), " value");
    EXPECT_EQ(file.getString("key"), "");

    EXPECT_TRUE(file.parseLine("=empty key"));
    EXPECT_EQ(file.getString(""), "empty key");

    EXPECT_FALSE(file.parseLine("novalue="));
    EXPECT_FALSE(file.parseLine("="));
    EXPECT_FALSE(file.parseLine("a==b"));
    EXPECT_FALSE(file.parseLine(";a comment=1=2"));
    EXPECT_TRUE(file.parseLine(""));
    // Parsing fills the contents but is not a change to save.
    EXPECT_FALSE(file.isDirty());
}

TEST_F(DictDataFileTest, LaterLineReplacesEarlierValue) {
    DictDataFile file = loaded("k=first\nk=second\n");
    EXPECT_EQ(file.getString("k"), "second");
    EXPECT_EQ(file.entries().size(), 1u);
}

// Reading values

TEST_F(DictDataFileTest, MissingKeysGiveDefaults) {
    DictDataFile file = loaded("present=5\n");
    EXPECT_EQ(file.getInt("missing", -999), -999);
    EXPECT_EQ(file.getInt("missing", 7), 7);
    EXPECT_EQ(file.getString("missing"), "");
    EXPECT_FLOAT_EQ(file.getFloat("missing", 2.5f), 2.5f);
    EXPECT_FALSE(file.getBool("missing"));
    const Vector3 position = file.getPosition("missing");
    EXPECT_EQ(position.x, 0.0f);
    EXPECT_EQ(position.y, 0.0f);
    EXPECT_EQ(position.z, 0.0f);
}

TEST_F(DictDataFileTest, IntegerParsing) {
    DictDataFile file = loaded("plain=42\nneg=-17\nspaced=  8\ntrailing=12abc\n");
    EXPECT_EQ(file.getInt("plain", 0), 42);
    EXPECT_EQ(file.getInt("neg", 0), -17);
    EXPECT_EQ(file.getInt("spaced", 0), 8);
    EXPECT_EQ(file.getInt("trailing", 0), 12);
}

TEST_F(DictDataFileTest, EmptyValueReadsAsDefault) {
    DictDataFile file(path);
    // "k==" splits into "k" and an empty value.
    ASSERT_TRUE(file.parseLine("k=="));
    EXPECT_EQ(file.getInt("k", 31), 31);
    EXPECT_FLOAT_EQ(file.getFloat("k", 1.25f), 1.25f);
    EXPECT_FALSE(file.getBool("k"));
}

// A value a player or a modder got wrong is reported once, naming the file,
// the key and the value, and read as absent: nothing throws.
TEST_F(DictDataFileTest, ValuesThatDoNotReadAreReportedOnceAndReadAsAbsent) {
    DictDataFile file = loaded("word=abc\nhuge=99999999999\nbigfloat=1e39\nnotanumber=nan\ninfinite=inf\n"
                               "short=1,2\nletters=abc,def,ghi\nfarout=1e39,0,0\n");
    EXPECT_EQ(file.getInt("word", -999), -999);
    EXPECT_EQ(file.getInt("word", 7), 7) << "asked again: the default, without a second report";
    EXPECT_FLOAT_EQ(file.getFloat("word", 2.5f), 2.5f);
    EXPECT_EQ(file.getInt("huge", -999), -999);
    EXPECT_FLOAT_EQ(file.getFloat("bigfloat", -999.0f), -999.0f);
    EXPECT_FLOAT_EQ(file.getFloat("notanumber", 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(file.getFloat("infinite", 0.0f), 0.0f);
    EXPECT_FALSE(file.getBool("word"));
    for (const char* key : {"short", "letters", "farout"}) {
        const Vector3 p = file.getPosition(key);
        EXPECT_EQ(p.x, 0.0f) << key;
        EXPECT_EQ(p.z, 0.0f) << key;
        EXPECT_FALSE(file.readPosition(key).has_value()) << key;
    }
    int reports = 0;
    for (const std::string& message : logMessages())
        reports += message.rfind("data file 'Drovil/Test.dat': cannot read ", 0) == 0 ? 1 : 0;
    EXPECT_EQ(reports, 8) << "once per key, however often it is read";
    EXPECT_TRUE(logHas("data file 'Drovil/Test.dat': cannot read word=abc (not a whole number that fits), it "
                       "is taken as absent"));
    EXPECT_TRUE(logHas("data file 'Drovil/Test.dat': cannot read short=1,2 (not a position x,y,z of three "
                       "finite numbers), it is taken as absent"));
    EXPECT_TRUE(file.hasBadValue("word"));
    file.setInt("word", 4);
    EXPECT_FALSE(file.hasBadValue("word"));
    EXPECT_EQ(file.getInt("word", 0), 4);
}

TEST_F(DictDataFileTest, NumbersReadAsTheStandardConversionsReadThem) {
    DictDataFile file = loaded("spaced=  -12\nplus=+7\ntail=12abc\ncomma=1,5\nfloat=2.5e2\n");
    EXPECT_EQ(file.getInt("spaced", 0), -12);
    EXPECT_EQ(file.getInt("plus", 0), 7);
    EXPECT_EQ(file.getInt("tail", 0), 12);
    EXPECT_FLOAT_EQ(file.getFloat("comma", 0.0f), 1.5f) << "a decimal comma reads as a point";
    EXPECT_FLOAT_EQ(file.getFloat("float", 0.0f), 250.0f);
    EXPECT_EQ(file.getInt("float", 0), 2) << "a whole number stops at the point";
}

TEST_F(DictDataFileTest, BooleanReading) {
    DictDataFile file = loaded("one=1\ntwo=2\nneg=-1\nzero=0\nmarker=-999\nword=yes\n");
    EXPECT_TRUE(file.getBool("one"));
    EXPECT_TRUE(file.getBool("two"));
    EXPECT_TRUE(file.getBool("neg"));
    EXPECT_FALSE(file.getBool("zero"));
    EXPECT_FALSE(file.getBool("marker"));
    EXPECT_FALSE(file.getBool("word")) << "not a number: absent, so false";
}

TEST_F(DictDataFileTest, PositionReading) {
    DictDataFile file = loaded("p=1521.5,-3.25,40\nextra=1,2,3,4\n");
    const Vector3 p = file.getPosition("p");
    EXPECT_FLOAT_EQ(p.x, 1521.5f);
    EXPECT_FLOAT_EQ(p.y, -3.25f);
    EXPECT_FLOAT_EQ(p.z, 40.0f);
    EXPECT_FLOAT_EQ(file.getPosition("extra").z, 3.0f);
}

TEST_F(DictDataFileTest, AByteOrderMarkBeforeTheFirstKeyIsSkipped) {
    // Older Windows editors put one at the start of every file they save.
    DictDataFile file = loaded("\xEF\xBB\xBFmissions.459833523=0\nnext_mission_id=1\n");
    EXPECT_EQ(file.getInt("missions.459833523", -999), 0);
    EXPECT_EQ(file.entries().size(), 2u);
    EXPECT_EQ(file.entries().begin()->first, "missions.459833523");
}

// Changing values

TEST_F(DictDataFileTest, SettersEncodeValues) {
    DictDataFile file(path);
    file.setInt("int", -5);
    file.setFloat("float", 12.5f);
    file.setBool("yes", true);
    file.setBool("no", false);
    file.setPosition("pos", Vector3(1521.5f, -3.25f, 40.0f));
    file.setPosition("rounded", Vector3(1234.5678f, 0.1f, -98765.4f));
    EXPECT_EQ(file.getString("int"), "-5");
    EXPECT_EQ(file.getString("float"), "12.500000");
    EXPECT_EQ(file.getString("yes"), "1");
    EXPECT_EQ(file.getString("no"), "0");
    EXPECT_EQ(file.getString("pos"), "1521.5,-3.25,40");
    EXPECT_EQ(file.getString("rounded"), "1234.57,0.1,-98765.4");
    EXPECT_TRUE(file.getBool("yes"));
    EXPECT_FALSE(file.getBool("no"));
    EXPECT_FLOAT_EQ(file.getPosition("pos").x, 1521.5f);
}

TEST_F(DictDataFileTest, EverySetMarksDirtyEvenWithTheSameValue) {
    DictDataFile file = loaded("k=v\n");
    EXPECT_FALSE(file.isDirty());
    file.setString("k", "v");
    EXPECT_TRUE(file.isDirty());
}

TEST_F(DictDataFileTest, RemovingAnAbsentKeyChangesNothing) {
    DictDataFile file = loaded("k=v\n");
    file.setString("other", "");
    EXPECT_FALSE(file.isDirty());
    EXPECT_EQ(file.entries().size(), 1u);
}

TEST_F(DictDataFileTest, EmptyValueRemovesTheKeyAndTheSavedLine) {
    DictDataFile file = loaded("gone=1\nkept=2\n");
    file.setString("gone", "");
    EXPECT_TRUE(file.isDirty());
    EXPECT_EQ(file.getString("gone"), "");
    ASSERT_TRUE(file.save(false));
    EXPECT_EQ(readFile(path), "kept=2\n");
}

// Saving

TEST_F(DictDataFileTest, SaveRewritesInByteOrderAndDropsSkippedLines) {
    DictDataFile file = loaded("b=2\n\na=1\nB=3\nab=4\n a=5\n");
    ASSERT_TRUE(file.save(true));
    EXPECT_EQ(readFile(path), " a=5\nB=3\na=1\nab=4\nb=2\n");
    EXPECT_TRUE(logHas("saving Drovil/Test.dat"));
    EXPECT_TRUE(logHas("file saved: Drovil/Test.dat"));
}

TEST_F(DictDataFileTest, CleanFileIsNotWrittenUnlessForced) {
    DictDataFile file(dataPath("New.dat"));
    EXPECT_TRUE(file.save(false));
    EXPECT_FALSE(std::filesystem::exists("Drovil/New.dat"));
    EXPECT_FALSE(logHas("saving Drovil/New.dat"));

    EXPECT_TRUE(file.save(true));
    EXPECT_EQ(readFile("Drovil/New.dat"), "");
}

TEST_F(DictDataFileTest, MissingFileIsCreatedOnFirstSaveAndReadsBack) {
    DictDataFile file(dataPath("Flags.dat"));
    EXPECT_FALSE(file.load());
    file.setBool("tutorial.seen", true);
    file.setInt("count", 3);
    ASSERT_TRUE(file.save(false));
    EXPECT_FALSE(file.isDirty());
    EXPECT_FALSE(std::filesystem::exists(temporaryPathFor("Drovil/Flags.dat")));

    DictDataFile reread(dataPath("Flags.dat"));
    ASSERT_TRUE(reread.load());
    EXPECT_EQ(reread.entries(), file.entries());
}

TEST_F(DictDataFileTest, UnopenableFileFailsAndStaysDirty) {
    DictDataFile file("Drovil/no_such_folder/Test.dat");
    file.setString("k", "v");
    EXPECT_FALSE(file.save(false));
    EXPECT_TRUE(file.isDirty());
    EXPECT_EQ(logMessages(),
              (std::vector<std::string>{"saving Drovil/no_such_folder/Test.dat",
                                        "unable to open file, please make sure it exists.",
                                        "save failed in file: Drovil/no_such_folder/Test.dat"}));
}

// A disk that fills up mid-write must leave the previous save intact.
class DictDataFileInterruptedSave : public DictDataFileTest,
                                    public ::testing::WithParamInterface<std::size_t> {};

TEST_P(DictDataFileInterruptedSave, KeepsTheOldFileAndRetriesOnTheNextSave) {
    const std::string original = "gold=10\nname=Arthur\n";
    DictDataFile file = loaded(original);
    file.setInt("gold", 250);
    file.setString("horse", "Boadicea");

    failNextWriteAfter(GetParam());
    EXPECT_FALSE(file.save(false));
    EXPECT_EQ(readFile(path), original);
    EXPECT_FALSE(std::filesystem::exists(temporaryPathFor(path)));
    EXPECT_TRUE(file.isDirty());
    EXPECT_TRUE(logHas("save failed in file: Drovil/Test.dat"));
    EXPECT_FALSE(logHas("file saved: Drovil/Test.dat"));
    EXPECT_FALSE(logHas("unable to open file, please make sure it exists."));

    // The fault is used up: the retry writes everything.
    EXPECT_TRUE(file.save(false));
    EXPECT_FALSE(file.isDirty());
    EXPECT_EQ(readFile(path), "gold=250\nhorse=Boadicea\nname=Arthur\n");
    EXPECT_FALSE(std::filesystem::exists(temporaryPathFor(path)));
}

INSTANTIATE_TEST_SUITE_P(AfterBytes, DictDataFileInterruptedSave, ::testing::Values(0u, 1u, 9u, 36u, 1000u));

TEST_F(DictDataFileTest, ClearedWriteFaultDoesNotFire) {
    DictDataFile file(path);
    file.setString("k", "v");
    failNextWriteAfter(0);
    clearWriteFault();
    EXPECT_TRUE(file.save(false));
    EXPECT_EQ(readFile(path), "k=v\n");
}

TEST_F(DictDataFileTest, LeftoverTemporaryFileFromACrashIsOverwritten) {
    writeFile(temporaryPathFor(path), "half a sa");
    DictDataFile file(path);
    file.setString("k", "v");
    ASSERT_TRUE(file.save(false));
    EXPECT_EQ(readFile(path), "k=v\n");
    EXPECT_FALSE(std::filesystem::exists(temporaryPathFor(path)));
}

// Paths

TEST(DataPathText, PrefixesTheFolderAndStaysValid) {
    const std::string& lang = dataPath("Lang.dat");
    EXPECT_EQ(lang, "Drovil/Lang.dat");
    for (int i = 0; i < 100; ++i)
        dataPath("Mission" + std::to_string(i) + ".dat");
    EXPECT_EQ(&dataPath("Lang.dat"), &lang);
    EXPECT_EQ(lang, "Drovil/Lang.dat");
    EXPECT_EQ(dataPathText("Missions/7.dat"), "Drovil/Missions/7.dat");
}

} // namespace
} // namespace drovil
