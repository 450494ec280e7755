// Ped configuration: config flags, blocking non-temporary events, the weapon a
// ped has selected.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementPedNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::ped::setConfigFlag>([&world](Ped ped, int flag, bool value) {
        if (EntityRecord* record = world.entities.find(ped.id))
            record->configFlags[flag] = value;
    });
    dispatch.implement<n::ped::blockNonTemporaryEvents>([&world](Ped ped, bool on) {
        if (EntityRecord* record = world.entities.find(ped.id))
            record->blocksNonTemporaryEvents = on;
    });
    // Every ped answers by what it has selected; false for no such ped.
    dispatch.implement<n::ped::currentWeapon>([&world](Ped ped, Hash* out, bool, int, bool) {
        const bool exists = world.entities.exists(ped.id);
        const Hash weapon = exists ? world.weapons.current(world, ped.id) : Weapons::unarmed();
        if (out)
            *out = weapon;
        return exists;
    });
}

} // namespace sim
