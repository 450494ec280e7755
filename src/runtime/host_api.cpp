#include "runtime/host_api.h"

namespace drovil {
namespace {
HostApi boundHost;
TickCountSource boundTicks = nullptr;
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

std::uint32_t tickCount() { return boundTicks ? boundTicks() : 0u; }

} // namespace drovil
