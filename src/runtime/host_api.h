#pragma once
// The eight functions of the script hook library, behind one small table of
// function pointers. The Windows library entry fills it from the hook's DLL;
// the simulator fills it with its own stand-in functions.
#include <cstdint>

namespace drovil {

using ScriptMain = void (*)();
using KeyboardHandler = void (*)(std::uint32_t key, std::uint16_t repeats, std::uint8_t scanCode,
                                 int isExtended, int isWithAlt, int wasDownBefore, int isUpNow);

struct HostApi {
    void (*scriptRegister)(void* module, ScriptMain script) = nullptr;
    void (*scriptUnregister)(void* module) = nullptr;
    void (*keyboardHandlerRegister)(KeyboardHandler handler) = nullptr;
    void (*keyboardHandlerUnregister)(KeyboardHandler handler) = nullptr;
    void (*scriptWait)(std::uint32_t milliseconds) = nullptr;
    void (*nativeInit)(std::uint64_t hash) = nullptr;
    void (*nativePush64)(std::uint64_t value) = nullptr;
    std::uint64_t* (*nativeCall)() = nullptr;

    bool complete() const;
};

// The operating system's millisecond tick count (GetTickCount on Windows). Off
// Windows the simulator supplies it, so that the keyboard table follows its clock.
using TickCountSource = std::uint32_t (*)();

void bindHost(const HostApi& api, TickCountSource ticks);
const HostApi& host();
std::uint32_t tickCount();

// Yields to the game: returns in a later frame once `milliseconds` have passed.
// Before each yield the frame's script events for the plug-in are kept (see
// script_event_inbox.h); while any are listened to, a longer wait yields frame
// by frame, so that the events of every frame it spans are kept.
void scriptWait(std::uint32_t milliseconds);
// How many times the script has yielded so far. Nothing in the game changes
// between two yields except through the script's own calls, so a value read
// from the game stays true while this count stays the same.
std::uint64_t yieldCount();

} // namespace drovil
