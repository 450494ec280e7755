#include "world/people/ped_groups.h"

#include "world/core/geometry.h"
#include "world/core/world.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {
constexpr float pi = 3.14159265f;
}

int PedGroups::create() {
    if (static_cast<int>(groups_.size()) >= maxGroups)
        return 0;
    const int handle = nextHandle_++;
    groups_[handle].handle = handle;
    return handle;
}

void PedGroups::removeGroup(int group) {
    auto found = groups_.find(group);
    if (found == groups_.end())
        return;
    for (int follower : found->second.followers)
        catchingUp_.erase(follower);
    groups_.erase(found);
}

const PedGroup* PedGroups::find(int group) const {
    auto found = groups_.find(group);
    return found == groups_.end() ? nullptr : &found->second;
}

void PedGroups::setFormation(int group, int formation) {
    auto found = groups_.find(group);
    if (found != groups_.end())
        found->second.formation = formation;
}

int PedGroups::size(int group) const {
    const PedGroup* found = find(group);
    if (!found)
        return 0;
    return static_cast<int>(found->followers.size()) + (found->leader != 0 ? 1 : 0);
}

bool PedGroups::setLeader(int ped, int group) {
    auto found = groups_.find(group);
    if (found == groups_.end())
        return false;
    PedGroup& target = found->second;
    if (target.leader == ped)
        return true;
    const bool alreadyFollower =
        std::find(target.followers.begin(), target.followers.end(), ped) != target.followers.end();
    if (!alreadyFollower && target.leader == 0 && size(group) >= maxPeds)
        return false;
    remove(ped);
    if (target.leader != 0) {
        // The old leader stays on as a follower when there is room.
        if (size(group) < maxPeds)
            target.followers.push_back(target.leader);
    }
    target.leader = ped;
    return true;
}

bool PedGroups::addFollower(int ped, int group) {
    auto found = groups_.find(group);
    if (found == groups_.end())
        return false;
    PedGroup& target = found->second;
    if (target.leader == ped ||
        std::find(target.followers.begin(), target.followers.end(), ped) != target.followers.end())
        return true;
    if (size(group) >= maxPeds)
        return false;
    remove(ped);
    target.followers.push_back(ped);
    return true;
}

void PedGroups::remove(int ped) {
    for (auto& [handle, group] : groups_) {
        if (group.leader == ped)
            group.leader = 0;
        group.followers.erase(std::remove(group.followers.begin(), group.followers.end(), ped),
                              group.followers.end());
    }
}

int PedGroups::groupOf(int ped) const {
    for (const auto& [handle, group] : groups_)
        if (group.leader == ped ||
            std::find(group.followers.begin(), group.followers.end(), ped) != group.followers.end())
            return handle;
    return 0;
}

drovil::Vector3 PedGroups::placeInFormation(const World& world, int group, int follower) const {
    const PedGroup* found = find(group);
    const EntityRecord* leader = found ? world.entities.find(found->leader) : nullptr;
    if (!leader)
        return drovil::Vector3();
    const auto at = std::find(found->followers.begin(), found->followers.end(), follower);
    const int index = static_cast<int>(at - found->followers.begin());
    const int count = std::max<int>(1, static_cast<int>(found->followers.size()));
    const drovil::Vector3 ahead = forwardOf(leader->heading);
    const drovil::Vector3 right(ahead.y, -ahead.x, 0.0f);
    float side = 0.0f, back = 0.0f;
    switch (found->formation) {
    case 1:
    case 2: {
        const float angle = 2.0f * pi * static_cast<float>(index) / static_cast<float>(count);
        const float radius = found->formation == 1 ? 3.0f : 4.5f;
        side = radius * std::cos(angle);
        back = radius * std::sin(angle);
        break;
    }
    case 3: // a line through the leader, alternating sides
        side = 2.0f * static_cast<float>(index / 2 + 1) * (index % 2 == 0 ? 1.0f : -1.0f);
        break;
    default: // two files behind the leader
        side = index % 2 == 0 ? 1.5f : -1.5f;
        back = 2.0f * static_cast<float>(index / 2 + 1);
        break;
    }
    return drovil::Vector3(leader->position.x + side * right.x - back * ahead.x,
                           leader->position.y + side * right.y - back * ahead.y, leader->position.z);
}

void PedGroups::step(World& world) {
    const float metres = metresPerSecond(1.0f) * static_cast<float>(world.clock.frameMs) / 1000.0f;
    for (const auto& [handle, group] : groups_) {
        if (group.leader == 0 || Combat::isDown(world, group.leader))
            continue;
        for (int follower : group.followers) {
            bool& catchingUp = catchingUp_[follower];
            if (Combat::isDown(world, follower) || Combat::inCombat(world, follower) ||
                world.fleeing.isFleeing(follower, world.clock.elapsedMs) || world.tasks.busy(follower)) {
                catchingUp = false;
                continue;
            }
            EntityRecord& record = *world.entities.find(follower);
            const drovil::Vector3 place = placeInFormation(world, handle, follower);
            const float distance = flatDistance(record.position, place);
            if (!catchingUp && distance <= keepUpDistance)
                continue;
            catchingUp = !moveTowards(record.position, record.heading, place, metres, closeEnough);
        }
    }
}

} // namespace sim
