#pragma once
// What peds are told to do: single tasks and task sequences, and the frame by
// frame carrying out of them (walking, turning, pausing, playing a scenario in
// place or on a scenario point, wandering an area). A sequence is built step by
// step while it is open (steps given with ped 0), closed, then performed by a
// ped; its progress is the index of the step running, -1 once it is over. A ped
// that is given something else while it plays a scenario gets up first, the
// way a script asked for (quick, ready to fight, or in a panic).
#include "runtime/types.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace sim {

struct World;

// A final heading of this or more means none (the game's convention).
inline constexpr float noFinalHeading = 40000.0f;

enum class TaskKind {
    SwapWeapon,       // takes out the current weapon (or puts the one in hand away)
    GoTo,             // walk or run to a point
    TurnToFace,       // turn towards a point and hold it for a while
    LookAt,           // a glance; does not hold up a sequence
    ClearLookAt,      // ends a glance; over at once
    AimAt,            // weapon raised towards a point for a while
    Pause,            // stand still for a while
    AchieveHeading,   // turn to a heading
    ScenarioInPlace,  // play a scenario where the ped stands
    UseScenarioPoint, // walk to a given scenario point and use it
    UseNearestScenario, // walk (or warp) to the nearest free scenario point and use it
    Wander,           // stroll about an area for a while (or along the town's streets)
    Follow,           // keep close to a moving entity for a while
    BoardVehicle,     // walk up to a vehicle (a train car) and step aboard at its door
    Melee,            // close in on a ped and carry out a melee move on it (a stealth kill kills it)
    // Hunting (world/wildlife/hunt_steps.h).
    CrouchMovement,   // crouched movement on or off; over at once
    SeekClearLos,     // close in on an entity until it is in sight within a distance
    ShootAtEntity,    // fire at an entity for a while, or until it is down
    PickUp,           // walk to a carriable entity and take it up
    PlaceCarried,     // walk to a point and lay the carried entity down there
    // Restraints (world/people/restraints.h).
    CutLoose,         // go to a hogtied ped and cut him loose
};

struct TaskStep {
    TaskKind kind = TaskKind::Pause;
    drovil::Vector3 point;      // destination, point faced, or the wander centre
    float speed = 1.0f;         // the game's move speed: 1 walk, 2 run, 3 sprint
    float stopRange = 0.5f;     // GoTo: close enough
    float radius = 0.0f;        // Wander; UseNearestScenario's search distance
    float heading = 0.0f;       // AchieveHeading, ScenarioInPlace
    float finalHeading = noFinalHeading; // GoTo
    int durationMs = 0;         // -1: until the ped is given something else
    std::uint32_t scenario = 0; // ScenarioInPlace; Melee: the move
    int scenarioPoint = -1;     // UseScenarioPoint
    bool warp = false;          // UseNearestScenario: onto the point at once
    // An entity the step heads for, faces, glances at or follows (0: none); the
    // step's point is then worked out each frame (world/people/ped_tasks.h).
    int target = 0;
    drovil::Vector3 offset; // Follow: where to keep, relative to the target's facing
    bool crouched = false;  // CrouchMovement
    int handled = 0;        // PlaceCarried: the entity laid down (not one headed for)
    bool alongStreets = false; // Wander: from street point to street point of the town
    // The game's script task hash of the native that gave the step (0: one the
    // game's task status does not report here).
    std::uint32_t scriptTask = 0;
};

// How a ped in a scenario gets up when it is given something else.
enum class ScenarioExit { Normal, Quick, Combat, Panic };

// One ped's current activity.
struct PedActivity {
    std::vector<TaskStep> steps;
    int sequenceId = 0; // 0 for a single task
    int index = -1;     // the step running; -1 for none
    std::uint64_t stepStartedMs = 0;
    bool stepStarted = false;
    // Wander: the point walked to and when the ped may set off again.
    drovil::Vector3 wanderPoint;
    bool wanderWalking = false;
    std::uint64_t wanderRestUntilMs = 0;
    drovil::Vector3 wanderFrom; // along the streets: the point it came from
    // What the ped shows while it acts.
    std::uint32_t scenario = 0; // scenario played now; 0 none
    bool usingScenario = false; // playing a scenario (in place, or on the point it reached)
    int scenarioPoint = -1;     // the scenario point it walks to or uses; -1 none
    std::uint64_t usingSinceMs = 0;
    // How it will get up from its scenario, and the point it looks to (or, in a
    // panic, away from).
    ScenarioExit exit = ScenarioExit::Normal;
    drovil::Vector3 exitPoint;
    // It was playing a scenario when it was given something else: it gets up
    // (in the next frame of the world).
    bool gettingUp = false;
    bool looking = false;
    drovil::Vector3 lookPoint;
    std::string eventTracker; // set by a script: the game keeps the ped's events
    bool weaponRaised = false;
    // A step that ends with the hands' work (picking up, laying down): busy until then.
    bool handsBusy = false;
    std::uint64_t handsBusyUntilMs = 0;
};

