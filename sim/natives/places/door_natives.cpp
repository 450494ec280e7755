#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementDoorNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::door::setLockState>([&world](int doorHash, int locked) {
        world.doors.locked[doorHash] = locked != 0;
        ++world.doors.lockStateCalls;
    });
}

} // namespace sim
