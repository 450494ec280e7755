#include "scenarios/log_follower.h"

#include <utility>

namespace sim {

LogFollower::LogFollower(std::filesystem::path path) : path_(std::move(path)) {
    if (open())
        std::fseek(file_, 0, SEEK_END);
}

LogFollower::~LogFollower() {
    if (file_)
        std::fclose(file_);
}

bool LogFollower::open() {
    file_ = std::fopen(path_.string().c_str(), "rb");
    return file_ != nullptr;
}

std::string LogFollower::newLines() {
    if (!file_ && !open())
        return std::string();
    // A read that reached the end stays at the end until the flag is cleared.
    std::clearerr(file_);
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file_)) > 0)
        partial_.append(buffer, count);
    const std::size_t complete = partial_.rfind('\n');
    if (complete == std::string::npos)
        return std::string();
    std::string lines = partial_.substr(0, complete + 1);
    partial_.erase(0, complete + 1);
    return lines;
}

} // namespace sim
