#pragma once
// Game controls by control hash: which the player holds down, and which a
// script disabled in which frame (a disabled control does nothing in the game
// for that frame, but scripts can still read it as disabled-and-pressed).
#include "world/core/kept_records.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>

namespace sim {

class Controls {
public:
    void hold(std::uint32_t control) { held_.insert(control); }
    void release(std::uint32_t control) { held_.erase(control); }
    bool isHeld(std::uint32_t control) const { return held_.count(control) != 0; }

    void disable(std::uint32_t control, std::uint64_t frame) { disabledInFrame_[control] = frame; }
    bool disabledIn(std::uint32_t control, std::uint64_t frame) const {
        auto it = disabledInFrame_.find(control);
        return it != disabledInFrame_.end() && it->second == frame;
    }
    void enable(std::uint32_t control) {
        disabledInFrame_.erase(control);
        enabled_.push_back(control);
    }
    // The controls a script enabled again, in order: the latest keptEnabled.
    const KeptRecords<std::uint32_t>& enabledCalls() const { return enabled_; }
    static constexpr std::size_t keptEnabled = 64;

private:
    std::set<std::uint32_t> held_;
    std::map<std::uint32_t, std::uint64_t> disabledInFrame_;
    KeptRecords<std::uint32_t> enabled_{keptEnabled};
};

} // namespace sim
