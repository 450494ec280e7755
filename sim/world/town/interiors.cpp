#include "world/town/interiors.h"

#include "world/core/geometry.h"
#include "world/town/saloons.h"

#include <cmath>

namespace sim {

const std::vector<Interior>& Interiors::all() {
    static auto* rooms = new std::vector<Interior>{
        {4001, "Valentine hotel, room 1A", drovil::Vector3(-325.663f, 765.258f, 117.437f), 4.0f},
        {4002, "Valentine hotel, room 1B", drovil::Vector3(-326.517f, 760.32f, 117.298f), 4.0f},
        {4003, "Strawberry, Hotel Welcome Center room", drovil::Vector3(-1819.35f, -368.283f, 166.504f), 6.0f},
        {4004, "Saint Denis, Hotel Bastille room", drovil::Vector3(2638.62f, -1222.11f, 59.6005f), 7.0f},
    };
    static const bool saloonsAdded = [] {
        for (const Saloon& saloon : Saloons::all())
            rooms->push_back({saloon.interior, saloon.town, Saloons::middleOf(saloon), Saloons::floorRadius});
        return true;
    }();
    (void)saloonsAdded;
    return *rooms;
}

int Interiors::at(const drovil::Vector3& position) {
    const Interior* nearest = nullptr;
    float best = 0.0f;
    for (const Interior& room : all()) {
        const float d = flatDistance(position, room.position);
        if (d > room.radius || std::fabs(position.z - room.position.z) > floorBand)
            continue;
        if (!nearest || d < best) {
            nearest = &room;
            best = d;
        }
    }
    return nearest ? nearest->handle : 0;
}

const Interior* Interiors::find(int handle) {
    for (const Interior& room : all())
        if (room.handle == handle)
            return &room;
    return nullptr;
}

} // namespace sim
