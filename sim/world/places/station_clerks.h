#pragma once
// The ticket clerks of the twelve train stations: peds of the clerk models
// standing at the counter, which the player aims at to collect payments.
#include "world/core/entities.h"

#include <cstdint>
#include <vector>

namespace sim {

class StationClerks {
public:
    // The clerk models, in the order they are handed out to stations.
    static const std::vector<std::uint32_t>& clerkModels();
    // The station positions by station id.
    static const std::vector<drovil::Vector3>& stationPositions();

    // Creates one clerk at every station.
    void spawn(Entities& entities);

    // The clerk ped of a station, 0 before spawn() or for an unknown id.
    int clerkOf(int stationId) const;
    const std::vector<int>& clerks() const { return clerks_; }

private:
    std::vector<int> clerks_;
};

} // namespace sim
