#pragma once
// How the scripted player goes after a taken contract of each setting, from
// the moment the offer is taken until he has got away with the target down.
// first-contract plays whichever setting its seed's offer turns out to be.
#include "scenarios/contract_play.h"

#include <string>

namespace sim {

// Plays the hunt; false with `why` filled when it could not be done.
using ContractHunt = bool (*)(ScenarioRun& run, const ContractInPlay& contract, std::string& why);

// The hunt for the setting, nullptr while the scripted player cannot play it.
ContractHunt huntFor(int settingId);

} // namespace sim
