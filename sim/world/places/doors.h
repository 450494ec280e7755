#pragma once
// The game's door system: doors known by hash, each in a state: 0 unlocked,
// 1 locked, 2 locked but breakable, 3 and 4 held open one way or the other.
#include <map>

namespace sim {

struct Doors {
    // Door hash -> state; a door never set is absent (the game's own default).
    std::map<int, int> state;
    int lockStateCalls = 0;

    bool isLocked(int doorHash) const {
        auto found = state.find(doorHash);
        return found != state.end() && (found->second == 1 || found->second == 2);
    }
    bool isHeldOpen(int doorHash) const {
        auto found = state.find(doorHash);
        return found != state.end() && (found->second == 3 || found->second == 4);
    }
};

} // namespace sim
