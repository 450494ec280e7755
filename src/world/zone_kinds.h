#pragma once
// The kinds of game zone the plug-in asks for at a position.

namespace drovil::zone_kinds {

inline constexpr int Town = 1;
inline constexpr int District = 10;
// Asked for only when a position has neither a town nor a district.
inline constexpr int LastResort = 11;

} // namespace drovil::zone_kinds
