// The modder's reference cannot drift from the code or the shipped files:
// every key, setting, script event and decorator the source names and every
// key the shipped files hold has its catalogue entry, every entry is shipped or
// read, and docs/modding.md is what `drovil-check --reference` prints.
#include "folder_check.h"
#include "modding_reference.h"
#include "reference_catalogue.h"
#include "runtime/data_file.h"
#include "runtime/log.h"
#include "runtime/settings_format.h"
#include "tools/source_literals.h"
#include "ui/lang_format.h"
#include "world/data/map_area_table.h"
#include "world/data/zone_table.h"
#include "world/mission_templates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace drovil {
namespace {
namespace fs = std::filesystem;
using check::findLangEntry;
using check::findTuningEntry;

const char* const regenerate =
    "then regenerate the reference: build/dev/tools/check/drovil-check --reference > docs/modding.md";
const char* const catalogueFile = "tools/check/reference_catalogue.cpp";

std::map<std::string, std::string> shippedEntries(const std::string& text) {
    const LogSink previous = setLogSink([](const std::string&) {});
    DictDataFile file("shipped");
    std::istringstream in(text);
    file.loadFrom(in);
    setLogSink(previous);
    return file.entries();
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// What the source names, by kind, each with where it is named first.
struct NamedInSource {
    std::map<std::string, std::string> langKeys;     // read from Lang.dat
    std::map<std::string, std::string> langFamilies; // key prefixes the code completes ("contract_modal.x.")
    std::map<std::string, std::string> tuningKeys;   // read from GeneralMeta.dat or AI.dat
    std::map<std::string, std::string> settings;
    std::map<std::string, std::string> events;
    std::map<std::string, std::string> decorators;
    std::map<std::string, std::set<std::string>> decoratorFiles; // every file naming each decorator
};

const NamedInSource& namedInSource() {
    static const NamedInSource* named = [] {
        auto* result = new NamedInSource;
        const std::regex dottedKey(R"(^[a-z][a-z0-9_]*(\.[a-z0-9_]+)+\.?$)");
        const std::regex eventName(R"(^(DROVIL|DOG_COMPANION)_[A-Z0-9_]+$)");
        const std::regex ownDecorator(R"(^KV_\w+$)");
        // The call a literal is the argument of, from the end of its statement so far.
        const std::regex tutorialCall(R"(triggerTutorial\s*\(\s*$)");
        const std::regex hintCall(R"(showHintOnce\s*\(\s*$)");
        const std::regex settingCall(R"(getSetting\w*\s*\(\s*$)");
        const std::regex decoratorCall(R"(decorator::\w+\s*\(.*,\s*$)");
        const std::regex dataFileRead(R"(\.get(Int|Float|Bool|String|Position)\s*\(\s*$)");
        auto tail = [](const std::string& before) {
            return before.size() > 160 ? before.substr(before.size() - 160) : before;
        };
        for (const testing::SourceLiteral& literal : testing::sourceLiterals(DROVIL_SOURCE_DIR)) {
            const std::string& text = literal.text;
            const std::string before = tail(literal.before);
            auto calledBy = [&](const std::regex& call) { return std::regex_search(before, call); };
            auto note = [&](std::map<std::string, std::string>& into, const std::string& name) {
                into.emplace(name, literal.where());
            };
            if (calledBy(tutorialCall)) {
                note(result->langKeys, "tutorial." + text);
            } else if (calledBy(hintCall)) {
                note(result->langKeys, "tutorial.hints." + text);
            } else if (calledBy(settingCall)) {
                note(result->settings, text);
            } else if (std::regex_search(text, eventName)) {
                note(result->events, text);
            } else if (std::regex_search(text, ownDecorator) || calledBy(decoratorCall)) {
                note(result->decorators, text);
                result->decoratorFiles[text].insert(literal.file);
            } else if (std::regex_search(text, dottedKey)) {
                if (endsWith(text, "."))
                    note(result->langFamilies, text);
                else if (calledBy(dataFileRead))
                    note(result->tuningKeys, text);
                else
                    note(result->langKeys, text);
            }
        }
        return result;
    }();
    return *named;
}

// Key prefixes the code completes that name no catalogue family, and why.
const std::map<std::string, std::string>& otherPrefixes() {
    static const auto* prefixes = new std::map<std::string, std::string>{
        {"missions.", "the area slots of Savegame.dat"},
        {"hints.", "hint names, shown as tutorial.hints.<name>"},
    };
    return *prefixes;
}

std::string langEntryToAdd(const std::string& key) {
    return "add {\"" + key +
           "\", TextPlace::<where it shows>, \"<when the player sees it>\", <what fills its placeholder, or "
           "nullptr>, \"<the longest value filled in, or empty>\", <whether @ breaks lines>} to "
           "langCatalogue() in " +
           catalogueFile;
}

TEST(ReferenceCatalogue, KnowsEveryLangKeyTheCodeReadsAndTheShippedFileHolds) {
    const auto lang = shippedEntries(check::builtInShippedFiles().lang);
    for (const auto& [key, where] : namedInSource().langKeys) {
        EXPECT_NE(findLangEntry(key), nullptr)
            << where << " shows the Lang.dat text \"" << key
            << "\", which the modder's reference does not know: " << langEntryToAdd(key) << ", " << regenerate
            << ". (A GeneralMeta.dat or AI.dat key read through "
            << "a reader other than getInt/getFloat lands here too: add it to tuningCatalogue() instead.)";
        EXPECT_EQ(lang.count(key), 1u) << where << " shows the Lang.dat text \"" << key
                                       << "\", which data/Drovil/Lang.dat does not hold: add " << key
                                       << "=<the English text> to data/Drovil/Lang.dat, " << regenerate;
    }
    for (const auto& [prefix, where] : namedInSource().langFamilies) {
        bool known = otherPrefixes().count(prefix) > 0;
        for (const check::LangEntry& entry : check::langCatalogue())
            known = known || std::string(entry.key).rfind(prefix, 0) == 0;
        EXPECT_TRUE(known) << where << " builds keys from \"" << prefix
                           << "\", which no catalogue family covers: add the family (a key with <template>, "
                              "<variant> or <setting> for its numbers) to langCatalogue() in "
                           << catalogueFile << ", " << regenerate;
    }
    for (const auto& [key, text] : lang) {
        const check::LangEntry* entry = findLangEntry(key);
        EXPECT_NE(entry, nullptr) << "data/Drovil/Lang.dat holds \"" << key
                                  << "\", which the modder's reference does not know: " << langEntryToAdd(key)
                                  << ", " << regenerate;
        if (!entry)
            continue;
        EXPECT_EQ(!langPlaceholders(text).empty(), entry->filledWith != nullptr)
            << "Lang.dat's \"" << key << "\" has the placeholders \"" << text << "\" but its catalogue entry "
            << (entry->filledWith ? "says it is filled" : "says nothing fills it")
            << ": correct its filledWith and longestFill in " << catalogueFile << ", " << regenerate;
    }
}

TEST(ReferenceCatalogue, EveryLangEntryIsShippedOrRead) {
    const auto lang = shippedEntries(check::builtInShippedFiles().lang);
    for (const check::LangEntry& entry : check::langCatalogue()) {
        bool used = false;
        for (const auto& [key, text] : lang)
            used = used || check::keyMatches(entry.key, key);
        used = used || namedInSource().langKeys.count(entry.key) > 0;
        EXPECT_TRUE(used) << "the catalogue entry \"" << entry.key
                          << "\" is neither in data/Drovil/Lang.dat nor read by src/: remove it from "
                             "langCatalogue() in "
                          << catalogueFile << " (or fix its key), " << regenerate;
    }
}

std::string tuningEntryToAdd(const std::string& key) {
    return "add {TuningFile::<GeneralMeta or AI>, \"" + key +
           "\", <whole number?>, \"<unit>\", \"<sensible range>\", \"<what the plug-in does without it>\", "
           "\"<effect>\"} to tuningCatalogue() in " +
           catalogueFile;
}

TEST(ReferenceCatalogue, KnowsEveryTuningKeyTheCodeReadsAndTheShippedFilesHold) {
    const auto meta = shippedEntries(check::builtInShippedFiles().generalMeta);
    const auto ai = shippedEntries(check::builtInShippedFiles().ai);
    for (const auto& [key, where] : namedInSource().tuningKeys) {
        const check::TuningEntry* entry = findTuningEntry(key);
        EXPECT_NE(entry, nullptr) << where << " reads the tuning key \"" << key
                                  << "\", which the modder's reference does not know: "
                                  << tuningEntryToAdd(key) << ", " << regenerate;
        if (entry) {
            EXPECT_EQ((entry->file == check::TuningFile::AI ? ai : meta).count(key), 1u)
                << where << " reads \"" << key << "\", which data/Drovil/"
                << check::tuningFileName(entry->file) << " does not hold: add it with its tuned value";
        }
    }
    for (const auto* file : {&meta, &ai}) {
        const check::TuningFile kind = file == &ai ? check::TuningFile::AI : check::TuningFile::GeneralMeta;
        for (const auto& [key, value] : *file) {
            const check::TuningEntry* entry = findTuningEntry(key);
            EXPECT_NE(entry, nullptr)
                << "data/Drovil/" << check::tuningFileName(kind) << " holds \"" << key
                << "\", which the modder's reference does not know: " << tuningEntryToAdd(key) << ", "
                << regenerate;
            if (entry) {
                EXPECT_EQ(entry->file, kind) << "the catalogue puts \"" << key << "\" in the wrong file";
            }
        }
    }
    for (const check::TuningEntry& entry : check::tuningCatalogue()) {
        const auto& file = entry.file == check::TuningFile::AI ? ai : meta;
        EXPECT_TRUE(file.count(entry.key) > 0 || namedInSource().tuningKeys.count(entry.key) > 0)
            << "the catalogue entry \"" << entry.key << "\" is neither in data/Drovil/"
            << check::tuningFileName(entry.file) << " nor read by src/: remove it from tuningCatalogue() in "
            << catalogueFile << ", " << regenerate;
    }
}

TEST(ReferenceCatalogue, KnowsEverySetting) {
    std::set<std::string> catalogued;
    for (const check::SettingEntry& entry : check::settingCatalogue())
        catalogued.insert(entry.name);
    const std::string toAdd =
        std::string("add {\"<Name>\", \"<what it does, on and off>\"} to settingCatalogue() in ") +
        catalogueFile + ", " + regenerate;
    for (const SettingSpec& spec : knownSettings())
        EXPECT_EQ(catalogued.count(spec.name), 1u)
            << "the setting " << spec.name
            << " (knownSettings(), src/runtime/settings_format.cpp) is not in the "
            << "modder's reference: " << toAdd;
    for (const std::string& name : catalogued)
        EXPECT_NE(findSetting(name), nullptr)
            << "the catalogue's setting " << name
            << " is not one the plug-in reads (knownSettings()): remove it from "
               "settingCatalogue() or add it to knownSettings()";
    for (const auto& [name, where] : namedInSource().settings)
        EXPECT_EQ(catalogued.count(name), 1u)
            << where << " reads the setting " << name
            << ", which the modder's reference does not know: add it to "
            << "knownSettings() in src/runtime/settings_format.cpp and " << toAdd;
    std::istringstream shipped(check::builtInShippedFiles().settings);
    for (const SettingsFileLine& line : readSettingsLines(shipped)) {
        if (line.kind == SettingsLine::Setting) {
            EXPECT_EQ(catalogued.count(line.name), 1u) << "data/Drovil/Settings.ini sets " << line.name
                                                       << ", which the modder's reference does not know";
        }
    }
}

TEST(ReferenceCatalogue, KnowsEveryScriptEventAndDecoratorTheCodeNames) {
    std::set<std::string> events;
    for (const check::ScriptEventEntry& entry : check::scriptEventCatalogue())
        events.insert(entry.name);
    for (const auto& [name, where] : namedInSource().events)
        EXPECT_EQ(events.count(name), 1u)
            << where << " names the script event " << name
            << ", which the modder's reference does not know: add {\"" << name
            << "\", \"<received or sent>\", \"<the values after the name's hash>\", \"<what happens>\"} to "
            << "scriptEventCatalogue() in " << catalogueFile << ", " << regenerate;
    for (const std::string& name : events)
        EXPECT_EQ(namedInSource().events.count(name), 1u)
            << "the catalogue's script event " << name << " is named nowhere in src/: remove it from "
            << "scriptEventCatalogue() in " << catalogueFile << ", " << regenerate;

    // A KV_ name in a file that registers decorators is registered there.
    std::set<std::string> registered;
    for (const std::string& file :
         testing::sourceFilesContaining(DROVIL_SOURCE_DIR, "decorator::registerName("))
        for (const auto& [name, files] : namedInSource().decoratorFiles)
            if (files.count(file))
                registered.insert(name);
    std::set<std::string> decorators;
    for (const check::DecoratorEntry& entry : check::decoratorCatalogue()) {
        decorators.insert(entry.name);
        EXPECT_EQ(namedInSource().decorators.count(entry.name), 1u)
            << "the catalogue's decorator " << entry.name << " is named nowhere in src/: remove it from "
            << "decoratorCatalogue() in " << catalogueFile << ", " << regenerate;
        if (std::string(entry.name).rfind("KV_", 0) == 0) {
            EXPECT_EQ(registered.count(entry.name) > 0, entry.owner == check::DecoratorOwner::Registered)
                << "the decorator " << entry.name << " is "
                << (registered.count(entry.name) ? "registered" : "not registered")
                << " by src/, not as its catalogue entry says: set its DecoratorOwner in " << catalogueFile
                << ", " << regenerate;
        } else {
            EXPECT_EQ(entry.owner, check::DecoratorOwner::Game)
                << entry.name << " is not a KV_ name of Drovil's";
        }
    }
    for (const auto& [name, where] : namedInSource().decorators)
        EXPECT_EQ(decorators.count(name), 1u)
            << where << " names the decorator " << name
            << ", which the modder's reference does not know: add {\"" << name
            << "\", DecoratorOwner::<Registered, Unregistered or Game>, \"<the entities on which>\", "
            << "\"<its values>\"} to decoratorCatalogue() in " << catalogueFile << ", " << regenerate;
}

TEST(ReferenceCatalogue, KnowsEveryTemplateAndSettingAndTheLongestNamesFilledIn) {
    EXPECT_EQ(check::knownTemplateCount(), static_cast<int>(missionTemplateTable().size()))
        << "a template was added or removed: say what its target is in templateMeanings() in "
        << catalogueFile;
    EXPECT_EQ(check::knownSettingCount(), static_cast<int>(missionSettingTable().size()))
        << "a setting was added or removed: name its scene in settingMeanings() in " << catalogueFile;

    // The length check of drovil-check measures a text with the longest value
    // the plug-in fills in.
    const check::LangEntry* gang = findLangEntry("contract_modal.target_description.0.0");
    const check::LangEntry* place = findLangEntry("contract_modal.target_whereabouts.0");
    ASSERT_NE(gang, nullptr);
    ASSERT_NE(place, nullptr);
    for (const MapAreaRow& row : mapAreaTable()) {
        EXPECT_LE(row.area.gangName.size(), std::string(gang->longestFill).size()) << row.area.gangName;
        EXPECT_LE(row.area.name.size(), std::string(place->longestFill).size()) << row.area.name;
    }
    for (const RegionNameRow& row : regionNameTable())
        EXPECT_LE(std::string(row.name).size(), std::string(place->longestFill).size()) << row.name;
}

TEST(ReferenceCatalogue, TheScanFindsWhatTheCodeNames) {
    // Guards the scan itself: were it to find nothing, every check above would pass.
    const NamedInSource& named = namedInSource();
    EXPECT_EQ(named.langKeys.count("toast.contract_accepted"), 1u);
    EXPECT_EQ(named.langKeys.count("tutorial.quest_giver"), 1u) << "a triggerTutorial name";
    EXPECT_EQ(named.langFamilies.count("contract_modal.target_whereabouts."), 1u);
    EXPECT_EQ(named.tuningKeys.count("guard.sight_range"), 1u);
    EXPECT_EQ(named.tuningKeys.count("contract.escape_distance"), 1u);
    EXPECT_EQ(named.settings.count("PricesScale"), 1u);
    EXPECT_EQ(named.events.count("DROVIL_MISSION_FINISHED"), 1u);
    EXPECT_EQ(named.decorators.count("honor_override"), 1u);
    EXPECT_EQ(named.decorators.count("KV_Drovil_isContractCard"), 1u);
    EXPECT_EQ(named.langKeys.count("guard.sight_range"), 0u) << "a tuning key is not a text";
}

TEST(ModdingReference, DocsModdingIsWhatDrovilCheckPrints) {
    std::ostringstream out, err;
    ASSERT_EQ(check::runCheckCommand({"--reference"}, out, err), 0) << err.str();
    const std::string generated = out.str();
    std::ifstream in(fs::path(DROVIL_SOURCE_DIR) / "docs" / "modding.md", std::ios::binary);
    const std::string committed((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (generated == committed)
        return;
    std::istringstream a(generated), b(committed);
    std::string lineA, lineB;
    int number = 0;
    while (true) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        ++number;
        if (!moreA && !moreB)
            break;
        if (lineA != lineB || moreA != moreB) {
            ADD_FAILURE()
                << "docs/modding.md is not what `drovil-check --reference` prints (the catalogue or the "
                   "shipped files changed): regenerate it after a build with\n"
                   "    build/dev/tools/check/drovil-check --reference > docs/modding.md\n"
                   "and commit it. First difference, line "
                << number << ":\n  printed:   " << (moreA ? lineA : "(end)")
                << "\n  committed: " << (moreB ? lineB : "(end)");
            return;
        }
    }
    ADD_FAILURE()
        << "docs/modding.md differs from `drovil-check --reference` in its line ends: regenerate it";
}

TEST(ModdingReference, ListsEveryShippedKeyAndText) {
    std::ostringstream out;
    check::writeModdingReference(out, check::builtInShippedFiles());
    const std::string reference = out.str();
    const check::ShippedFiles& shipped = check::builtInShippedFiles();
    auto listed = [&](const std::string& key) {
        return reference.find("| `" + key + "` |") != std::string::npos;
    };
    for (const std::string* text : {&shipped.lang, &shipped.generalMeta, &shipped.ai})
        for (const auto& [key, value] : shippedEntries(*text)) {
            EXPECT_TRUE(listed(key)) << key;
            const std::string shown = text == &shipped.lang ? "| " + value + " |" : "| `" + value + "` |";
            EXPECT_NE(reference.find(shown), std::string::npos) << "the shipped value of " << key;
        }
    for (const SettingSpec& spec : knownSettings())
        EXPECT_TRUE(listed(spec.name)) << spec.name;
    for (const check::ScriptEventEntry& entry : check::scriptEventCatalogue())
        EXPECT_TRUE(listed(entry.name)) << entry.name;
    for (const check::DecoratorEntry& entry : check::decoratorCatalogue())
        EXPECT_TRUE(listed(entry.name)) << entry.name;
}

} // namespace
} // namespace drovil
