#include "host/sim_host.h"
#include "natives/families.h"

namespace sim {

void implementAllNatives(NativeDispatch& dispatch, World& world) {
    implementMiscNatives(dispatch, world);
    implementPlayerNatives(dispatch, world);
    implementPedNatives(dispatch, world);
    implementEntityNatives(dispatch, world);
    implementDecoratorNatives(dispatch, world);
    implementInventoryNatives(dispatch, world);
    implementHudNatives(dispatch, world);
}

} // namespace sim
