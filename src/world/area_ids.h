#pragma once
// The map area ids: the zone hash of each area's town, as the game computes it
// from the town's zone name. Mission records store them as signed integers.
#include "runtime/types.h"

#include <cstdint>

namespace drovil::area_ids {

inline constexpr Hash Annesburg = 0x00704B67;
inline constexpr Hash Armadillo = 0xD39FE932;
inline constexpr Hash Blackwater = 0x3EC4B1F5;
inline constexpr Hash Rhodes = 0x79FF6291;
inline constexpr Hash SaintDenis = 0xD25EC74F;
inline constexpr Hash Strawberry = 0x197DEE02;
inline constexpr Hash Tumbleweed = 0xA51AF855;
inline constexpr Hash Valentine = 0x1B6880B3;

// A zone hash as the signed 32-bit number the records and the zone table use.
constexpr std::int32_t asSigned(Hash hash) {
    return static_cast<std::int32_t>(hash);
}

} // namespace drovil::area_ids
