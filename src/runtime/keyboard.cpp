#include "runtime/keyboard.h"

#include "runtime/host_api.h"

namespace drovil {

void KeyboardState::store(std::uint32_t key, std::uint32_t tick, int isWithAlt, int wasDownBefore, int isUpNow) {
    if (key >= keyCount)
        return;
    Entry& entry = entries_[key];
    entry.tick.store(tick, std::memory_order_relaxed);
    entry.isWithAlt.store(static_cast<std::uint32_t>(isWithAlt), std::memory_order_relaxed);
    entry.wasDownBefore.store(static_cast<std::uint32_t>(wasDownBefore), std::memory_order_relaxed);
    entry.isUpNow.store(static_cast<std::uint32_t>(isUpNow), std::memory_order_relaxed);
}

bool KeyboardState::wasKeyJustReleased(std::uint32_t key, bool exclusive, std::uint32_t now) {
    if (key >= keyCount)
        return false;
    Entry& entry = entries_[key];
    // 32-bit unsigned arithmetic, as the tick count wraps after 49 days.
    const std::uint32_t deadline = entry.tick.load(std::memory_order_relaxed) + releaseWindowMs;
    const bool released = now < deadline && entry.isUpNow.load(std::memory_order_relaxed) != 0;
    if (released && exclusive) {
        entry.tick.store(0, std::memory_order_relaxed);
        entry.isWithAlt.store(0, std::memory_order_relaxed);
        entry.wasDownBefore.store(0, std::memory_order_relaxed);
        entry.isUpNow.store(0, std::memory_order_relaxed);
    }
    return released;
}

bool KeyboardState::wasKeyJustReleased(std::uint32_t key, bool exclusive) {
    return wasKeyJustReleased(key, exclusive, tickCount());
}

KeyboardState& keyboard() {
    static KeyboardState* state = new KeyboardState();
    return *state;
}

} // namespace drovil
