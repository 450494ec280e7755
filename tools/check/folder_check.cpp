#include "folder_check.h"

#include "modding_reference.h"
#include "reference_catalogue.h"

#include "runtime/data_file.h"
#include "runtime/log.h"
#include "runtime/number_text.h"
#include "runtime/game_language.h"
#include "runtime/settings_format.h"
#include "runtime/text_lines.h"
#include "ui/lang_format.h"
#include "ui/text.h"
#include "world/data/zone_table.h"
#include "world/mission_data_files.h"
#include "world/payments_service.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <system_error>

namespace drovil::check {
namespace fs = std::filesystem;
namespace {

// The plug-in's readers log what they meet; here the findings say it instead.
void quiet(const std::string&) {}

// A data file loaded by the plug-in's own loader, remembering the line of every
// key and the line where loading stopped (numbered from 1).
class NumberedFile : public DictDataFile {
public:
    using DictDataFile::DictDataFile;

    bool parseLine(const std::string& line) override {
        ++lineNumber_;
        if (!DictDataFile::parseLine(line)) {
            failedLine_ = lineNumber_;
            failedText_ = line;
            return false;
        }
        if (!line.empty())
            lines_[line.substr(0, line.find('='))] = lineNumber_;
        return true;
    }

    int lineOf(const std::string& key) const {
        const auto found = lines_.find(key);
        return found == lines_.end() ? 0 : found->second;
    }
    int failedLine() const { return failedLine_; }
    const std::string& failedText() const { return failedText_; }

private:
    int lineNumber_ = 0;
    int failedLine_ = 0;
    std::string failedText_;
    std::map<std::string, int> lines_;
};

class Findings {
public:
    explicit Findings(std::vector<Finding>& all) : all_(all) {}
    void error(const std::string& file, int line, const std::string& message) {
        all_.push_back({file, line, true, message});
    }
    void warning(const std::string& file, int line, const std::string& message) {
        all_.push_back({file, line, false, message});
    }

private:
    std::vector<Finding>& all_;
};

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string joined(const std::vector<std::string>& items) {
    if (items.empty())
        return "none";
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : " ") + item;
    return text;
}

// The shipped file, loaded from its built-in text with the same loader.
NumberedFile shippedFile(const std::string& name, const std::string& text) {
    NumberedFile file(name + " (shipped)");
    std::istringstream in(text);
    file.loadFrom(in);
    return file;
}

// Loads `name` of the folder; reports where loading stops. `stopMeans` says
// what the game does then.
bool loadFolderFile(NumberedFile& file, const std::string& name, Findings& findings, bool stopIsError,
                    const std::string& stopMeans) {
    if (file.load())
        return true;
    if (file.failedLine() > 0) {
        const std::string message = "this line is not key=value (" + quoted(quotedForLog(file.failedText())) +
                                    "): the game stops reading the file here, " + stopMeans;
        if (stopIsError)
            findings.error(name, file.failedLine(), message);
        else
            findings.warning(name, file.failedLine(), message);
    } else {
        const std::string message = "cannot be read: " + stopMeans;
        if (stopIsError)
            findings.error(name, 0, message);
        else
            findings.warning(name, 0, message);
    }
    return false;
}

// How a value of the shipped file reads: a whole number, any number, or text.
enum class ValueKind { Text, Whole, Number };

ValueKind kindOfShippedValue(const std::string& value) {
    if (!parseFloatText(value))
        return ValueKind::Text;
    return value.find_first_of(".eE,") == std::string::npos && parseIntText(value) ? ValueKind::Whole
                                                                                     : ValueKind::Number;
}

// A value where the game reads a number: one that does not read counts as
// absent; one that reads otherwise than it looks is pointed out.
void checkNumber(const std::string& name, int line, const std::string& key, const std::string& value,
                 ValueKind kind, Findings& findings) {
    if (kind == ValueKind::Text)
        return;
    const bool whole = kind == ValueKind::Whole;
    const bool reads = whole ? parseIntText(value).has_value() : parseFloatText(value).has_value();
    if (!reads) {
        findings.warning(name, line,
                         key + ": " + quoted(value) + " is not " +
                             (whole ? "a whole number that fits" : "a finite number") +
                             ", the game reads the key as absent");
        return;
    }
    std::string remark = numberTextRemark(value, whole);
    if (remark.empty() && whole && value.find_first_of(".eE,") != std::string::npos)
        remark = "is read as a whole number";
    if (!remark.empty())
        findings.warning(name, line, key + ": " + quoted(value) + " " + remark);
}

// --- The layers ---

// What a file of the folder is to the game: the shipped defaults of
// Defaults/, the player's own file of the same name read over them key by
// key, or a translation of the texts read over both.
enum class Layer { Defaults, Own, Translation };

// How the folder is laid out: whether it has the defaults' folder at all (an
// install that has none reads the player's files alone, which must then hold
// every key).
struct Folder {
    fs::path path;
    bool hasDefaults = false;
};

// A layer's keys only need to be complete where nothing lies below them.
bool needsEveryKey(Layer layer, const Folder& folder) {
    return layer == Layer::Defaults || (layer == Layer::Own && !folder.hasDefaults);
}

// Loads a layer; reports where loading stops, with what the game then does.
bool loadLayer(NumberedFile& file, const std::string& name, Layer layer, Findings& findings) {
    switch (layer) {
    case Layer::Defaults:
        return loadFolderFile(file, name, findings, true, "and Drovil does not start");
    case Layer::Own:
        return loadFolderFile(file, name, findings, true,
                              "and the game leaves the whole file out (none of its keys are read): the defaults "
                              "stand");
    case Layer::Translation:
        return loadFolderFile(file, name, findings, true,
                              "and the game leaves the whole translation out: the texts show in English");
    }
    return false;
}

// A required file (the texts, the tuning) missing from its layer.
void reportMissing(const Folder& folder, const std::string& base, Layer layer, Findings& findings) {
    const std::string name = layer == Layer::Defaults ? "Defaults/" + base : base;
    if (layer == Layer::Defaults && isFile(folder.path / base))
        findings.warning(name, 0,
                         "missing: the game reads " + base + " alone, which must then hold every key; unpack "
                         "Drovil again to bring the defaults back");
    else if (needsEveryKey(layer, folder) && (layer == Layer::Own || !isFile(folder.path / base)))
        findings.error(name, 0, "missing: Drovil does not start without it");
}

// --- Lang.dat and its translations ---

// The text of `key` as the player sees it at its longest, and what its place
// takes; a limit of 0 when the place sets none.
struct ShownText {
    std::string text;
    std::size_t limit = 0;
    std::string where;
};

ShownText shownText(const std::string& key, const std::string& text) {
    const LangEntry* entry = findLangEntry(key);
    if (!entry)
        return {};
    const std::string filled = entry->filledWith ? formatLangText(text, std::string(entry->longestFill)) : text;
    const std::string where =
        entry->place == TextPlace::Card ? "the contract card" : std::string("a ") + placeName(entry->place);
    return {entry->lineBreaks ? expandLineBreaks(filled) : filled, textLimit(*entry), where};
}

void checkLangFile(const Folder& folder, const std::string& name, Layer layer, const ShippedFiles& shipped,
                   Findings& findings) {
    NumberedFile file((folder.path / name).string());
    if (!loadLayer(file, name, layer, findings))
        return;
    const NumberedFile reference = shippedFile("Lang.dat", shipped.lang);
    for (const auto& [key, text] : reference.entries()) {
        if (file.entries().count(key) > 0)
            continue;
        if (needsEveryKey(layer, folder))
            findings.error(name, 0, "key " + key + " is missing: nothing is shown where its text belongs");
        else if (layer == Layer::Translation)
            findings.warning(name, 0, "key " + key + " is not translated: its text shows in English");
    }
    for (const auto& [key, text] : file.entries()) {
        const int line = file.lineOf(key);
        const auto original = reference.entries().find(key);
        if (original == reference.entries().end()) {
            findings.warning(name, line, "key " + key + " is not in the shipped file: it is never shown (a typo?)");
            continue;
        }
        const std::vector<std::string> placeholders = langPlaceholders(text);
        const std::vector<std::string> expected = langPlaceholders(original->second);
        if (placeholders != expected)
            findings.error(name, line,
                           "key " + key + " has the placeholders " + joined(placeholders) +
                               " where the shipped text has " + joined(expected) +
                               ": the value would be missing or shown wrong");
        const ShownText shown = shownText(key, text);
        if (shown.limit > 0 && shown.text.size() > shown.limit)
            findings.error(name, line,
                           "key " + key + " is " + std::to_string(shown.text.size()) + " bytes long as shown, " +
                               shown.where + " takes " + std::to_string(shown.limit) + ": the rest is cut off");
    }
}

// The translations in the folder, Lang.<tag>.dat, by name.
std::vector<std::string> translationFiles(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(error) && name.size() > 9 && name.rfind("Lang.", 0) == 0 &&
            name.compare(name.size() - 4, 4, ".dat") == 0)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void checkLang(const Folder& folder, const ShippedFiles& shipped, Findings& findings) {
    for (const Layer layer : {Layer::Defaults, Layer::Own}) {
        const std::string name = layer == Layer::Defaults ? "Defaults/Lang.dat" : "Lang.dat";
        if (!isFile(folder.path / name)) {
            reportMissing(folder, "Lang.dat", layer, findings);
            continue;
        }
        checkLangFile(folder, name, layer, shipped, findings);
    }
    for (const std::string& name : translationFiles(folder.path)) {
        const std::string tag = name.substr(5, name.size() - 9);
        if (!findLanguageTag(tag)) {
            findings.warning(name, 0,
                             "no language of the game has the tag " + quoted(tag) +
                                 ": the game never reads this file (the tags are listed in the modder's reference)");
            continue;
        }
        checkLangFile(folder, name, Layer::Translation, shipped, findings);
    }
}

// --- GeneralMeta.dat, AI.dat ---

void checkTuning(const Folder& folder, const std::string& base, const std::string& shippedText,
                 Findings& findings) {
    const NumberedFile reference = shippedFile(base, shippedText);
    for (const Layer layer : {Layer::Defaults, Layer::Own}) {
        const std::string name = layer == Layer::Defaults ? "Defaults/" + base : base;
        if (!isFile(folder.path / name)) {
            reportMissing(folder, base, layer, findings);
            continue;
        }
        NumberedFile file((folder.path / name).string());
        if (!loadLayer(file, name, layer, findings))
            continue;
        const bool complete = needsEveryKey(layer, folder);
        for (const auto& [key, value] : reference.entries())
            if (complete && file.entries().count(key) == 0)
                findings.warning(name, 0,
                                 "key " + key +
                                     " is missing: the game reads it as absent (-999) and the rule that uses it "
                                     "does not work");
        for (const auto& [key, value] : file.entries()) {
            const auto shippedValue = reference.entries().find(key);
            if (shippedValue == reference.entries().end()) {
                findings.warning(name, file.lineOf(key),
                                 "key " + key + " is not in the shipped file: the game never reads it (a typo?)");
                continue;
            }
            checkNumber(name, file.lineOf(key), key, value, kindOfShippedValue(shippedValue->second), findings);
        }
    }
}

// --- Settings.ini ---

// The known setting a mistyped name most likely means, or empty.
std::string likelySetting(const std::string& name) {
    auto distance = [](const std::string& a, const std::string& b) {
        std::vector<std::size_t> row(b.size() + 1);
        for (std::size_t j = 0; j <= b.size(); ++j)
            row[j] = j;
        for (std::size_t i = 1; i <= a.size(); ++i) {
            std::size_t diagonal = row[0];
            row[0] = i;
            for (std::size_t j = 1; j <= b.size(); ++j) {
                const std::size_t up = row[j];
                const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                                  std::tolower(static_cast<unsigned char>(b[j - 1]));
                row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
                diagonal = up;
            }
        }
        return row[b.size()];
    };
    std::string best;
    std::size_t bestDistance = 3;
    for (const KnownSetting& known : knownSettings()) {
        const std::size_t d = distance(name, known.name);
        if (d < bestDistance) {
            best = known.name;
            bestDistance = d;
        }
    }
    return best;
}

// The values the layers below a settings file give, for what is used when
// one of its values does not read.
using SettingValues = std::map<std::string, std::string>;

void checkSettingsFile(const Folder& folder, const std::string& name, SettingValues& below, Findings& findings) {
    std::ifstream in(folder.path / name);
    if (!in.is_open()) {
        findings.warning(name, 0, "cannot be read: the settings below it stand");
        return;
    }
    std::map<std::string, int> lastLine;
    SettingValues mine;
    for (const SettingsFileLine& line : readSettingsLines(in)) {
        if (line.kind == SettingsLine::Malformed) {
            findings.warning(name, line.number,
                             "this line is not Name=Value (" + quoted(quotedForLog(line.text)) +
                                 "): the game skips it");
            continue;
        }
        if (line.kind != SettingsLine::Setting)
            continue;
        if (lastLine.count(line.name) > 0)
            findings.warning(name, lastLine[line.name],
                             line.name + " is set again on line " + std::to_string(line.number) +
                                 ": only the later line counts");
        lastLine[line.name] = line.number;
        const KnownSetting* known = findSetting(line.name);
        if (!known) {
            const std::string meant = likelySetting(line.name);
            findings.warning(name, line.number,
                             "unknown setting " + quotedForLog(line.name) + ", it is not used" +
                                 (meant.empty() ? std::string() : " (did you mean " + meant + "?)"));
            continue;
        }
        if (!settingValueReads(*known, line.value)) {
            const auto fallback = below.find(line.name);
            findings.warning(name, line.number,
                             line.name + "=" + quotedForLog(line.value) + " does not read as " +
                                 (known->kind == SettingKind::Boolean ? "1 or 0" : "a number") + ": the default " +
                                 (fallback != below.end() ? fallback->second : std::string("off")) + " is used");
            continue;
        }
        mine[line.name] = line.value;
        const std::string remark = numberTextRemark(line.value, known->kind == SettingKind::Boolean);
        if (!remark.empty())
            findings.warning(name, line.number, line.name + "=" + line.value + " " + remark);
    }
    for (const auto& [key, value] : mine)
        below[key] = value;
}

void checkSettings(const Folder& folder, Findings& findings) {
    SettingValues values = settingsWithDefaults({});
    if (isFile(folder.path / "Defaults/Settings.ini"))
        checkSettingsFile(folder, "Defaults/Settings.ini", values, findings);
    else if (folder.hasDefaults)
        findings.warning("Defaults/Settings.ini", 0, "missing: the built-in defaults stand");
    if (isFile(folder.path / "Settings.ini"))
        checkSettingsFile(folder, "Settings.ini", values, findings);
    else if (!folder.hasDefaults)
        findings.warning("Settings.ini", 0, "missing: every setting takes its default");
}

// --- Savegame.dat, TutorialFlags.dat ---

void checkSavegame(const fs::path& folder, Findings& findings) {
    const std::string name = "Savegame.dat";
    if (!isFile(folder / name))
        return; // a new game: written at the first save
    NumberedFile file((folder / name).string());
    if (!loadFolderFile(file, name, findings, true, "and Drovil does not start (the save is kept as it is)"))
        return;
    std::map<std::int32_t, std::int32_t> areaOfZone;
    for (const ZoneTableRow& row : zoneTable())
        areaOfZone[static_cast<std::int32_t>(row.zone)] = static_cast<std::int32_t>(row.areaId);
    for (const auto& [key, value] : file.entries()) {
        const int line = file.lineOf(key);
        if (key == "next_mission_id") {
            checkNumber(name, line, key, value, ValueKind::Whole, findings);
            if (const auto id = parseIntText(value); id && *id < 0)
                findings.warning(name, line, key + " is negative: mission ids go on from 0");
        } else if (key == "pending_payment") {
            checkNumber(name, line, key, value, ValueKind::Number, findings);
            if (const auto amount = parseFloatText(value); amount && *amount > maxPayableDollars)
                findings.warning(name, line,
                                 key + " is more than the game's cash can take at once: it is paid in parts");
        } else if (key.rfind("missions.", 0) == 0) {
            const std::optional<int> area = parseIntText(key.substr(9));
            const auto zone = area ? areaOfZone.find(*area) : areaOfZone.end();
            if (zone == areaOfZone.end()) {
                findings.warning(name, line, "key " + key + " names no map area: the game never reads it");
                continue;
            }
            checkNumber(name, line, key, value, ValueKind::Whole, findings);
            if (zone->second != zone->first)
                findings.warning(name, line,
                                 "key " + key + " is the slot of an outlying town: the game moves it to missions." +
                                     std::to_string(zone->second));
        } else {
            findings.warning(name, line, "key " + key + " is not a key of the save: the game never reads it");
        }
    }
}

void checkTutorialFlags(const fs::path& folder, const ShippedFiles& shipped, Findings& findings) {
    const std::string name = "TutorialFlags.dat";
    if (!isFile(folder / name))
        return;
    NumberedFile file((folder / name).string());
    if (!loadFolderFile(file, name, findings, false, "and the tutorials after it are shown again"))
        return;
    const NumberedFile lang = shippedFile("Lang.dat", shipped.lang);
    for (const auto& [key, value] : file.entries()) {
        if (lang.entries().count("tutorial." + key) == 0)
            findings.warning(name, file.lineOf(key), "key " + key + " is not a tutorial: the game never reads it");
        else
            checkNumber(name, file.lineOf(key), key, value, ValueKind::Whole, findings);
    }
}

// --- Missions/<id>.dat ---

void checkMissionFile(const fs::path& path, const std::string& name, Findings& findings) {
    const std::string stem = path.stem().string();
    const std::optional<int> id = parseIntText(stem);
    if (!id || std::to_string(*id) != stem) {
        findings.warning(name, 0, "the name is not <mission id>.dat: the game never reads this file");
        return;
    }
    NumberedFile file(path.string());
    if (!loadFolderFile(file, name, findings, false, "and the game sets the mission file aside (.bad)"))
        return;
    static const std::set<std::string> positions = {"coords", "blipCoords"};
    static const std::set<std::string> floats = {"ambienceRadius", "spawnDistance", "targetFleeChance",
                                                 "blipRadius", "missionAreaRadius"};
    static const std::set<std::string> essential = {"coords", "settingId", "areaId"};
    const std::vector<std::string>& keys = MissionDataFiles::keys();
    for (const std::string& key : keys) {
        if (file.entries().count(key) > 0)
            continue;
        findings.warning(name, 0,
                         "key " + key + " is missing" +
                             (essential.count(key) ? ": the mission cannot be restored and is set aside (.bad)"
                                                   : ": the game reads it as absent"));
    }
    for (const auto& [key, value] : file.entries()) {
        const int line = file.lineOf(key);
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
            findings.warning(name, line, "key " + key + " is not a key of a mission file: the game never reads it");
            continue;
        }
        bool reads = true;
        if (positions.count(key)) {
            reads = file.readPosition(key).has_value();
            if (!reads)
                findings.warning(name, line, key + ": " + quoted(value) + " is not x,y,z of three numbers");
        } else {
            const ValueKind kind = floats.count(key) ? ValueKind::Number : ValueKind::Whole;
            checkNumber(name, line, key, value, kind, findings);
            reads = kind == ValueKind::Whole ? parseIntText(value).has_value() : parseFloatText(value).has_value();
        }
        if (!reads && essential.count(key))
            findings.warning(name, line, "without a readable " + key + " the mission is set aside (.bad)");
        if (key == "id" && reads && parseIntText(value) != id)
            findings.warning(name, line, "id " + value + " differs from the file's name " + stem);
    }
}

