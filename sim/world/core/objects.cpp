#include "world/core/objects.h"

#include "world/core/world.h"

namespace sim {

ObjectState& Objects::add(int id, bool dynamic, std::uint64_t frame) {
    ++createdCount_;
    ObjectState& state = objects_[id];
    state = ObjectState();
    state.dynamic = dynamic;
    state.createdFrame = frame;
    return state;
}

ObjectState* Objects::find(int id) {
    auto it = objects_.find(id);
    return it == objects_.end() ? nullptr : &it->second;
}

const ObjectState* Objects::find(int id) const {
    auto it = objects_.find(id);
    return it == objects_.end() ? nullptr : &it->second;
}

std::vector<int> leakedObjects(const World& world) {
    std::vector<int> leaked;
    for (const auto& [id, state] : world.objects.all()) {
        if (!world.entities.exists(id) || world.scenePeds.wasReleased(id))
            continue;
        if (world.documents.holderOf(id) != 0)
            continue;
        leaked.push_back(id);
    }
    return leaked;
}

void deleteObject(World& world, int id) {
    world.removeEntity(id);
}

} // namespace sim
