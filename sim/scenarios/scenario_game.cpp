#include "scenarios/scenario_game.h"

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

} // namespace sim
