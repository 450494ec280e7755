#include "runtime/player_overrides.h"

#include "drovil_version.h"
#include "runtime/data_files.h"
#include "runtime/log.h"
#include "runtime/settings.h"
#include "runtime/text_lines.h"

#include <filesystem>
#include <map>
#include <string>
#include <system_error>

namespace drovil {
namespace {

// Values are quoted short: a Lang text may take hundreds of bytes.
std::string shortValue(const std::string& value) {
    return quotedForLog(value, 60);
}

void compare(const std::string& path, const std::map<std::string, std::string>& own,
             const std::map<std::string, std::string>& defaults) {
    int differ = 0;
    int same = 0;
    for (const auto& [key, value] : own) {
        const auto below = defaults.find(key);
        if (below == defaults.end()) {
            log(path + ": " + quotedForLog(key) + "=" + shortValue(value) + " has no default: it is not read");
        } else if (below->second == value) {
            ++same;
        } else {
            ++differ;
            log(path + ": " + quotedForLog(key) + "=" + shortValue(value) + " differs from the default " + shortValue(below->second));
        }
    }
    std::string summary = path + ": " + std::to_string(differ) + " of its " + std::to_string(own.size()) +
                          " keys differ from the defaults";
    if (same > 0)
        summary += "; " + std::to_string(same) +
                   " only repeat them, and while they are in it a change of their default in a later version does "
                   "not reach the game (remove those lines to have it)";
    log(summary);
}

void compareDataFile(const LayeredDataFile& file) {
    const auto& layers = file.layers();
    // The player's own file of that name; a translation over it differs by
    // nature and is not listed.
    if (layers.size() < 2 || !layers[1].loaded)
        return;
    compare(layers[1].path, layers[1].entries, layers[0].entries);
}

} // namespace

void reportPlayerKeysAfterUpdate() {
    DictDataFile version(dataPath("Version.dat"));
    std::error_code error;
    std::string last;
    if (std::filesystem::exists(version.path(), error) && version.load())
        last = version.getString("version");
    if (last == DROVIL_VERSION)
        return;
    log("first start of Drovil " + std::string(DROVIL_VERSION) + " on this folder" +
        (last.empty() ? std::string() : " (the last was " + quotedForLog(last) + ")") +
        ": the player's own files against the defaults");
    const SettingsLayer& settings = playerSettingsLayer();
    bool any = false;
    if (settings.found) {
        compare(settings.path, settings.values, defaultSettingValues());
        any = true;
    }
    for (const LayeredDataFile* file : {&langFile(), &generalMetaFile(), &aiFile()}) {
        compareDataFile(*file);
        any = any || (file->layers().size() > 1 && file->layers()[1].loaded);
    }
    if (!any)
        log("no files of the player's over the defaults");
    version.setString("version", DROVIL_VERSION);
    version.save(false);
}

} // namespace drovil
