#pragma once
// What a modder or translator needs to know about every key Drovil reads and
// every mark it leaves for other scripts, which the files themselves cannot
// say: where a text shows, what a tuning value means and what it does when it
// is missing, the script events and the entity decorators. `drovil-check
// --reference` prints it with the shipped files' values as docs/modding.md;
// tests/tools/reference_catalogue_test.cpp holds it to the source tree and the
// shipped files, so a key added to either without an entry here fails there.
#include <cstddef>
#include <string>
#include <vector>

namespace drovil::check {

// Where a Lang.dat text is shown.
enum class TextPlace {
    Subtitle, // the one-line message at the bottom of the screen
    HelpBox,  // the help box at the top left
    Toast,    // a notification with an icon
    Prompt,   // a button prompt, beside its control
    Card,     // the back of the contract card
    Menu,     // the contract menu
    MapBlip,  // a blip's name on the map (and, for the target, his name when aimed at)
    NotShown, // kept in the file, shown nowhere by this version
};

struct LangEntry {
    // The key, or a family of keys in which <template>, <variant> and
    // <setting> stand for whole numbers.
    const char* key;
    TextPlace place;
    const char* when;        // when the player sees it
    const char* filledWith;  // what the placeholder is filled with; null when the text takes none
    const char* longestFill; // the longest value filled in, to measure the text as shown
    bool lineBreaks;         // '@' starts a new line
    std::size_t limit = 0;   // bytes as shown, when the code cuts this text shorter than its place does
};

enum class TuningFile { GeneralMeta, AI };

struct TuningEntry {
    TuningFile file;
    const char* key;
    bool wholeNumber; // read as a whole number; otherwise as any number
    const char* unit;
    const char* range;      // the values that make sense
    const char* whenAbsent; // what the plug-in does without the key (or with a value that does not read)
    const char* effect;
};

struct SettingEntry {
    const char* name;
    const char* effect;
};

struct ScriptEventEntry {
    const char* name;
    const char* direction; // "received" or "sent"
    const char* data;      // the values after the name's hash
    const char* notes;
};

enum class DecoratorOwner {
    Registered,   // Drovil's own, registered at start-up as an integer
    Unregistered, // Drovil's own name, set but not registered by this version
    Game,         // the game's own, which Drovil sets
};

struct DecoratorEntry {
    const char* name;
    DecoratorOwner owner;
    const char* on; // the entities that carry it
    const char* meaning;
};

const std::vector<LangEntry>& langCatalogue();
const std::vector<TuningEntry>& tuningCatalogue();
const std::vector<SettingEntry>& settingCatalogue();
const std::vector<ScriptEventEntry>& scriptEventCatalogue();
const std::vector<DecoratorEntry>& decoratorCatalogue();

// What a number of a key family stands for: a template (0 to 5) or a
// setting (0 to 8); empty for others.
std::string keyNumberMeaning(const std::string& name, int number);
// How many templates and settings keyNumberMeaning knows.
int knownTemplateCount();
int knownSettingCount();

// The entry whose key or family covers `key`, or null.
const LangEntry* findLangEntry(const std::string& key);
const TuningEntry* findTuningEntry(const std::string& key);

// Whether `key` is one of the family `pattern` (<template>, <variant> and
// <setting> standing for whole numbers); a plain key covers only itself.
bool keyMatches(const char* pattern, const std::string& key);

// The most bytes a text of the place shows, or 0 when Drovil sets no limit
// (the game's own layout decides).
std::size_t placeLimit(TextPlace place);
// The entry's limit: its own, or its place's.
std::size_t textLimit(const LangEntry& entry);
const char* placeName(TextPlace place);
const char* tuningFileName(TuningFile file);

} // namespace drovil::check
