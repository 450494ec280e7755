// Preparing scene peds: displayed names, Eagle Eye values, weapons, and entities
// handed back to the game.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementPedSetupNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::pedsetup::setPromptName>([&world](Ped ped, const char* name) {
        if (world.entities.exists(ped.id))
            world.scenePeds.of(ped.id).displayedName = name ? name : "";
    });
    dispatch.implement<n::pedsetup::setEagleEyeTint>([&world](Ped ped, int first, int second, int third) {
        if (!world.entities.exists(ped.id))
            return;
        ScenePedState& state = world.scenePeds.of(ped.id);
        state.eagleEyeValues[0] = first, state.eagleEyeValues[1] = second, state.eagleEyeValues[2] = third;
    });
    dispatch.implement<n::pedsetup::hideWeapons>([&world](Ped ped, int mode, bool) {
        if (world.entities.exists(ped.id))
            world.scenePeds.of(ped.id).weaponsReadyMode = mode;
    });
    dispatch.implement<n::pedsetup::removeWeapon>([&world](Ped ped, Hash weapon, bool, Hash) {
        if (!world.entities.exists(ped.id))
            return;
        world.scenePeds.of(ped.id).removedWeapons.push_back(weapon);
        if (const PedCombat* fight = world.combat.find(ped.id); fight && fight->weaponInHand == weapon)
            world.combat.of(ped.id).weaponInHand = 0;
        if (ped.id == world.player.pedId && world.player.currentWeapon == weapon)
            world.player.currentWeapon = gameHash("WEAPON_UNARMED");
    });
    // The entity stays in the world; the game takes it over and clears the handle.
    dispatch.implement<n::pedsetup::releaseEntity>([&world](Entity* entity) {
        if (!entity)
            return;
        if (entity->id != 0 && world.entities.exists(entity->id))
            world.scenePeds.released.push_back(entity->id);
        entity->id = 0;
    });
}

} // namespace sim
