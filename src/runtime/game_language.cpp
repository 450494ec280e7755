#include "runtime/game_language.h"

#include <cctype>

namespace drovil {

const std::vector<GameLanguage>& gameLanguages() {
    // Where the game has two forms of a language, the tag names the region.
    static const auto* languages = new std::vector<GameLanguage>{
        {0, "English", "en"},
        {1, "French", "fr"},
        {2, "German", "de"},
        {3, "Italian", "it"},
        {4, "Spanish", "es"},
        {5, "Brazilian Portuguese", "pt-BR"},
        {6, "Polish", "pl"},
        {7, "Russian", "ru"},
        {8, "Korean", "ko"},
        {9, "Traditional Chinese", "zh-TW"},
        {10, "Japanese", "ja"},
        {11, "Mexican Spanish", "es-MX"},
        {12, "Simplified Chinese", "zh-CN"},
    };
    return *languages;
}

const GameLanguage* findGameLanguage(int id) {
    for (const GameLanguage& language : gameLanguages())
        if (language.id == id)
            return &language;
    return nullptr;
}

const GameLanguage* findLanguageTag(std::string_view tag) {
    auto same = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    };
    for (const GameLanguage& language : gameLanguages())
        if (same(tag, language.tag))
            return &language;
    return nullptr;
}

std::string translationFileName(const GameLanguage& language) {
    return std::string("Lang.") + language.tag + ".dat";
}

} // namespace drovil
