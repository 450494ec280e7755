#include "scenarios/scenario_game.h"

#include "runtime/game_language.h"
#include "runtime/text_lines.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

namespace sim {
namespace {

// The entries of a key=value file, or nothing when a line is not key=value.
std::optional<std::map<std::string, std::string>> entriesOf(const std::string& text) {
    std::map<std::string, std::string> entries;
    std::istringstream in(text);
    std::string line;
    bool first = true;
    while (!in.eof()) {
        drovil::readTextLine(in, line);
        if (first)
            drovil::dropByteOrderMark(line);
        first = false;
        if (line.empty())
            continue;
        const std::vector<std::string> pieces = drovil::splitPieces(line, '=');
        if (pieces.size() != 2)
            return std::nullopt;
        entries[pieces[0]] = pieces[1];
    }
    return entries;
}

} // namespace

std::map<std::string, std::string> ScenarioGame::layeredKeyValues(const std::string& name) {
    std::vector<std::string> layers{"Defaults/" + name, name};
    if (name == "Lang.dat")
        if (const drovil::GameLanguage* language = drovil::findGameLanguage(world().language))
            layers.push_back(drovil::translationFileName(*language));
    std::map<std::string, std::string> values;
    for (const std::string& layer : layers) {
        if (!fileExists(layer))
            continue;
        if (const auto entries = entriesOf(readFile(layer)))
            for (const auto& [key, value] : *entries)
                values[key] = value;
    }
    return values;
}

std::string ScenarioGame::shownText(const std::string& key) {
    const std::map<std::string, std::string> texts = layeredKeyValues("Lang.dat");
    const auto found = texts.find(key);
    return found == texts.end() ? std::string() : found->second;
}

std::vector<drovil::SettingsFileLine> ScenarioGame::settingsLines() const {
    std::vector<drovil::SettingsFileLine> lines;
    for (const char* layer : {"Defaults/Settings.ini", "Settings.ini"}) {
        if (!fileExists(layer))
            continue;
        std::istringstream in(readFile(layer));
        for (drovil::SettingsFileLine& line : drovil::readSettingsLines(in))
            lines.push_back(std::move(line));
    }
    return lines;
}

const std::string& ScenarioGame::runLog() const {
    // Read only what the log gained since the last call.
    std::ifstream in(logPath(), std::ios::binary);
    if (in) {
        in.seekg(0, std::ios::end);
        const auto size = static_cast<std::size_t>(in.tellg());
        if (size > runLogRead_) {
            in.seekg(static_cast<std::streamoff>(runLogRead_));
            const std::string added{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            runLog_ += added;
            runLogRead_ += added.size();
        }
    }
    return runLog_;
}

void ScenarioGame::markRunStart() {
    // The size on disk: a career's log grows to megabytes, not worth reading.
    std::error_code error;
    const auto size = std::filesystem::file_size(logPath(), error);
    runStart_ = error ? 0 : static_cast<std::size_t>(size);
    // Let the last run's lines go with their room: a long contract's log would
    // otherwise hold its buffer for the rest of a career.
    std::string().swap(runLog_);
    runLogRead_ = runStart_;
}

} // namespace sim
