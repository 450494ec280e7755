#pragma once
// Taking a contract's target alive, as a player of a dead or alive contract
// does: the men of his who fight are shot (out in the country; in town the
// player does not draw), the target is lassoed (from the saddle or on foot)
// and hogtied, carried across the horse to the sheriff's office the map marks,
// taken down onto the shoulder at its door and handed over with the prompt;
// the lawman carries him inside. On the way the man may struggle free (he is
// caught again) or die (the contract then goes on as a dead target's, and the
// player gets away).
#include "scenarios/contract_play.h"
#include "world/screen/blips.h"

#include <string>

namespace sim {

// The hunts' take-down: shot until down, or, for a player who brings the
// target in alive (ScenarioRun::playsAlive), lassoed and hogtied.
bool takeTargetDown(ScenarioRun& run, int target, std::uint32_t maxMs);

// Lassoes and hogties the ped, seeing off those who fight the player first
// (out of town only). True once he lies hogtied; false when he died, got away,
// the time ran out or the player went down.
bool subdueAlive(ScenarioRun& run, int target, std::uint32_t maxMs);

// What happened to the target on his way to the sheriff.
struct AliveTrip {
    int breakouts = 0;    // times he got loose
    bool died = false;    // he died on the way
    bool handedOver = false;
};

// With the contract's target lying hogtied: carries him to the office and
// hands him over, catching him again whenever he gets loose; when he dies on
// the way, gets away as after any take-down. True when the contract was
// completed (alive or, after a death, dead).
bool bringInAlive(ScenarioRun& run, const ContractInPlay& contract, AliveTrip& trip);

// The contract's target lies hogtied (the player is to bring him in).
bool targetHogtied(ScenarioRun& run);

// The sheriff's office blip the map shows, or null.
const BlipRecord* officeBlip(ScenarioRun& run);

} // namespace sim
