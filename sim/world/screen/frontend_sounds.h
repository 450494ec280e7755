#pragma once
// Frontend sounds the scripts played (menu clicks and the like), in order.
#include "world/core/kept_records.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace sim {

struct FrontendSound {
    std::uint64_t frame = 0;
    std::string sound;
    std::string soundSet;
};

struct FrontendSounds {
    // The latest keptPlayed, oldest first (every menu opened plays some), in
    // slots sized for a sound's and a sound set's name.
    static constexpr std::size_t keptPlayed = 256;
    KeptRecords<FrontendSound> played{keptPlayed, [](FrontendSound& slot) {
        slot.sound.reserve(48);
        slot.soundSet.reserve(48);
    }};
    int stopped = 0; // calls that stopped a sound by name

    // How many of the kept ones played `sound`.
    int count(const std::string& sound) const {
        int n = 0;
        for (const FrontendSound& played : played)
            n += played.sound == sound ? 1 : 0;
        return n;
    }
};

} // namespace sim
