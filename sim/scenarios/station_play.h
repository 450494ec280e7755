#pragma once
// Train station contracts, played as a person would: walking the station
// among the people waiting until the map marks the man on the card, and
// shooting him there, before he is gone with the train or the coach; when he is
// already aboard, keeping up with the car he sits in until he is down. And the
// other way round: dawdling until the train has left the station with him, or
// until the coach has called for him, and only then going after it.
#include "scenarios/contract_play.h"

#include <map>
#include <string>

namespace sim {

// From wherever the player is: finds the target at the station, takes him
// down, and gets away from the town's law. False with `why` filled when not.
bool huntAtStation(ScenarioRun& run, const ContractInPlay& contract, std::string& why);

// A train station contract of Valentine already taken (mission 0 in the
// town's slot): the target leaves by train.
void writeTakenTrainContract(std::map<std::string, std::string>& files);
// Walks to the station and idles there, never drawing; the target boards the
// train and it leaves with him. True when the contract then failed, the target
// lost, as the loss rule says it should.
bool playTrainMissed(ScenarioRun& run, std::string& summary);

// A train station contract of Valentine already taken whose target leaves
// by coach, with its two guards (the driver and a man beside him).
void writeTakenCoachContract(std::map<std::string, std::string>& files);
// Waits on the platform, never drawing, until the coach has pulled up, taken
// the target in and driven off with him; then runs after the coach, shoots him
// aboard and gets away. True when the coach stopped within 20 m of the spot,
// he boarded, it left with him, and the contract was completed.
bool playCoachChase(ScenarioRun& run, std::string& summary);

} // namespace sim
