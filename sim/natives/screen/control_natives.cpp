// Game controls: disabled for a frame, read while disabled, enabled again.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementControlNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::control::disable>(
        [&world](int, Hash control, bool) { world.controls.disable(control, world.clock.frame); });
    dispatch.implement<n::control::isDisabledPressed>(
        [&world](int, Hash control) { return world.controls.isHeld(control); });
    dispatch.implement<n::control::enable>(
        [&world](int, Hash control, bool) { world.controls.enable(control); });
}

} // namespace sim