class PedTasks {
public:
    // Starts building a sequence and returns its handle; it is the open one
    // until closed.
    int openSequence();
    void closeSequence(int sequence);
    bool sequenceOpen() const { return open_ != 0; }
    const std::vector<TaskStep>* sequenceSteps(int sequence) const;
    // Frees the sequence's handle; peds performing it carry on with their copy.
    void clearSequence(int sequence);
    // Sequences opened and not cleared.
    int sequenceCount() const { return static_cast<int>(sequences_.size()); }

    // Who gave a step: a script, or the world to one of its own ambient peds
    // (a passer-by's stroll), which no script's history is about.
    enum class GivenBy { Script, World };
    // A step for ped 0 joins the open sequence (and is dropped when none is
    // open); for a ped, it replaces whatever the ped was doing. Only a
    // script's steps go into the history and the count of steps given.
    void give(int ped, const TaskStep& step, std::uint64_t nowMs, GivenBy by = GivenBy::Script);
    // The ped starts a closed sequence from its first step.
    void perform(int ped, int sequence, std::uint64_t nowMs);
    // The step index of the ped's running sequence, -1 when it runs none.
    int progress(int ped) const;
    // True while the ped carries out any task (a sequence, a single task, a scenario).
    bool busy(int ped) const;
    // True while the ped plays a scenario.
    bool usingScenario(int ped) const;
    // Ends every task of the ped.
    void clear(int ped);

    PedActivity& of(int ped) { return peds_[ped]; }
    const PedActivity* find(int ped) const;
    const std::map<int, PedActivity>& all() const { return peds_; }
    // The steps the ped has been given as single tasks or in sequences, oldest
    // first: the latest historyLimit of them, so that a long game
    // (guards re-tasked every minute for hours) does not grow it without bound.
    const std::vector<TaskStep>& history(int ped) const;
    static constexpr std::size_t historyLimit = 32;
    // How many steps the ped has been given in all (the history keeps only the latest).
    std::size_t stepsGiven(int ped) const;
    // The game's status of a script task of the ped, by the task's hash: 0
    // given but not yet started, 1 being performed, 8 finished (the last script
    // task the ped was given, until it is given another), 7 not found (never
    // given, replaced by another, taken away, or only a step of a sequence: the
    // ped's script task is then the sequence, SCRIPT_TASK_PERFORM_SEQUENCE).
    int scriptTaskStatus(int ped, std::uint32_t scriptTask) const;

    // The ped is gone from the world: its activity and history go too.
    void forget(int ped) { peds_.erase(ped), history_.erase(ped), stepsGiven_.erase(ped); }

    // One frame of every ped's activity. Peds that are down or fighting do not
    // follow their tasks.
    void step(World& world);

private:
    void remember(int ped, const TaskStep& step);
    void advance(World& world, int ped, PedActivity& activity);
    bool useScenarioPoint(World& world, int ped, PedActivity& activity, const TaskStep& step);
    bool runStep(World& world, int ped, PedActivity& activity, const TaskStep& step);

    int nextSequence_ = 1;
    int open_ = 0;
    std::map<int, std::vector<TaskStep>> sequences_;
    std::map<int, PedActivity> peds_;
    std::map<int, std::vector<TaskStep>> history_;
    std::map<int, std::size_t> stepsGiven_;
    // The hash of the script task each ped was given last (0 for one the game
    // reports nothing of); none once its tasks are taken away.
    std::map<int, std::uint32_t> lastScriptTask_;
};

// Metres per second of the game's move speed (1 a walk, 2 a run, 3 a sprint).
float metresPerSecond(float moveSpeed);
// Moves an entity towards a point by at most `metres`, facing the way it goes;
// true when it has got within `closeEnough`.
bool moveTowards(drovil::Vector3& position, float& heading, const drovil::Vector3& point, float metres,
                 float closeEnough);
// The game's heading (degrees, 0 north, counter-clockwise) of a direction.
float headingTowards(const drovil::Vector3& from, const drovil::Vector3& to);

} // namespace sim
