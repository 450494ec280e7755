#pragma once
// The stand-in for the script hook: it registers scripts and keyboard handlers,
// runs each script in lock-step with the simulated game, as a fiber where the
// platform allows (a script runs only while the game waits for it, and
// `scriptWait` hands control back), forwards key messages from the game's
// thread, and dispatches native calls to the simulated world.
#include "host/native_dispatch.h"
#include "host/script_context.h"
#include "runtime/host_api.h"
#include "world/core/world.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace sim {

class SimHost {
public:
    // The one host of this process, made on first use and never destroyed (the
    // script threads it parks must outlive every static object).
    static SimHost& instance();

    // The hook's eight functions as the plug-in binds them.
    drovil::HostApi api() const;
    static std::uint32_t tickCount();

    World& world() { return *world_; }
    NativeDispatch& dispatch() { return dispatch_; }
    void reseed(std::uint32_t seed);

    // Runs one game frame: the world steps, then every script that is due runs
    // until it waits again.
    void runFrame();
    std::uint64_t frame() const { return world_->clock.frame; }

    // Keyboard messages, delivered to the registered handlers on the game's
    // thread, as the hook does from its window procedure.
    void keyDown(std::uint32_t key);
    void keyUp(std::uint32_t key);
    void sendKeyMessage(std::uint32_t key, bool wasDownBefore, bool isUpNow, bool withAlt = false);

    // Called before the world steps in each frame (the scripted player, tests).
    void addFrameHook(std::function<void()> hook) { frameHooks_.push_back(std::move(hook)); }

    std::size_t registeredScripts() const;
    std::size_t registeredKeyboardHandlers() const { return keyboardHandlers_.size(); }
    bool anyScriptFinished() const;
    int unregisterCount() const { return unregisterCount_; }

    // Hook function bodies.
    void registerScript(void* module, drovil::ScriptMain script);
    void unregisterScript(void* module);
    void registerKeyboardHandler(drovil::KeyboardHandler handler);
    void unregisterKeyboardHandler(drovil::KeyboardHandler handler);
    void wait(std::uint32_t milliseconds);
    void nativeInit(std::uint64_t hash);
    void nativePush(std::uint64_t value);
    std::uint64_t* nativeCall();

private:
    struct Script {
        void* module = nullptr;
        drovil::ScriptMain main = nullptr;
        std::unique_ptr<ScriptContext> context;
        bool started = false;
        bool finished = false;
        bool removed = false;
        std::uint64_t wakeAtMs = 0;
        std::uint64_t waitedInFrame = 0;
    };

    SimHost();
    void resume(Script& script);
    static void runScript(Script& script);

    std::unique_ptr<World> world_;
    NativeDispatch dispatch_;
    std::vector<std::unique_ptr<Script>> scripts_;
    std::vector<drovil::KeyboardHandler> keyboardHandlers_;
    std::vector<std::function<void()>> frameHooks_;
    int unregisterCount_ = 0;

    // The script running now, nullptr while the game runs.
    Script* running_ = nullptr;

    std::uint64_t pendingHash_ = 0;
    std::vector<std::uint64_t> pendingArgs_;
    std::vector<std::uint64_t> callArgs_;
    bool callOpen_ = false;
};

// Registers every simulated native with the dispatch (natives/*.cpp).
void implementAllNatives(NativeDispatch& dispatch, World& world);

} // namespace sim
