#include "runtime/game_clock.h"

#include "runtime/host_api.h"
#include "runtime/natives.h"

#include <cstdint>

namespace drovil {

int gameClockSeconds() {
    // The clock stands still until the script yields: read once per yield.
    static std::uint64_t readAt = ~std::uint64_t{0};
    static int seconds = 0;
    if (readAt != yieldCount()) {
        seconds = natives::misc::secondsSinceBaseYear();
        readAt = yieldCount();
    }
    return seconds;
}

int realSecondsBetween(int then, int now) {
    // Whole real seconds per game minute, then one sixtieth of that per game second.
    const int secondsPerGameMinute = natives::gamestate::msPerGameMinute() / 1000;
    return static_cast<int>(static_cast<float>(now - then) * static_cast<float>(secondsPerGameMinute) *
                            0.016666668f);
}

} // namespace drovil
