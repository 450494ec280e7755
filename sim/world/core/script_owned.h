#pragma once
// What scripts hold in the game at a moment: everything the game keeps for a
// script until the script hands it back. A script that ends a job without
// handing something back leaks it: the game's pools of handles are finite
// (ped groups run out at 64) and what is held is never cleared away.
#include <string>
#include <vector>

namespace sim {

struct World;

struct ScriptOwned {
    int entities = 0;       // mission entities not yet released to the game
    int blips = 0;          // blips on the map not removed
    int prompts = 0;        // prompts not deleted
    int taskSequences = 0;  // task sequences opened and not cleared
    int scenarioPoints = 0; // scenario points a script created and did not delete
    int propsets = 0;       // propsets placed and neither deleted nor handed back
    int groups = 0;         // ped groups made and not removed
    int models = 0;         // models requested and not marked as no longer needed

    // Each count with its name, in the order above.
    std::vector<std::pair<std::string, int>> named() const;
    bool operator==(const ScriptOwned&) const = default;
};

// The counts as the world holds them now. The player's own ped and horse are
// the game's, not a script's.
ScriptOwned countScriptOwned(const World& world);

} // namespace sim
