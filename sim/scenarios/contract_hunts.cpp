#include "scenarios/contract_hunts.h"

#include "scenarios/alive_play.h"
#include "scenarios/hunter_play.h"
#include "scenarios/road_contract_play.h"
#include "scenarios/station_play.h"
#include "scenarios/saloon_play.h"
#include "scenarios/town_play.h"

namespace sim {
namespace {

// A camp: the careful way, by horse to a safe distance and crouched to rifle range.
bool huntCamp(ScenarioRun& run, const ContractInPlay& contract, std::string& why) {
    if (!waitOutHold(run, contract)) {
        why = "the contract stayed on hold";
        return false;
    }
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
    if (!waitOutHold(run, contract)) {
        why = "the contract stayed on hold";
        return false;
    }
    if (!huntDownHunter(run, contract))
        why = "the hunter was not found, recognised and taken down";
    else if (!getAwayFromHunterCamp(run, contract))
        why = "the player did not get away";
    else
        return true;
    return false;
}

// A wagon: cut it off on the road and shoot the man on the card.
bool huntWagonContract(ScenarioRun& run, const ContractInPlay& contract, std::string& why) {
    if (!waitOutHold(run, contract)) {
        why = "the contract stayed on hold";
        return false;
    }
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
    if (!waitOutHold(run, contract)) {
        why = "the contract stayed on hold";
        return false;
    }
    if (!huntPrisoner(run, contract))
        why = "the prisoner was not taken down";
    else if (!getAwayFromTown(run, contract))
        why = "the player did not get away";
    else
        return true;
    return false;
}

// A street or a hotel: on foot through the search area, looking people in the
// face until the map marks the target; shot down in the middle of town, which
// brings the law the player must shake off before the contract is done.
bool huntInTown(ScenarioRun& run, const ContractInPlay& contract, std::string& why) {
    const int target = searchTownForTarget(run, contract);
    if (!target) {
        why = "the target was not found and recognised in town";
        return false;
    }
    if (!run.playsAlive())
        run.note("draws his gun on the target in the middle of town");
    if (!takeTargetDown(run, target, 2 * 60 * 1000)) {
        why = "the target was not taken down";
        return false;
    }
    if (!run.playsAlive())
        run.note(run.world().law.wantedByLaw() ? "the target is down; the shots bring the law"
                                               : "the target is down");
    if (!escape(run, contract)) {
        why = "the player did not get away";
        return false;
    }
    return true;
}

// A saloon: the drinkers looked at up close until the map marks the target, a
// working girl paid to lure him out to a quiet spot where he is taken; when he
// turns her down he stays for good and is taken where he sits; when the player
// cannot pay, he is taken in the street once he leaves the saloon on his own.
bool huntSaloonContract(ScenarioRun& run, const ContractInPlay& contract, std::string& why) {
    SaloonOutcome outcome;
    if (!huntInSaloon(run, contract, SaloonWay::Lure, outcome, why))
        return false;
    return getAway(run, contract, why);
}

} // namespace

ContractHunt huntFor(int settingId) {
    switch (settingId) {
    case 0:
        return &huntCamp;
    case 4:
        return &huntHunterCamp;
    case 1:
        return &huntWagonContract;
    case 8:
        return &huntPrisonerContract;
    case 2:
    case 7:
        return &huntInTown;
    case 6:
        return &huntAtStation;
    case 5:
        return &huntSaloonContract;
    default:
        return nullptr;
    }
}

} // namespace sim
