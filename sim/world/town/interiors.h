#pragma once
// The game's interiors that the contracts use: the hotels' rooms and the
// saloons (world/town/saloons.h). Each has a
// handle, the position the game gives for it (the middle of the room) and the
// floor it covers; an entity standing there is in that interior, anywhere else
// it is in interior 0 (outside). Where rooms adjoin, the nearer room's middle
// decides.
#include "runtime/types.h"

#include <vector>

namespace sim {

struct Interior {
    int handle = 0;
    const char* name = "";
    drovil::Vector3 position; // the room's middle, on its floor
    float radius = 0.0f;      // metres of floor around the middle
};

class Interiors {
public:
    // A room's floor reaches this far above and below its middle.
    static constexpr float floorBand = 2.5f;

    static const std::vector<Interior>& all();
    // The handle of the interior at a position, 0 outside.
    static int at(const drovil::Vector3& position);
    // Null for 0 or an unknown handle.
    static const Interior* find(int handle);
};

} // namespace sim
