#pragma once
// A stage for guard awareness tests: guards stand in the simulated world, each
// with its GuardAI made and updated on the script thread by a guarded frame
// step (as the camp executor does for its guards), somewhere in open country
// far from any town. The test moves the player, the weather and the clock
// between frames and reads the guards' modes and mode changes.
#include "behaviour/guard_ai.h"
#include "session/session.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace guardtest {

// A clearing in the hills, well away from towns, stations and roads.
inline const drovil::Vector3 clearing(-1200.0f, 1500.0f, 200.0f);

// The shipped AI.dat with some keys replaced or added.
std::string aiFileWith(const std::map<std::string, std::string>& changes);

// A point `metres` from `from` in the game's heading `heading` (degrees).
drovil::Vector3 offset(const drovil::Vector3& from, float heading, float metres);
// The game heading from one point towards another.
float headingFrom(const drovil::Vector3& from, const drovil::Vector3& to);
float flatDistance(const drovil::Vector3& a, const drovil::Vector3& b);

// Sets the game clock to `hour` o'clock now; the clock runs on from there.
void setHour(sim::World& world, int hour);

// Puts the player somewhere at once (a jump the world does not count as movement).
void placePlayer(sim::World& world, const drovil::Vector3& position);

class GuardRig {
public:
    // The one rig of the process; its frame step is added on first use.
    static GuardRig& instance();

    // A guard ped in the world now; its GuardAI is made in the next frame.
    int addGuard(sim::World& world, const drovil::Vector3& position, float heading);
    // The guard's GuardAI once made, else null.
    drovil::GuardAI* guard(int ped) const;
    // Every mode change of every guard, in order.
    const std::vector<drovil::GuardModeChange>& changes() const { return changes_; }
    std::vector<drovil::GuardModeChange> changesOf(int ped) const;
    drovil::GuardMode modeOf(int ped) const;

    // Runs `job` once on the script thread in the next frame, before the
    // guards update; true once it has returned (it may wait across frames).
    void runOnScript(std::function<void()> job);
    bool jobDone() const { return jobDone_; }
    bool finishJob(sim::Session& session, int maxFrames = 200);

    // Frames until the predicate holds (at most `maxFrames`); true if it did.
    static bool runUntil(sim::Session& session, const std::function<bool()>& done, int maxFrames);

private:
    GuardRig() = default;
    static void frameStep();
    void step();

    struct Recorder;
    std::vector<int> pending_;
    std::map<int, drovil::GuardAI*> guards_;
    std::vector<drovil::GuardModeChange> changes_;
    Recorder* recorder_ = nullptr;
    std::function<void()> job_;
    bool jobDone_ = true;
    bool registered_ = false;
};

// Moves the player towards `to` at `metresPerSecond`, one frame at a time,
// until he gets there, `stop` holds or `maxFrames` ran. True when `stop` held.
bool movePlayer(sim::Session& session, const drovil::Vector3& to, float metresPerSecond,
                const std::function<bool()>& stop, int maxFrames);

// Walks the player round a circle about `centre` at `metresPerSecond` for `frames` frames.
void circlePlayer(sim::Session& session, const drovil::Vector3& centre, float radius, float metresPerSecond,
                  int frames);

} // namespace guardtest
