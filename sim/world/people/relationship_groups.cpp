#include "world/people/relationship_groups.h"

#include "world/core/strings.h"
#include "world/core/world.h"

#include <string>

namespace sim {

std::uint32_t RelationshipGroups::player() {
    static const std::uint32_t group = gameHash("PLAYER");
    return group;
}
std::uint32_t RelationshipGroups::civilianMen() {
    static const std::uint32_t group = gameHash("REL_CIVMALE");
    return group;
}
std::uint32_t RelationshipGroups::civilianWomen() {
    static const std::uint32_t group = gameHash("REL_CIVFEMALE");
    return group;
}
std::uint32_t RelationshipGroups::lawmen() {
    static const std::uint32_t group = gameHash("REL_COP");
    return group;
}

std::uint32_t RelationshipGroups::groupOf(const World& world, int ped) const {
    auto it = groupOfPed_.find(ped);
    if (it != groupOfPed_.end())
        return it->second;
    if (ped == world.player.pedId)
        return player();
    const EntityRecord* record = world.entities.find(ped);
    if (record && Weapons::isWomanModel(record->model))
        return civilianWomen();
    return civilianMen();
}

} // namespace sim
