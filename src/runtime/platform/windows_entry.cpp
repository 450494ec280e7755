// The Windows library entry of Drovil.asi. The game's ASI loader maps this
// library into the game process after ScriptHookRDR2.dll; on attach it binds the
// hook's eight functions from that module and registers the script and the
// keyboard handler, on detach it withdraws them.
//
// The hook exports C++ functions, so their names carry the compiler's
// decoration of the hook's own signatures; each name is looked up decorated
// first and plain second. If the hook or any one function is missing, nothing
// is registered: the plug-in stays silent rather than take the game down.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "runtime/host_api.h"
#include "runtime/plugin_entry.h"

#include <cstdint>

namespace {

// One hook function: its decorated name (from the hook's declaration) and its
// plain name.
struct HookExport {
    const char* decorated;
    const char* plain;
};

// void scriptRegister(HMODULE module, void (*LPSCRIPT_MAIN)())
constexpr HookExport kScriptRegister{"?scriptRegister@@YAXPEAUHINSTANCE__@@P6AXXZ@Z", "scriptRegister"};
// void scriptUnregister(HMODULE module)
constexpr HookExport kScriptUnregister{"?scriptUnregister@@YAXPEAUHINSTANCE__@@@Z", "scriptUnregister"};
// void keyboardHandlerRegister(void (*)(DWORD key, WORD repeats, BYTE scanCode,
//     BOOL isExtended, BOOL isWithAlt, BOOL wasDownBefore, BOOL isUpNow))
constexpr HookExport kKeyboardHandlerRegister{"?keyboardHandlerRegister@@YAXP6AXKGEHHHH@Z@Z",
                                              "keyboardHandlerRegister"};
// void keyboardHandlerUnregister(the same handler type)
constexpr HookExport kKeyboardHandlerUnregister{"?keyboardHandlerUnregister@@YAXP6AXKGEHHHH@Z@Z",
                                                "keyboardHandlerUnregister"};
// void scriptWait(DWORD ms)
constexpr HookExport kScriptWait{"?scriptWait@@YAXK@Z", "scriptWait"};
// void nativeInit(unsigned __int64 hash)
constexpr HookExport kNativeInit{"?nativeInit@@YAX_K@Z", "nativeInit"};
// void nativePush64(unsigned __int64 value)
constexpr HookExport kNativePush64{"?nativePush64@@YAX_K@Z", "nativePush64"};
// unsigned __int64* nativeCall()
constexpr HookExport kNativeCall{"?nativeCall@@YAPEA_KXZ", "nativeCall"};

// The hook's types are the Windows ones; the host table uses the fixed-width
// types of the same size and signedness, so the calls are the same on x64.
static_assert(sizeof(DWORD) == sizeof(std::uint32_t) && sizeof(WORD) == sizeof(std::uint16_t) &&
                  sizeof(BYTE) == sizeof(std::uint8_t) && sizeof(BOOL) == sizeof(int),
              "the hook's integer types must match the host table's");

template <typename Function> bool bindExport(HMODULE hook, const HookExport& name, Function& target) {
    FARPROC address = GetProcAddress(hook, name.decorated);
    if (address == nullptr)
        address = GetProcAddress(hook, name.plain);
    if (address == nullptr)
        return false;
    // Through the generic function pointer type, which converts to any other.
    target = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
    return true;
}

bool bindHookFunctions(drovil::HostApi& api) {
    HMODULE hook = GetModuleHandleA("ScriptHookRDR2.dll");
    if (hook == nullptr)
        return false;
    bool bound = bindExport(hook, kScriptRegister, api.scriptRegister);
    bound = bindExport(hook, kScriptUnregister, api.scriptUnregister) && bound;
    bound = bindExport(hook, kKeyboardHandlerRegister, api.keyboardHandlerRegister) && bound;
    bound = bindExport(hook, kKeyboardHandlerUnregister, api.keyboardHandlerUnregister) && bound;
    bound = bindExport(hook, kScriptWait, api.scriptWait) && bound;
    bound = bindExport(hook, kNativeInit, api.nativeInit) && bound;
    bound = bindExport(hook, kNativePush64, api.nativePush64) && bound;
    bound = bindExport(hook, kNativeCall, api.nativeCall) && bound;
    return bound && api.complete();
}

std::uint32_t systemTickCount() {
    return static_cast<std::uint32_t>(GetTickCount());
}

// Set once the script and the keyboard handler are registered, so that detach
// withdraws only what attach registered.
bool registered = false;

} // namespace

// C linkage: the C runtime's library start-up calls DllMain by this name.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
    switch (reason) {
    case DLL_PROCESS_ATTACH: {
        drovil::HostApi api;
        if (!bindHookFunctions(api))
            break;
        drovil::bindHost(api, systemTickCount);
        drovil::onProcessAttach(module);
        registered = true;
        break;
    }
    case DLL_PROCESS_DETACH:
        if (registered) {
            drovil::onProcessDetach(module);
            registered = false;
        }
        break;
    default:
        break;
    }
    return TRUE;
}
