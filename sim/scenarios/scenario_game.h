#pragma once
// The game a scenario plays in, as the scenario sees it: the simulated world,
// a way to run one frame, and the game folder's Drovil/ files. A test session
// (the plug-in linked in) and the stand-in hook DLL (the real Drovil.asi loaded
// beside it) both provide one.
#include "scenarios/towns.h"
#include "runtime/settings_format.h"
#include "world/core/world.h"

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

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

    // The log of this run: what the plug-in wrote since markRunStart (all of
    // it before the first mark). A game folder played before keeps the earlier
    // launches' lines, which a scenario's checks must not count.
    const std::string& runLog() const;
    bool logContains(const std::string& text) const { return runLog().find(text) != std::string::npos; }
    // The run starts now: lines already in the log belong to earlier runs.
    void markRunStart();

    // The Drovil/ files a player reads as the game does, layer by layer: the
    // shipped defaults of Drovil/Defaults/, the player's own file of the same
    // name over them key by key, and for Lang.dat the translation of the
    // language the game is set to (world().language). A file of the player's
    // with a line that is not key=value counts for nothing, as in the game.
    std::map<std::string, std::string> layeredKeyValues(const std::string& name);
    // The text of a Lang key as the player reads it on screen (empty: none).
    std::string shownText(const std::string& key);
    // Every line of the settings files, the defaults' first, then the player's.
    std::vector<drovil::SettingsFileLine> settingsLines() const;

    // The town the game was loaded in: where the player stands at the start
    // and takes offers (Valentine unless set before the run).
    const StartingTown& startTown() const { return *startTown_; }
    void startIn(const StartingTown& town) { startTown_ = &town; }

private:
    const StartingTown* startTown_ = &valentine();
    std::size_t runStart_ = 0;
    // The run's log read so far, so that checks made every frame read only
    // what was added since the last one.
    mutable std::string runLog_;
    mutable std::size_t runLogRead_ = 0;
};

} // namespace sim
