#include "runtime/settings_format.h"

#include "runtime/number_text.h"
#include "runtime/text_lines.h"

namespace drovil {

const std::vector<SettingSpec>& knownSettings() {
    // DevTools and DisableGrizzlies have no default: absent reads as off.
    static const auto* specs = new std::vector<SettingSpec>{
        {"Hostages", SettingKind::Boolean, "1"},
        {"EagleEyeTracksForTarget", SettingKind::Boolean, "1"},
        {"TargetRecognition", SettingKind::Boolean, "1"},
        {"PricesScale", SettingKind::Float, "1.0"},
        {"HonorEffects", SettingKind::Boolean, "1"},
        {"Hints", SettingKind::Boolean, "1"},
        {"QuickContractCardAccess", SettingKind::Boolean, "1"},
        {"DevTools", SettingKind::Boolean, nullptr},
        {"DisableGrizzlies", SettingKind::Boolean, nullptr},
    };
    return *specs;
}

const SettingSpec* findSetting(std::string_view name) {
    for (const SettingSpec& spec : knownSettings())
        if (name == spec.name)
            return &spec;
    return nullptr;
}

SettingsLine parseSettingsLine(const std::string& line, std::string& name, std::string& value) {
    if (line.empty())
        return SettingsLine::Skipped;
    const char first = line.front();
    if (first == '/' || first == ';' || first == '[' || first == '\\')
        return SettingsLine::Skipped;
    std::vector<std::string> pieces = splitPieces(line, '=');
    if (pieces.size() != 2)
        return SettingsLine::Malformed;
    name = std::move(pieces[0]);
    value = std::move(pieces[1]);
    return SettingsLine::Setting;
}

std::vector<SettingsFileLine> readSettingsLines(std::istream& in) {
    std::vector<SettingsFileLine> lines;
    std::string text;
    while (!in.eof() && !in.bad()) {
        readTextLine(in, text);
        if (lines.empty())
            dropByteOrderMark(text);
        SettingsFileLine line;
        line.number = static_cast<int>(lines.size()) + 1;
        line.text = text;
        line.kind = parseSettingsLine(text, line.name, line.value);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::map<std::string, std::string> settingsWithDefaults(const std::vector<SettingsFileLine>& lines) {
    std::map<std::string, std::string> settings;
    for (const SettingSpec& spec : knownSettings())
        if (spec.defaultValue)
            settings[spec.name] = spec.defaultValue;
    for (const SettingsFileLine& line : lines)
        if (line.kind == SettingsLine::Setting)
            settings[line.name] = line.value;
    return settings;
}

bool settingValueReads(const SettingSpec& spec, const std::string& value) {
    if (spec.kind == SettingKind::Boolean)
        return parseIntText(value).has_value();
    return parseFloatText(value).has_value();
}

bool readSettingBool(const SettingSpec& spec, const std::string& value) {
    std::optional<int> number = parseIntText(value);
    if (!number && spec.defaultValue)
        number = parseIntText(spec.defaultValue);
    return number && *number != 0 && *number != -1;
}

float readSettingFloat(const SettingSpec& spec, const std::string& value) {
    std::optional<float> number = parseFloatText(value);
    if (!number && spec.defaultValue)
        number = parseFloatText(spec.defaultValue);
    return number.value_or(0.0f);
}

} // namespace drovil
