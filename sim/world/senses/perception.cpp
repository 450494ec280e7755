#include "world/senses/perception.h"

#include "world/core/geometry.h"
#include "world/core/world.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {

// A jump farther than this in one frame is a teleport, not movement.
constexpr float teleportDistance = 10.0f;
// Dead bodies are looked for every this many frames.
constexpr std::uint64_t bodyCheckFrames = 10;
} // namespace

int foliageDensityForCover(float cover) {
    // The game's cover of a standing man grows from code 55 (none) to 72 (full).
    const float clamped = std::clamp(cover, 0.0f, 1.0f);
    return 55 + static_cast<int>(std::lround(clamped * 17.0f));
}

void Perception::addFoliage(const drovil::Vector3& centre, float radius, int density) {
    foliage_.push_back({centre, radius, density});
}

int Perception::foliageDensityAt(const drovil::Vector3& position) const {
    int densest = 0;
    for (const FoliagePatch& patch : foliage_) {
        const float dx = position.x - patch.centre.x, dy = position.y - patch.centre.y;
        if (dx * dx + dy * dy <= patch.radius * patch.radius)
            densest = std::max(densest, patch.density);
    }
    return densest;
}

float Perception::foliageValueAt(const drovil::Vector3& position) const {
    // The code sits in the millions; the lower digits carry other detail.
    return static_cast<float>(foliageDensityAt(position)) * 1'000'000.0f + 4096.0f;
}

const PedSenses* Perception::findSenses(int ped) const {
    auto it = senses_.find(ped);
    return it == senses_.end() ? nullptr : &it->second;
}

bool Perception::isCrouching(int ped) const {
    const PedSenses* s = findSenses(ped);
    return s && s->crouching;
}

void Perception::setSeeingRange(World& world, int ped, float range) {
    senses(ped).seeingRange = range;
    world.lineOfSight.setSightRange(ped, range);
}

float Perception::seeingRange(int ped) const {
    const PedSenses* s = findSenses(ped);
    return s ? s->seeingRange : -1.0f;
}

Movement Perception::movementOf(int ped) const {
    const PedSenses* s = findSenses(ped);
    const float speed = s ? s->speed : 0.0f;
    if (speed < 0.3f)
        return Movement::Still;
    if (speed < 2.2f)
        return Movement::Walking;
    if (speed < 4.5f)
        return Movement::Running;
    return Movement::Sprinting;
}

bool Perception::canSee(const World& world, int observer, int target) const {
    const EntityRecord* eye = world.entities.find(observer);
    const EntityRecord* seen = world.entities.find(target);
    if (!eye || !seen || observer == target || !eye->alive || eye->knockedOut)
        return false;
    return world.lineOfSight.sees(observer, target, distance3d(eye->position, seen->position));
}

void Perception::raise(int observer, std::uint32_t type, int source, std::uint64_t nowMs) {
    events_[observer].push_back({type, source, nowMs});
}

void Perception::raiseAround(World& world, const drovil::Vector3& where, float radius, std::uint32_t type,
                             int source, int except) {
    for (const auto& [id, record] : world.entities.all()) {
        if (id == except || record.kind != EntityKind::Ped || !record.alive || record.knockedOut)
            continue;
        if (distance3d(record.position, where) <= radius)
            raise(id, type, source, world.clock.elapsedMs);
    }
}

std::uint32_t Perception::newestEvent(int observer, std::uint64_t nowMs) const {
    auto it = events_.find(observer);
    if (it == events_.end())
        return 0;
    for (auto event = it->second.rbegin(); event != it->second.rend(); ++event)
        if (nowMs - event->atMs <= eventLifetimeMs)
            return event->type;
    return 0;
}

int Perception::eventSource(int observer, std::uint32_t type, std::uint64_t nowMs) const {
    auto it = events_.find(observer);
    if (it == events_.end())
        return 0;
    for (auto event = it->second.rbegin(); event != it->second.rend(); ++event)
        if (event->type == type && nowMs - event->atMs <= eventLifetimeMs)
            return event->source;
    return 0;
}

std::vector<PerceptionEvent> Perception::eventsOf(int observer) const {
    auto it = events_.find(observer);
    return it == events_.end() ? std::vector<PerceptionEvent>() : it->second;
}

float Perception::playerNoise(const World& world) const {
    const int player = world.player.pedId;
    if (world.combat.isShooting(player, world.clock.elapsedMs))
        return NoiseLevels::shooting;
    const PedCombat* fight = world.combat.find(player);
    if (fight && fight->hasFired && world.clock.elapsedMs - fight->lastShotMs <= NoiseLevels::shootingMs)
        return NoiseLevels::shooting;
    float noise = NoiseLevels::still;
    switch (movementOf(player)) {
    case Movement::Still:
        noise = NoiseLevels::still;
        break;
    case Movement::Walking:
        noise = NoiseLevels::walking;
        break;
    case Movement::Running:
        noise = NoiseLevels::running;
        break;
    case Movement::Sprinting:
        noise = NoiseLevels::sprinting;
        break;
    }
    return isCrouching(player) ? noise * NoiseLevels::crouchedFactor : noise;
}

void Perception::step(World& world) {
    const float frameSeconds = static_cast<float>(world.clock.frameMs) / 1000.0f;
    for (const auto& [id, record] : world.entities.all()) {
        if (record.kind != EntityKind::Ped)
            continue;
        PedSenses& s = senses_[id];
        if (s.positionKnown) {
            const float moved = distance3d(s.lastPosition, record.position);
            s.speed = moved > teleportDistance ? 0.0f : moved / frameSeconds;
        }
        s.lastPosition = record.position;
        s.positionKnown = true;
    }
    for (auto it = events_.begin(); it != events_.end();) {
        auto& list = it->second;
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](const PerceptionEvent& e) {
                                      return world.clock.elapsedMs - e.atMs > eventLifetimeMs;
                                  }),
                   list.end());
        it = list.empty() ? events_.erase(it) : std::next(it);
    }
    if (world.clock.frame % bodyCheckFrames == 0)
        noticeBodies(world);
}

void Perception::noticeBodies(World& world) {
    std::vector<int> bodies;
    for (const auto& [id, record] : world.entities.all())
        if (record.kind == EntityKind::Ped && !record.alive && id != world.player.pedId)
            bodies.push_back(id);
    if (bodies.empty())
        return;
    const std::uint32_t type = gameHash(events::deadBody);
    for (const auto& [id, record] : world.entities.all()) {
        if (record.kind != EntityKind::Ped || !record.alive || id == world.player.pedId)
            continue;
        for (int body : bodies) {
            const EntityRecord* corpse = world.entities.find(body);
            if (distance3d(record.position, corpse->position) <= deadBodyNoticeRange &&
                canSee(world, id, body))
                raise(id, type, body, world.clock.elapsedMs);
        }
    }
}

} // namespace sim
