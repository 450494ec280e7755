// The pace of the game clock, the game's mission and random event flags, and
// the language the game is set to.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;

void implementGameStateNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::gamestate::msPerGameMinute>(
        [&world]() { return static_cast<int>(world.clock.msPerGameMinute); });
    dispatch.implement<n::gamestate::setMissionFlag>([&world](bool on) {
        world.missionFlag = on;
        ++world.missionFlagSets;
    });
    dispatch.implement<n::gamestate::missionFlag>([&world]() { return world.missionFlag; });
    dispatch.implement<n::gamestate::randomEventFlag>([&world]() { return world.randomEventFlag; });
    dispatch.implement<n::localization::currentLanguage>([&world]() { return world.language; });
}

} // namespace sim
