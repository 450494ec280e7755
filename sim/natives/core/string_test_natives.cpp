// The game's test of a text for null or empty.
#include "natives/families.h"

namespace sim {
namespace n = drovil::natives::decl;

void implementStringTestNatives(NativeDispatch& dispatch, World&) {
    dispatch.implement<n::misc::isStringNullOrEmpty>(
        [](const char* text) { return text == nullptr || *text == '\0'; });
}

} // namespace sim
