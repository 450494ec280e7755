#pragma once
// Drovil/Settings.ini: read once at start-up over the defaults.
#include <map>
#include <string>
#include <string_view>

namespace drovil {

// Copies the seven built-in defaults, reads the shipped Drovil/Defaults/
// Settings.ini over them and then the player's own Drovil/Settings.ini, setting
// by setting.
void loadSettings();

// What the last load read. The defaults: the built-in ones with the shipped
// file's over them. The player's file: every setting as its later line sets
// it, as written (also those not used: unknown, or not readable).
struct SettingsLayer {
    std::string path;
    bool found = false;
    std::map<std::string, std::string> values;
};
const std::map<std::string, std::string>& defaultSettingValues();
const SettingsLayer& playerSettingsLayer();

// The value text, or an empty text for an unknown name.
const std::string& getSetting(std::string_view name);
// Never throw: a value that does not read was reported at load and replaced
// by the setting's default. Read at load, so asking costs one lookup and no
// allocation (the plug-in asks every frame).
bool getSettingBool(std::string_view name);
float getSettingFloat(std::string_view name);

} // namespace drovil
