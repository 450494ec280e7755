#pragma once
// Unit-test fixture: every test runs with its own fresh, empty working folder,
// so the relative Drovil/ paths of the plug-in land in a place of the test's own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace drovil::testing {

class ScratchFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "drovil-runtime-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        std::filesystem::current_path(folder_);
    }

    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    static void makeDrovilFolder() { std::filesystem::create_directory("Drovil"); }

    static void writeFile(const std::string& path, const std::string& contents) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << contents;
        ASSERT_TRUE(out.good()) << path;
    }

    static std::string readFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The physical lines of Drovil/Log.log.
    static std::vector<std::string> logLines() {
        std::vector<std::string> lines;
        std::istringstream in(readFile("Drovil/Log.log"));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    // The message of every time-stamped log line, stamp removed. A line without a
    // stamp fails the test: every message here is a single line.
    static std::vector<std::string> logMessages() {
        static const std::regex stamped(R"(^\[\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d{1,2}:\d{1,2}\] (.*)$)");
        std::vector<std::string> messages;
        for (const std::string& line : logLines()) {
            std::smatch match;
            EXPECT_TRUE(std::regex_match(line, match, stamped)) << "unstamped log line: " << line;
            messages.push_back(match.size() > 1 ? match[1].str() : line);
        }
        return messages;
    }

    static bool logHas(const std::string& message) {
        for (const std::string& logged : logMessages())
            if (logged == message)
                return true;
        return false;
    }

    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

} // namespace drovil::testing
