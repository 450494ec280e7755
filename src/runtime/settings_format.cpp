#include "runtime/settings_format.h"

#include "runtime/number_text.h"
#include "runtime/text_lines.h"

namespace drovil {

const std::vector<KnownSetting>& knownSettings() {
    // AliveBounties, DevTools and DisableGrizzlies have no default: absent reads
    // as off (contracts then pay for a dead target only, as they always did).
    static const auto* settings = new std::vector<KnownSetting>{
        {"Hostages", SettingKind::Boolean, "1"},
        {"EagleEyeTracksForTarget", SettingKind::Boolean, "1"},
        {"TargetRecognition", SettingKind::Boolean, "1"},
        {"PricesScale", SettingKind::Float, "1.0"},
        {"HonorEffects", SettingKind::Boolean, "1"},
        {"Hints", SettingKind::Boolean, "1"},
        {"QuickContractCardAccess", SettingKind::Boolean, "1"},
        {"AliveBounties", SettingKind::Boolean, nullptr},
        {"DevTools", SettingKind::Boolean, nullptr},
        {"DisableGrizzlies", SettingKind::Boolean, nullptr},
    };
    return *settings;
}

const KnownSetting* findSetting(std::string_view name) {
    for (const KnownSetting& known : knownSettings())
        if (name == known.name)
            return &known;
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
    for (const KnownSetting& known : knownSettings())
        if (known.defaultValue)
            settings[known.name] = known.defaultValue;
    for (const SettingsFileLine& line : lines)
        if (line.kind == SettingsLine::Setting)
            settings[line.name] = line.value;
    return settings;
}

bool settingValueReads(const KnownSetting& known, const std::string& value) {
    if (known.kind == SettingKind::Boolean)
        return parseIntText(value).has_value();
    return parseFloatText(value).has_value();
}

bool readSettingBool(const KnownSetting& known, const std::string& value) {
    std::optional<int> number = parseIntText(value);
    if (!number && known.defaultValue)
        number = parseIntText(known.defaultValue);
    return number && *number != 0 && *number != -1;
}

float readSettingFloat(const KnownSetting& known, const std::string& value) {
    std::optional<float> number = parseFloatText(value);
    if (!number && known.defaultValue)
        number = parseFloatText(known.defaultValue);
    return number.value_or(0.0f);
}

} // namespace drovil
