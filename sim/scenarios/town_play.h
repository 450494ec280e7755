#pragma once
// Going after a contract target in town, as a person would: ride in, walk the
// streets of the search area (or into the hotel and its rooms) and size up the
// people there one after another through the sights, nearest to the middle of
// the area first, until the map marks one of them as the man on the card (or he
// is made out by sight on the way).
#include "scenarios/contract_play.h"

#include <functional>

namespace sim {

// The ped the map marks as the contract target (the blip the card names), 0 none.
int markedTarget(ScenarioRun& run, const std::string& targetName);

// The player's search of a town for the target; the target ped, 0 when the
// search failed (noted on the timeline) or was broken off: `breakOff`, when
// given, is asked all along the search whether something else needs him now.
int searchTownForTarget(ScenarioRun& run, const ContractInPlay& contract,
                        const std::function<bool()>& breakOff = {});

} // namespace sim
