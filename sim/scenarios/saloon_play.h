#pragma once
// Going after a target drinking in a saloon, as a person would: walk in, look
// the drinkers in the face up close until the map marks one as the man on the
// card, then pay one of the working girls near him to lure him out and take
// him at the quiet spot she leads him to (turned down, he stays for good and is
// taken where he is); or, without the money, wait until he leaves the saloon
// on his own and take him in the street.
#include "scenarios/contract_play.h"

#include <string>

namespace sim {

// How the player goes about it.
enum class SaloonWay {
    Lure,          // pays a girl as soon as he knows the target
    LureWhenDrunk, // waits until the target reels drunk before he pays a girl
    Wait,          // pays nobody: waits for the target to leave
};

// What happened, for the scenarios that judge it.
struct SaloonOutcome {
    int target = 0;
    int girl = 0;             // the girl he paid (0: none)
    bool lureAccepted = false;
    bool targetLeft = false;  // the target walked out on his own
    drovil::Vector3 targetAtLure; // where the target stood when the lure began
    drovil::Vector3 girlDiedAt;   // where the girl went down (lure)
    int girlKiller = 0;
};

// The whole hunt up to the target down; true when he is down. `why` says what
// went wrong otherwise.
bool huntInSaloon(ScenarioRun& run, const ContractInPlay& contract, SaloonWay way, SaloonOutcome& outcome,
                  std::string& why);

} // namespace sim
