#pragma once
// What the game reports of a task a script gave a ped, by the task's script
// hash (GET_SCRIPT_TASK_STATUS): waiting to start in the frame it is given,
// performed, dormant while the game holds it for something more pressing
// (the ped is bound, frightened, answering the player), then finished, until
// the ped is given another; a task taken away, replaced or never given is not
// found, and so is a step inside a sequence (the ped's task is the sequence:
// ask for the sequence and its progress instead).
#include "runtime/types.h"

namespace drovil {

namespace task_status {
inline constexpr int waitingToStart = 0;
inline constexpr int performing = 1;
inline constexpr int dormant = 2;
inline constexpr int notFound = 7;
inline constexpr int finished = 8;
} // namespace task_status

// The status says the ped still has the task: waiting to start, performed or
// held for now. Anything else (finished, not found) means it is over.
bool taskUnderWay(int status);

// The game's script hash of the nearest-scenario task (a ped sent to sit,
// lean or stand at a scenario point near a spot, for a while).
Hash nearestScenarioTask();

// Busy with a task: the one the script gave the ped (by its script hash) is
// still under way, or the ped is using a scenario (walking to its point is not
// yet using it, but is the task under way).
bool busyWithTask(Ped ped, Hash scriptTask);

} // namespace drovil
