#pragma once
// A hunter camp contract run by the real contract engine: the mission is in
// the game folder before the game starts, so the engine restores it at
// start-up with the hunter executor, as after a game restart.
#include "executors/hunter_executor.h"
#include "session/session.h"
#include "world/mission_data.h"

namespace huntertest {

constexpr int hunterMissionId = 5;

// A hunter's camp in the hills east of Valentine with one companion.
drovil::MissionData hunterRecord();
sim::SessionOptions hunterOptions(const drovil::MissionData& record);

// The engine's executor of the camp (null once the mission has ended).
drovil::HunterExecutor* hunter();
// The hunter (the contract target); 0 before the scene.
int hunterPed(sim::Session& session);
// Sets the game clock to the start of the hour and minute of the day, from now on.
void setClock(sim::Session& session, int hour, int minute);
// Puts the player `metres` south of the camp, on the ground.
void putPlayerSouthOfCamp(sim::Session& session, float metres);
// Starts the game, builds the scene from afar, then walks into the search area
// and runs until the mission is engaged (status 1).
bool startHunting(sim::Session& session, float metresFromCamp = 85.0f);
// Runs until the hunt task is in the state (false after maxFrames).
bool runUntilHuntState(sim::Session& session, drovil::HuntState state, int maxFrames);

} // namespace huntertest
