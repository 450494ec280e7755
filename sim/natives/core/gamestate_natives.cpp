// The pace of the game clock and the game's own story missions.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;

void implementGameStateNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::gamestate::msPerGameMinute>(
        [&world]() { return static_cast<int>(world.clock.msPerGameMinute); });
    dispatch.implement<n::gamestate::randomEventFlag>([&world]() { return world.storyMissionActive; });
}

} // namespace sim
