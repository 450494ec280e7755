// Game controls: disabled for a frame, read while disabled, enabled again.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

// A control the game does not have is never pressed, and disabling or enabling
// it changes nothing.
void implementControlNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::control::disable>([&world](int, Hash control, bool) {
        if (world.names.inGame(NameKind::Control, control, "disabled"))
            world.controls.disable(control, world.clock.frame);
    });
    dispatch.implement<n::control::isDisabledPressed>([&world](int, Hash control) {
        return world.names.inGame(NameKind::Control, control, "read") && world.controls.isHeld(control);
    });
    dispatch.implement<n::control::enable>([&world](int, Hash control, bool) {
        if (world.names.inGame(NameKind::Control, control, "enabled"))
            world.controls.enable(control);
    });
}

} // namespace sim
