#include "runtime/script_event_inbox.h"

#include "runtime/frame_reads.h"
#include "runtime/host_api.h"
#include "runtime/natives.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace drovil {
namespace {

// A frame whose end never comes (one that fails every time before it) keeps
// no more than this many.
constexpr std::size_t mostKept = 32;

struct Inbox {
    std::vector<Hash> names;
    Hash scriptEventType = 0;
    // Read since this yield count: no second read before the next yield.
    std::uint64_t readAt = ~std::uint64_t{0};
    std::vector<ScriptEventData> kept;
    std::vector<ScriptEventData> taken;
};

Inbox& inbox() {
    static auto* state = new Inbox();
    return *state;
}

} // namespace

void keepScriptEventsNamed(Hash name) {
    Inbox& box = inbox();
    if (box.names.empty()) {
        box.scriptEventType = natives::misc::hashOfName("EVENT_NETWORK_SCRIPT_EVENT");
        // A few events arrive at a time: taking and keeping them allocates nothing.
        box.kept.reserve(8);
        box.taken.reserve(8);
    }
    if (std::find(box.names.begin(), box.names.end(), name) == box.names.end())
        box.names.push_back(name);
}

bool keepsScriptEvents() { return !inbox().names.empty(); }

void keepThisFramesScriptEvents() {
    Inbox& box = inbox();
    if (box.names.empty() || box.readAt == yieldCount())
        return;
    box.readAt = yieldCount();
    const int count = queuedEventCount(scriptEventGroup);
    for (int index = 0; index < count; ++index) {
        if (natives::gameevent::queuedType(scriptEventGroup, index) != box.scriptEventType)
            continue;
        ScriptEventData event;
        natives::gameevent::queuedData(scriptEventGroup, index, event.values.data(), ScriptEventData::items);
        if (box.kept.size() < mostKept &&
            std::find(box.names.begin(), box.names.end(), event.name()) != box.names.end())
            box.kept.push_back(event);
    }
}

const std::vector<ScriptEventData>& takeScriptEvents() {
    keepThisFramesScriptEvents();
    Inbox& box = inbox();
    box.taken.clear();
    box.taken.swap(box.kept);
    return box.taken;
}

} // namespace drovil
