#pragma once
// The game's button prompts and the player's hands on the controls.
//
// Each prompt keeps what the plug-in told the game (text, control, mode, group,
// enabled, visible) and its completion state. The simulated player presses (a
// tap: down and up again) or holds controls between frames; when the world
// steps, every shown, enabled prompt of that control reacts by its mode:
// - standard: completes for one frame when the button goes down, or, in release
//   mode, when it comes up again (a tap does both);
// - hold: completes once the button has been down for the prompt's hold time in
//   ms (a tap holds it for one frame); a completed hold stays completed for as
//   long as the button is held, as the game reports it; letting go, or the
//   prompt being hidden or disabled, empties it;
// - standardized hold: a hold whose time is that of a named hold type;
// - manual mash: each press fills it by the first setting (read as a float),
//   and it completes when full.
//
// A prompt in no group shows on its own, one in an entity's group shows with
// that entity; a prompt in any other group shows only in a frame in which that
// group is the active one: the game makes a seat's group active while the
// player sits on it, and a script can make its own group active for a frame
// (which then takes the place of the game's).
#include "world/screen/controls.h"

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace sim {

enum class PromptMode {
    None,             // no mode set yet
    Standard,         // completes on a press (or its release)
    Hold,             // completes after a hold of its own time
    StandardizedHold, // completes after the hold time of its hold type
    MashManual,       // completes once presses have filled it
};

struct PromptRecord {
    int handle = 0;
    std::string text;
    std::uint32_t control = 0;
    std::string controlName; // when the control is one Drovil uses, else empty
    PromptMode mode = PromptMode::None;
    bool releaseMode = false;  // standard: completes when the button comes up
    int holdTimeMs = 0;        // hold and standardized hold
    std::uint32_t holdType = 0; // standardized hold
    float mashFill = 0.0f;     // manual mash: what one press adds (1 fills it)
    float mashProgress = 0.0f;
    std::uint32_t group = 0;
    int groupEntity = 0; // the entity whose own prompt group `group` is, else 0
    std::map<int, bool> attributes;
    std::vector<int> priorities; // every priority a script set, in order
    bool defined = false;     // the definition was ended
    // The game's state. A prompt the game registers is enabled and visible
    // until told otherwise.
    bool enabled = true;
    bool visible = true;
    bool destroyed = false;
    std::uint64_t createdFrame = 0;

    // Completion state.
    std::uint64_t pressedFrame = 0; // frame in which a press (or release) completed it
    bool mashCompleted = false;
    int heldMs = 0;
    bool holdCompleted = false;
    int holdCompletions = 0; // holds completed so far

    // Shown to the player and able to react to the buttons.
    bool active() const { return defined && !destroyed && visible && enabled; }
    bool shown() const { return defined && !destroyed && visible; }
};

// The hold time of a named hold type; the medium time for a type it does not know.
int holdTimeOfType(std::uint32_t holdType);

class Prompts {
public:

    // The game side, called by the simulated natives.
    int create(std::uint64_t frame);
    PromptRecord* find(int handle);
    const PromptRecord* find(int handle) const;
    void destroy(int handle);
    // The entity's own prompt group (0 for entity 0).
    std::uint32_t entityGroup(int entityId);
    // The entity is long gone from the world: its group is forgotten.
    void forgetEntity(int entityId);
    // The entity whose own prompt group `group` is, or 0.
    int entityOfGroup(std::uint32_t group) const {
        auto found = entityGroups_.find(group);
        return found == entityGroups_.end() ? 0 : found->second;
    }
    // Notes a call on an unknown or destroyed prompt.
    void misuse(const std::string& what, int handle);
    bool pressCompleted(int handle) const;
    bool holdCompleted(int handle) const;
    bool mashCompleted(int handle) const;

    // One step of the game before the scripts run: applies the player's input.
    // A control held through `controls` holds its prompts too.
    void step(std::uint64_t frame, int frameMs, const Controls& controls);

    // The player's side, called between frames (tests, the scripted player).
    // Pressing a prompt presses its control; it returns false when the prompt
    // is not shown and enabled, so the press cannot reach it.
    bool press(int handle);
    void pressControl(std::uint32_t control);
    void pressControl(const std::string& controlName);
    bool startHold(int handle);
    void startHoldControl(std::uint32_t control);
    void startHoldControl(const std::string& controlName);
    void releaseHold(int handle);
    void releaseHoldControl(std::uint32_t control);
    void releaseAll();
    bool isHeld(std::uint32_t control) const { return held_.count(control) != 0; }
    // Controls pressed in the current frame (for the game's control queries).
    bool controlPressedThisFrame(std::uint32_t control) const { return pressedNow_.count(control) != 0; }
    // The control went down in the current frame: a tap, or a hold that began.
    // The game reports such a press in the frame it happens only.
    bool controlWentDown(std::uint32_t control) const { return wentDown_.count(control) != 0; }

    // The active prompt group of the current frame, and its title ("" when the
    // game gave none).
    void activateGroup(std::uint32_t group, const std::string& title) {
        activeGroup_ = group;
        activeTitle_ = title;
    }
    std::uint32_t activeGroup() const { return activeGroup_; }
    const std::string& activeGroupTitle() const { return activeTitle_; }
    // Whether the prompt's group lets it show in the current frame.
    bool groupShows(const PromptRecord& record) const { return groupShows(record, activeGroup_); }

    // What the player sees.
    std::vector<const PromptRecord*> visible() const;
    // The first visible prompt with exactly this text, or nullptr.
    const PromptRecord* findVisible(const std::string& text) const;
    // Every prompt created with this text, destroyed or not (of the destroyed
    // ones, the latest keptDestroyed are kept).
    std::vector<const PromptRecord*> withText(const std::string& text) const;
    // Prompts created and never destroyed: at the end of a flow, leaks.
    std::vector<const PromptRecord*> notDestroyed() const;
    const std::map<int, PromptRecord>& all() const { return records_; }
    // Calls made on unknown or destroyed prompts, one line each.
    const std::vector<std::string>& problems() const { return problems_; }

private:
    int nextHandle_ = 1;
    std::uint64_t frame_ = 0;
    std::map<int, PromptRecord> records_;
    static constexpr std::size_t keptDestroyed = 16;
    std::deque<int> destroyedOrder_; // destroyed prompts still kept, oldest first
    std::map<std::uint32_t, int> entityGroups_; // group hash to entity
    std::set<std::uint32_t> pressedPending_;
    std::set<std::uint32_t> pressedNow_;
    std::set<std::uint32_t> held_;
    std::set<std::uint32_t> heldLastFrame_; // controls held down in the previous frame
    std::vector<std::string> problems_;
    std::set<std::uint32_t> wentDown_;
    std::uint32_t activeGroup_ = 0;
    std::string activeTitle_;

    bool groupShows(const PromptRecord& record, std::uint32_t activeGroup) const {
        return record.group == 0 || record.group == activeGroup || entityOfGroup(record.group) != 0;
    }
};

// The name of a control Drovil uses, from its hash; empty for any other.
std::string controlNameOf(std::uint32_t control);

} // namespace sim
