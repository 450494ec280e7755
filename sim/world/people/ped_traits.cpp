#include "world/people/ped_traits.h"

#include "world/core/geometry.h"
#include "world/core/world.h"
#include "world/wildlife/animals.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {

constexpr float bumpReach = 0.7f;
constexpr float pushedAside = 0.5f;

} // namespace

bool PedTraits::isMaleModel(std::uint32_t model) {
    return !Weapons::isWomanModel(model);
}

int PedTraits::accuracyOf(const World& world, int ped) const {
    auto set = accuracy_.find(ped);
    if (set != accuracy_.end())
        return set->second;
    const EntityRecord* record = world.entities.find(ped);
    const std::uint32_t model = record ? record->model : 0;
    const std::uint32_t mix = (model ^ static_cast<std::uint32_t>(ped) * 2654435761u) >> 7;
    return 20 + static_cast<int>(mix % 41);
}

float PedTraits::speedOf(int entity) const {
    auto found = speed_.find(entity);
    return found == speed_.end() ? 0.0f : found->second;
}

bool PedTraits::isRagdoll(int ped, std::uint64_t nowMs) const {
    auto found = ragdollUntil_.find(ped);
    return found != ragdollUntil_.end() && nowMs < found->second;
}

bool PedTraits::shovedWithin(int ped, std::uint64_t nowMs, int ms) const {
    auto found = shovedAt_.find(ped);
    return found != shovedAt_.end() && ms >= 0 && nowMs - found->second <= static_cast<std::uint64_t>(ms);
}

int PedTraits::shoves(int ped) const {
    auto found = shoves_.find(ped);
    return found == shoves_.end() ? 0 : found->second;
}

void PedTraits::step(World& world) {
    const std::uint64_t now = world.clock.elapsedMs;
    const float seconds = stepped_ && now > lastStepMs_ ? static_cast<float>(now - lastStepMs_) / 1000.0f : 0.0f;
    for (const auto& [id, record] : world.entities.all()) {
        auto last = lastPosition_.find(id);
        if (last != lastPosition_.end() && seconds > 0.0f)
            speed_[id] = flatDistance(last->second, record.position) / seconds;
        lastPosition_[id] = record.position;
    }
    lastStepMs_ = now;
    stepped_ = true;

    const int me = world.player.pedId;
    const EntityRecord* player = world.entities.find(me);
    // Only a player on foot walks into people.
    if (!player || speedOf(me) < 0.5f || world.seats.seatOf(me))
        return;
    for (auto& [id, bumped] : world.entities.all()) {
        if (id == me || bumped.kind != EntityKind::Ped || !bumped.alive || isAnimalModel(bumped.model) ||
            world.seats.seatOf(id) || flatDistance(bumped.position, player->position) > bumpReach)
            continue;
        const float dx = bumped.position.x - player->position.x, dy = bumped.position.y - player->position.y;
        const float length = std::sqrt(dx * dx + dy * dy);
        if (length > 0.01f) {
            bumped.position.x += dx / length * pushedAside;
            bumped.position.y += dy / length * pushedAside;
        }
        shovedAt_[id] = now;
        ++shoves_[id];
    }
}

float PedTraits::drunkennessOf(int ped) const {
    auto found = drunkenness_.find(ped);
    return found == drunkenness_.end() ? 0.0f : found->second;
}

void PedTraits::setDrunkenness(int ped, bool enabled, float level) {
    drunkenness_[ped] = enabled ? std::clamp(level, 0.0f, 1.0f) : 0.0f;
}

void PedTraits::drinkFor(int ped, float amount) {
    float& level = drunkenness_[ped];
    level = std::min(1.0f, level + amount);
}

} // namespace sim
