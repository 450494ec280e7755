#include "runtime/plugin_entry.h"

#include "runtime/file_writer.h"
#include "runtime/host_api.h"
#include "runtime/keyboard.h"
#include "runtime/main_loop.h"

namespace drovil {

void onProcessAttach(void* module) {
    host().scriptRegister(module, scriptMain);
    host().keyboardHandlerRegister(handleKeyboardMessage);
}

void onProcessDetach(void* module) {
    host().scriptUnregister(module);
    host().keyboardHandlerUnregister(handleKeyboardMessage);
    // Whatever the last frames saved reaches the disk before the library goes.
    finishFileWrites();
}

void scriptMain() { runPlugin(); }

void handleKeyboardMessage(std::uint32_t key, std::uint16_t /*repeats*/, std::uint8_t /*scanCode*/,
                           int /*isExtended*/, int isWithAlt, int wasDownBefore, int isUpNow) {
    keyboard().store(key, tickCount(), isWithAlt, wasDownBefore, isUpNow);
}

} // namespace drovil
