#include "natives/families.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace sim {
namespace n = drovil::natives::decl;
using namespace drovil;

namespace {
// Splits the drawn markup <FONT FACE='$font' COLOR='#ffffff'>text</FONT>.
void parseMarkup(DrawnText& drawn) {
    const std::string& m = drawn.markup;
    const std::string faceKey = "FACE='";
    auto face = m.find(faceKey);
    auto open = m.find('>');
    auto close = m.rfind("</FONT>");
    if (face != std::string::npos) {
        auto end = m.find('\'', face + faceKey.size());
        drawn.font = m.substr(face + faceKey.size(), end - face - faceKey.size());
    }
    if (open != std::string::npos && close != std::string::npos && close > open)
        drawn.text = m.substr(open + 1, close - open - 1);
    else
        drawn.text = m;
}

// The UI feed reads its records at fixed offsets, whatever the plug-in's
// structures look like: read them the same way.
template <class T> T readAt(const void* record, std::size_t offset) {
    T value{};
    if (record)
        std::memcpy(&value, static_cast<const unsigned char*>(record) + offset, sizeof value);
    return value;
}

std::string gameStringAt(const void* record, std::size_t offset) {
    const auto handle = readAt<std::uint64_t>(record, offset);
    return GameStrings::read(reinterpret_cast<const char*>(static_cast<std::uintptr_t>(handle)));
}

// A texture dictionary of the game, or the name the game gave a photograph it
// made (a persona photo is drawn by that name, as dictionary and texture).
bool dictionaryInGame(World& world, const std::string& dictionary) {
    return world.portraits.namesPhoto(dictionary) ||
           world.names.inGame(NameKind::TextureDictionary, dictionary, "as a texture dictionary");
}

bool textureInGame(World& world, const std::string& dictionary, const std::string& texture) {
    if (world.portraits.namesPhoto(dictionary))
        return texture == dictionary;
    return world.names.inGame(NameKind::Texture, texture, "as a texture");
}

// The name behind a dictionary hash, among the dictionaries seen so far.
std::string dictionaryNamed(const std::vector<std::string>& seen, std::uint32_t hash) {
    for (const std::string& name : seen)
        if (gameHash(name) == hash)
            return name;
    return std::string();
}

} // namespace

