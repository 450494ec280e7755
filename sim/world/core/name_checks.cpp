#include "world/core/name_checks.h"

#include "world/core/strings.h"

#include <cstdio>
#include <cstdlib>

namespace sim {

bool NameChecks::standsInGame(NameStanding standing) const {
    switch (standing) {
    case NameStanding::Listed:
    case NameStanding::Unchecked:
    case NameStanding::Own:
        return true;
    case NameStanding::Unconfirmed:
        return !unconfirmedMissing;
    case NameStanding::Absent:
        return false;
    }
    return false;
}

bool NameChecks::has(NameKind kind, std::uint32_t hash) const {
    return kind == NameKind::Other || standsInGame(GameNames::catalogue().standing(kind, hash));
}

bool NameChecks::inGame(NameKind kind, std::uint32_t hash, const char* use) {
    if (has(kind, hash))
        return true;
    // A zero is no name at all (a field never set, a damaged mission file's):
    // the game has nothing of it, and there is no typo to stop on.
    if (hash == 0) {
        refused_.push_back("0");
        return false;
    }
    const GameName* entry = GameNames::catalogue().find(kind, hash);
    refuse(kind, entry ? entry->name : nameOf(hash), use);
    return false;
}

bool NameChecks::inGame(NameKind kind, std::string_view name, const char* use) {
    if (has(kind, gameHash(std::string(name))))
        return true;
    refuse(kind, std::string(name), use);
    return false;
}

void NameChecks::refuse(NameKind kind, const std::string& name, const char* use) {
    // An unconfirmed name taken as missing is what the test asked to see.
    const GameName* entry = GameNames::catalogue().find(kind, name);
    const bool unconfirmed = entry && entry->standing == NameStanding::Unconfirmed;
    if (strict && !unconfirmed) {
        std::fprintf(stderr,
                     "\n*** simulator: the plug-in passed the %s '%s' (%s), which the game does not have: "
                     "add it to sim/world/core/game_names.tsv only once the game's catalogue or its own scripts "
                     "show it ***\n",
                     GameNames::kindName(kind), name.c_str(), use);
        std::fflush(stderr);
        std::abort();
    }
    refused_.push_back(name);
}

bool NameChecks::wasRefused(const std::string& name) const {
    for (const std::string& refused : refused_)
        if (refused == name)
            return true;
    return false;
}

void NameChecks::noteHashed(std::string_view name, std::uint32_t hash) {
    if (hashed_.size() < keptHashedNames && hashed_.find(hash) == hashed_.end())
        hashed_.emplace(hash, std::string(name));
}

std::string NameChecks::nameOf(std::uint32_t hash) const {
    const auto found = hashed_.find(hash);
    if (found != hashed_.end())
        return found->second;
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hash));
    return text;
}

} // namespace sim
