#include "runtime/settings.h"

#include "runtime/data_file.h"
#include "runtime/layered_data_file.h"
#include "runtime/log.h"
#include "runtime/number_text.h"
#include "runtime/settings_format.h"
#include "runtime/text_lines.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <system_error>

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

std::map<std::string, std::string>& defaultValues() {
    static auto* values = new std::map<std::string, std::string>();
    return *values;
}

SettingsLayer& playerLayer() {
    static auto* layer = new SettingsLayer();
    return *layer;
}

// Reads one settings file over the settings so far. Players edit it by hand: a
// typo in a name or a value must not go unnoticed, nor stop anything; each is
// reported once, naming the file, and a value that does not read leaves the
// one below it (the default) in force.
std::map<std::string, std::string> readLayer(const std::string& path, std::istream& in) {
    log("loading settings file: " + path);
    const std::vector<SettingsFileLine> lines = readSettingsLines(in);
    std::map<std::string, std::string> values;
    for (const SettingsFileLine& line : lines) {
        if (line.kind == SettingsLine::Malformed)
            log(cannotParseLineMessage(line.text, line.number, path));
        else if (line.kind == SettingsLine::Setting)
            values[line.name] = line.value; // a later line replaces an earlier one
    }
    for (const auto& [name, value] : values) {
        const KnownSetting* known = findSetting(name);
        if (!known) {
            log(path + ": unknown setting " + quotedForLog(name) + "=" + quotedForLog(value) + ", it is not used");
            settings()[name] = value;
            continue;
        }
        if (!settingValueReads(*known, value)) {
            const char* expected = known->kind == SettingKind::Boolean ? "not a whole number" : "not a number";
            const auto below = settings().find(name);
            const std::string fallback = below != settings().end() ? below->second : std::string("off");
            log(path + ": cannot read " + name + "=" + quotedForLog(value) + " (" + expected + "), the default " +
                fallback + " is used");
            continue;
        }
        settings()[name] = value;
    }
    return values;
}

} // namespace

void loadSettings() {
    const std::map<std::string, std::string> builtIn = settingsWithDefaults({});
    settings() = SettingsMap(builtIn.begin(), builtIn.end());
    bool read = false;
    // The shipped defaults first: without them the built-in ones stand.
    const std::string& defaults = defaultsPath("Settings.ini");
    if (std::ifstream file(defaults); file.is_open()) {
        readLayer(defaults, file);
        read = true;
    } else {
        log("Unable to load from data file, please make sure it exists.");
    }
    defaultValues() = std::map<std::string, std::string>(settings().begin(), settings().end());
    // Then the player's own file, which needs only the lines he changed.
    SettingsLayer& player = playerLayer();
    player = SettingsLayer();
    player.path = dataPath("Settings.ini");
    std::error_code error;
    player.found = std::filesystem::exists(player.path, error);
    if (player.found) {
        if (std::ifstream file(player.path); file.is_open()) {
            player.values = readLayer(player.path, file);
            read = true;
        } else {
            log(player.path + " cannot be read: the default settings stand");
        }
    }
    readAllSettings();
    if (read)
        log("settings file loaded");
}

const std::map<std::string, std::string>& defaultSettingValues() {
    return defaultValues();
}

const SettingsLayer& playerSettingsLayer() {
    return playerLayer();
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
