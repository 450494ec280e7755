#include "world/places/propsets.h"

#include "world/core/game_names.h"

namespace sim {

void Propsets::request(std::uint32_t name, std::uint64_t frame) {
    firstRequest_.try_emplace(name, frame);
    released_.erase(name);
}

bool Propsets::isLoaded(std::uint32_t name, std::uint64_t frame) const {
    if (name == 0 || unavailable_.count(name) || !GameNames::catalogue().find(NameKind::Propset, name))
        return false;
    auto found = firstRequest_.find(name);
    return found != firstRequest_.end() && frame >= found->second + framesToLoad;
}

int Propsets::place(std::uint32_t name, const drovil::Vector3& position, float heading, bool onGround,
                    std::uint64_t frame) {
    if (!isLoaded(name, frame))
        return 0;
    PlacedPropset placed;
    placed.handle = nextHandle_++;
    placed.name = name;
    placed.position = position;
    placed.heading = heading;
    placed.placedOnGround = onGround;
    placed_[placed.handle] = placed;
    return placed.handle;
}

PlacedPropset* Propsets::find(int handle) {
    auto found = placed_.find(handle);
    return found == placed_.end() ? nullptr : &found->second;
}

void Propsets::wentAway() {
    std::size_t gone = 0;
    for (const auto& [handle, placed] : placed_)
        gone += isGone(placed) ? 1 : 0;
    // Handles only grow: the oldest gone are the first in the map.
    for (auto it = placed_.begin(); it != placed_.end() && gone > keptGone;) {
        if (isGone(it->second)) {
            it = placed_.erase(it);
            --gone;
        } else {
            ++it;
        }
    }
}

int Propsets::ownedCount() const {
    int count = 0;
    for (const auto& [handle, propset] : placed_)
        count += propset.fate == PropsetFate::Owned ? 1 : 0;
    return count;
}

} // namespace sim
