#pragma once
// The dead or alive scenarios, listed with the others in scenarios.cpp: a
// contract of each setting already taken in Valentine with its alive bonus,
// played by a player who brings the target in alive; the target breaking free
// on the way; the target dying across the horse.
#include "scenarios/contract_play.h"
#include "scenarios/scenarios.h"

namespace sim {

// The contract of a taken contract's files, its bonus as the missions factory
// works it out when contracts are dead or alive (half the bounty).
void giveAliveBonus(ScenarioFiles& files);

// A hotel and a wagon contract taken in Valentine (the other settings have
// their writers beside their plays).
void writeTakenHotelContract(ScenarioFiles& files);
void writeTakenWagonContract(ScenarioFiles& files);

// Hunts the taken contract of the setting, brings the target in alive and
// collects the pay; succeeds when he was handed over and the clerk paid the
// bounty and the bonus.
ScenarioResult playAliveTaken(ScenarioRun& run);
// As a contract is played from its offer on: the hunt its setting asks for,
// then the pay; dead or alive as the run plays it. The summary of first-contract.
ScenarioResult playContract(ScenarioRun& run, const ContractInPlay& contract);
ScenarioResult playAliveEscape(ScenarioRun& run);
ScenarioResult playAliveDies(ScenarioRun& run);

} // namespace sim
