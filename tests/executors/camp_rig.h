#pragma once
// A camp contract run by the real contract engine: the mission is in the game
// folder before the game starts (its file and its area's slot), so the engine
// restores it at start-up with the camp executor, as after a game restart.
#include "executors/camp_executor.h"
#include "session/session.h"
#include "world/mission_data.h"

#include <string>
#include <vector>

namespace camptest {

constexpr int campMissionId = 3;

// A Valentine camp in the hills east of the town, about 470 m from where the
// player starts, with `guards` guards.
drovil::MissionData campRecord(int guards);
// The record as the lines of its mission file.
std::string missionFileText(const drovil::MissionData& record);
// Session options holding the record in play in its area's slot, with the
// executor tests' recognition and escape tuning.
sim::SessionOptions campOptions(const drovil::MissionData& record, std::vector<std::string> settingsLines = {});

// The engine's executor of the camp (null once the mission has ended).
drovil::CampExecutor* camp();
// Puts the player `metres` south of the camp's coords, on the ground.
void putPlayerSouthOfCamp(sim::Session& session, float metres);
// Brings the player within the spawn distance and runs until the scene is built.
bool buildScene(sim::Session& session);
// Walks into the search area and runs until the mission is Hunting (status 1).
bool startHunting(sim::Session& session, float metresFromCamp = 60.0f);

// Peds of horse models in the world within `radius` of the point.
int horsesNear(sim::Session& session, const drovil::Vector3& point, float radius);

} // namespace camptest
