#include "natives/families.h"

#include <cstdio>

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
    dispatch.implement<n::hud::setTextCentred>([&world](bool centred) { world.hud.pendingCentred = centred; });
    dispatch.implement<n::hud::drawGameString>([&world](const char* gameString, float x, float y) {
        DrawnText drawn;
        drawn.markup = GameStrings::read(gameString);
        parseMarkup(drawn);
        drawn.x = x, drawn.y = y;
        Hud& hud = world.hud;
        drawn.red = hud.pendingRed, drawn.green = hud.pendingGreen, drawn.blue = hud.pendingBlue;
        drawn.alpha = hud.pendingAlpha;
        drawn.scaleX = hud.pendingScaleX, drawn.scaleY = hud.pendingScaleY, drawn.centred = hud.pendingCentred;
        hud.texts.push_back(drawn);
    });
    dispatch.implement<n::hud::subtitleSetText>(
        [&world](const char* gameString) { world.hud.pendingSubtitle = GameStrings::read(gameString); });
    dispatch.implement<n::hud::subtitlePrepare>([]() {});
    dispatch.implement<n::hud::subtitleShow>([&world]() {
        world.hud.subtitles.push_back({world.clock.frame, world.hud.pendingSubtitle});
    });
}

} // namespace sim
