#include "scenarios/contract_hunts.h"

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

} // namespace

ContractHunt huntFor(int settingId) {
    switch (settingId) {
    case 0:
        return &huntCamp;
    default:
        return nullptr;
    }
}

} // namespace sim
