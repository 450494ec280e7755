#include "runtime/settings.h"

#include "runtime/data_file.h"
#include "runtime/log.h"
#include "runtime/text_lines.h"

#include <fstream>
#include <map>

namespace drovil {
namespace {

using SettingsMap = std::map<std::string, std::string>;

SettingsMap& settings() {
    static SettingsMap* values = new SettingsMap();
    return *values;
}

const SettingsMap& defaults() {
    // DevTools and DisableGrizzlies have no default: absent reads as off.
    static const SettingsMap* values = new SettingsMap{
        {"Hostages", "1"},
        {"EagleEyeTracksForTarget", "1"},
        {"TargetRecognition", "1"},
        {"PricesScale", "1.0"},
        {"HonorEffects", "1"},
        {"Hints", "1"},
        {"QuickContractCardAccess", "1"},
    };
    return *values;
}

bool isCommentLine(const std::string& line) {
    const char first = line.front();
    return first == '/' || first == ';' || first == '[' || first == '\\';
}

void parseSettingLine(const std::string& line) {
    if (line.empty() || isCommentLine(line))
        return;
    std::vector<std::string> pieces = splitPieces(line, '=');
    if (pieces.size() != 2) {
        // Players edit this file by hand: a bad line is reported, not fatal.
        log(cannotParseLineMessage(line));
        return;
    }
    settings()[std::move(pieces[0])] = std::move(pieces[1]);
}

} // namespace

void loadSettings() {
    settings() = defaults();
    const std::string& path = dataPath("Settings.ini");
    std::ifstream file(path);
    if (!file.is_open()) {
        log("Unable to load from data file, please make sure it exists.");
        return;
    }
    log("loading settings file: " + path);
    std::string line;
    while (!file.eof() && !file.bad()) {
        readTextLine(file, line);
        parseSettingLine(line);
    }
    file.close();
    log("settings file loaded");
}

const std::string& getSetting(const std::string& name) {
    static const std::string* empty = new std::string();
    const auto found = settings().find(name);
    return found == settings().end() ? *empty : found->second;
}

bool getSettingBool(const std::string& name) {
    const std::string& value = getSetting(name);
    if (value.empty())
        return false;
    const int number = std::stoi(value);
    return number != 0 && number != -1;
}

float getSettingFloat(const std::string& name) {
    const std::string& value = getSetting(name);
    return value.empty() ? 0.0f : std::stof(value);
}

} // namespace drovil
