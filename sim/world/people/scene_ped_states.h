#pragma once
// What scripts did to prepare peds for a scene: the name their prompts show,
// whether Eagle Eye tracks them and its tint, and whether the script handed
// them back to the game.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace sim {

struct ScenePedState {
    std::string promptName;
    bool eagleEyeTracked = false;
    int eagleEyeTint[3] = {-1, -1, -1}; // red, green, blue; -1 when never set
};

struct ScenePedStates {
    std::map<int, ScenePedState> peds;
    // Entities a script released to the game (in release order).
    std::vector<int> released;

    ScenePedState& of(int ped) { return peds[ped]; }
    const ScenePedState* find(int ped) const {
        auto it = peds.find(ped);
        return it == peds.end() ? nullptr : &it->second;
    }
    // The entity is gone from the world: a scene no longer holds it.
    void forget(int entity) {
        peds.erase(entity);
        std::erase(released, entity);
    }
    bool wasReleased(int entity) const {
        for (int id : released)
            if (id == entity)
                return true;
        return false;
    }
};

} // namespace sim
