#pragma once
// The keyboard state table: the last message of each virtual key, written by the
// host's keyboard handler on its own thread and read by the script thread. Each
// field is a relaxed atomic: a reader that catches an entry mid-update at worst
// misses or repeats one key release.
#include <atomic>
#include <cstdint>

namespace drovil {

class KeyboardState {
public:
    static constexpr std::uint32_t keyCount = 255;
    static constexpr std::uint32_t releaseWindowMs = 100;

    void store(std::uint32_t key, std::uint32_t tick, int isWithAlt, int wasDownBefore, int isUpNow);
    // True when `key` was released within the last 100 ms; `exclusive` consumes it.
    bool wasKeyJustReleased(std::uint32_t key, bool exclusive, std::uint32_t now);
    bool wasKeyJustReleased(std::uint32_t key, bool exclusive);

private:
    struct Entry {
        std::atomic<std::uint32_t> tick{0};
        std::atomic<std::uint32_t> isWithAlt{0};
        std::atomic<std::uint32_t> wasDownBefore{0};
        std::atomic<std::uint32_t> isUpNow{0};
    };
    Entry entries_[keyCount];
};

KeyboardState& keyboard();
inline bool wasKeyJustReleased(std::uint32_t key, bool exclusive) {
    return keyboard().wasKeyJustReleased(key, exclusive);
}

} // namespace drovil
