// The script's two millisecond timers and the game's timer (ms since the game started).
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementTimerNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::timer::scriptTimer>(
        [&world]() { return world.scriptTimer.read(world.clock.elapsedMs); });
    dispatch.implement<n::timer::setScriptTimer>(
        [&world](int milliseconds) { world.scriptTimer.set(world.clock.elapsedMs, milliseconds); });
    dispatch.implement<n::timer::secondTimer>(
        [&world]() { return world.secondTimer.read(world.clock.elapsedMs); });
    dispatch.implement<n::timer::setSecondTimer>(
        [&world](int milliseconds) { world.secondTimer.set(world.clock.elapsedMs, milliseconds); });
    dispatch.implement<n::timer::clockMs>([&world]() { return static_cast<int>(world.clock.gameTimerMs()); });
}

} // namespace sim
