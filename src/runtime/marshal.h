#pragma once
// How values cross the native-call boundary, as the script hook defines it:
// every argument and result lives in 64-bit slots. 32-bit integers, handles,
// hashes and booleans are zero-extended; a float's bit pattern fills the low
// half; texts and out-parameters are pointers; a position is three floats in
// three slots. The plug-in packs with `push`/`fromResult`, the simulator unpacks
// with `read`/`toResult`, so both sides share one definition.
#include "runtime/types.h"

#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace drovil::marshal {

template <class T>
concept HandleLike = std::is_class_v<T> && requires(T t) {
    { t.id } -> std::convertible_to<std::int32_t>;
} && sizeof(T) == sizeof(std::int32_t);

template <class T> struct Traits;

template <class T>
    requires(std::is_integral_v<T> && sizeof(T) <= 4)
struct Traits<T> {
    static constexpr std::size_t slots = 1;
    static void pack(T value, std::uint64_t* out) {
        out[0] = static_cast<std::uint64_t>(static_cast<std::uint32_t>(value));
    }
    static T unpack(const std::uint64_t* in) {
        if constexpr (std::is_same_v<T, bool>)
            return static_cast<std::uint32_t>(in[0]) != 0;
        else
            return static_cast<T>(static_cast<std::uint32_t>(in[0]));
    }
};

template <> struct Traits<std::uint64_t> {
    static constexpr std::size_t slots = 1;
    static void pack(std::uint64_t value, std::uint64_t* out) { out[0] = value; }
    static std::uint64_t unpack(const std::uint64_t* in) { return in[0]; }
};

template <> struct Traits<float> {
    static constexpr std::size_t slots = 1;
    static void pack(float value, std::uint64_t* out) { out[0] = std::bit_cast<std::uint32_t>(value); }
    static float unpack(const std::uint64_t* in) {
        return std::bit_cast<float>(static_cast<std::uint32_t>(in[0]));
    }
};

template <HandleLike T> struct Traits<T> {
    static constexpr std::size_t slots = 1;
    static void pack(T value, std::uint64_t* out) {
        out[0] = static_cast<std::uint64_t>(static_cast<std::uint32_t>(value.id));
    }
    static T unpack(const std::uint64_t* in) {
        return T(static_cast<std::int32_t>(static_cast<std::uint32_t>(in[0])));
    }
};

template <> struct Traits<GameString> {
    static constexpr std::size_t slots = 1;
    static void pack(GameString value, std::uint64_t* out) { out[0] = value.value; }
    static GameString unpack(const std::uint64_t* in) { return GameString{in[0]}; }
};

template <class T> struct Traits<T*> {
    static constexpr std::size_t slots = 1;
    static void pack(T* value, std::uint64_t* out) {
        out[0] = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(value));
    }
    static T* unpack(const std::uint64_t* in) {
        return reinterpret_cast<T*>(static_cast<std::uintptr_t>(in[0]));
    }
};

template <> struct Traits<Vector3> {
    static constexpr std::size_t slots = 3;
    static void pack(const Vector3& value, std::uint64_t* out) {
        Traits<float>::pack(value.x, out);
        Traits<float>::pack(value.y, out + 1);
        Traits<float>::pack(value.z, out + 2);
    }
    static Vector3 unpack(const std::uint64_t* in) {
        return Vector3(Traits<float>::unpack(in), Traits<float>::unpack(in + 1), Traits<float>::unpack(in + 2));
    }
};

// Number of argument slots a signature's parameters take.
template <class... A> constexpr std::size_t slotCount() { return (std::size_t{0} + ... + Traits<A>::slots); }

} // namespace drovil::marshal
