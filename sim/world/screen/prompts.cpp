#include "world/screen/prompts.h"

#include "world/core/strings.h"

namespace sim {

namespace {
const char* const knownControls[] = {
    "INPUT_FRONTEND_LB",     "INPUT_CONTEXT_B",         "INPUT_FRONTEND_ACCEPT", "INPUT_FRONTEND_DELETE",
    "INPUT_CONTEXT_Y",       "INPUT_CONTEXT_X",         "INPUT_NEXT_CAMERA",     "INPUT_CONTEXT_A",
    "INPUT_FRONTEND_CANCEL", "INPUT_OPEN_SATCHEL_MENU", "INPUT_FRONTEND_DOWN",   "INPUT_FRONTEND_UP",
    "INPUT_INSPECT_OPEN_SATCHEL", "INPUT_INTERACT_OPTION1",
};
} // namespace

std::string controlNameOf(std::uint32_t control) {
    for (const char* name : knownControls)
        if (gameHash(name) == control)
            return name;
    return std::string();
}

int Prompts::create(std::uint64_t frame) {
    const int handle = nextHandle_++;
    PromptRecord& record = records_[handle];
    record.handle = handle;
    record.createdFrame = frame;
    return handle;
}

PromptRecord* Prompts::find(int handle) {
    auto found = records_.find(handle);
    return found == records_.end() ? nullptr : &found->second;
}

const PromptRecord* Prompts::find(int handle) const {
    auto found = records_.find(handle);
    return found == records_.end() ? nullptr : &found->second;
}

void Prompts::destroy(int handle) {
    PromptRecord* record = find(handle);
    if (!record || record->destroyed) {
        misuse("destroy", handle);
        return;
    }
    record->destroyed = true;
    // A destroyed prompt is kept a while for checks after the fact, then
    // forgotten: scripts destroy thousands in hours of play.
    destroyedOrder_.push_back(handle);
    if (destroyedOrder_.size() > keptDestroyed) {
        records_.erase(destroyedOrder_.front());
        destroyedOrder_.pop_front();
    }
}

namespace {
std::uint32_t groupHashOf(int entityId) {
    const std::uint32_t group = gameHash("entity_prompt_group_" + std::to_string(entityId));
    return group == 0 ? 1 : group;
}
} // namespace

std::uint32_t Prompts::entityGroup(int entityId) {
    if (entityId == 0)
        return 0;
    const std::uint32_t group = groupHashOf(entityId);
    entityGroups_[group] = entityId;
    return group;
}

void Prompts::forgetEntity(int entityId) {
    const auto found = entityGroups_.find(groupHashOf(entityId));
    if (found != entityGroups_.end() && found->second == entityId)
        entityGroups_.erase(found);
}

void Prompts::misuse(const std::string& what, int handle) {
    problems_.push_back(what + " on prompt " + std::to_string(handle) + " which " +
                        (find(handle) ? "was destroyed" : "does not exist"));
}

bool Prompts::pressCompleted(int handle) const {
    const PromptRecord* record = find(handle);
    return record && record->pressedFrame != 0 && record->pressedFrame == frame_;
}

bool Prompts::holdCompleted(int handle) const {
    const PromptRecord* record = find(handle);
    return record && record->holdCompleted;
}

bool Prompts::mashCompleted(int handle) const {
    const PromptRecord* record = find(handle);
    return record && record->mashCompleted;
}

int holdTimeOfType(std::uint32_t holdType) {
    if (holdType == gameHash("SHORT_TIMED_EVENT") || holdType == gameHash("SHORT_TIMED_EVENT_MP"))
        return 500;
    if (holdType == gameHash("LONG_TIMED_EVENT"))
        return 2000;
    return 1000;
}

void Prompts::step(std::uint64_t frame, int frameMs, const Controls& controls) {
    frame_ = frame;
    pressedNow_ = pressedPending_;
    pressedPending_.clear();
    std::set<std::uint32_t> heldNow = held_;
    for (const auto& [handle, record] : records_)
        if (controls.isHeld(record.control))
            heldNow.insert(record.control);
    wentDown_ = pressedNow_;
    for (std::uint32_t control : heldNow)
        if (heldLastFrame_.count(control) == 0)
            wentDown_.insert(control);
    // The player reacted to what the last frame showed: its active group.
    const std::uint32_t shownGroup = activeGroup_;
    activeGroup_ = 0;
    activeTitle_.clear();
    for (auto& [handle, record] : records_) {
        if (!record.active() || !groupShows(record, shownGroup)) {
            record.heldMs = 0;
            record.holdCompleted = false;
            continue;
        }
        const bool tapped = pressedNow_.count(record.control) != 0;
        const bool held = heldNow.count(record.control) != 0;
        const bool wasHeld = heldLastFrame_.count(record.control) != 0;
        switch (record.mode) {
        case PromptMode::Standard: {
            const bool wentDown = tapped || (held && !wasHeld);
            const bool cameUp = tapped || (!held && wasHeld);
            if (record.releaseMode ? cameUp : wentDown)
                record.pressedFrame = frame;
            break;
        }
        case PromptMode::Hold:
        case PromptMode::StandardizedHold:
            // A tap holds the button down for the frame.
            if (!held && !tapped) {
                record.heldMs = 0;
                record.holdCompleted = false;
                break;
            }
            record.heldMs += frameMs;
            if (!record.holdCompleted && record.heldMs >= record.holdTimeMs) {
                record.holdCompleted = true;
                ++record.holdCompletions;
            }
            if (!held) // the tap is over: the button is up again
                record.heldMs = 0;
            break;
        case PromptMode::MashManual:
            if (tapped || (held && !wasHeld))
                record.mashProgress += record.mashFill;
            if (record.mashProgress >= 1.0f)
                record.mashCompleted = true;
            break;
        case PromptMode::None:
            break;
        }
    }
    heldLastFrame_ = heldNow;
}

bool Prompts::press(int handle) {
    const PromptRecord* record = find(handle);
    if (!record)
        return false;
    pressControl(record->control);
    return record->active() && groupShows(*record);
}

void Prompts::pressControl(std::uint32_t control) {
    pressedPending_.insert(control);
}
void Prompts::pressControl(const std::string& controlName) {
    pressControl(gameHash(controlName));
}

bool Prompts::startHold(int handle) {
    const PromptRecord* record = find(handle);
    if (!record)
        return false;
    startHoldControl(record->control);
    return record->active() && groupShows(*record);
}

void Prompts::startHoldControl(std::uint32_t control) {
    held_.insert(control);
}
void Prompts::startHoldControl(const std::string& controlName) {
    startHoldControl(gameHash(controlName));
}

void Prompts::releaseHold(int handle) {
    if (const PromptRecord* record = find(handle))
        releaseHoldControl(record->control);
}

void Prompts::releaseHoldControl(std::uint32_t control) {
    held_.erase(control);
}
void Prompts::releaseAll() {
    held_.clear();
}

std::vector<const PromptRecord*> Prompts::visible() const {
    std::vector<const PromptRecord*> shown;
    for (const auto& [handle, record] : records_)
        if (record.shown() && groupShows(record))
            shown.push_back(&record);
    return shown;
}

const PromptRecord* Prompts::findVisible(const std::string& text) const {
    for (const PromptRecord* record : visible())
        if (record->text == text)
            return record;
    return nullptr;
}

std::vector<const PromptRecord*> Prompts::withText(const std::string& text) const {
    std::vector<const PromptRecord*> found;
    for (const auto& [handle, record] : records_)
        if (record.text == text)
            found.push_back(&record);
    return found;
}

std::vector<const PromptRecord*> Prompts::notDestroyed() const {
    std::vector<const PromptRecord*> alive;
    for (const auto& [handle, record] : records_)
        if (!record.destroyed)
            alive.push_back(&record);
    return alive;
}

} // namespace sim
