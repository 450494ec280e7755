#include "ui/prompt.h"

#include "runtime/natives.h"
#include "ui/text.h"

namespace drovil {
namespace {
// Prompt attribute 18 is switched on for every prompt; its meaning is the game's.
constexpr int promptAttribute = 18;
// The game's hold mode takes the time the button must be held, in ms: a hold
// prompt is held for a second, as the game's own medium holds are, so that it
// asks for a hold and a tap does not do (collecting the rewards, for one).
constexpr int holdTimeMs = 1000;

void setMode(PromptHandle handle, PromptType type) {
    switch (type) {
    case PromptType::Press:
        natives::prompt::setStandardMode(handle, true);
        break;
    case PromptType::HoldContinuous:
    case PromptType::Hold:
        natives::prompt::setHoldMode(handle, holdTimeMs);
        break;
    case PromptType::Mode3:
    case PromptType::Mode5:
        natives::prompt::setStandardizedHoldMode(handle, 1);
        break;
    case PromptType::Mode4:
        // The game reads the mash settings as floats: each press fills it whole.
        natives::prompt::setMashManualMode(handle, 1.0f, 0.0f, 0.0f, 0);
        break;
    }
}
} // namespace

Prompt::Prompt(const std::string& text, const char* controlName, PromptType type) : text_(text), type_(type) {
    handle_ = natives::prompt::begin();
    control_ = getHashKey(controlName);
    natives::prompt::setControl(handle_, control_);
    natives::prompt::setText(handle_, natives::hud::literalString(10, "LITERAL_STRING", text_.c_str()));
    tag_ = Entity();
    natives::prompt::setGroup(handle_, 0, 0);
    setMode(handle_, type_);
    natives::prompt::setAttribute(handle_, promptAttribute, true);
    natives::prompt::end(handle_);
    latched_ = false;
    enabled_ = true;
    visible_ = false;
    apply();
}

Prompt::~Prompt() {
    destroy();
}

void Prompt::apply() {
    if (destroyed_)
        return;
    // The game keeps a hidden prompt disabled, so it cannot complete unseen.
    const bool enabled = visible_ ? enabled_ : false;
    if (shown_ && shownEnabled_ == enabled && shownVisible_ == visible_)
        return;
    natives::prompt::setEnabled(handle_, enabled);
    natives::prompt::setVisible(handle_, visible_);
    shownEnabled_ = enabled;
    shownVisible_ = visible_;
    shown_ = true;
}

void Prompt::setVisible(bool visible) {
    visible_ = visible;
    apply();
}

void Prompt::setEnabled(bool enabled) {
    enabled_ = enabled;
    apply();
}

bool Prompt::isActivated() {
    if (destroyed_ || !enabled_ || !visible_)
        return false;
    switch (type_) {
    case PromptType::Press:
        return natives::prompt::pressCompleted(handle_, 0);
    case PromptType::HoldContinuous:
        return natives::prompt::holdCompleted(handle_);
    case PromptType::Mode4:
        return natives::prompt::mashModeCompleted(handle_);
    case PromptType::Hold:
    case PromptType::Mode3:
    case PromptType::Mode5:
        break;
    }
    if (natives::prompt::holdCompleted(handle_)) {
        // The game keeps reporting a completed hold until the button is let go;
        // count it once.
        const bool first = !latched_;
        latched_ = true;
        return first;
    }
    latched_ = false;
    return natives::prompt::mashModeCompleted(handle_);
}

void Prompt::setGroup(Hash groupHash) {
    if (!destroyed_)
        natives::prompt::setGroup(handle_, groupHash, 0);
}

void Prompt::attachToEntity(Entity entity) {
    tag_ = entity;
    if (destroyed_)
        return;
    if (!entity) {
        natives::prompt::setGroup(handle_, 0, 0);
        return;
    }
    const Hash group = natives::prompt::entityGroup(entity);
    if (group != 0)
        natives::prompt::setGroup(handle_, group, 0);
}

void Prompt::setOption(int value) {
    if (!destroyed_)
        natives::prompt::setPriority(handle_, value);
}

void Prompt::destroy() {
    if (destroyed_)
        return;
    natives::prompt::destroy(handle_);
    destroyed_ = true;
}

Prompt* createPrompt(const std::string& text, const char* controlName, PromptType type) {
    return new Prompt(text, controlName, type);
}

} // namespace drovil
