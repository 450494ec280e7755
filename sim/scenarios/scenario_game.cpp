#include "scenarios/scenario_game.h"

#include <fstream>
#include <iterator>

namespace sim {

std::string readFileFrom(const std::filesystem::path& path, std::size_t offset) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::string();
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size <= static_cast<std::streamoff>(offset))
        return std::string();
    in.seekg(static_cast<std::streamoff>(offset));
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string& ScenarioGame::runLog() const {
    const std::string added = logFrom(runLogRead_);
    runLog_ += added;
    runLogRead_ += added.size();
    return runLog_;
}

} // namespace sim
