#pragma once
// The library's entry: what the operating system's process attach and detach
// notifications do, whichever host (the script hook, or the simulator) bound the
// hook functions beforehand with bindHost().
#include <cstdint>

namespace drovil {

// Registers the script and then the keyboard handler with the host.
void onProcessAttach(void* module);
// Withdraws the script and then the keyboard handler.
void onProcessDetach(void* module);

// The script the host runs on its script thread; never returns once running.
void scriptMain();
void handleKeyboardMessage(std::uint32_t key, std::uint16_t repeats, std::uint8_t scanCode, int isExtended,
                           int isWithAlt, int wasDownBefore, int isUpNow);

} // namespace drovil
