// The door system: doors by hash and their state.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementDoorNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::door::setLockState>([&world](int doorHash, int state) {
        world.doors.state[doorHash] = state;
        ++world.doors.lockStateCalls;
    });
}

} // namespace sim
