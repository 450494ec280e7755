#pragma once
// A button prompt of the game, bound to one control. Its owner creates it (with
// `new` or `createPrompt`), shows and hides it as its own state changes, polls
// `isActivated` once a frame, and calls `destroy` before deleting it.
#include "runtime/types.h"

#include <cstdint>
#include <string>

namespace drovil {

// How the game completes a prompt. Only Press and Hold are created by Drovil;
// the other modes are the game's and are kept for completeness.
enum class PromptType : std::int32_t {
    Press = 0,          // completes on a press
    HoldContinuous = 1, // a hold, reported on every frame while it stays completed
    Hold = 2,           // a hold, reported once per completed hold
    Mode3 = 3,
    Mode4 = 4,
    Mode5 = 5,
};

class Prompt {
public:
    // Defines the prompt in the game: `text` is shown beside the button of the
    // control named `controlName` (such as "INPUT_CONTEXT_B"). A new prompt is
    // hidden until it is made visible.
    Prompt(const std::string& text, const char* controlName, PromptType type = PromptType::Press);
    // Deleting a prompt that was not destroyed removes it from the game first.
    ~Prompt();
    Prompt(const Prompt&) = delete;
    Prompt& operator=(const Prompt&) = delete;

    void setVisible(bool visible);
    void setEnabled(bool enabled);
    // True when the player completed the prompt this frame; always false while
    // it is hidden or disabled. A Hold prompt reports each completed hold once,
    // however long the button then stays held.
    bool isActivated();
    // Puts the prompt into a prompt group (0 takes it out of any group).
    void setGroup(Hash groupHash);
    // Puts the prompt into the entity's own prompt group, so it shows with that
    // entity; entity 0 takes it out of any group.
    void attachToEntity(Entity entity);
    // The game's integer option of the prompt (the threaten and lure prompts set 3).
    void setOption(int value);
    // Removes the prompt from the game; afterwards it is never activated.
    void destroy();

    PromptHandle handle() const { return handle_; }
    bool isEnabled() const { return enabled_; }
    bool isVisible() const { return visible_; }
    const std::string& text() const { return text_; }
    Hash control() const { return control_; }
    Entity tag() const { return tag_; }
    PromptType type() const { return type_; }
    bool isDestroyed() const { return destroyed_; }

private:
    void apply();

    PromptHandle handle_;
    bool enabled_ = true;
    bool visible_ = false;
    // What the game was last told, so that a state set again every frame
    // costs no call.
    bool shownEnabled_ = false;
    bool shownVisible_ = false;
    bool shown_ = false;
    // A copy, so the game string stays valid however the caller's text lives.
    std::string text_;
    Hash control_ = 0;
    Entity tag_;
    PromptType type_ = PromptType::Press;
    // Set while the game reports a completed hold already counted once.
    bool latched_ = false;
    bool destroyed_ = false;
};

// A new prompt on the heap, owned by the caller.
Prompt* createPrompt(const std::string& text, const char* controlName, PromptType type = PromptType::Press);

} // namespace drovil
