#pragma once
// Drovil/Settings.ini: read once at start-up over the built-in defaults.
#include <string>

namespace drovil {

// Copies the seven defaults and reads Settings.ini over them.
void loadSettings();

// The value text, or an empty text for an unknown name.
const std::string& getSetting(const std::string& name);
// Never throw: a value that does not read was reported at load and replaced
// by the setting's default.
bool getSettingBool(const std::string& name);
float getSettingFloat(const std::string& name);

} // namespace drovil
