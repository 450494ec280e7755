#pragma once
// Command-line options of drovil-sim.
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct CliOptions {
    bool help = false;
    bool listNatives = false;
    bool listScenarios = false;
    bool quiet = false; // leave the plug-in's log lines out of the timeline
    std::uint32_t seed = 1;
    std::string scenario = "first-contract";
    std::string gameDir;  // empty: a fresh temporary folder
    int frameLimit = 60000;
    bool stats = false; // print the per-frame native report at the end
    int fps = 0;        // frames a second; 0 keeps the simulator's own rate
    bool json = false;  // the timeline as JSON lines
    std::string mapFile; // write a map picture of the run (SVG) here, an absolute path; empty: none
    // --snapshot FRAME_OR_TIME, repeatable: pictures of the screen (SVG) to write.
    std::vector<std::string> snapshots;
    // Where they go, an absolute path: --snapshot-dir, or the folder
    // drovil-sim was started in (the game runs in a folder of its own, so
    // every path the user gives is made absolute when it is read).
    std::string snapshotFolder;
    // --language: the language the game is set to, as the game numbers them.
    int language = 0;
    // --seeds A-B: every seed from A to B, each in a process of its own, and a
    // summary table (seedsFrom > seedsTo: not asked for).
    std::uint32_t seedsFrom = 1, seedsTo = 0;
    int jobs = 1;        // with --seeds: games played at the same time
    bool seedGiven = false; // --seed was on the command line
    std::string area;    // --area: the town the game starts in (empty: Valentine)
    int contracts = 0;   // --contracts: how many contracts a career plays (0: its own number)
    int killAtFrame = 0; // --kill-at-frame: the process kills itself after that frame (0: never)
    bool framesGiven = false; // --frames was on the command line
    // --alive: first-contract with the shipped AliveBounties on, the target
    // brought in alive to the sheriff.
    bool alive = false;
};

bool parseCliOptions(int argc, char** argv, CliOptions& options, std::string& error);
std::string cliUsage();
int runCli(const CliOptions& options);

} // namespace sim
