#pragma once
// Contracts on the road, played as a person would: cutting off a wagon and
// shooting the traveller on its seat; watching a sheriff's office until the
// prison wagon has taken the prisoner away and catching it out of town; or
// taking the prison wagon's reins and driving it to the office oneself. Each
// returns false when it could not be done, after noting why on the timeline.
#include "scenarios/contract_play.h"

#include <map>
#include <string>

namespace sim {

// From wherever the player is: rides to the search area, finds the wagon on the
// road, keeps up with it, recognises the target on his seat and shoots him.
bool huntWagon(ScenarioRun& run, const ContractInPlay& contract);

// Rides off until the office's scene may be built, comes back to watch the
// office, recognises the prisoner, waits for the prison wagon to take him away
// and catches it out of town (or the prisoner when he runs), and shoots him.
bool huntPrisoner(ScenarioRun& run, const ContractInPlay& contract);

// With the target down: on the horse, rides away from the nearest town (and
// its law) until the contract ends, further on while the law is still after him.
bool getAwayFromTown(ScenarioRun& run, const ContractInPlay& contract);

// The prison wagon of the contract, 0 while there is none in the world.
int prisonWagon(ScenarioRun& run);

// Rides out to the prison wagon coming to town, shoots its driver out of town
// and takes the reins. True when the player sits in its driver's seat.
bool stealPrisonWagon(ScenarioRun& run, const ContractInPlay& contract);

// Away from the office (far enough that the scene may be built), then back into
// the search area: true once the hunt is on (status 1).
bool enterOfficeArea(ScenarioRun& run, const ContractInPlay& contract);

} // namespace sim

namespace sim {

// A prisoner-transport contract of Valentine already taken (mission 0 in the
// town's slot), the prisoner sure to stay put while he is loaded.
void writeTakenPrisonerContract(std::map<std::string, std::string>& files);
// The player starts in the middle of Valentine, out of sight of the office.
void startInValentineCentre(World& world);
// Takes the prison wagon, drives it to the office, waits for the prisoner to be
// loaded and drives off before the jail guard is on board.
bool playPrisonWagonStolen(ScenarioRun& run, std::string& summary);

} // namespace sim
