#pragma once
// The millisecond timer the game keeps for a script: it counts game time since
// the script last set it. The simulated game runs one script, which has two
// such timers.
#include <cstdint>

namespace sim {

class ScriptTimer {
public:
    int read(std::uint64_t nowMs) const {
        return static_cast<int>(static_cast<std::int64_t>(nowMs) - startMs_);
    }
    void set(std::uint64_t nowMs, int value) { startMs_ = static_cast<std::int64_t>(nowMs) - value; }

private:
    std::int64_t startMs_ = 0;
};

} // namespace sim
