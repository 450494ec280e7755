#pragma once
// Relationship groups: the groups scripts create, their settings and the group
// each ped belongs to. A ped never put in a group is in the game's civilian group.
#include <cstdint>
#include <map>

namespace sim {

class RelationshipGroups {
public:
    // The group of a ped that no script has placed.
    static std::uint32_t civilianGroup();

    std::uint32_t create();
    bool exists(std::uint32_t group) const { return settings_.count(group) != 0; }
    void setSetting(std::uint32_t group, int setting) { settings_[group] = setting; }
    int settingOf(std::uint32_t group) const;

    void place(int ped, std::uint32_t group) { groupOfPed_[ped] = group; }
    std::uint32_t groupOf(int ped) const;
    void forget(int ped) { groupOfPed_.erase(ped); }

private:
    int created_ = 0;
    std::map<std::uint32_t, int> settings_; // group -> setting (0 until set)
    std::map<int, std::uint32_t> groupOfPed_;
};

} // namespace sim