void checkMissions(const fs::path& folder, Findings& findings) {
    std::error_code error;
    if (!fs::is_directory(folder / "Missions", error))
        return;
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder / "Missions", error))
        if (entry.path().extension() == ".dat")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& path : files)
        checkMissionFile(path, "Missions/" + path.filename().string(), findings);
}

// The files in the order they are printed: each file's defaults before the
// player's own, the translations after the texts.
std::vector<std::string> fileOrder(const fs::path& folder) {
    std::vector<std::string> order{"Defaults/Settings.ini", "Settings.ini", "Defaults/Lang.dat", "Lang.dat"};
    for (const std::string& name : translationFiles(folder))
        order.push_back(name);
    for (const char* name : {"Defaults/GeneralMeta.dat", "GeneralMeta.dat", "Defaults/AI.dat", "AI.dat",
                             "Savegame.dat", "TutorialFlags.dat"})
        order.push_back(name);
    return order;
}

} // namespace

std::vector<Finding> checkFolder(const fs::path& path, const ShippedFiles& shipped) {
    const LogSink previous = setLogSink(quiet);
    std::vector<Finding> all;
    Findings findings(all);
    std::error_code error;
    const Folder folder{path, fs::is_directory(path / "Defaults", error)};
    if (!folder.hasDefaults)
        findings.warning("Defaults/", 0,
                         "missing: the game reads the files of the folder alone, as an install before the "
                         "defaults had a folder of their own; unpack Drovil again to bring them back");
    checkSettings(folder, findings);
    checkLang(folder, shipped, findings);
    checkTuning(folder, "GeneralMeta.dat", shipped.generalMeta, findings);
    checkTuning(folder, "AI.dat", shipped.ai, findings);
    checkSavegame(path, findings);
    checkTutorialFlags(path, shipped, findings);
    checkMissions(path, findings);
    setLogSink(previous);
    return all;
}

int runCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const char* usage = "usage: drovil-check DIR\n"
                        "       drovil-check --reference\n"
                        "Checks a Drovil/ folder before the game starts, with the plug-in's own readers: the shipped\n"
                        "defaults in Defaults/ (Settings.ini, Lang.dat, GeneralMeta.dat, AI.dat), the player's own\n"
                        "files of the same names read over them, the translations Lang.<language>.dat, and\n"
                        "Savegame.dat, TutorialFlags.dat and Missions/. Each problem is named with its file and\n"
                        "line (numbered from 1): lines the game cannot read, keys missing or unknown against the\n"
                        "shipped files, numbers that do not read or use a decimal comma, Lang texts whose\n"
                        "placeholders differ from the shipped text's or that are longer than the screen takes,\n"
                        "untranslated keys, unknown settings and setting values that do not read. Exit status 0\n"
                        "when the folder would load and show every text as its files say, 1 when it would not, 2\n"
                        "for a wrong command line.\n"
                        "--reference prints the modder's reference as Markdown (docs/modding.md): every key of the\n"
                        "shipped files with where its text shows or what its value does, the settings, the\n"
                        "translations' language tags, the script events and the entity decorators.\n";
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        out << usage;
        return 0;
    }
    if (arguments.size() == 1 && arguments[0] == "--reference") {
        writeModdingReference(out, builtInShippedFiles());
        return 0;
    }
    if (arguments.size() != 1) {
        err << usage;
        return 2;
    }
    const fs::path folder = arguments[0];
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        err << "drovil-check: no such folder '" << arguments[0] << "'\n";
        return 2;
    }
    const std::vector<Finding> findings = checkFolder(folder, builtInShippedFiles());

    // Per file: every file of the fixed list, then the mission files met.
    std::vector<std::string> files = fileOrder(folder);
    files.insert(files.begin(), "Defaults/");
    for (const Finding& finding : findings)
        if (std::find(files.begin(), files.end(), finding.file) == files.end())
            files.push_back(finding.file);
    int errors = 0;
    int warnings = 0;
    for (const std::string& file : files) {
        std::vector<const Finding*> ofFile;
        for (const Finding& finding : findings)
            if (finding.file == file)
                ofFile.push_back(&finding);
        if (ofFile.empty()) {
            if (isFile(folder / file))
                out << file << ": ok\n";
            continue;
        }
        std::stable_sort(ofFile.begin(), ofFile.end(),
                         [](const Finding* a, const Finding* b) { return a->line < b->line; });
        for (const Finding* finding : ofFile) {
            out << finding->file;
            if (finding->line > 0)
                out << ":" << finding->line;
            out << ": " << (finding->error ? "error" : "warning") << ": " << finding->message << "\n";
            (finding->error ? errors : warnings) += 1;
        }
    }
    out << errors << " error" << (errors == 1 ? "" : "s") << ", " << warnings << " warning"
        << (warnings == 1 ? "" : "s") << ": "
        << (errors == 0 ? "the folder would load and show every text"
                        : "the folder would not load or show every text as its files say")
        << "\n";
    return errors == 0 ? 0 : 1;
}

} // namespace drovil::check
