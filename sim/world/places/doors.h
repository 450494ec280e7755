#pragma once
// The game's door system: doors known by hash, each locked or not.
#include <map>

namespace sim {

struct Doors {
    // Door hash -> locked; a door never set is absent (the game's own default).
    std::map<int, bool> locked;
    int lockStateCalls = 0;

    bool isLocked(int doorHash) const {
        auto found = locked.find(doorHash);
        return found != locked.end() && found->second;
    }
};

} // namespace sim
