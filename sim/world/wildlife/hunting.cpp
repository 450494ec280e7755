#include "world/wildlife/hunting.h"

#include "world/core/world.h"
#include "world/wildlife/animals.h"

namespace sim {
namespace {
// A carried entity rides this high on the carrier's shoulder, or lies this
// high across a horse's back.
constexpr float shoulderHeight = 0.4f;
constexpr float horseBackHeight = 1.0f;
} // namespace

int Hunting::carrierOf(int entity) const {
    auto found = carrierOf_.find(entity);
    return found == carrierOf_.end() ? 0 : found->second;
}

int Hunting::carriedBy(int ped) const {
    for (const auto& [entity, carrier] : carrierOf_)
        if (carrier == ped)
            return entity;
    return 0;
}

void Hunting::pickUp(World& world, int ped, int entity) {
    if (ped == entity || !world.entities.exists(ped) || !world.entities.exists(entity))
        return;
    carrierOf_[entity] = ped;
    world.tasks.clear(entity);
}

void Hunting::putDown(World& world, int entity) {
    auto found = carrierOf_.find(entity);
    if (found == carrierOf_.end())
        return;
    EntityRecord* carried = world.entities.find(entity);
    const EntityRecord* carrier = world.entities.find(found->second);
    if (carried && carrier)
        carried->position = carrier->position;
    carrierOf_.erase(found);
}

std::uint32_t Hunting::personality(int ped) const {
    auto found = personality_.find(ped);
    return found == personality_.end() ? 0 : found->second;
}

void Hunting::step(World& world) {
    for (auto it = carrierOf_.begin(); it != carrierOf_.end();) {
        EntityRecord* carried = world.entities.find(it->first);
        const EntityRecord* carrier = world.entities.find(it->second);
        if (!carried) {
            it = carrierOf_.erase(it);
            continue;
        }
        if (!carrier || Combat::isDown(world, it->second)) {
            // Dropped where he fell.
            if (carrier)
                carried->position = carrier->position;
            it = carrierOf_.erase(it);
            continue;
        }
        const float height = isHorseModel(carrier->model) ? horseBackHeight : shoulderHeight;
        carried->position = drovil::Vector3(carrier->position.x, carrier->position.y, carrier->position.z + height);
        carried->heading = carrier->heading;
        ++it;
    }
}

} // namespace sim
