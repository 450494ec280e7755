#include "modding_reference.h"

#include "reference_catalogue.h"
#include "runtime/data_file.h"
#include "runtime/game_language.h"
#include "runtime/log.h"
#include "runtime/settings_format.h"
#include "ui/lang_format.h"

#include <cctype>
#include <cstring>
#include <map>
#include <sstream>
#include <string>

namespace drovil::check {
namespace {

void quiet(const std::string&) {}

std::map<std::string, std::string> entriesOf(const std::string& name, const std::string& text) {
    const LogSink previous = setLogSink(quiet);
    DictDataFile file(name);
    std::istringstream in(text);
    file.loadFrom(in);
    setLogSink(previous);
    return file.entries();
}

// A table cell: pipes escaped, line ends as spaces.
std::string cell(const std::string& text) {
    std::string result;
    for (const char c : text) {
        if (c == '|')
            result += "\\|";
        else if (c == '\n' || c == '\r')
            result += ' ';
        else
            result += c;
    }
    return result;
}

std::string code(const std::string& text) {
    return "`" + text + "`";
}

std::string row(std::initializer_list<std::string> cells) {
    std::string line = "|";
    for (const std::string& text : cells)
        line += " " + text + " |";
    return line + "\n";
}

std::string placeholderCell(const LangEntry& entry, const std::string& shippedText) {
    const std::vector<std::string> placeholders = langPlaceholders(shippedText);
    if (placeholders.empty())
        return "none";
    std::string text;
    for (const std::string& placeholder : placeholders)
        text += (text.empty() ? "" : " ") + code(placeholder);
    if (entry.filledWith)
        text += ": " + std::string(entry.filledWith);
    return cell(text);
}

std::string limitCell(const LangEntry& entry) {
    const std::size_t limit = textLimit(entry);
    if (entry.place == TextPlace::NotShown)
        return "-";
    return limit == 0 ? "the game's layout" : std::to_string(limit) + " bytes";
}

const char* ownerText(DecoratorOwner owner) {
    switch (owner) {
    case DecoratorOwner::Registered:
        return "Drovil's, registered";
    case DecoratorOwner::Unregistered:
        return "Drovil's, not registered by this version";
    case DecoratorOwner::Game:
        return "the game's";
    }
    return "";
}

// The entry's `when` for one key of its family: each <name> becomes the
// key's number and what it stands for.
std::string whenFor(const LangEntry& entry, const std::string& key) {
    std::string when = entry.when;
    std::size_t k = 0;
    for (const char* p = entry.key; *p && k <= key.size();) {
        if (*p != '<') {
            ++p;
            ++k;
            continue;
        }
        const char* close = std::strchr(p, '>');
        if (!close)
            break;
        const std::string name(p + 1, close);
        std::size_t end = k;
        while (end < key.size() && std::isdigit(static_cast<unsigned char>(key[end])))
            ++end;
        const std::string number = key.substr(k, end - k);
        const std::string meaning =
            number.empty() ? std::string() : keyNumberMeaning(name, std::stoi(number));
        const std::string placeholder = "<" + name + ">";
        if (const std::size_t at = when.find(placeholder); at != std::string::npos)
            when.replace(at, placeholder.size(), number + (meaning.empty() ? "" : " (" + meaning + ")"));
        k = end;
        p = close + 1;
    }
    return when;
}

void writeIntroduction(std::ostream& out) {
    out << "# Drovil: the modder's and translator's reference\n\n"
           "Every key of the files in `Drovil/`, every text the plug-in shows, the script events other "
           "scripts "
           "can send and receive, and the entity decorators they can read. This page is generated: "
           "`drovil-check --reference` prints it from the plug-in's catalogue of keys "
           "(`tools/check/reference_catalogue.cpp`) and the shipped files of `data/Drovil/Defaults/`. Do not edit it "
           "by "
           "hand; after changing either, regenerate it with\n\n"
           "    build/dev/tools/check/drovil-check --reference > docs/modding.md\n\n"
           "A test fails while this page differs from what the command prints.\n\n"
           "## The data files\n\n"
           "The shipped files are in `Drovil/Defaults/`: `Settings.ini`, `Lang.dat`, `GeneralMeta.dat` and "
           "`AI.dat`. Do not edit them: every update replaces them. To change something, make a file of the "
           "same name in `Drovil/` itself (`Drovil/Settings.ini`, `Drovil/AI.dat`...) and put in it only the "
           "lines you change: the plug-in reads the defaults first and then your file over them, key by key, "
           "so a key you leave out keeps its default and a key a new version adds reaches you with its default. "
           "A full copy of a file works too (an install from before the defaults had their folder has one): its "
           "keys override every default, and the first start of each new version names in `Drovil/Log.log` "
           "those of your keys that differ from the defaults. An update never touches your files.\n\n"
           "All are plain 8-bit text, one `key=value` a line (UTF-8 for letters beyond ASCII). Nothing is "
           "trimmed (a space belongs to the key or the value), a value may not be empty or hold a `=`, and there "
           "are no comments: a line that is not `key=value` stops the file's loading. A file of yours that does "
           "not load is left out whole (the log and the screen name the file and the line) and the defaults "
           "stand; defaults that do not load keep Drovil from starting. A later line with the same key replaces "
           "an earlier one. Numbers use a decimal point. `Settings.ini` has the same lines, but a line starting "
           "with `;`, `/`, `[` or `\\` is a comment and a bad line is only skipped. Run `drovil-check Drovil` "
           "(see the README) on an edited folder: it reports every line, key, placeholder and length the game "
           "would trip over, naming the file of each.\n\n";
}

void writeTranslations(std::ostream& out) {
    out << "## Translations: Lang.<language>.dat\n\n"
           "Drovil shows its texts in the language the game is set to when it starts: it reads "
           "`Drovil/Defaults/Lang.dat` (English), then your `Drovil/Lang.dat` if you have one, then "
           "`Drovil/Lang.<tag>.dat` for the game's language, each over the one before, key by key. A key a "
           "translation leaves out shows in English. Updates never touch a translation (the release zip holds "
           "none), and several can sit side by side.\n\n"
           "To make one, copy `Drovil/Defaults/Lang.dat` to `Drovil/Lang.<tag>.dat` with the tag of your "
           "language below and translate the texts after the `=`, keeping every key as it is, the placeholders "
           "exactly as the shipped text has them, the `@` line breaks where they help, and each text within the "
           "limit of the table above (the limit counts bytes: a letter beyond ASCII takes two or more in UTF-8). "
           "Save it as UTF-8 and run `drovil-check Drovil`: it names every text whose placeholders or length "
           "are wrong and every key not translated yet. To install one, put the file into `Drovil/` beside "
           "the `Defaults/` folder, not into it; to remove it, delete it. Drovil's source ships a complete French translation, "
           "`data/translations/Lang.fr.dat`, also packed as its own zip, `Drovil-<version>-fr.zip`.\n\n";
    out << row({"Game language", "Number the game reports", "Tag", "File"});
    out << "|---|---|---|---|\n";
    for (const GameLanguage& language : gameLanguages())
        out << row({language.name, std::to_string(language.id), code(language.tag),
                    code("Drovil/" + translationFileName(language))});
    out << "\n";
}

void writeLang(std::ostream& out, const ShippedFiles& shipped) {
    const std::map<std::string, std::string> lang = entriesOf("Lang.dat", shipped.lang);
    out << "## Lang.dat: the texts\n\n"
           "Every text the player sees, as `Drovil/Defaults/Lang.dat` ships it. A key that no layer holds shows "
           "nothing where its text belongs (and is logged). "
           "Where a text takes a placeholder, keep exactly the shipped one (`%s` is filled with the value, "
           "`%%` "
           "is a percent sign); where the column says `@` breaks lines, an `@` starts a new line. The limit "
           "counts the bytes of the text as shown, placeholder filled with its longest value; the rest is "
           "cut "
           "off. Prompts name the game control they answer to. Tutorials (`tutorial.*`) are shown once, and "
           "an "
           "unforced one comes back one time in five; a forced one every time it is triggered.\n\n";
    out << row({"Key", "Shown in", "When", "Placeholders", "`@` breaks lines", "Limit", "Shipped text"});
    out << "|---|---|---|---|---|---|---|\n";
    for (const LangEntry& entry : langCatalogue()) {
        std::vector<std::string> keys;
        for (const auto& [key, text] : lang)
            if (keyMatches(entry.key, key) && findLangEntry(key) == &entry)
                keys.push_back(key);
        if (keys.empty())
            keys.push_back(entry.key); // read by the code, not shipped (yet)
        for (const std::string& key : keys) {
            const auto found = lang.find(key);
            const bool isShipped = found != lang.end();
            const std::string text = isShipped ? found->second : std::string();
            out << row({code(key), placeName(entry.place), cell(whenFor(entry, key)),
                        isShipped ? placeholderCell(entry, text)
                                  : (entry.filledWith ? cell(entry.filledWith) : "none"),
                        entry.lineBreaks ? "yes" : "no", limitCell(entry),
                        isShipped ? cell(text) : "(not in the shipped file)"});
        }
    }
    out << "\n";
}

void writeTuning(std::ostream& out, TuningFile file, const std::string& shippedText, const char* about) {
    const std::string name = tuningFileName(file);
    const std::map<std::string, std::string> values = entriesOf(name, shippedText);
    out << "## " << name << ": " << about << "\n\n"
        << "A whole-number key takes only whole numbers (`50`, not `50.5`). A missing key, or a value that "
           "does not read as a number, counts as absent: the column "
           "says what the plug-in then does (-999 is the value an absent key reads as). The range is what "
           "makes "
           "sense; the plug-in does not enforce it.\n\n";
    out << row({"Key", "Unit", "Number", "Shipped", "Range", "When absent", "Effect"});
    out << "|---|---|---|---|---|---|---|\n";
    for (const TuningEntry& entry : tuningCatalogue()) {
        if (entry.file != file)
            continue;
        const auto found = values.find(entry.key);
        out << row({code(entry.key), cell(entry.unit), entry.wholeNumber ? "whole" : "any",
                    found == values.end() ? "(not shipped)" : code(found->second), cell(entry.range),
                    cell(entry.whenAbsent), cell(entry.effect)});
    }
    out << "\n";
}

void writeSettings(std::ostream& out, const ShippedFiles& shipped) {
    std::istringstream in(shipped.settings);
    std::map<std::string, std::string> values;
    for (const SettingsFileLine& line : readSettingsLines(in))
        if (line.kind == SettingsLine::Setting)
            values[line.name] = line.value;
    out << "## Settings.ini: the player's options\n\n"
           "Names are case-sensitive. A boolean is a whole number: 0 and -1 are off, anything else on. A "
           "value "
           "that does not read, or a setting left out, takes the default; an unknown name is ignored.\n\n";
    out << row({"Setting", "Reads as", "Default", "Shipped", "Effect"});
    out << "|---|---|---|---|---|\n";
    for (const SettingEntry& entry : settingCatalogue()) {
        const KnownSetting* known = findSetting(entry.name);
        const auto found = values.find(entry.name);
        out << row({code(entry.name),
                    known ? (known->kind == SettingKind::Boolean ? "boolean" : "number") : "(not read)",
                    known && known->defaultValue ? code(known->defaultValue) : "off",
                    found == values.end() ? "(not shipped)" : code(found->second), cell(entry.effect)});
    }
    out << "\n";
}

void writeScriptEvents(std::ostream& out) {
    out << "## Script events\n\n"
           "Other scripts talk to Drovil through the game's script events of event group 1, of the type "
           "`EVENT_NETWORK_SCRIPT_EVENT`. An event's data is a block of 32-bit integers packed one after "
           "another: the first is the game's hash of the event's name (`GET_HASH_KEY`), the values below "
           "follow "
           "it. Send one with `TRIGGER_SCRIPT_EVENT` (`0x5AE99C571D5BBE5D`: 1, the block, the number of "
           "values including the name's "
           "hash, 2, a pointer to an int holding 1). The game copies the size in 8-byte script slots, size × "
           "8 "
           "bytes, so make the block that long and fill its tail with zeros (Drovil's own blocks are padded "
           "so). Drovil reads each received event into a 400-byte block (`GET_EVENT_DATA`, "
           "`0x57EC5FA4D4D6AFCA`, "
           "with 50 slots) "
           "and reads its values packed from the start. The game keeps an event in its queue for one "
           "frame only; Drovil reads the queue in every frame, those it spends waiting for the game "
           "inside one too (taking the target's photograph, a shove, loading a model), and carries out "
           "what it received at the end of the frame it was waiting in, in the order it came: an event "
           "sent meanwhile is not lost, though it may be carried out a few seconds later.\n\n";
    out << row({"Event", "Drovil", "Values after the name's hash", "What happens"});
    out << "|---|---|---|---|\n";
    for (const ScriptEventEntry& entry : scriptEventCatalogue())
        out << row({code(entry.name), entry.direction, cell(entry.data), cell(entry.notes)});
    out << "\n";
}

void writeDecorators(std::ostream& out) {
    out << "## Entity decorators\n\n"
           "Integer marks on entities that other scripts can read with `DECOR_GET_INT` "
           "(`0x44DB62727762FD9B`; "
           "0 when unset). Drovil registers those so marked at start-up (`DECOR_REGISTER`, "
           "`0x0B253D644E3C36B3`, "
           "with type 3, integer) and sets them with `DECOR_SET_INT`; the game's own it only sets.\n\n";
    out << row({"Decorator", "Whose", "On", "Values"});
    out << "|---|---|---|---|\n";
    for (const DecoratorEntry& entry : decoratorCatalogue())
        out << row({code(entry.name), ownerText(entry.owner), cell(entry.on), cell(entry.meaning)});
    out << "\n";
}

} // namespace

void writeModdingReference(std::ostream& out, const ShippedFiles& shipped) {
    writeIntroduction(out);
    writeLang(out, shipped);
    writeTranslations(out);
    writeTuning(out, TuningFile::GeneralMeta, shipped.generalMeta, "contracts and quest offers");
    writeTuning(out, TuningFile::AI, shipped.ai, "the guards of camps");
    writeSettings(out, shipped);
    writeScriptEvents(out);
    writeDecorators(out);
}

} // namespace drovil::check
