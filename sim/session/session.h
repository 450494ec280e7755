#pragma once
// One simulated game session: a fresh game folder holding a copy of the shipped
// Drovil/ data (its Defaults/ folder, as a fresh install has it; its contracts dead-only unless asked, see
// SessionOptions), the plug-in loaded into the stand-in host as the game would load
// it, and frames run on demand. One session per process: the plug-in's
// process-wide objects live as long as the process.
#include "host/sim_host.h"
#include "scenarios/scenario_game.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace sim {

struct SessionOptions {
    std::uint32_t seed = 1;
    // Lines appended to the player's Drovil/Settings.ini (for instance
    // "DevTools=1"): a file of his own over the defaults, made when there is none.
    std::vector<std::string> settingsLines;
    // Data files (relative to Drovil/) removed from the copy before loading.
    std::vector<std::string> removeFiles;
    // Files (relative to Drovil/) written into the copy before loading, whole.
    std::map<std::string, std::string> writeFiles;
    // An existing game folder to reuse instead of a fresh one (a game restart).
    std::filesystem::path reuseGameDir;
    // Keep the game folder after the session (the default removes a fresh one).
    bool keepGameDir = false;
    // The language the game is set to, as the game numbers them (0 English).
    int language = 0;
    // A fresh folder plays dead-only contracts (its copy of
    // Defaults/Settings.ini says AliveBounties=0), as every contract was before
    // dead or alive came, so
    // that a game, a test or a scenario plays today's contracts unless it asks
    // for the shipped setting (on) with this.
    bool aliveBounties = false;
};

class Session : public ScenarioGame {
public:
    explicit Session(SessionOptions options = {});
    ~Session() override;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    SimHost& host() { return SimHost::instance(); }
    World& world() override { return host().world(); }
    Hud& hud() { return world().hud; }
    const std::filesystem::path& gameDir() const { return gameDir_; }

    // Loads the plug-in (process attach); the script starts with the next frame.
    void attach();
    // Unloads the plug-in (process detach).
    void detach();

    void runFrames(int count);
    // Runs until `done` holds (checked after each frame) or `maxFrames` ran; true if it held.
    bool runUntil(const std::function<bool()>& done, int maxFrames);
    // Runs frames covering at least `milliseconds` of game time.
    void runFor(std::uint32_t milliseconds);

    // A key pressed and released on the game's thread (a virtual-key code).
    void tapKey(std::uint32_t key);

    std::string readFile(const std::string& relativeToDrovil) const override;
    bool fileExists(const std::string& relativeToDrovil) const override;
    std::string log() const override { return readFile("Log.log"); }
    std::filesystem::path logPath() const override { return gameDir_ / "Drovil" / "Log.log"; }
    void runFrame() override { runFrames(1); }
    bool scriptStopped() const override { return SimHost::instance().anyScriptFinished(); }
    std::string gameFolder() const override { return gameDir_.string(); }
    // The part of the log written since this session began (a reused game
    // folder keeps the earlier launches' lines before it).
    std::string newLog() const { return log().substr(std::min(logSizeAtStart_, log().size())); }
    using ScenarioGame::logContains;

private:
    SessionOptions options_;
    std::filesystem::path gameDir_;
    bool ownsGameDir_ = false;
    bool attached_ = false;
    std::size_t logSizeAtStart_ = 0;
};

// A fresh empty folder under the system's temporary folder.
std::filesystem::path makeTemporaryFolder(const std::string& prefix);

} // namespace sim
