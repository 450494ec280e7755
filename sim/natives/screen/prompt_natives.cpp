// Button prompts: their definition, modes, groups, state and completion.
#include "natives/families.h"

#include <cstdint>

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
// A prompt a native may change, or nullptr (noted as a problem) when the
// handle is unknown or destroyed.
PromptRecord* livePrompt(World& world, const char* what, PromptHandle handle) {
    PromptRecord* record = world.prompts.find(handle.id);
    if (!record || record->destroyed) {
        world.prompts.misuse(what, handle.id);
        return nullptr;
    }
    return record;
}

PromptRecord* setMode(World& world, PromptHandle handle, PromptMode mode) {
    PromptRecord* record = livePrompt(world, "set mode", handle);
    if (record)
        record->mode = mode;
    return record;
}
} // namespace

void implementPromptNatives(NativeDispatch& dispatch, World& world) {
    dispatch.implement<n::prompt::begin>(
        [&world]() { return PromptHandle(world.prompts.create(world.clock.frame)); });
    // A control the game does not have binds no button: nothing completes the prompt.
    dispatch.implement<n::prompt::setControl>([&world](PromptHandle handle, Hash control) {
        if (PromptRecord* record = livePrompt(world, "set control", handle)) {
            record->control = world.names.inGame(NameKind::Control, control, "as a prompt's control") ? control : 0;
            record->controlName = controlNameOf(control);
        }
    });
    dispatch.implement<n::prompt::setText>([&world](PromptHandle handle, const char* gameString) {
        if (PromptRecord* record = livePrompt(world, "set text", handle))
            record->text = GameStrings::read(gameString);
    });
    dispatch.implement<n::prompt::setGroup>([&world](PromptHandle handle, Hash group, int) {
        if (PromptRecord* record = livePrompt(world, "set group", handle)) {
            record->group = group;
            record->groupEntity = world.prompts.entityOfGroup(group);
        }
    });
    dispatch.implement<n::prompt::setStandardMode>([&world](PromptHandle handle, bool releaseMode) {
        if (PromptRecord* record = setMode(world, handle, PromptMode::Standard))
            record->releaseMode = releaseMode;
    });
    dispatch.implement<n::prompt::setHoldMode>([&world](PromptHandle handle, int holdTimeMs) {
        if (PromptRecord* record = setMode(world, handle, PromptMode::Hold))
            record->holdTimeMs = holdTimeMs;
    });
    dispatch.implement<n::prompt::setStandardizedHoldMode>([&world](PromptHandle handle, Hash holdType) {
        if (PromptRecord* record = setMode(world, handle, PromptMode::StandardizedHold)) {
            record->holdType = holdType;
            record->holdTimeMs = holdTimeOfType(holdType);
        }
    });
    // The game reads its first three settings as floats; the first is what one
    // press fills.
    dispatch.implement<n::prompt::setMashManualMode>([&world](PromptHandle handle, float fillPerPress, float, float,
                                                             int) {
        if (PromptRecord* record = setMode(world, handle, PromptMode::MashManual)) {
            record->mashFill = fillPerPress;
            record->mashProgress = 0.0f;
            record->mashCompleted = false;
        }
    });
    dispatch.implement<n::prompt::setAttribute>([&world](PromptHandle handle, int attribute, bool on) {
        if (PromptRecord* record = livePrompt(world, "set attribute", handle))
            record->attributes[attribute] = on;
    });
    dispatch.implement<n::prompt::end>([&world](PromptHandle handle) {
        if (PromptRecord* record = livePrompt(world, "end definition", handle))
            record->defined = true;
    });
    dispatch.implement<n::prompt::setEnabled>([&world](PromptHandle handle, bool enabled) {
        if (PromptRecord* record = livePrompt(world, "set enabled", handle))
            record->enabled = enabled;
    });
    dispatch.implement<n::prompt::setVisible>([&world](PromptHandle handle, bool visible) {
        if (PromptRecord* record = livePrompt(world, "set visible", handle))
            record->visible = visible;
    });
    dispatch.implement<n::prompt::pressCompleted>(
        [&world](PromptHandle handle, int) { return world.prompts.pressCompleted(handle.id); });
    dispatch.implement<n::prompt::holdCompleted>(
        [&world](PromptHandle handle) { return world.prompts.holdCompleted(handle.id); });
    dispatch.implement<n::prompt::mashModeCompleted>(
        [&world](PromptHandle handle) { return world.prompts.mashCompleted(handle.id); });
    dispatch.implement<n::prompt::entityGroup>([&world](Entity entity) -> Hash {
        if (!world.entities.exists(entity.id))
            return 0;
        return world.prompts.entityGroup(entity.id);
    });
    dispatch.implement<n::prompt::destroy>(
        [&world](PromptHandle handle) { world.prompts.destroy(handle.id); });
    dispatch.implement<n::prompt::setPriority>([&world](PromptHandle handle, int priority) {
        if (PromptRecord* record = livePrompt(world, "set priority", handle))
            record->priorities.push_back(priority);
    });
}

} // namespace sim
