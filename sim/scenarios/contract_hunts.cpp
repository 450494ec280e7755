#include "scenarios/contract_hunts.h"

#include "scenarios/road_contract_play.h"

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

// A wagon: cut it off on the road and shoot the man on the card.
bool huntWagonContract(ScenarioRun& run, const ContractInPlay& contract, std::string& why) {
    if (!huntWagon(run, contract))
        why = "the wagon's target was not found and taken down";
    else if (!escape(run, contract))
        why = "the player did not get away";
    else
        return true;
    return false;
}

// A prisoner transport: watch the office, catch the loaded wagon out of town.
bool huntPrisonerContract(ScenarioRun& run, const ContractInPlay& contract, std::string& why) {
    if (!huntPrisoner(run, contract))
        why = "the prisoner was not taken down";
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
    case 1:
        return &huntWagonContract;
    case 8:
        return &huntPrisonerContract;
    default:
        return nullptr;
    }
}

} // namespace sim
