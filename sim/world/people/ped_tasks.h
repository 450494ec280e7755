#pragma once
// The parts of ped tasks that deal with other entities and with the ped's own
// fate: a step aimed at an entity follows that entity as it moves, and a ped
// that dies loses every task, as in the game.
#include "world/people/tasks.h"

namespace sim {

struct World;

// Works out the point of a step aimed at an entity: the target's position, plus
// the step's offset turned by the target's facing. False when the target is
// gone (the step is then over). Steps without a target are left as they are.
bool resolveTaskTarget(const World& world, TaskStep& step);

// Ends every task (single, sequence, glance) of each dead ped.
void dropTasksOfDeadPeds(World& world);

} // namespace sim
