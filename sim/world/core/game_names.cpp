#include "world/core/game_names.h"

#include "world/core/strings.h"

#include <cstdio>
#include <cstdlib>

namespace sim {

// The lines of game_names.tsv, built in when the simulator is built.
extern const char* const gameNameLines[];
extern const std::size_t gameNameLineCount;

namespace {

struct KindWord {
    const char* word;
    NameKind kind;
};
constexpr KindWord kindWords[] = {
    {"model", NameKind::Model},         {"propset", NameKind::Propset},
    {"scenario", NameKind::Scenario},   {"weapon", NameKind::Weapon},
    {"ammo", NameKind::Ammo},           {"control", NameKind::Control},
    {"texdict", NameKind::TextureDictionary}, {"texture", NameKind::Texture},
    {"soundset", NameKind::SoundSet},   {"sound", NameKind::Sound},
    {"speech", NameKind::Speech},       {"animdict", NameKind::AnimDictionary},
    {"animclip", NameKind::AnimClip},   {"clipset", NameKind::Clipset},
    {"document", NameKind::Document},
};

struct GroupWord {
    const char* word;
    WeaponGroup group;
};
constexpr GroupWord groupWords[] = {
    {"unarmed", WeaponGroup::Unarmed},   {"melee", WeaponGroup::Melee},     {"thrown", WeaponGroup::Thrown},
    {"held", WeaponGroup::Held},         {"bow", WeaponGroup::Bow},         {"lasso", WeaponGroup::Lasso},
    {"fishingrod", WeaponGroup::FishingRod}, {"petrolcan", WeaponGroup::PetrolCan},
    {"pistol", WeaponGroup::Pistol},     {"revolver", WeaponGroup::Revolver}, {"repeater", WeaponGroup::Repeater},
    {"rifle", WeaponGroup::Rifle},       {"shotgun", WeaponGroup::Shotgun}, {"sniper", WeaponGroup::Sniper},
};

std::vector<std::string> fieldsOf(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        fields.emplace_back(line.substr(start, tab == std::string_view::npos ? line.npos : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

bool readStanding(const std::string& word, NameStanding& standing) {
    if (word == "game" || word == "scripts" || word == "named")
        standing = NameStanding::Listed;
    else if (word == "unlisted")
        standing = NameStanding::Unchecked;
    else if (word == "unconfirmed")
        standing = NameStanding::Unconfirmed;
    else if (word == "own")
        standing = NameStanding::Own;
    else
        return false;
    return true;
}

} // namespace

GameNames GameNames::read(const char* const* lines, std::size_t count, std::string& error) {
    GameNames names;
    names.names_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view line(lines[i]);
        if (line.empty() || line.front() == '#')
            continue;
        const std::vector<std::string> fields = fieldsOf(line);
        GameName entry;
        if (fields.size() < 3 || fields[1].empty() || !readStanding(fields[2], entry.standing)) {
            error = "game names, line " + std::to_string(i + 1) + ": '" + std::string(line) + "'";
            return GameNames();
        }
        entry.kindWord = fields[0];
        for (const KindWord& word : kindWords)
            if (entry.kindWord == word.word)
                entry.kind = word.kind;
        entry.name = fields[1];
        entry.hash = gameHash(entry.name);
        if (entry.kind == NameKind::Weapon) {
            for (const GroupWord& word : groupWords)
                if (fields.size() > 3 && fields[3] == word.word)
                    entry.group = word.group;
            if (entry.group == WeaponGroup::None) {
                error = "game names, line " + std::to_string(i + 1) + ": a weapon without its group";
                return GameNames();
            }
        }
        // A texture listed with its dictionary is found by its own name too.
        const std::size_t slash = entry.name.find('/');
        const std::uint32_t alsoAs = entry.kind == NameKind::Texture && slash != std::string::npos
                                         ? gameHash(entry.name.substr(slash + 1))
                                         : entry.hash;
        names.index_.emplace(key(entry.kind, entry.hash), names.names_.size());
        names.index_.emplace(key(entry.kind, alsoAs), names.names_.size());
        names.names_.push_back(std::move(entry));
    }
    return names;
}

const GameNames& GameNames::catalogue() {
    static const GameNames* table = [] {
        std::string error;
        auto* names = new GameNames(read(gameNameLines, gameNameLineCount, error));
        if (!error.empty()) {
            std::fprintf(stderr, "\n*** simulator: %s does not read ***\n", error.c_str());
            std::abort();
        }
        return names;
    }();
    return *table;
}

const GameName* GameNames::find(NameKind kind, std::uint32_t hash) const {
    const auto found = index_.find(key(kind, hash));
    return found == index_.end() ? nullptr : &names_[found->second];
}

const GameName* GameNames::find(NameKind kind, std::string_view name) const {
    return find(kind, gameHash(std::string(name)));
}

NameStanding GameNames::standing(NameKind kind, std::uint32_t hash) const {
    const GameName* entry = find(kind, hash);
    return entry ? entry->standing : NameStanding::Absent;
}

WeaponGroup GameNames::weaponGroup(std::uint32_t weapon) {
    const GameName* entry = catalogue().find(NameKind::Weapon, weapon);
    return entry ? entry->group : WeaponGroup::None;
}

bool GameNames::isGunGroup(WeaponGroup group) {
    switch (group) {
    case WeaponGroup::Pistol:
    case WeaponGroup::Revolver:
    case WeaponGroup::Repeater:
    case WeaponGroup::Rifle:
    case WeaponGroup::Shotgun:
    case WeaponGroup::Sniper:
        return true;
    default:
        return false;
    }
}

const char* GameNames::kindName(NameKind kind) {
    switch (kind) {
    case NameKind::Model: return "model";
    case NameKind::Propset: return "propset";
    case NameKind::Scenario: return "scenario";
    case NameKind::Weapon: return "weapon";
    case NameKind::Ammo: return "ammunition";
    case NameKind::Control: return "control";
    case NameKind::TextureDictionary: return "texture dictionary";
    case NameKind::Texture: return "texture";
    case NameKind::SoundSet: return "sound set";
    case NameKind::Sound: return "sound";
    case NameKind::Speech: return "speech line";
    case NameKind::AnimDictionary: return "animation dictionary";
    case NameKind::AnimClip: return "animation clip";
    case NameKind::Clipset: return "clip set";
    case NameKind::Document: return "document item";
    case NameKind::Other: return "name";
    }
    return "name";
}

} // namespace sim
