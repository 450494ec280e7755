#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using drovil::Vector3;

void implementZoneNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::zone::zoneAt>(
        [&world](Vector3 position, int kind) { return world.geography.zoneAt(position, kind); });
}

} // namespace sim
