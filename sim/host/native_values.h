#pragma once
// What the slots of a native's parameters and result hold, read from the
// native table's signatures: enough to compare two calls (a text by its
// characters, not its address) and to write their values in a report.
#include "runtime/marshal.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace sim {

enum class ValueKind : std::uint8_t {
    Integer,    // a signed 32-bit value
    Unsigned,   // an unsigned 32-bit value: a hash, a count
    Wide,       // a 64-bit value
    Bool,
    Float,
    Position,   // three floats in three slots
    Handle,     // a ped, an entity, a blip...
    GameString, // a string handle the game made
    Text,       // a pointer to characters
    OutValue,   // a pointer to one value the native reads or writes
    Record,     // a pointer to a block of unknown length
};

struct ValueShape {
    ValueKind kind = ValueKind::Integer;
    std::size_t slots = 1;
    // OutValue: what is pointed to, and its size.
    ValueKind pointee = ValueKind::Integer;
    std::size_t pointeeBytes = 0;
};

template <class T> constexpr ValueShape shapeOf() {
    using drovil::marshal::Traits;
    if constexpr (std::is_pointer_v<T>) {
        using Pointee = std::remove_pointer_t<T>;
        using Bare = std::remove_cv_t<Pointee>;
        if constexpr (std::is_same_v<Bare, char>)
            return {ValueKind::Text, 1, ValueKind::Integer, 0};
        else if constexpr (std::is_void_v<Bare> || std::is_const_v<Pointee> || std::is_pointer_v<Bare>)
            return {ValueKind::Record, 1, ValueKind::Integer, 0};
        else
            return {ValueKind::OutValue, 1, shapeOf<Bare>().kind, sizeof(Bare)};
    } else if constexpr (std::is_same_v<T, bool>) {
        return {ValueKind::Bool, 1, ValueKind::Integer, 0};
    } else if constexpr (std::is_same_v<T, float>) {
        return {ValueKind::Float, 1, ValueKind::Integer, 0};
    } else if constexpr (std::is_same_v<T, drovil::Vector3>) {
        return {ValueKind::Position, Traits<T>::slots, ValueKind::Integer, 0};
    } else if constexpr (std::is_same_v<T, drovil::GameString>) {
        return {ValueKind::GameString, 1, ValueKind::Integer, 0};
    } else if constexpr (std::is_same_v<T, std::uint64_t>) {
        return {ValueKind::Wide, 1, ValueKind::Integer, 0};
    } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
        return {ValueKind::Integer, 1, ValueKind::Integer, 0};
    } else if constexpr (std::is_integral_v<T>) {
        return {ValueKind::Unsigned, 1, ValueKind::Integer, 0};
    } else {
        static_assert(drovil::marshal::HandleLike<T>, "a native value type the simulator cannot describe");
        return {ValueKind::Handle, 1, ValueKind::Integer, 0};
    }
}

template <class Sig> struct ShapesOf;
template <class R, class... A> struct ShapesOf<R(A...)> {
    static std::vector<ValueShape> parameters() { return {shapeOf<std::decay_t<A>>()...}; }
    static std::optional<ValueShape> result() {
        if constexpr (std::is_void_v<R>)
            return std::nullopt;
        else
            return shapeOf<std::decay_t<R>>();
    }
};

// One value as a report writes it, from its first slot (a text or a value
// pointed to is read where it lies). Never an address: a report must read the
// same in two runs of the same game.
std::string formatValue(const ValueShape& shape, const std::uint64_t* slots);

} // namespace sim
