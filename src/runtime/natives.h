#pragma once
// The plug-in's typed wrappers of the game natives, one per entry of the native
// table: natives::<family>::<role>(arguments). See natives/README.md.
#include "runtime/native_call.h"
#include "runtime/native_table.h"

namespace drovil::natives {

#define DROVIL_NATIVE(family, role, hashValue, signature)                                                   \
    namespace family {                                                                                     \
    inline constexpr auto role = &native::Wrapper<decl::family::role>::call;                                \
    }
#include "runtime/natives/table.inc"
#undef DROVIL_NATIVE

} // namespace drovil::natives
