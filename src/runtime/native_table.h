#pragma once
// The declarations behind every native wrapper: one descriptor type per entry
// of the native table, carrying its hash, its name and its signature. The
// plug-in's wrappers and the simulator's dispatch are both made from these.
#include "runtime/types.h"

#include <cstdint>

namespace drovil::natives::decl {

#define DROVIL_NATIVE(family, role, hashValue, signature)                                                   \
    namespace family {                                                                                     \
    struct role {                                                                                          \
        static constexpr std::uint64_t hash = hashValue;                                                   \
        static constexpr const char* name = #family "::" #role;                                            \
        using Signature = signature;                                                                       \
    };                                                                                                     \
    }
#include "runtime/natives/table.inc"
#undef DROVIL_NATIVE

} // namespace drovil::natives::decl
