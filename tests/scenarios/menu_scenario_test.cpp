// The contract menu played through: the menu-abort scenario, and pictures of
// the screen asked for on drovil-sim's command line.
#include "scenarios/scenario_run.h"
#include "scenarios/scenarios.h"
#include "session/scenario_session.h"
#include "support/syntax_check.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <sys/wait.h>

namespace {
using namespace sim;

std::string readWhole(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(MenuAbort, AContractAbandonedFromTheMenuFailsFreesItsSlotAndOffersComeAgain) {
    const ScenarioDefinition* scenario = findScenario("menu-abort");
    ASSERT_NE(scenario, nullptr);
    Session session(scenarioOptions(*scenario, 3));
    ScenarioRun run(session, 20000, nullptr);
    const ScenarioResult result = playScenario(*scenario, run);
    EXPECT_TRUE(result.success) << result.summary;
    const auto mission = run.readKeyValues("Missions/0.dat");
    EXPECT_EQ(intValue(mission, "status", -1), 4);
    // The abandoned contract was the menu's: one abort event, sent by it.
    EXPECT_EQ(session.world().gameEvents.countStartingWith(
                  static_cast<std::int32_t>(gameHash("DROVIL_ABORT_MISSION"))),
              1);
}

TEST(SimSnapshot, WritesThePicturesAskedForAndTheTimelineNamesThem) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("drovil-snapshots-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    // Frame 1300 and 44 s into menu-abort: the menu open on the bench.
    const std::string command = "cd '" + folder.string() + "' && " + DROVIL_SIM_COMMAND +
                                " --scenario menu-abort --seed 1 --quiet --frames 1400 --snapshot 1250 "
                                "--snapshot 0:40 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    for (std::size_t read = 0; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, read);
    pclose(pipe);
    int pictures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        ++pictures;
        EXPECT_NE(output.find("screen snapshot written: " + entry.path().string()), std::string::npos) << output;
        const std::string svg = readWhole(entry.path());
        std::string error;
        EXPECT_TRUE(test::isWellFormedXml(svg, error)) << name << ": " << error;
        EXPECT_NE(svg.find("width=\"1280.0\" height=\"720.0\""), std::string::npos);
    }
    EXPECT_EQ(pictures, 2) << output;
    std::filesystem::remove_all(folder);

    for (const char* wrong : {"--snapshot", "--snapshot x", "--snapshot 0", "--snapshot 1:75",
                              "--seeds 1-2 --snapshot 10"}) {
        const std::string refused = std::string(DROVIL_SIM_COMMAND) + " --scenario idle --frames 5 " + wrong +
                                    " > /dev/null 2>&1";
        const int status = std::system(refused.c_str());
        EXPECT_EQ(WEXITSTATUS(status), 2) << wrong;
    }
}
