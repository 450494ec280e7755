#include "world/core/living_world.h"

#include "world/core/world.h"

namespace sim {

void stepLivingWorld(World& world) {
    // Movement is measured first, so noise and aim reflect the last frame.
    world.perception.step(world);
    world.fleeing.step(world);
    world.tasks.step(world);
    world.pedGroups.step(world);
    world.combat.step(world);
    world.wildlife.step(world);
    // A bound man who gets loose drops off whoever carries him before carried
    // things follow their carriers.
    world.restraints.step(world);
    world.hunting.step(world);
    world.law.step(world);
    world.lawResponse.step(world);
    world.sheriffOffices.step(world);
    world.townsfolk.step(world);
    world.saloons.step(world);
    world.scenarioPoints.step(world);
    world.trains.step(world);
    // Last: whoever sits in a vehicle ends the frame where it stands.
    world.traffic.step(world);
    // What the frame made of every script task, as the game then reports it.
    world.tasks.followScriptTasks(world);
}

} // namespace sim
