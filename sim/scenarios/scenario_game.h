#pragma once
// The game a scenario plays in, as the scenario sees it: the simulated world,
// a way to run one frame, and the game folder's Drovil/ files. A test session
// (the plug-in linked in) and the stand-in hook DLL (the real Drovil.asi loaded
// beside it) both provide one.
#include "world/core/world.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace sim {

class ScenarioGame {
public:
    virtual ~ScenarioGame() = default;

    virtual World& world() = 0;
    virtual void runFrame() = 0;
    // Drovil/Log.log as it is now.
    virtual std::string log() const = 0;
    // Where Drovil/Log.log is (the timeline follows it as it grows).
    virtual std::filesystem::path logPath() const = 0;
    virtual std::string readFile(const std::string& relativeToDrovil) const = 0;
    virtual bool fileExists(const std::string& relativeToDrovil) const = 0;
    // The plug-in's script has returned (it never should).
    virtual bool scriptStopped() const = 0;
    // Where the game folder is, for the timeline's heading.
    virtual std::string gameFolder() const = 0;

    bool logContains(const std::string& text) const { return log().find(text) != std::string::npos; }
};

} // namespace sim
