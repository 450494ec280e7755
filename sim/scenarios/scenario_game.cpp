#include "scenarios/scenario_game.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace sim {

const std::string& ScenarioGame::runLog() const {
    // Read only what the log gained since the last call.
    std::ifstream in(logPath(), std::ios::binary);
    if (in) {
        in.seekg(0, std::ios::end);
        const auto size = static_cast<std::size_t>(in.tellg());
        if (size > runLogRead_) {
            in.seekg(static_cast<std::streamoff>(runLogRead_));
            const std::string added{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            runLog_ += added;
            runLogRead_ += added.size();
        }
    }
    return runLog_;
}

void ScenarioGame::markRunStart() {
    // The size on disk: a career's log grows to megabytes, not worth reading.
    std::error_code error;
    const auto size = std::filesystem::file_size(logPath(), error);
    runStart_ = error ? 0 : static_cast<std::size_t>(size);
    // Let the last run's lines go with their room: a long contract's log would
    // otherwise hold its buffer for the rest of a career.
    std::string().swap(runLog_);
    runLogRead_ = runStart_;
}

} // namespace sim
