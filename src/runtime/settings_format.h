#pragma once
// The format of Drovil/Settings.ini and the settings it may hold, apart from
// the file and the log, so that the plug-in, the data checker and the
// simulator's scenarios read a settings file exactly alike.
#include <istream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace drovil {

enum class SettingKind { Boolean, Float };

struct KnownSetting {
    const char* name;
    SettingKind kind;
    const char* defaultValue; // null: no default, the setting reads as off when absent
};

// Every setting the plug-in reads, in the order the README lists them.
const std::vector<KnownSetting>& knownSettings();
// Null for a name the plug-in never reads (a typo such as "PriceScale").
const KnownSetting* findSetting(std::string_view name);

enum class SettingsLine {
    Skipped,  // empty, a comment or a section header
    Setting,  // name=value
    Malformed // does not split into exactly two pieces at '='
};

// One line of the file; `name` and `value` are set for a Setting.
SettingsLine parseSettingsLine(const std::string& line, std::string& name, std::string& value);

// A line of the file as read, numbered from 1 as an editor shows it.
struct SettingsFileLine {
    int number = 0;
    std::string text;
    SettingsLine kind = SettingsLine::Skipped;
    std::string name;
    std::string value;
};

// Every line of a settings file (a byte-order mark at its start dropped).
std::vector<SettingsFileLine> readSettingsLines(std::istream& in);

// The settings a file gives over the built-in defaults, by name; a later line
// replaces an earlier one. Values are as written: see settingValueReads.
std::map<std::string, std::string> settingsWithDefaults(const std::vector<SettingsFileLine>& lines);

// Whether `value` reads as a value of the setting's kind: a boolean is a
// whole number (0 and -1 are off), a float any finite number, with a decimal
// point or comma.
bool settingValueReads(const KnownSetting& known, const std::string& value);

// The value's reading, or the setting's default when it does not read (absent
// or no default: off, 0.0).
bool readSettingBool(const KnownSetting& known, const std::string& value);
float readSettingFloat(const KnownSetting& known, const std::string& value);

} // namespace drovil
