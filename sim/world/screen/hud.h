#pragma once
// What the player sees on screen: text and sprites drawn in the current frame,
// the subtitle line, the help box and toast notifications.
#include "world/screen/shown_history.h"
#include "world/screen/texture_dictionaries.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct DrawnText {
    std::string markup; // the full markup the plug-in drew
    std::string text;   // the text inside the markup
    std::string font;   // the font token inside the markup
    float x = 0, y = 0;
    int red = 255, green = 255, blue = 255, alpha = 255;
    float scaleX = 1, scaleY = 1;
    // Centred on x (the script hook's centring asked for it before the text was
    // drawn); otherwise drawn from x.
    bool centred = false;
};

struct DrawnSprite {
    std::string dictionary;
    std::string texture;
    float centreX = 0, centreY = 0, width = 0, height = 0, rotation = 0;
    int red = 255, green = 255, blue = 255, alpha = 255;
    // A sprite from a dictionary that is not loaded draws nothing in the game,
    // nor does one of a texture the game does not have.
    bool dictionaryLoaded = false;
    bool textureInGame = true;
    bool drawn() const { return dictionaryLoaded && textureInGame; }
};

// The objective line: the game prints the text it has cached.
struct SubtitleShown {
    std::uint64_t frame = 0;
    std::string text;
};

struct HelpBoxShown {
    std::uint64_t frame = 0;
    std::uint64_t shownAtMs = 0;
    int durationMs = 0;
    std::string text;
};

struct ToastShown {
    std::uint64_t frame = 0;
    std::uint64_t shownAtMs = 0;
    int durationMs = 0;
    std::string title;
    std::string body;
    std::uint32_t dictionaryHash = 0;
    std::uint32_t textureHash = 0;
    // The dictionary's name when the simulator has seen it (loaded or requested).
    std::string dictionary;
    bool dictionaryLoaded = false;
    // The icon's dictionary and texture are the game's (a toast with an icon
    // the game does not have shows none).
    bool iconInGame = true;
};

struct Hud {
    // Text and sprites drawn in the current frame; cleared when a frame begins.
    std::vector<DrawnText> texts;
    std::vector<DrawnSprite> sprites;
    // The subtitles, help boxes and toasts shown since the session began, oldest
    // first: the latest keptShown of each. Their slots are sized for the texts
    // the plug-in shows, so that showing one allocates nothing.
    ShownHistory<SubtitleShown> subtitles{keptShown, [](SubtitleShown& slot) { slot.text.reserve(128); }};
    ShownHistory<HelpBoxShown> helpBoxes{keptShown, [](HelpBoxShown& slot) { slot.text.reserve(192); }};
    ShownHistory<ToastShown> toasts{keptShown, [](ToastShown& slot) {
        slot.title.reserve(64);
        slot.body.reserve(192);
        slot.dictionary.reserve(48);
    }};
    TextureDictionaries dictionaries;

    // Text-drawing state set before a draw call.
    int pendingRed = 255, pendingGreen = 255, pendingBlue = 255, pendingAlpha = 255;
    float pendingScaleX = 1, pendingScaleY = 1;
    // Calls of the text-centring native (the script hook's own), and whether
    // the next text drawn is centred.
    int centringCalls = 0;
    bool centreNextText = false;
    // The objective text cached for printing ("" when none).
    std::string cachedObjective;

    // True when a script hid the game's own HUD and radar in the current frame.
    bool gameHudHidden = false;

    // The game time of the current frame, for what stays on screen a while.
    std::uint64_t nowMs = 0;

    void beginFrame() {
        texts.clear();
        sprites.clear();
        gameHudHidden = false;
    }
    void setTime(std::uint64_t elapsedMs) { nowMs = elapsedMs; }

    std::string lastSubtitle() const { return subtitles.empty() ? std::string() : subtitles.back().text; }
    bool subtitleShown(const std::string& text) const {
        for (const SubtitleShown& shown : subtitles)
            if (shown.text == text)
                return true;
        return false;
    }
    bool textDrawn(const std::string& needle) const {
        for (const DrawnText& drawn : texts)
            if (drawn.text.find(needle) != std::string::npos)
                return true;
        return false;
    }

    // The help box on screen now (the last one shown, while its time lasts).
    const HelpBoxShown* helpBox() const {
        if (helpBoxes.empty())
            return nullptr;
        const HelpBoxShown& last = helpBoxes.back();
        return remainingOf(last.shownAtMs, last.durationMs) > 0 ? &last : nullptr;
    }
    std::string helpText() const { return helpBox() ? helpBox()->text : std::string(); }
    int helpRemainingMs() const {
        return helpBox() ? remainingOf(helpBox()->shownAtMs, helpBox()->durationMs) : 0;
    }

    // Toasts still on screen now, oldest first.
    std::vector<const ToastShown*> activeToasts() const {
        std::vector<const ToastShown*> active;
        for (const ToastShown& toast : toasts)
            if (remainingOf(toast.shownAtMs, toast.durationMs) > 0)
                active.push_back(&toast);
        return active;
    }
    const ToastShown* lastToast() const { return toasts.empty() ? nullptr : &toasts.back(); }

    const DrawnSprite* spriteDrawn(const std::string& dictionary, const std::string& texture) const {
        for (const DrawnSprite& sprite : sprites)
            if (sprite.dictionary == dictionary && sprite.texture == texture)
                return &sprite;
        return nullptr;
    }

private:
    int remainingOf(std::uint64_t shownAtMs, int durationMs) const {
        const std::int64_t left =
            static_cast<std::int64_t>(shownAtMs) + durationMs - static_cast<std::int64_t>(nowMs);
        return left > 0 ? static_cast<int>(left) : 0;
    }
};

} // namespace sim
