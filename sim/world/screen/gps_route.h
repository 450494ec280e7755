#pragma once
// The GPS route a script draws on the map and the minimap: started in a colour
// (for travel on foot and by vehicle), its points added in order, drawn once
// the script asks; cleared, it is gone.
#include "runtime/types.h"

#include <cstdint>
#include <vector>

namespace sim {

struct GpsRoute {
    std::uint32_t colour = 0;
    bool onFoot = false;
    bool inVehicle = false;
    std::vector<drovil::Vector3> points;
    bool drawn = false;
    // How many routes scripts have started in the session.
    int started = 0;

    bool shown() const { return drawn && !points.empty(); }
    void clear() {
        points.clear();
        drawn = false;
    }
};

} // namespace sim
