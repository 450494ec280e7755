#pragma once
// Drovil/Settings.ini: read once at start-up over the built-in defaults.
#include <string>
#include <string_view>

namespace drovil {

// Copies the seven defaults and reads Settings.ini over them.
void loadSettings();

// The value text, or an empty text for an unknown name.
const std::string& getSetting(std::string_view name);
// Never throw: a value that does not read was reported at load and replaced
// by the setting's default. Read at load, so asking costs one lookup and no
// allocation (the plug-in asks every frame).
bool getSettingBool(std::string_view name);
float getSettingFloat(std::string_view name);

} // namespace drovil
