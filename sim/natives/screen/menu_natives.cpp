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
        return world.names.inGame(NameKind::Control, control, "read") && world.prompts.controlWentDown(control) &&
               !world.controls.disabledIn(control, world.clock.frame);
    });
    dispatch.implement<n::control::isDisabledJustPressed>([&world](int, Hash control) {
        return world.names.inGame(NameKind::Control, control, "read") && world.prompts.controlWentDown(control);
    });
    dispatch.implement<n::scenario::pointTypeInUse>(
        [&world](Ped ped) { return Hash{ScenarioPoints::typeUsedBy(world, ped.id)}; });
    dispatch.implement<n::prompt::setActiveGroupThisFrame>(
        [&world](Hash group, const char* title, int, int, int, PromptHandle) {
            world.prompts.activateGroup(group, GameStrings::read(title));
        });
    // A sound of a set the game does not have plays nothing.
    dispatch.implement<n::audio::stopSoundWithName>([&world](const char*, const char*) { ++world.sounds.stopped; });
    dispatch.implement<n::audio::playSoundFrontend>(
        [&world](const char* sound, const char* soundSet, bool, int) {
            const std::string set = GameStrings::read(soundSet);
            const std::string name = GameStrings::read(sound);
            if (!world.names.inGame(NameKind::SoundSet, set, "as a frontend sound set") ||
                !world.names.inGame(NameKind::Sound, set + "/" + name, "played as a frontend sound"))
                return;
            world.sounds.played.push_back({world.clock.frame, name, set});
        });
}

} // namespace sim
