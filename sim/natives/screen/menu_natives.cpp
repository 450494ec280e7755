// What a menu drawn by a script needs of the game: presses of the controls in
// the frame they happen, the seat the player sits on, the active prompt group
// with its title, and frontend sounds.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

void implementMenuNatives(NativeDispatch& dispatch, World& world) {
    // A control a script disabled this frame does not count as pressed for the
    // plain query; the disabled-control query reports it either way.
    dispatch.implement<n::control::isJustPressed>([&world](int, Hash control) {
        return world.prompts.controlWentDown(control) && !world.controls.disabledIn(control, world.clock.frame);
    });
    dispatch.implement<n::control::isDisabledJustPressed>(
        [&world](int, Hash control) { return world.prompts.controlWentDown(control); });
    dispatch.implement<n::scenario::pointTypeInUse>(
        [&world](Ped ped) { return Hash{ScenarioPoints::typeUsedBy(world, ped.id)}; });
    dispatch.implement<n::prompt::setActiveGroupThisFrame>(
        [&world](Hash group, const char* title, int, int, int, PromptHandle) {
            world.prompts.activateGroup(group, GameStrings::read(title));
        });
    dispatch.implement<n::audio::stopSoundWithName>([&world](const char*, const char*) { ++world.sounds.stopped; });
    dispatch.implement<n::audio::playSoundFrontend>(
        [&world](const char* sound, const char* soundSet, bool, int) {
            world.sounds.played.push_back({world.clock.frame, GameStrings::read(sound), GameStrings::read(soundSet)});
        });
}

} // namespace sim
