#include "runtime/settings.h"

#include "runtime/data_file.h"
#include "runtime/log.h"
#include "runtime/number_text.h"
#include "runtime/settings_format.h"
#include "runtime/text_lines.h"

#include <fstream>
#include <map>

namespace drovil {
namespace {

using SettingsMap = std::map<std::string, std::string, std::less<>>;

SettingsMap& settings() {
    static SettingsMap* values = new SettingsMap();
    return *values;
}

// Each value as the readers return it, worked out once at load.
struct SettingReading {
    bool on = false;
    float number = 0.0f;
};

std::map<std::string, SettingReading, std::less<>>& readings() {
    static auto* values = new std::map<std::string, SettingReading, std::less<>>();
    return *values;
}

SettingReading readingOf(const std::string& name, const std::string& value) {
    SettingReading reading;
    if (value.empty())
        return reading;
    if (const KnownSetting* known = findSetting(name)) {
        reading.on = readSettingBool(*known, value);
        reading.number = readSettingFloat(*known, value);
        return reading;
    }
    const std::optional<int> number = parseIntText(value);
    reading.on = number && *number != 0 && *number != -1;
    reading.number = parseFloatText(value).value_or(0.0f);
    return reading;
}

void readAllSettings() {
    readings().clear();
    for (const auto& [name, value] : settings())
        readings().emplace(name, readingOf(name, value));
}

void replaceSettings(const std::map<std::string, std::string>& values) {
    settings() = SettingsMap(values.begin(), values.end());
    readAllSettings();
}

// Players edit the file by hand: a typo in a name or a value must not go
// unnoticed, nor stop anything. Each is reported once, at load.
void checkSettings() {
    for (auto entry = settings().begin(); entry != settings().end();) {
        const std::string& name = entry->first;
        const std::string& value = entry->second;
        const KnownSetting* known = findSetting(name);
        if (!known) {
            log("Settings.ini: unknown setting " + quotedForLog(name) + "=" + quotedForLog(value) + ", it is not used");
            ++entry;
            continue;
        }
        if (settingValueReads(*known, value)) {
            ++entry;
            continue;
        }
        const char* expected = known->kind == SettingKind::Boolean ? "not a whole number" : "not a number";
        const std::string fallback = known->defaultValue ? known->defaultValue : "off";
        log("Settings.ini: cannot read " + name + "=" + quotedForLog(value) + " (" + expected + "), the default " + fallback +
            " is used");
        if (known->defaultValue) {
            entry->second = known->defaultValue;
            ++entry;
        } else {
            entry = settings().erase(entry);
        }
    }
}

} // namespace

void loadSettings() {
    replaceSettings(settingsWithDefaults({}));
    const std::string& path = dataPath("Settings.ini");
    std::ifstream file(path);
    if (!file.is_open()) {
        log("Unable to load from data file, please make sure it exists.");
        return;
    }
    log("loading settings file: " + path);
    const std::vector<SettingsFileLine> lines = readSettingsLines(file);
    file.close();
    for (const SettingsFileLine& line : lines) {
        // A bad line is reported, not fatal.
        if (line.kind == SettingsLine::Malformed)
            log(cannotParseLineMessage(line.text, line.number));
    }
    replaceSettings(settingsWithDefaults(lines));
    checkSettings();
    readAllSettings();
    log("settings file loaded");
}

const std::string& getSetting(std::string_view name) {
    static const std::string* empty = new std::string();
    const auto found = settings().find(name);
    return found == settings().end() ? *empty : found->second;
}

bool getSettingBool(std::string_view name) {
    const auto found = readings().find(name);
    return found != readings().end() && found->second.on;
}

float getSettingFloat(std::string_view name) {
    const auto found = readings().find(name);
    return found == readings().end() ? 0.0f : found->second.number;
}

} // namespace drovil
