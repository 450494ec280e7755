#include "ui/text.h"

#include "runtime/log.h"
#include "runtime/natives.h"

#include <array>
#include <cstring>
#include <map>
#include <string>
#include <string_view>

namespace drovil {

Hash getHashKey(const char* name) {
    // A name's hash never changes: the game is asked once per name, and the
    // names the frame uses again and again are found here without a call.
    static auto* known = new std::map<std::string, Hash, std::less<>>();
    if (!name)
        return natives::misc::hashOfName(name);
    const std::string_view key(name);
    const auto found = known->find(key);
    if (found != known->end())
        return found->second;
    const Hash hash = natives::misc::hashOfName(name);
    known->emplace(key, hash);
    return hash;
}

std::string expandLineBreaks(const std::string& text) {
    std::string copy = text;
    for (char& c : copy)
        if (c == '@')
            c = '\n';
    return copy;
}

namespace {
// The game keeps a pointer to the text it was given until the string is drawn:
// the last few texts are kept alive well past that. Each slot keeps its buffer
// when it is written again, so drawing the same texts every frame allocates
// nothing once the slots have grown to them.
std::string& nextKeptText() {
    // Every slot is given room for a contract card's longest line in its
    // markup at once: the rotation reaches each slot in turn, and one growing
    // there would be an allocation in a frame that only draws what it drew before.
    static auto* slots = [] {
        auto* made = new std::array<std::string, 256>();
        for (std::string& slot : *made)
            slot.reserve(320);
        return made;
    }();
    static std::size_t next = 0;
    std::string& slot = (*slots)[next];
    next = (next + 1) % slots->size();
    slot.clear();
    return slot;
}
} // namespace

void drawText(const std::string& text, float x, float y, int red, int green, int blue, int alpha, bool centred,
              float scaleX, float scaleY, const char* font) {
    natives::hud::setTextColour(red, green, blue, alpha);
    natives::hud::setTextScale(scaleX, scaleY);
    natives::hud::setTextCentred(centred);
    std::string& markup = nextKeptText();
    markup.append("<FONT FACE='").append(font).append("' COLOR='#ffffff'>").append(text).append("</FONT>");
    const char* literal = natives::hud::literalString(10, "LITERAL_STRING", markup.c_str());
    const char* coloured = natives::hud::colorString(42, "COLOR_STRING", 0, literal);
    natives::hud::drawGameString(coloured, x, y);
}

std::string cashText(int cents) {
    const char* gameString = natives::hud::cashString(2, "CASH_STRING", cents, 32);
    return gameString ? std::string(gameString) : std::string();
}

void showSubtitle(const std::string& text) {
    std::string& kept = nextKeptText();
    kept.assign(text);
    const char* literal = natives::hud::literalString(10, "LITERAL_STRING", kept.c_str());
    natives::hud::setCachedObjective(literal);
    natives::hud::printCachedObjective();
    natives::hud::clearCachedObjective();
}

void drawIntegerOverlay(int value) {
    drawText(std::to_string(value), 0.0f, 0.0f, 255, 255, 255, 255, false, 0.7f, 0.7f, "$title");
}

void showFloatSubtitle(float value) { showSubtitle(floatText(value)); }

} // namespace drovil
