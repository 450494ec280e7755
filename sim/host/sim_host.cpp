#include "host/sim_host.h"

#include "host/plugin_cost.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace sim {
namespace {

[[noreturn]] void hostFailure(const char* message) {
    std::fprintf(stderr, "\n*** simulator: %s ***\n", message);
    std::fflush(stderr);
    std::abort();
}

void hookScriptRegister(void* module, drovil::ScriptMain script) { SimHost::instance().registerScript(module, script); }
void hookScriptUnregister(void* module) { SimHost::instance().unregisterScript(module); }
void hookKeyboardRegister(drovil::KeyboardHandler handler) { SimHost::instance().registerKeyboardHandler(handler); }
void hookKeyboardUnregister(drovil::KeyboardHandler handler) {
    SimHost::instance().unregisterKeyboardHandler(handler);
}
void hookScriptWait(std::uint32_t milliseconds) { SimHost::instance().wait(milliseconds); }
void hookNativeInit(std::uint64_t hash) { SimHost::instance().nativeInit(hash); }
void hookNativePush64(std::uint64_t value) { SimHost::instance().nativePush(value); }
std::uint64_t* hookNativeCall() { return SimHost::instance().nativeCall(); }

} // namespace

SimHost& SimHost::instance() {
    static SimHost* host = new SimHost();
    return *host;
}

SimHost::SimHost() : world_(std::make_unique<World>(1)) { implementAllNatives(dispatch_, *world_); }

void SimHost::reseed(std::uint32_t seed) { world_->random.seed(seed); }

drovil::HostApi SimHost::api() const {
    drovil::HostApi api;
    api.scriptRegister = hookScriptRegister;
    api.scriptUnregister = hookScriptUnregister;
    api.keyboardHandlerRegister = hookKeyboardRegister;
    api.keyboardHandlerUnregister = hookKeyboardUnregister;
    api.scriptWait = hookScriptWait;
    api.nativeInit = hookNativeInit;
    api.nativePush64 = hookNativePush64;
    api.nativeCall = hookNativeCall;
    return api;
}

std::uint32_t SimHost::tickCount() { return instance().world_->clock.tickCount(); }

void SimHost::registerScript(void* module, drovil::ScriptMain script) {
    auto entry = std::make_unique<Script>();
    entry->module = module;
    entry->main = script;
    scripts_.push_back(std::move(entry));
}

void SimHost::unregisterScript(void* module) {
    ++unregisterCount_;
    for (auto& script : scripts_)
        if (script->module == module)
            script->removed = true; // a parked script thread is simply never resumed
}

void SimHost::registerKeyboardHandler(drovil::KeyboardHandler handler) { keyboardHandlers_.push_back(handler); }

void SimHost::unregisterKeyboardHandler(drovil::KeyboardHandler handler) {
    keyboardHandlers_.erase(std::remove(keyboardHandlers_.begin(), keyboardHandlers_.end(), handler),
                            keyboardHandlers_.end());
}

std::size_t SimHost::registeredScripts() const {
    return static_cast<std::size_t>(
        std::count_if(scripts_.begin(), scripts_.end(), [](const auto& s) { return !s->removed; }));
}

bool SimHost::anyScriptFinished() const {
    return std::any_of(scripts_.begin(), scripts_.end(), [](const auto& s) { return s->finished; });
}

void SimHost::runFrame() {
    world_->clock.advance();
    dispatch_.startFrame();
    world_->beginFrame();
    for (auto& hook : frameHooks_)
        hook();
    for (std::size_t i = 0; i < scripts_.size(); ++i) {
        Script& script = *scripts_[i];
        if (script.removed || script.finished)
            continue;
        const bool due = !script.started ||
                         (world_->clock.frame > script.waitedInFrame && world_->clock.elapsedMs >= script.wakeAtMs);
        if (due)
            resume(script);
    }
}

void SimHost::resume(Script& script) {
    dispatch_.scriptResumed();
    if (!script.started) {
        script.started = true;
        Script* entry = &script;
        script.context = ScriptContext::make([entry] { runScript(*entry); });
    }
    running_ = &script;
    script.context->resume();
    running_ = nullptr;
    script.finished = script.context->finished();
}

void SimHost::runScript(Script& script) {
    plugin_cost::enterPlugin();
    script.main();
    plugin_cost::leavePlugin();
}

void SimHost::wait(std::uint32_t milliseconds) {
    if (!running_)
        hostFailure("scriptWait called outside a script");
    plugin_cost::leavePlugin();
    Script& self = *running_;
    self.wakeAtMs = world_->clock.elapsedMs + milliseconds;
    self.waitedInFrame = world_->clock.frame;
    self.context->suspend();
    plugin_cost::enterPlugin();
}

void SimHost::keyDown(std::uint32_t key) { sendKeyMessage(key, false, false); }
void SimHost::keyUp(std::uint32_t key) { sendKeyMessage(key, true, true); }

void SimHost::sendKeyMessage(std::uint32_t key, bool wasDownBefore, bool isUpNow, bool withAlt) {
    // Called on the game's thread, never on a script's, as the hook does.
    for (drovil::KeyboardHandler handler : keyboardHandlers_)
        handler(key, 1, 0, 0, withAlt ? 1 : 0, wasDownBefore ? 1 : 0, isUpNow ? 1 : 0);
}

void SimHost::nativeInit(std::uint64_t hash) {
    if (!running_)
        hostFailure("a native was called outside a script");
    plugin_cost::leavePlugin();
    pendingHash_ = hash;
    pendingArgs_.clear();
    callOpen_ = true;
}

void SimHost::nativePush(std::uint64_t value) {
    if (!callOpen_)
        hostFailure("nativePush64 without nativeInit");
    pendingArgs_.push_back(value);
}

std::uint64_t* SimHost::nativeCall() {
    if (!callOpen_)
        hostFailure("nativeCall without nativeInit");
    callOpen_ = false;
    // The arguments move aside first (an implementation may call back into the
    // world, never into here); both buffers keep their capacity, so a call
    // allocates nothing.
    callArgs_.swap(pendingArgs_);
    std::uint64_t* result = dispatch_.call(pendingHash_, callArgs_);
    plugin_cost::enterPlugin();
    return result;
}

} // namespace sim
