#include "runtime/host_api.h"

#include "runtime/file_writer.h"

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

void scriptWait(std::uint32_t milliseconds) {
    // The frame's saves go to the disk while the game goes on.
    handOverFileWrites();
    // Counted on both sides: whatever was read before the wait is stale after it.
    ++yields;
    boundHost.scriptWait(milliseconds);
    ++yields;
}

std::uint64_t yieldCount() { return yields; }

std::uint32_t tickCount() { return boundTicks ? boundTicks() : 0u; }

} // namespace drovil
