#pragma once
// Follows the plug-in's log as it grows: the file stays open, and each read
// takes only what was appended since the last one, so watching the log every
// frame costs one read, not an open, a seek and a close.
#include <cstdio>
#include <filesystem>
#include <string>

namespace sim {

class LogFollower {
public:
    // Starts at the file's current end (what is there already is not news); a
    // file that does not exist yet is read from its start once it does.
    explicit LogFollower(std::filesystem::path path);
    ~LogFollower();
    LogFollower(const LogFollower&) = delete;
    LogFollower& operator=(const LogFollower&) = delete;

    // The complete lines appended since the last call; a line still being
    // written waits for the next call.
    std::string newLines();

private:
    bool open();

    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
    std::string partial_; // read, but not yet ended by a new line
};

} // namespace sim
