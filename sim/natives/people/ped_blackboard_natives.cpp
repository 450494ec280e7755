// Named flags on a ped's blackboard (the game's animations and prompts read them).
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementPedBlackboardNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::ped::setBlackboardBool>([&world](Ped ped, const char* name, bool value, int) {
        if (EntityRecord* record = world.entities.find(ped.id); record && name)
            record->blackboard[name] = value;
    });
}

} // namespace sim
