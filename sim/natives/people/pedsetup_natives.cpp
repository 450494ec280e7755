// Preparing scene peds: the name their prompts show, their Eagle Eye tint, their
// weapons, and entities handed back to the game.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementPedSetupNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::pedsetup::setPromptName>([&world](Ped ped, const char* name) {
        if (world.entities.exists(ped.id))
            world.scenePeds.of(ped.id).promptName = name ? name : "";
    });
    dispatch.implement<n::pedsetup::setEagleEyeTint>([&world](Ped ped, int red, int green, int blue) {
        if (!world.entities.exists(ped.id))
            return;
        ScenePedState& state = world.scenePeds.of(ped.id);
        state.eagleEyeTint[0] = red, state.eagleEyeTint[1] = green, state.eagleEyeTint[2] = blue;
    });
    // Put away: the ped keeps its weapons but has none selected.
    dispatch.implement<n::pedsetup::hideWeapons>([&world](Ped ped, int, bool) {
        if (world.entities.exists(ped.id))
            world.weapons.hide(world, ped.id);
    });
    dispatch.implement<n::pedsetup::removeWeapon>([&world](Ped ped, Hash weapon, bool, Hash) {
        if (world.entities.exists(ped.id) && world.names.inGame(NameKind::Weapon, weapon, "to take away"))
            world.weapons.remove(world, ped.id, weapon);
    });
    // The entity stays in the world, no longer a mission entity: the game may
    // take it away once the player is far. The handle is cleared.
    // A mission train's engine or car stays the script's, like the rest of the
    // train: the game lets a mission train go only through its own native.
    dispatch.implement<n::pedsetup::releaseEntity>([&world](Entity* entity) {
        if (!entity)
            return;
        EntityRecord* record = world.entities.find(entity->id);
        if (record && world.trains.trainOfCar(entity->id) == 0) {
            record->missionEntity = false;
            world.scenePeds.released.push_back(entity->id);
        }
        entity->id = 0;
    });
}

} // namespace sim
