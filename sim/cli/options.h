#pragma once
// Command-line options of drovil-sim.
#include <cstdint>
#include <string>

namespace sim {

struct CliOptions {
    bool help = false;
    bool listNatives = false;
    std::uint32_t seed = 1;
    std::string scenario = "idle";
    std::string gameDir;  // empty: a fresh temporary folder
    int frameLimit = 3000;
};

bool parseCliOptions(int argc, char** argv, CliOptions& options, std::string& error);
std::string cliUsage();
int runCli(const CliOptions& options);

} // namespace sim
