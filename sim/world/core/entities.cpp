#include "world/core/entities.h"

#include <cmath>

namespace sim {

EntityRecord& Entities::create(EntityKind kind, std::uint32_t model, drovil::Vector3 position, float heading) {
    return createWithId(nextId_++, kind, model, position, heading);
}

EntityRecord& Entities::createApart(EntityKind kind, std::uint32_t model, drovil::Vector3 position, float heading) {
    return createWithId(nextApartId_++, kind, model, position, heading);
}

EntityRecord& Entities::createWithId(int id, EntityKind kind, std::uint32_t model, drovil::Vector3 position,
                                     float heading) {
    EntityRecord record;
    record.id = id;
    record.kind = kind;
    record.model = model;
    record.position = position;
    record.heading = heading;
    return records_[record.id] = record;
}

EntityRecord* Entities::find(int id) {
    auto it = records_.find(id);
    return it == records_.end() ? nullptr : &it->second;
}

const EntityRecord* Entities::find(int id) const {
    auto it = records_.find(id);
    return it == records_.end() ? nullptr : &it->second;
}

drovil::Vector3 forwardOf(float headingDegrees) {
    const float radians = headingDegrees * 3.14159265f / 180.0f;
    return drovil::Vector3(-std::sin(radians), std::cos(radians), 0.0f);
}

} // namespace sim
