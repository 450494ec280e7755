// The career as drovil-sim plays it: contracts one after another in one game,
// each ended, each reward paid once, and the world left as the plug-in found it
// (every entity, blip, prompt, task sequence, scenario point, propset, ped
// group and model handed back). A game killed in the middle and started again on
// its folder restores the contract in play and finishes the career.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Command {
    std::string output;
    int status = -1;
    bool killed = false;
};

Command runSim(const std::string& arguments) {
    Command result;
    std::FILE* pipe = popen((std::string(DROVIL_SIM_COMMAND) + " " + arguments + " --quiet 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, read);
    const int status = pclose(pipe);
    // The shell reports a child killed by a signal as 128 plus the signal.
    result.killed = status != -1 && ((WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) ||
                                     (WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGKILL));
    result.status = status == -1 || !WIFEXITED(status) ? -1 : WEXITSTATUS(status);
    return result;
}

TEST(Career, ContractsEndPaidOnceAndLeaveNothingBehind) {
    const Command run = runSim("--scenario career --contracts 2 --seed 1");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("2 contracts ended, every reward paid once, nothing left behind"), std::string::npos)
        << run.output;
    for (const char* line : {"task sequences: 0 (0)", "ped groups: 0 (0)", "models requested: 0 (0)",
                             "entities not released: 0 (0)", "blips: 0 (0)"})
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
    EXPECT_NE(run.output.find("still owed $0.00"), std::string::npos) << run.output;
}

TEST(Career, AGameKilledMidContractRestoresItAndFinishes) {
    const fs::path folder = fs::temp_directory_path() / ("drovil-career-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy(DROVIL_DATA_DIR, folder / "Drovil", fs::copy_options::recursive);
    const std::string common = "--scenario career --contracts 1 --seed 1 --game-dir " + folder.string();
    // Seed 1 takes its first offer in Annesburg about 1,600 frames in: at
    // 2,500 the contract is in play.
    const Command killed = runSim(common + " --kill-at-frame 2500");
    EXPECT_TRUE(killed.killed) << killed.output;
    const Command again = runSim(common);
    EXPECT_EQ(again.status, 0) << again.output;
    EXPECT_NE(again.output.find("the game restored contract 0"), std::string::npos) << again.output;
    EXPECT_EQ(again.output.find("did not load it"), std::string::npos) << again.output;
    fs::remove_all(folder);
}

} // namespace
