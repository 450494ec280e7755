// Ammunition given to peds: for a weapon, or of an ammo type (of the game's:
// for another, nothing is given).
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementInventoryNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::inventory::addAmmoForWeapon>([&world](Ped ped, Hash weapon, int count, Hash) {
        if (world.names.inGame(NameKind::Weapon, weapon, "to give ammunition for") &&
            world.entities.exists(ped.id) && count > 0)
            world.weapons.of(world, ped.id).ammoForWeapon[weapon] += count;
    });
    dispatch.implement<n::inventory::addAmmoOfType>([&world](Ped ped, Hash ammo, int count, Hash) {
        if (world.names.inGame(NameKind::Ammo, ammo, "given as ammunition") && world.entities.exists(ped.id) &&
            count > 0)
            world.weapons.of(world, ped.id).ammoOfType[ammo] += count;
    });
}

} // namespace sim
