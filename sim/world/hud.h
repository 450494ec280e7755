#pragma once
// What the player sees on screen, captured per frame.
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct DrawnText {
    std::string markup;  // the full markup the plug-in drew
    std::string text;    // the text inside the markup
    std::string font;    // the font token inside the markup
    float x = 0, y = 0;
    int red = 255, green = 255, blue = 255, alpha = 255;
    float scaleX = 1, scaleY = 1;
    bool centred = false;
};

struct SubtitleShown {
    std::uint64_t frame = 0;
    std::string text;
};

struct Hud {
    // Text drawn in the current frame; cleared when a frame begins.
    std::vector<DrawnText> texts;
    // Every subtitle shown since the session began, oldest first.
    std::vector<SubtitleShown> subtitles;

    // Text-drawing state set before a draw call.
    int pendingRed = 255, pendingGreen = 255, pendingBlue = 255, pendingAlpha = 255;
    float pendingScaleX = 1, pendingScaleY = 1;
    bool pendingCentred = false;
    std::string pendingSubtitle;

    void beginFrame() { texts.clear(); }
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
};

} // namespace sim
