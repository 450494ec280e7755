#include "scenarios/contract_hunts.h"

#include "scenarios/hunter_play.h"

namespace sim {
namespace {

// A camp: the careful way, by horse to a safe distance and crouched to rifle range.
bool huntCamp(ScenarioRun& run, const ContractInPlay& contract, std::string& why) {
    if (!approachCamp(run, contract, CampApproach::Careful))
        why = "the target was not found and recognised";
    else if (!takeDownTarget(run))
        why = "the target was not taken down";
    else if (!escape(run, contract))
        why = "the player did not get away";
    else
        return true;
    return false;
}

// A hunter's camp: watched from cover, the hunter stalked and made out through
// the sights wherever he is (out after game by day, at his fire by night).
bool huntHunterCamp(ScenarioRun& run, const ContractInPlay& contract, std::string& why) {
    if (!huntDownHunter(run, contract))
        why = "the hunter was not found, recognised and taken down";
    else if (!getAwayFromHunterCamp(run, contract))
        why = "the player did not get away";
    else
        return true;
    return false;
}

} // namespace

ContractHunt huntFor(int settingId) {
    switch (settingId) {
    case 0:
        return &huntCamp;
    case 4:
        return &huntHunterCamp;
    default:
        return nullptr;
    }
}

} // namespace sim
