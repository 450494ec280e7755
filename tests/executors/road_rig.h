#pragma once
// Wagon and prisoner-transport contracts run by the real contract engine: the
// mission is in the game folder before the game starts, so the engine restores
// it at start-up with its executor, as after a game restart.
#include "executors/prisoner_transport_executor.h"
#include "executors/wagon_executor.h"
#include "session/session.h"
#include "world/mission_data.h"

#include <string>
#include <vector>

namespace roadtest {

constexpr int roadMissionId = 5;

// A wagon on the road east of Valentine: search area of 100 m on the coords,
// built within 250 m, lost beyond 300 m. A chuckwagon driven by its armed target.
drovil::MissionData wagonRecord(int guards, bool armedTarget);
// A prisoner in Valentine's sheriff's office (search area 30 m, built within
// 75 m, lost beyond 400 m), fetched by a coach.
drovil::MissionData prisonerRecord(float fleeChance);
// Session options holding the record in play in its area's slot, with the
// executor tests' recognition and escape tuning.
sim::SessionOptions roadOptions(const drovil::MissionData& record, std::vector<std::string> settingsLines = {});

drovil::WagonExecutor* wagon();
drovil::PrisonerTransportExecutor* transport();

// Puts the player `metres` south of the point, on the ground, on foot.
void putPlayerSouthOf(sim::Session& session, const drovil::Vector3& point, float metres);
// The seat a ped sits in (-2 when it sits in none of that vehicle).
int seatOf(sim::Session& session, int ped, int vehicle);
// The peds sitting in the vehicle, by seat.
std::vector<std::pair<int, int>> seated(sim::Session& session, int vehicle);
// Horses with a rider, within `radius` of the point.
int ridersNear(sim::Session& session, const drovil::Vector3& point, float radius);

} // namespace roadtest
