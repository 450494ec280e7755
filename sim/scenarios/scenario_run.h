#pragma once
// A scenario being played: the game session, the scripted player and the
// verbs a scenario is written in (go there, wait for that, press this prompt,
// read the card, aim, shoot). Every verb runs game frames until it is done or
// gives up; the player acts between frames through the controller, the way a
// person's input reaches the game. A scenario only looks at what a player
// could see or find in the game folder: the screen, the world and the files.
#include "player/player_controller.h"
#include "scenarios/scenario_game.h"
#include "scenarios/timeline.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <string>

namespace sim {

class NativeStats;
class RunMap;
class ScreenSnapshots;
class Timeline;

// The scenario cannot go on (ran out of frames, or something it waited for
// never came); the message says what.
struct ScenarioStopped : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What a run is asked for beyond the scenario itself.
struct RunOptions {
    int contracts = 0;   // how many contracts a career plays (0: its own number)
    int killAtFrame = 0; // the game process is killed after this frame (0: never)
    bool alive = false;  // first-contract brings the target in alive (drovil-sim --alive)
};

class ScenarioRun {
public:
    // `timeline` (optional) hears about every frame and every note.
    ScenarioRun(ScenarioGame& game, int frameLimit, Timeline* timeline);

    // Every frame from now on is closed in `stats` with the contract's stage
    // the timeline knew when the frame began, and what the plug-in did in it as
    // the timeline told (nullptr: no report).
    void recordStats(NativeStats* stats);
    // Every frame from now on is sampled for a map picture of the run (nullptr: none).
    void recordMap(RunMap* map) { map_ = map; }
    // Every frame from now on may be asked for as a picture of the screen (nullptr: none).
    void recordSnapshots(ScreenSnapshots* snapshots) { snapshots_ = snapshots; }

    // How many contracts a scenario that plays one after another is to play
    // (drovil-sim --contracts; 0: the scenario's own number).
    void setContractsWanted(int contracts) { contractsWanted_ = contracts; }
    int contractsWanted() const { return contractsWanted_; }
    // The player means to bring the target in alive, hogtied, to the sheriff
    // (drovil-sim --alive), rather than shoot him.
    void setPlaysAlive(bool alive) { playsAlive_ = alive; }
    bool playsAlive() const { return playsAlive_; }
    // The game process dies at once, as on a crash, when this many frames have
    // run (0: never): nothing more is written, nothing is cleaned up.
    void crashAfterFrames(int frames) { crashAfter_ = frames; }
    // Called after every frame from now on (a scenario's own bookkeeping).
    void afterEveryFrame(std::function<void()> hook) { afterFrame_ = std::move(hook); }

    ScenarioGame& game() { return game_; }
    World& world() { return game_.world(); }
    PlayerController& player() { return player_; }
    int framesRun() const { return frames_; }
    // Runs `watch` after every frame from now on (an empty one stops it): a
    // scenario keeping an eye on something while a longer verb plays.
    void onEveryFrame(std::function<void()> watch) { watch_ = std::move(watch); }

    // The town the player starts in and takes offers in.
    const StartingTown& town() const { return game_.startTown(); }
    // Puts the player, on foot, on the town's main street: where a game
    // loaded in that town would find him. Valentine is where the world begins.
    void startInTown();

    // --- Time ---

    // One game frame, the player's input applied first. Throws ScenarioStopped
    // once the frame limit is reached.
    void frame();
    void wait(std::uint32_t milliseconds);
    // Frames until `done` holds (true) or `maxMs` of game time went by (false).
    bool waitUntil(const std::function<bool()>& done, std::uint32_t maxMs);
    // The same, for what the plug-in's file writer must put on the disk first
    // (a payment waits for the save that clears the balance). The simulation's
    // frames are not paced like the game's 16 ms or more, so after `maxMs` of
    // game time a slow disk (a loaded machine, Wine) gets frames at the game's
    // pace, for up to `wallMs` of real time.
    bool waitForTheDisk(const std::function<bool()>& done, std::uint32_t maxMs, std::uint32_t wallMs = 5000);

    // --- Telling what happens ---

    // A line of the timeline about what the player does.
    void note(const std::string& text);
    // Notes that the player gives up, and why; false, for a play step to return.
    bool giveUp(const std::string& why);
    // A line of a report printed with the timeline, without a time stamp.
    void report(const std::string& text);

    // --- Moving ---

    bool travelTo(const drovil::Vector3& point, Gait gait, float closeEnough, std::uint32_t maxMs);
    bool travelToEntity(int entity, Gait gait, float closeEnough, std::uint32_t maxMs);
    // Rides there on the own horse, whistling for it and mounting first.
    bool rideTo(const drovil::Vector3& point, float closeEnough, std::uint32_t maxMs);
    // Whistles for the own horse and waits until it stands next to the player.
    bool callHorse(std::uint32_t maxMs);

    // --- Prompts and the card ---

    // The handle of the first prompt with this text the player can use now, 0 if none.
    int usablePrompt(const std::string& text);
    bool pressPrompt(const std::string& text, std::uint32_t maxMs);
    bool holdPrompt(const std::string& text, std::uint32_t maxMs);
    // Waits for the card in the player's hands, looks at it, turns it over,
    // reads the back and puts it away.
    bool readCard(std::uint32_t maxMs);

    // --- Guns ---

    // Keeps aiming at the entity for that long (or until it is gone).
    void aimAt(int entity, std::uint32_t milliseconds);
    // Fires at the ped about every 0.8 s until it is down; false if it is not
    // down within `maxMs` or the player went down first.
    bool shootUntilDown(int ped, std::uint32_t maxMs);

    // --- What the game folder and the world show ---

    // A key=value file of Drovil/ ("Savegame.dat", "Missions/0.dat"); empty if absent.
    std::map<std::string, std::string> readKeyValues(const std::string& file) const;
    std::string lang(const std::string& key) const;
    bool playerDown();
    // The ped carrying the contract target's mark, 0 when none is in the world.
    int contractTarget();
    // A ped is down: dead, knocked out or gone.
    bool isDown(int ped);

private:
    ScenarioGame& game_;
    PlayerController player_;
    Timeline* timeline_;
    NativeStats* stats_ = nullptr;
    std::vector<TimelineEvent> frameEvents_; // what the timeline told of the last frame
    RunMap* map_ = nullptr;
    ScreenSnapshots* snapshots_ = nullptr;
    int frameLimit_;
    int frames_ = 0;
    int contractsWanted_ = 0;
    bool playsAlive_ = false;
    int crashAfter_ = 0;
    std::function<void()> afterFrame_;
    std::function<void()> watch_;
};

// Reads key=value lines (blank lines and lines without '=' are skipped).
std::map<std::string, std::string> parseKeyValues(const std::string& text);
int intValue(const std::map<std::string, std::string>& values, const std::string& key, int fallback);
float floatValue(const std::map<std::string, std::string>& values, const std::string& key, float fallback);
// Cents as the game shows cash: "$55.00".
std::string dollarsText(int cents);
// "x,y,z" as written in the mission files.
drovil::Vector3 positionValue(const std::map<std::string, std::string>& values, const std::string& key);

} // namespace sim
