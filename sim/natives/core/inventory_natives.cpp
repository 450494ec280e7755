// Ammunition given to peds: for a weapon, or of an ammo type.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementInventoryNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::inventory::addAmmoForWeapon>([&world](Ped ped, Hash weapon, int count, Hash) {
        if (world.entities.exists(ped.id) && count > 0)
            world.weapons.of(world, ped.id).ammoForWeapon[weapon] += count;
    });
    dispatch.implement<n::inventory::addAmmoOfType>([&world](Ped ped, Hash ammo, int count, Hash) {
        if (world.entities.exists(ped.id) && count > 0)
            world.weapons.of(world, ped.id).ammoOfType[ammo] += count;
    });
}

} // namespace sim
