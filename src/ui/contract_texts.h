#pragma once
// The wording on the back of a contract card: who the target is and where to
// find him, composed from Lang.dat and the record's map area.
#include "world/mission_data.h"

#include <optional>
#include <string>

namespace drovil {

// The card's texts are composed into buffers of this many bytes (the last one
// kept for the terminating zero), so a longer text is cut.
inline constexpr std::size_t contractTextCapacity = 250;

// "contract_modal.target_description.<template>.<variant>" with its line
// breaks expanded; the gang of a template-0 variant-0 target fills its one
// "%s". No description (nullopt) for the other variants of template 0.
std::optional<std::string> describeTarget(const MissionData& record);

// "contract_modal.target_whereabouts.<setting>" with its line breaks expanded
// and its one "%s" filled with the record's town, or for camps in the wild
// (settings 0 and 4) with the name of the region under the mission's coords.
std::string describeWhereabouts(const MissionData& record);

// "contract_modal.dead_or_alive" with its line breaks expanded and its one
// "%s" filled with `aliveReward` (the reward of the target brought in alive,
// as the game writes cash); none while contracts are dead-only.
std::optional<std::string> describeDeadOrAlive(const std::string& aliveReward);

} // namespace drovil
