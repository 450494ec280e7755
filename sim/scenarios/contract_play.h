#pragma once
// The pieces a contract scenario is made of, played as a person would: take an
// offer in town and read the card, go after a camp in one of several ways,
// get away, and collect the reward from a station clerk. Each piece returns
// false when it could not be done, after noting why on the timeline.
#include "scenarios/scenario_run.h"

#include <string>

namespace sim {

// A contract as its mission file and the save tell it.
struct ContractInPlay {
    int id = -1;
    int settingId = -1;
    int areaId = 0;
    int status = -1;
    int bounty = 0;
    int bonusesReward = 0;
    int guardsCount = 0;
    int variant = 0; // a train station's transport: 0 the train, 1 a coach
    drovil::Vector3 coords;
    drovil::Vector3 blipCoords;
    float blipRadius = 0.0f;
    float missionAreaRadius = 0.0f;
};

// Valentine: the town's map area id and the player's first stop on its main street.
int valentineAreaId();

// Mission `id` read back from its file (settingId -1 when there is none).
ContractInPlay readContract(const ScenarioRun& run, int id);
// The mission in the area's save slot, or one with id -1.
ContractInPlay contractInArea(const ScenarioRun& run, int areaId);
const char* settingName(int settingId);
// The setting's name, with the transport of a train station contract ("train
// station by coach").
std::string contractKind(const ContractInPlay& contract);

// Walks to Valentine's main street and waits for a quest giver, walks up to
// him, takes the contract and reads the card. Fills `taken` from the files.
bool takeQuestOffer(ScenarioRun& run, ContractInPlay& taken);
// The same in any town, waiting at most `waitForOfferMs` for a passer-by.
bool takeQuestOfferIn(ScenarioRun& run, const StartingTown& town, ContractInPlay& taken, std::uint32_t waitForOfferMs);

// Ways of going after a camp's target.
enum class CampApproach {
    Careful,   // by horse to a safe distance, then crouched to rifle range; recognised by aiming
    Stealthy,  // crouched all the way to the fire; recognised by sight
    Loud,      // galloping straight in, gun out
};

// From wherever the player is: to the camp, until the target is recognised
// (the log says so). The loud way shoots as soon as it is in range.
bool approachCamp(ScenarioRun& run, const ContractInPlay& contract, CampApproach approach);
// Shoots the recognised target until it is down.
bool takeDownTarget(ScenarioRun& run);
// Calls the horse, rides away from the camp and waits for the contract to end.
bool escape(ScenarioRun& run, const ContractInPlay& contract);
// The target down: says so (and whether the shots brought the law) and
// escapes; false, with why, when the player does not get away.
bool getAway(ScenarioRun& run, const ContractInPlay& contract, std::string& why);

// A contract taken too close to its scene is on hold (the map shows a bare
// marker and a help box says to come back from a distance): he walks off past
// the distance the scene needs and waits there until it is on again. True at
// once when it is not on hold.
bool waitOutHold(ScenarioRun& run, const ContractInPlay& contract);
// Keeps on the way the player is going until the contract ends (the mission
// file says completed or failed), and stops; true when it was completed.
bool keepGoingUntilContractEnds(ScenarioRun& run, const ContractInPlay& contract);
// Rides to the nearest station, walks up to the clerk and holds the payment
// prompt; `paidCents` is what the cash grew by.
bool collectPayment(ScenarioRun& run, int& paidCents);

// The price scale as the plug-in reads it: the same settings format, the same
// defaults, the same number reading (a decimal comma included), clamped alike.
float pricesScale(ScenarioRun& run);
// The pending balance as the plug-in reads it from the save (dollars).
float pendingBalance(ScenarioRun& run);

// The mission's status as its executor last logged it (-1 before any change);
// the mission file itself is written only when the contract ends.
int loggedStatus(ScenarioRun& run, int id);

// True while any ped of the world is fighting the player.
bool anyoneFightingPlayer(ScenarioRun& run);

} // namespace sim
