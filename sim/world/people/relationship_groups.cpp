#include "world/people/relationship_groups.h"

#include "world/core/strings.h"

#include <string>

namespace sim {

std::uint32_t RelationshipGroups::civilianGroup() {
    static const std::uint32_t group = gameHash("REL_CIVMALE");
    return group;
}

std::uint32_t RelationshipGroups::create() {
    created_ += 1;
    const std::uint32_t group = gameHash("SCRIPT_GROUP_" + std::to_string(created_));
    settings_[group] = 0;
    return group;
}

int RelationshipGroups::settingOf(std::uint32_t group) const {
    auto it = settings_.find(group);
    return it == settings_.end() ? 0 : it->second;
}

std::uint32_t RelationshipGroups::groupOf(int ped) const {
    auto it = groupOfPed_.find(ped);
    return it == groupOfPed_.end() ? civilianGroup() : it->second;
}

} // namespace sim
