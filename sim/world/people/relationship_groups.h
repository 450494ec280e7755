#pragma once
// Relationship groups: how peds stand towards one another. Every ped belongs to
// one, by what it is (the player's own, the civilians' by sex, the lawmen's)
// unless the world has put it in another (a lawman, a gang). Ped groups, the
// leader-and-followers kind, are a different thing (world/people/ped_groups.h).
#include <cstdint>
#include <map>

namespace sim {

struct World;

class RelationshipGroups {
public:
    static std::uint32_t player();
    static std::uint32_t civilianMen();
    static std::uint32_t civilianWomen();
    static std::uint32_t lawmen();

    void place(int ped, std::uint32_t group) { groupOfPed_[ped] = group; }
    // The ped's group: the one it was put in, else the one of its kind.
    std::uint32_t groupOf(const World& world, int ped) const;
    void forget(int ped) { groupOfPed_.erase(ped); }

private:
    std::map<int, std::uint32_t> groupOfPed_;
};

} // namespace sim
