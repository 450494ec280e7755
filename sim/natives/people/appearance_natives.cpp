#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementAppearanceNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::appearance::setRandomOutfit>([&world](Ped ped, bool on) {
        if (world.entities.exists(ped.id))
            world.appearances.of(ped.id).randomOutfit = on;
    });
    dispatch.implement<n::appearance::setOutfitPreset>([&world](Ped ped, int preset, bool) {
        if (world.entities.exists(ped.id))
            world.appearances.of(ped.id).outfitPreset = preset;
    });
    dispatch.implement<n::appearance::applyShopItem>([&world](Ped ped, Hash item, bool, bool, bool) {
        if (world.entities.exists(ped.id))
            world.appearances.of(ped.id).shopItems.push_back(item);
    });
}

} // namespace sim
