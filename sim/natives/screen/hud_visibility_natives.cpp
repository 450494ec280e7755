// The game's own HUD, hidden by a script for one frame at a time.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;

void implementHudVisibilityNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::hud::hideHudThisFrame>([&world]() { world.hud.gameHudHidden = true; });
}

} // namespace sim
