#pragma once
// The languages the game can be set to, each with the short tag that names its
// translation of the texts, Drovil/Lang.<tag>.dat.
#include <string>
#include <string_view>
#include <vector>

namespace drovil {

struct GameLanguage {
    int id;           // as the game reports its current language
    const char* name; // in English
    const char* tag;  // "fr": Lang.fr.dat
};

// Every language of the game, by id.
const std::vector<GameLanguage>& gameLanguages();
// Null for an id the game does not have (or a later game's).
const GameLanguage* findGameLanguage(int id);
// Null for a tag no language has; tags compare without regard to case, as
// Windows names files.
const GameLanguage* findLanguageTag(std::string_view tag);

// "Lang.<tag>.dat".
std::string translationFileName(const GameLanguage& language);

} // namespace drovil
