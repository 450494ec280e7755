#pragma once
// The part of a frame in which the world's peds live on by themselves: they
// notice what happens around them, run from danger, carry out their tasks, keep
// up with their group's leader, fight, and the law keeps or forgets the
// player's wanted status.
namespace sim {

struct World;

void stepLivingWorld(World& world);

} // namespace sim
