#pragma once
// Texts shown to the player, from Drovil/Lang.dat by key.
#include <string>
#include <string_view>

namespace drovil {

// The text of `key`, or an empty text when Lang.dat has none. A missing text
// is logged once, naming the key, so that a translator or a modder whose file
// lacks a key learns which one.
const std::string& langText(std::string_view key);

} // namespace drovil
