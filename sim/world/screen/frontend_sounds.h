#pragma once
// Frontend sounds the scripts played (menu clicks and the like), in order.
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct FrontendSound {
    std::uint64_t frame = 0;
    std::string sound;
    std::string soundSet;
};

struct FrontendSounds {
    std::vector<FrontendSound> played;
    int stopped = 0; // calls that stopped a sound by name

    int count(const std::string& sound) const {
        int n = 0;
        for (const FrontendSound& played : played)
            n += played.sound == sound ? 1 : 0;
        return n;
    }
};

} // namespace sim
