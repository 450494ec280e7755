#pragma once
// drovil-check: looks over a Drovil/ folder before the game starts, with the
// plug-in's own readers, and tells a translator, a tuner or a player who edited
// it what the game would make of each file.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace drovil::check {

// One thing the game would trip over. An error keeps the folder from loading
// or a text from being shown; a warning is read some other way than written.
struct Finding {
    std::string file; // relative to the folder: "Lang.dat", "Missions/3.dat"
    int line = 0;     // from 1 as an editor numbers lines; 0 for the whole file
    bool error = false;
    std::string message;
};

// The shipped files the folder is compared with.
struct ShippedFiles {
    std::string lang;
    std::string generalMeta;
    std::string ai;
    std::string settings;
};

// The shipped files built into the checker.
const ShippedFiles& builtInShippedFiles();

// Every finding of the folder, file by file in a fixed order.
std::vector<Finding> checkFolder(const std::filesystem::path& folder, const ShippedFiles& shipped);

// The command: drovil-check DIR. Prints the findings per file and a summary;
// 0 when the folder would load and show every text, 1 when it would not, 2 for
// a wrong command line or a folder that is not there.
int runCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace drovil::check
