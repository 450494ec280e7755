// Animation dictionaries and the animation task.
#include "natives/families.h"

#include <string>

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
std::string text(const char* value) {
    return value ? value : "";
}
} // namespace

void implementAnimationNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::animation::requestDictionary>([&world](const char* dictionary) {
        world.names.inGame(NameKind::AnimDictionary, text(dictionary), "asked to load");
        world.animations.request(text(dictionary), world.clock.frame);
    });
    dispatch.implement<n::animation::dictionaryLoaded>([&world](const char* dictionary) {
        return world.animations.isLoaded(text(dictionary), world.clock.frame);
    });
    // The ped stands still while the clip plays: as long as asked, or the whole
    // clip for a negative duration.
    dispatch.implement<n::animation::playTask>([&world](Ped ped, const char* dictionary, const char* clip,
                                                        float, float, int durationMs, int, float, bool, int,
                                                        bool, const char*, bool) {
        if (ped.id != 0 && !world.entities.exists(ped.id))
            return;
        if (ped.id == 0 && !world.tasks.sequenceOpen())
            return;
        AnimationPlayed played;
        played.ped = ped.id;
        played.dictionary = text(dictionary);
        played.clip = text(clip);
        played.dictionaryLoaded = world.animations.isLoaded(played.dictionary, world.clock.frame);
        played.clipInGame = world.names.inGame(NameKind::AnimClip, played.clip, "played as an animation");
        played.frame = world.clock.frame;
        world.animations.record(played);
        TaskStep step;
        step.kind = TaskKind::Pause;
        step.scriptTask = gameHash("SCRIPT_TASK_PLAY_ANIM");
        step.durationMs = !played.clipInGame ? 0 : durationMs < 0 ? world.animations.clipMs : durationMs;
        world.tasks.give(ped.id, step, world.clock.elapsedMs);
    });
}

} // namespace sim
