#pragma once
// The script events the plug-in answers (other scripts' orders), kept from
// every frame the script spends waiting inside a frame. The game keeps an
// event in its queue for one frame only: while a
// portrait, a shove, a model load or a generation retry waits for the game,
// the events of those frames would go by unread. Before every yield the
// frame's queue is read once, unless the frame's end has read it already, and
// the events named here are kept; the frame's end takes them all, oldest
// first, its own frame's last.
#include "runtime/types.h"

#include <array>
#include <vector>

namespace drovil {

// One event as the game copies it: 50 eight-byte items (400 bytes) read as
// packed 32-bit values, the first the game's hash of the event's name.
struct ScriptEventData {
    static constexpr int items = 50;
    std::array<int, items * 2> values{};
    Hash name() const { return static_cast<Hash>(values[0]); }
};

// The event group the plug-in's script events travel in.
inline constexpr int scriptEventGroup = 1;

// From now on the events of this name are kept (no name: nothing is read).
void keepScriptEventsNamed(Hash name);
// Whether any name is kept: the script then waits frame by frame, so that
// every frame's queue is read.
bool keepsScriptEvents();
// Reads this frame's queue, keeping the events named, unless it was read
// since the last yield. scriptWait calls it before every yield.
void keepThisFramesScriptEvents();
// The events kept, oldest first, this frame's included; they are handed over
// once. The list stays valid until the next call, whatever waits meanwhile
// (events of frames spent waiting while they are handled are kept for the
// next call).
const std::vector<ScriptEventData>& takeScriptEvents();

} // namespace drovil
