#include "runtime/host_api.h"

#include "runtime/file_writer.h"
#include "runtime/frame_reads.h"
#include "runtime/script_event_inbox.h"

namespace drovil {
namespace {
HostApi boundHost;
TickCountSource boundTicks = nullptr;
std::uint64_t yields = 0;
} // namespace

bool HostApi::complete() const {
    return scriptRegister && scriptUnregister && keyboardHandlerRegister && keyboardHandlerUnregister &&
           scriptWait && nativeInit && nativePush64 && nativeCall;
}

void bindHost(const HostApi& api, TickCountSource ticks) {
    boundHost = api;
    boundTicks = ticks;
}

const HostApi& host() { return boundHost; }

namespace {
void yieldToGame(std::uint32_t milliseconds) {
    // The frame's script events are kept before the game moves on to the next
    // frame and drops them.
    keepThisFramesScriptEvents();
    // The frame's saves go to the disk while the game goes on.
    handOverFileWrites();
    // Counted on both sides: whatever was read before the wait is stale after it.
    ++yields;
    boundHost.scriptWait(milliseconds);
    ++yields;
}
} // namespace

void scriptWait(std::uint32_t milliseconds) {
    // A longer wait is made of one-frame waits, timed on the game's own
    // millisecond timer, so that no frame it spans goes by with its script
    // events unread. (The game's timer, not the system's tick count: the two
    // keep pace in the game, and a simulated game's frames need not keep pace
    // with the system's clock.)
    if (milliseconds == 0 || !keepsScriptEvents()) {
        yieldToGame(milliseconds);
        return;
    }
    const auto start = static_cast<std::uint32_t>(gameTimerMs());
    do
        yieldToGame(0);
    while (static_cast<std::uint32_t>(gameTimerMs()) - start < milliseconds);
}

std::uint64_t yieldCount() { return yields; }

std::uint32_t tickCount() { return boundTicks ? boundTicks() : 0u; }

} // namespace drovil
