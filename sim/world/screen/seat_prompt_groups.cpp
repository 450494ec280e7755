#include "world/screen/seat_prompt_groups.h"

#include "world/core/world.h"
#include "world/places/scenario_point_data.h"

namespace sim {

std::uint32_t seatPromptGroup(std::uint32_t pointType) {
    // A seat by a camp fire has the camp's group; the town's seats share one.
    if (pointType == seats::campFire.pointType)
        return 0x1464D671;
    for (const SeatKind* kind : seats::all())
        if (kind->pointType == pointType)
            return 0x6898122F;
    return 0;
}

void showSeatPromptGroup(World& world) {
    const std::uint32_t group = seatPromptGroup(ScenarioPoints::typeUsedBy(world, world.player.pedId));
    if (group != 0)
        world.prompts.activateGroup(group, "");
}

} // namespace sim
