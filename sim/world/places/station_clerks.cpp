#include "world/places/station_clerks.h"

namespace sim {

const std::vector<std::uint32_t>& StationClerks::clerkModels() {
    static const auto* models =
        new std::vector<std::uint32_t>{0x1173F849, 0x3F0EC349, 0xC606A445, 0xE9694F3F};
    return *models;
}

const std::vector<drovil::Vector3>& StationClerks::stationPositions() {
    static const auto* positions = new std::vector<drovil::Vector3>{
        {-180.543f, 629.124f, 114.09f},  {1521.5f, 439.356f, 90.6807f},     {2931.73f, 1283.24f, 44.6528f},
        {2985.22f, 568.669f, 44.6279f},  {2749.14f, -1400.79f, 46.1927f},   {1233.22f, -1297.11f, 76.9048f},
        {-1298.77f, 401.872f, 95.3839f}, {-1765.09f, -383.61f, 157.737f},   {-1095.53f, -575.422f, 82.4099f},
        {-875.477f, -1328.74f, 43.958f}, {-3729.61f, -2603.14f, -12.9377f}, {-5230.35f, -3468.04f, -20.5129f},
    };
    return *positions;
}

void StationClerks::spawn(Entities& entities) {
    clerks_.clear();
    const auto& models = clerkModels();
    const auto& positions = stationPositions();
    for (std::size_t id = 0; id < positions.size(); ++id) {
        // Behind the counter, a couple of metres from the platform's centre.
        drovil::Vector3 counter = positions[id];
        counter.x += 2.0f;
        EntityRecord& clerk = entities.create(EntityKind::Ped, models[id % models.size()], counter, 180.0f);
        clerks_.push_back(clerk.id);
    }
}

int StationClerks::clerkOf(int stationId) const {
    if (stationId < 0 || stationId >= static_cast<int>(clerks_.size()))
        return 0;
    return clerks_[stationId];
}

} // namespace sim
