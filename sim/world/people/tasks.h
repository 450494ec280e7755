#pragma once
// What peds are told to do: single tasks and task sequences, and the frame by
// frame carrying out of them (walking, turning, pausing, playing a scenario in
// place or on a scenario point, wandering an area). A sequence is built step by
// step while it is open (steps given with ped 0), closed, then performed by a
// ped; its progress is the index of the step running, -1 once it is over. A ped
// that is given something else while it plays a scenario gets up first, the
// way a script asked for (quick, ready to fight, or in a panic).
//
// Every task a script gives is also the game's script task of the ped, named by
// its hash ("SCRIPT_TASK_" and the native's name), whose life the game reports
// (world/people/script_tasks.cpp): waiting to start in the frame it is given,
// performed, dormant while something the game puts first takes the ped up,
// then finished until the ped is given another. A glance (a look at an entity
// or a point) is a task of its own beside the ped's main one.
#include "runtime/types.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
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
    // Follow: keeps to the target once there (false: over on arriving).
    bool persist = true;
    // The game's script task hash of the native that gave the step (0: a step
    // the world gave, no script's).
    std::uint32_t scriptTask = 0;
};

// The game's task status values (GET_SCRIPT_TASK_STATUS).
namespace task_status {
inline constexpr int waitingToStart = 0;
inline constexpr int performing = 1;
inline constexpr int dormant = 2;
inline constexpr int notFound = 7;
inline constexpr int finished = 8;
} // namespace task_status

// Who carries a script task out: the ped's steps (single tasks and sequences),
// or another part of the world.
enum class TaskRunner {
    Steps,
    Glance,       // a look at an entity or a point, beside the main task
    Combat,       // fighting a ped (world/law/combat.h)
    Flee,         // running from a ped (world/people/fleeing.h)
    EnterVehicle, // walking to a vehicle and getting into a seat (world/vehicles/traffic.h)
    Drive,        // driving a vehicle about the roads or to a point
    TrainSeat,    // on a seat of a train car
};

// A script task as the game reports it.
struct ScriptTask {
    std::uint32_t hash = 0;
    TaskRunner runner = TaskRunner::Steps;
    int other = 0;        // the entity it is about: the foe, the vehicle, the car
    int sequence = 0;     // the sequence performed (another sequence is another task)
    bool started = false; // taken up by the ped (waiting to start until then)
    bool dormant = false; // held while something else takes the ped up
    bool over = false;    // finished; reported so until the ped is given another
    int status() const;
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
    // A glance: at a point, or at an entity followed as it moves (lookTarget),
    // until lookUntilMs (0: for good, until cleared or replaced).
    bool looking = false;
    drovil::Vector3 lookPoint;
    int lookTarget = 0;
    std::uint64_t lookUntilMs = 0;
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
    // The game's status of a script task of the ped, by the task's hash (see
    // task_status): the ped's main task or its glance; 7 not found for a task
    // never given, replaced by another, taken away, or only a step of a
    // sequence (the ped's script task is then the sequence,
    // SCRIPT_TASK_PERFORM_SEQUENCE: the game's documentation says to ask the
    // sequence's status and progress instead).
    int scriptTaskStatus(int ped, std::uint32_t scriptTask) const;
    // A script task that another part of the world carries out (a fight, a
    // flight, boarding or driving a vehicle) becomes the ped's main task: the
    // steps it had are dropped, its glance goes on.
    void assignScriptTask(int ped, std::uint32_t hash, TaskRunner runner, int other);
    // After the world's frame: what each script task has come to.
    void followScriptTasks(const World& world);
    // How many times a script gave the ped a task of this hash while the one
    // it had of the same hash was still under way (waiting, performed or
    // dormant): a script re-tasking a ped that is busy with what it was told.
    // A sequence counts only when it is the same one again: a new sequence
    // (a guard sent to look at a new noise, a hostage shoved again) is a new
    // task.
    std::size_t regivenWhileUnderWay(int ped, std::uint32_t scriptTask) const;
    // The same over the whole game, gone peds included, and the latest few of
    // them (which ped, which task).
    struct Regiven {
        int ped = 0;
        std::uint32_t scriptTask = 0;
    };
    std::size_t regivenWhileUnderWayInAll() const { return regivenInAll_; }
    const std::vector<Regiven>& latestRegiven() const { return latestRegiven_; }
    static constexpr std::size_t latestRegivenKept = 8;

    // The ped is gone from the world: its activity and history go too.
    void forget(int ped);

    // One frame of every ped's activity. Peds that are down or fighting do not
    // follow their tasks.
    void step(World& world);

private:
    void remember(int ped, const TaskStep& step);
    // The ped's main script task becomes `task` (counting a re-give of one under way).
    void setScriptTask(int ped, const ScriptTask& task);
    // A glance given on its own is a script task of the ped's (`ownTask`); one
    // that is a step of a sequence is not.
    void startGlance(int ped, PedActivity& activity, const TaskStep& step, std::uint64_t nowMs, bool ownTask);
    static void followGlance(const World& world, PedActivity& activity);
    void advance(World& world, int ped, PedActivity& activity);
    bool useScenarioPoint(World& world, int ped, PedActivity& activity, const TaskStep& step);
    bool runStep(World& world, int ped, PedActivity& activity, const TaskStep& step);

    int nextSequence_ = 1;
    int open_ = 0;
    std::map<int, std::vector<TaskStep>> sequences_;
    std::map<int, PedActivity> peds_;
    std::map<int, std::vector<TaskStep>> history_;
    std::map<int, std::size_t> stepsGiven_;
    // The main script task each ped was given last, and its glance; none once
    // its tasks are taken away.
    std::map<int, ScriptTask> scriptTasks_;
    std::map<int, ScriptTask> glances_;
    std::map<std::pair<int, std::uint32_t>, std::size_t> regiven_;
    std::size_t regivenInAll_ = 0;
    std::vector<Regiven> latestRegiven_;
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
