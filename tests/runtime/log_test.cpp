#include "runtime/log.h"

#include "runtime/scratch_folder.h"

#include <filesystem>

namespace drovil {
namespace {

using LogFile = testing::ScratchFolderTest;

std::tm timeOf(int day, int month, int year, int hour, int minute, int second) {
    std::tm time{};
    time.tm_mday = day;
    time.tm_mon = month - 1;
    time.tm_year = year - 1900;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

TEST(LogLineFormat, SingleDigitFieldsHaveNoLeadingZeros) {
    EXPECT_EQ(formatLogLine(timeOf(7, 12, 2026, 9, 5, 3), "initialization complete"),
              "[7/12/2026 9:5:3] initialization complete");
    EXPECT_EQ(formatLogLine(timeOf(1, 1, 2027, 0, 0, 0), "x"), "[1/1/2027 0:0:0] x");
}

TEST(LogLineFormat, TwoDigitFieldsAndEmbeddedNewlines) {
    EXPECT_EQ(formatLogLine(timeOf(31, 10, 1999, 23, 59, 58), "a\nb"), "[31/10/1999 23:59:58] a\nb");
    EXPECT_EQ(formatLogLine(timeOf(15, 6, 2026, 12, 30, 45), ""), "[15/6/2026 12:30:45] ");
}

TEST(LogFloatText, SixDecimals) {
    EXPECT_EQ(floatText(12.5), "12.500000");
    EXPECT_EQ(floatText(-0.25), "-0.250000");
    EXPECT_EQ(floatText(0.0), "0.000000");
    EXPECT_EQ(floatText(1e20), "100000000000000000000.000000");
}

TEST_F(LogFile, AppendsStampedLinesAndNeverTruncates) {
    makeDrovilFolder();
    writeFile("Drovil/Log.log", "earlier launch\n");
    log("first");
    log(std::string("second ") + std::to_string(-42));
    log("multi\nline");

    const std::vector<std::string> lines = logLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "earlier launch");
    EXPECT_EQ(lines[4], "line");
    const std::regex stamp(R"(^\[\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d{1,2}:\d{1,2}\] )");
    EXPECT_TRUE(std::regex_search(lines[1], stamp));
    EXPECT_EQ(std::regex_replace(lines[1], stamp, ""), "first");
    EXPECT_EQ(std::regex_replace(lines[2], stamp, ""), "second -42");
    EXPECT_EQ(std::regex_replace(lines[3], stamp, ""), "multi");
    EXPECT_EQ(readFile("Drovil/Log.log").back(), '\n');
}

TEST_F(LogFile, StampIsTheCurrentLocalDate) {
    makeDrovilFolder();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    log("now");
    const std::string expectedPrefix = "[" + std::to_string(local.tm_mday) + "/" +
                                       std::to_string(local.tm_mon + 1) + "/" +
                                       std::to_string(local.tm_year + 1900) + " ";
    const std::vector<std::string> lines = logLines();
    ASSERT_EQ(lines.size(), 1u);
    // The date could roll over between the two clock reads only at midnight.
    EXPECT_EQ(lines[0].rfind(expectedPrefix, 0), 0u) << lines[0];
}

TEST_F(LogFile, EveryLineIsOnDiskWhenTheCallReturns) {
    makeDrovilFolder();
    log("one");
    EXPECT_EQ(logLines().size(), 1u);
    log("two");
    EXPECT_EQ(logLines().size(), 2u);
}

TEST_F(LogFile, MissingFolderDropsLinesAndLaterLinesStillArrive) {
    log("lost");
    EXPECT_FALSE(std::filesystem::exists("Drovil"));
    EXPECT_FALSE(std::filesystem::exists("Drovil/Log.log"));

    // The failed open must not poison the stream for later calls.
    makeDrovilFolder();
    log("kept");
    EXPECT_EQ(logMessages(), std::vector<std::string>{"kept"});
}

TEST_F(LogFile, NullTextIsAnEmptyMessage) {
    makeDrovilFolder();
    log(static_cast<const char*>(nullptr));
    EXPECT_EQ(logMessages(), std::vector<std::string>{""});
}

} // namespace
} // namespace drovil
