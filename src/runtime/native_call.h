#pragma once
// Calls one game native by hash: nativeInit, one nativePush64 per argument
// slot, nativeCall, then the result read from the returned slots.
#include "runtime/host_api.h"
#include "runtime/marshal.h"

#include <cstring>
#include <type_traits>

namespace drovil::native {

template <class A> void pushArgument(const HostApi& api, const A& value) {
    std::uint64_t slots[marshal::Traits<A>::slots];
    marshal::Traits<A>::pack(value, slots);
    for (std::uint64_t slot : slots)
        api.nativePush64(slot);
}

template <class R, class... A> R invoke(std::uint64_t hash, A... args) {
    const HostApi& api = host();
    api.nativeInit(hash);
    (pushArgument<A>(api, args), ...);
    std::uint64_t* result = api.nativeCall();
    if constexpr (std::is_void_v<R>) {
        (void)result;
    } else if constexpr (std::is_same_v<R, Vector3>) {
        // The game's position layout matches Vector3's: copy it straight out.
        Vector3 position;
        std::memcpy(static_cast<void*>(&position), result, sizeof(Vector3));
        return position;
    } else {
        return marshal::Traits<R>::unpack(result);
    }
}

// A native declared in the table (see natives/): `D::hash` and `D::Signature`.
template <class D, class Sig = typename D::Signature> struct Wrapper;
template <class D, class R, class... A> struct Wrapper<D, R(A...)> {
    static R call(A... args) { return invoke<R, A...>(D::hash, args...); }
};

} // namespace drovil::native
