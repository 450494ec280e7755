#pragma once
// Hunter camp contracts played as a person would: find the camp, watch the
// hunter from cover (out after game by day, by the fire at night), stalk him
// and make him out through the sights, take him down, see off whoever of the
// camp (a companion, his dog) turns on the player, and get away.
#include "scenarios/contract_play.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace sim {

// What the player saw of a hunter's day out, in the order he saw it.
struct HuntWatched {
    bool leftCamp = false;      // walked out of the camp, gun in hand (roam)
    bool stalking = false;      // crouched and creeping (search, attack)
    bool fired = false;         // shot at an animal
    bool killed = false;        // an animal lies dead (collect)
    bool carrying = false;      // the carcass over his shoulder (carry)
    bool backAtCamp = false;    // laid it down at the camp
    bool cursed = false;        // an animal got away and he cursed
    int cameBackEmptyHanded = 0; // hunts he gave up and came back from with nothing
    bool out = false;           // out of the camp now
    bool atCampNow = false;     // by the fire now
    std::vector<std::string> seen; // in order
    bool wholeCycle() const { return leftCamp && stalking && fired && killed && carrying && backAtCamp; }
    // He went out after game and came back to camp, with a kill or without.
    bool cameBack() const { return backAtCamp || cameBackEmptyHanded > 0; }
    // He set about hunting: out of camp, or stalking or shooting from it.
    bool hunted() const { return leftCamp || stalking || fired; }
};

// The player's hiding place: `metres` from the camp on his side of it, in the
// bushes, crouched. Rides most of the way.
bool takeCoverNearCamp(ScenarioRun& run, const ContractInPlay& contract, float metres);
// Watches the hunter from where the player is for at most `maxMs`, until
// `enough` says so (asked every frame with what he has seen).
HuntWatched watchHunter(ScenarioRun& run, const ContractInPlay& contract, std::uint32_t maxMs,
                        const std::function<bool(const HuntWatched&)>& enough);
// From wherever the player is: closes in on the hunter (walking while far,
// creeping once near) and aims at him until he is recognised.
bool stalkHunter(ScenarioRun& run, const ContractInPlay& contract);
// Shoots whoever of the camp is fighting the player until none is left.
bool seeOffTheCamp(ScenarioRun& run);
// Gets away from the scene on the horse, or on foot when it does not come in time.
bool getAwayFromHunterCamp(ScenarioRun& run, const ContractInPlay& contract);
// The whole job from the contract in hand to the take-down.
bool huntDownHunter(ScenarioRun& run, const ContractInPlay& contract);

} // namespace sim

namespace sim {

struct ScenarioResult;
// The scenarios: a hunter camp contract of Valentine already taken (the files),
// watched by day and from dusk into the night.
void writeTakenHunterContract(std::map<std::string, std::string>& files);
ScenarioResult playHunterDay(ScenarioRun& run);
ScenarioResult playHunterNight(ScenarioRun& run);
void atHunterDusk(World& world);

} // namespace sim
