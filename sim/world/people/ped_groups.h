#pragma once
// The game's ped groups: a leader and at most seven followers (eight peds in
// all), kept in a formation around the leader. A follower with no task of its
// own walks back to its place in the formation once it has fallen behind (the
// group's own behaviour, not a task a script could see). A ped
// is in one group at most: joining another takes it out of the first. Groups
// are handles the game hands out, 0 when it cannot make one more.
#include "runtime/types.h"

#include <cstdint>
#include <map>
#include <vector>

namespace sim {

struct World;

struct PedGroup {
    int handle = 0;
    int formation = 0; // 0 default (behind the leader), 1 and 2 circles about it, 3 a line through it
    int leader = 0;    // 0 until a ped leads it
    std::vector<int> followers;
};

class PedGroups {
public:
    static constexpr int maxPeds = 8;
    static constexpr int maxGroups = 64;
    // A follower this far from its place walks back to it, until this close.
    static constexpr float keepUpDistance = 4.0f;
    static constexpr float closeEnough = 1.0f;

    int create();
    // Ends the group: its members are in no group any more, its handle is free.
    void removeGroup(int group);
    // Groups made and not yet removed.
    int count() const { return static_cast<int>(groups_.size()); }
    bool exists(int group) const { return groups_.count(group) != 0; }
    const PedGroup* find(int group) const;
    void setFormation(int group, int formation);
    // False when the group is unknown or full.
    bool setLeader(int ped, int group);
    bool addFollower(int ped, int group);
    void remove(int ped);
    // The group of the ped, 0 for none.
    int groupOf(int ped) const;
    int size(int group) const;
    // Where the follower should stand, by the leader's position and facing.
    drovil::Vector3 placeInFormation(const World& world, int group, int follower) const;

    // One frame: idle followers keep up with their leader.
    void step(World& world);

private:
    std::map<int, PedGroup> groups_;
    std::map<int, bool> catchingUp_; // follower -> walking back to its place
    int nextHandle_ = 1;
};

} // namespace sim
