#pragma once
// The hunting steps of ped tasks, one frame at a time:
// - crouched movement on or off (over at once);
// - seeking a clear line of sight: the ped closes in on the entity at the
//   step's pace until it is within the distance and in sight;
// - shooting at an entity: the ped faces it and fires about every one and a
//   half seconds with its own accuracy (world/people/ped_traits.h), for the
//   time given (-1: for good), down or not; an entity gone ends it;
// - picking up: the ped walks to the entity and takes it up (a second and a
//   half of work); over once carried, or when someone else holds it;
// - laying down: the ped walks to the point and puts down what it carries.
#include "world/people/tasks.h"

namespace sim {

struct World;

// One frame of a hunting step; true when the step is over.
bool runHuntStep(World& world, int ped, PedActivity& activity, const TaskStep& step);

// The chance that a ped's aimed shot at an entity hits, by its accuracy and
// the distance.
float aimedShotChance(const World& world, int shooter, int target);

} // namespace sim
