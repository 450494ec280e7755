#include "runtime/game_clock.h"

#include "runtime/natives.h"

namespace drovil {

int gameClockSeconds() {
    return natives::misc::secondsSinceBaseYear();
}

int realSecondsBetween(int then, int now) {
    // Whole real seconds per game minute, then one sixtieth of that per game second.
    const int secondsPerGameMinute = natives::gamestate::msPerGameMinute() / 1000;
    return static_cast<int>(static_cast<float>(now - then) * static_cast<float>(secondsPerGameMinute) *
                            0.016666668f);
}

} // namespace drovil
