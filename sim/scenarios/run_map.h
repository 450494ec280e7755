#pragma once
// A map picture of a scenario's run (drovil-sim --map FILE.svg): while the
// scenario plays it samples the player's path, where the contract's stage
// changed, the target and his gang with their fate, and every blip the map
// showed; afterwards it draws them as SVG over the towns, stations, roads and
// railway around, from the run's contracts as their mission files hold them,
// with marks of the game time along the path.
#include "runtime/types.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace sim {

class ScenarioGame;
class Timeline;
struct RunSummary;
struct World;

class RunMap {
public:
    struct PathPoint {
        float x = 0, y = 0;
        std::uint64_t ms = 0; // game time since the session began
        int clockMinutes = 0; // the game's time of day, in minutes since midnight
    };
    struct StageMark {
        PathPoint at;
        std::string stage;
    };
    struct TrackedPed {
        int id = 0;
        bool target = false;
        drovil::Vector3 first, last;
        std::string fate = "alive"; // as last seen: "dead", "knocked out", "hogtied" or "alive"
        bool wentDown = false;
        drovil::Vector3 downAt;
        std::uint64_t downMs = 0;
    };
    struct SeenBlip {
        int id = 0;
        int kind = 0; // BlipKind
        std::string name;
        drovil::Vector3 position; // the entity's last position for an entity blip
        float radius = 0;
        std::uint64_t firstMs = 0, lastMs = 0;
    };
    struct Contract {
        int id = 0;
        std::string setting;
        int bounty = 0;
        drovil::Vector3 coords, blipCoords;
        float blipRadius = 0, missionAreaRadius = 0;
    };

    // Samples are taken about this often (game time), and always at a change of stage.
    static constexpr std::uint64_t sampleMs = 250;

    // After every frame, with the contract's stage the timeline knows.
    void afterFrame(World& world, const std::string& stage);
    // After the run: the run's contracts read from their mission files, the outcome.
    void finish(ScenarioGame& game, const Timeline& timeline, const RunSummary& summary);

    // The picture, a complete SVG document.
    std::string svg() const;
    // Writes svg() to the file; false with `error` set when it cannot.
    bool writeSvg(const std::filesystem::path& file, std::string& error) const;

    const std::vector<PathPoint>& path() const { return path_; }
    const std::vector<StageMark>& stageMarks() const { return stageMarks_; }
    const std::map<int, TrackedPed>& peds() const { return peds_; }
    const std::map<int, SeenBlip>& blips() const { return blips_; }
    const std::vector<Contract>& contracts() const { return contracts_; }

private:
    // `last`: the run's end, which the path always reaches.
    void sample(World& world, bool last);
    void trackPed(World& world, int id, bool target);
    PathPoint playerPoint(World& world) const;

    std::uint64_t nextSampleMs_ = 0;
    std::string stage_;
    std::vector<PathPoint> path_;
    std::vector<StageMark> stageMarks_;
    std::map<int, TrackedPed> peds_;
    std::map<int, SeenBlip> blips_;
    std::vector<Contract> contracts_;
    std::string title_;
    std::uint64_t endMs_ = 0;
};

} // namespace sim
