#include "world/core/script_owned.h"

#include "world/core/world.h"

#include <algorithm>

namespace sim {

std::vector<std::pair<std::string, int>> ScriptOwned::named() const {
    return {{"entities not released", entities},
            {"blips", blips},
            {"prompts", prompts},
            {"task sequences", taskSequences},
            {"scenario points created", scenarioPoints},
            {"propsets", propsets},
            {"ped groups", groups},
            {"models requested", models}};
}

ScriptOwned countScriptOwned(const World& world) {
    ScriptOwned owned;
    // The lawmen the game's own dispatch sends are the game's, held by its
    // scripts until it lets them go: no mod's leftovers.
    const std::vector<int>& lawmen = world.lawResponse.lawmen();
    for (const auto& [id, record] : world.entities.all())
        if (record.missionEntity && id != world.player.pedId &&
            std::find(lawmen.begin(), lawmen.end(), id) == lawmen.end())
            ++owned.entities;
    owned.blips = static_cast<int>(world.blips.all().size());
    owned.prompts = static_cast<int>(world.prompts.notDestroyed().size());
    owned.taskSequences = world.tasks.sequenceCount();
    for (const auto& [handle, point] : world.scenarioPoints.all())
        if (point.byScript)
            ++owned.scenarioPoints;
    owned.propsets = world.propsets.ownedCount();
    owned.groups = world.pedGroups.count();
    owned.models = world.models.heldCount();
    return owned;
}

} // namespace sim