void implementHudNatives(NativeDispatch& dispatch, World& world) {
    // The game-string maker takes (10, "LITERAL_STRING", text),
    // (42, "COLOR_STRING", 0, string) or (2, "CASH_STRING", cents, flags).
    dispatch.implementRaw(n::hud::literalString::hash, [&world](const NativeArgs& args, std::uint64_t* result) {
        const std::string literal = GameStrings::read(args.get<const char*>(1));
        std::string text;
        if (literal == "LITERAL_STRING" && args.count() == 3) {
            text = GameStrings::read(args.get<const char*>(2));
        } else if (literal == "COLOR_STRING" && args.count() == 4) {
            text = GameStrings::read(args.get<const char*>(3));
        } else if (literal == "CASH_STRING" && args.count() >= 3) {
            const int cents = args.get<int>(2);
            const int magnitude = cents < 0 ? -cents : cents;
            char buffer[48];
            std::snprintf(buffer, sizeof buffer, "%s$%d.%02d", cents < 0 ? "-" : "", magnitude / 100, magnitude % 100);
            text = buffer;
        } else {
            text = literal;
        }
        marshal::Traits<const char*>::pack(world.strings.make(text), result);
    });
    dispatch.implement<n::hud::setTextColour>([&world](int r, int g, int b, int a) {
        world.hud.pendingRed = r, world.hud.pendingGreen = g, world.hud.pendingBlue = b, world.hud.pendingAlpha = a;
    });
    dispatch.implement<n::hud::setTextScale>([&world](float sx, float sy) {
        world.hud.pendingScaleX = sx, world.hud.pendingScaleY = sy;
    });
    // Text centring is the script hook's own native, not the game's: with true
    // it centres the next text drawn on its x; with false it leaves the
    // alignment as it is (the game draws a text from its x).
    dispatch.implement<n::hud::setTextCentred>([&world](bool centred) {
        ++world.hud.centringCalls;
        if (centred)
            world.hud.centreNextText = true;
    });
    dispatch.implement<n::hud::drawGameString>([&world](const char* gameString, float x, float y) {
        DrawnText drawn;
        drawn.markup = GameStrings::read(gameString);
        parseMarkup(drawn);
        drawn.x = x, drawn.y = y;
        Hud& hud = world.hud;
        drawn.red = hud.pendingRed, drawn.green = hud.pendingGreen, drawn.blue = hud.pendingBlue;
        drawn.alpha = hud.pendingAlpha;
        drawn.scaleX = hud.pendingScaleX, drawn.scaleY = hud.pendingScaleY;
        drawn.centred = hud.centreNextText;
        hud.centreNextText = false;
        hud.texts.push_back(drawn);
    });
    // The objective line: a text is cached, printed (it shows), and the cache cleared.
    dispatch.implement<n::hud::setCachedObjective>(
        [&world](const char* gameString) { world.hud.cachedObjective = GameStrings::read(gameString); });
    dispatch.implement<n::hud::printCachedObjective>([&world]() {
        if (!world.hud.cachedObjective.empty())
            world.hud.subtitles.push_back({world.clock.frame, world.hud.cachedObjective});
    });
    // Texture dictionaries and sprites.
    auto seenDictionaries = std::make_shared<std::vector<std::string>>();
    auto remember = [seenDictionaries](const std::string& name) {
        for (const std::string& seen : *seenDictionaries)
            if (seen == name)
                return;
        seenDictionaries->push_back(name);
    };
    // A dictionary the game does not have never loads; a texture it does not
    // have draws nothing.
    dispatch.implement<n::hud::textureDictionaryLoaded>([&world, remember](const char* dictionary) {
        const std::string name = GameStrings::read(dictionary);
        remember(name);
        return dictionaryInGame(world, name) && world.hud.dictionaries.isLoaded(name, world.clock.frame);
    });
    dispatch.implement<n::hud::requestTextureDictionary>([&world, remember](const char* dictionary, bool) {
        const std::string name = GameStrings::read(dictionary);
        remember(name);
        dictionaryInGame(world, name);
        world.hud.dictionaries.request(name, world.clock.frame);
    });
    dispatch.implement<n::hud::drawSprite>(
        [&world, remember](const char* dictionary, const char* texture, float cx, float cy, float w, float h,
                           float rotation, int r, int g, int b, int a, bool) {
            DrawnSprite sprite;
            sprite.dictionary = GameStrings::read(dictionary);
            sprite.texture = GameStrings::read(texture);
            remember(sprite.dictionary);
            sprite.centreX = cx, sprite.centreY = cy, sprite.width = w, sprite.height = h,
            sprite.rotation = rotation;
            sprite.red = r, sprite.green = g, sprite.blue = b, sprite.alpha = a;
            sprite.dictionaryLoaded = dictionaryInGame(world, sprite.dictionary) &&
                                      world.hud.dictionaries.isLoaded(sprite.dictionary, world.clock.frame);
            sprite.textureInGame = textureInGame(world, sprite.dictionary, sprite.texture);
            world.hud.sprites.push_back(sprite);
        });

    // The help box: duration at offset 0 of the first record; the second holds
    // 0 at offset 0 and the text's game string at offset 8. A new box replaces
    // the one on screen.
    dispatch.implement<n::hud::showHelpBox>(
        [&world](const void* durationRecord, const void* contentRecord, int) {
            HelpBoxShown shown;
            shown.frame = world.clock.frame;
            shown.shownAtMs = world.clock.elapsedMs;
            shown.durationMs = readAt<std::int32_t>(durationRecord, 0);
            shown.text = gameStringAt(contentRecord, 8);
            world.hud.helpBoxes.push_back(shown);
        });
    // A toast: title and body game strings at offsets 8 and 16, the icon's
    // dictionary and texture hashes at 32 and 40.
    dispatch.implement<n::hud::showToastNotification>(
        [&world, seenDictionaries](const void* durationRecord, const void* contentRecord, int, int) {
            ToastShown shown;
            shown.frame = world.clock.frame;
            shown.shownAtMs = world.clock.elapsedMs;
            shown.durationMs = readAt<std::int32_t>(durationRecord, 0);
            shown.title = gameStringAt(contentRecord, 8);
            shown.body = gameStringAt(contentRecord, 16);
            shown.dictionaryHash = readAt<std::uint32_t>(contentRecord, 32);
            shown.textureHash = readAt<std::uint32_t>(contentRecord, 40);
            shown.dictionary = dictionaryNamed(*seenDictionaries, shown.dictionaryHash);
            shown.dictionaryLoaded = !shown.dictionary.empty() &&
                                     world.hud.dictionaries.isLoaded(shown.dictionary, world.clock.frame);
            shown.iconInGame =
                world.names.inGame(NameKind::TextureDictionary, shown.dictionaryHash, "as a toast's dictionary") &&
                world.names.inGame(NameKind::Texture, shown.textureHash, "as a toast's icon");
            world.hud.toasts.push_back(shown);
        });
    dispatch.implement<n::hud::clearCachedObjective>([&world]() { world.hud.cachedObjective.clear(); });
}

} // namespace sim
