#include "scenarios/screen_snapshot.h"

#include "world/core/world.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace sim {
namespace {

constexpr float canvasWidth = 1280.0f;
constexpr float canvasHeight = 720.0f;
// The height of a line of text at scale 1, as a fraction of the screen height.
constexpr float lineHeightAtScaleOne = 0.045f;
// A character's width, as a share of the line's height.
constexpr float glyphWidthPerHeight = 0.5f;
// How long the game keeps a subtitle on screen.
constexpr std::uint64_t subtitleMs = 5000;

std::string number(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", static_cast<double>(value));
    return buffer;
}

std::string xml(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default:
            // Control characters other than the line break cannot stand in XML.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\n')
                out += c;
        }
    }
    return out;
}

std::string rgb(int r, int g, int b) {
    char buffer[16];
    auto clamp = [](int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); };
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", clamp(r), clamp(g), clamp(b));
    return buffer;
}

std::string opacity(int alpha) {
    return number(static_cast<float>(alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha)) / 255.0f);
}

// Lines of a text, split at its line breaks.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}

// A text block: every line a tspan under the first.
void textBlock(std::ostringstream& out, float x, float y, float size, const std::string& text,
               const std::string& attributes) {
    const std::vector<std::string> lines = linesOf(text);
    out << "<text x=\"" << number(x) << "\" y=\"" << number(y + size * 0.8f) << "\" font-size=\"" << number(size)
        << "\" " << attributes << ">";
    for (std::size_t i = 0; i < lines.size(); ++i)
        out << "<tspan x=\"" << number(x) << "\"" << (i ? " dy=\"" + number(size * 1.15f) + "\"" : "") << ">"
            << xml(lines[i]) << "</tspan>";
    out << "</text>\n";
}

void drawSprites(std::ostringstream& out, const Hud& hud) {
    out << "<g id=\"sprites\">\n";
    for (const DrawnSprite& sprite : hud.sprites) {
        const float w = sprite.width * canvasWidth, h = sprite.height * canvasHeight;
        const float x = sprite.centreX * canvasWidth - w * 0.5f, y = sprite.centreY * canvasHeight - h * 0.5f;
        const std::string name = sprite.dictionary + "/" + sprite.texture;
        // A sprite of a dictionary that is not loaded, or of a texture the game
        // does not have, draws nothing in the game: only its outline is shown,
        // dashed.
        const char* why = !sprite.dictionaryLoaded ? " (dictionary not loaded: not drawn)"
                          : !sprite.textureInGame  ? " (no such texture in the game: not drawn)"
                                                   : "";
        out << "<rect class=\"sprite\" data-texture=\"" << xml(name) << "\" x=\"" << number(x) << "\" y=\""
            << number(y) << "\" width=\"" << number(w) << "\" height=\"" << number(h) << "\" fill=\""
            << rgb(sprite.red, sprite.green, sprite.blue) << "\" fill-opacity=\""
            << (sprite.drawn() ? opacity(sprite.alpha) : "0") << "\" stroke=\"#7a7a7a\" stroke-width=\"0.6\""
            << (sprite.drawn() ? "" : " stroke-dasharray=\"4,3\"") << "><title>" << xml(name) << why
            << "</title></rect>\n";
        if (h >= 9.0f && w >= 30.0f)
            out << "<text x=\"" << number(x + 2) << "\" y=\"" << number(y + 8) << "\" font-size=\"7\" "
                << "font-family=\"monospace\" fill=\"#9a9a9a\">" << xml(name) << "</text>\n";
    }
    out << "</g>\n";
}

void drawTexts(std::ostringstream& out, const Hud& hud) {
    out << "<g id=\"texts\">\n";
    for (const DrawnText& text : hud.texts) {
        const float size = text.scaleY * lineHeightAtScaleOne * canvasHeight;
        const bool title = text.font == "$title";
        std::string attributes = std::string("class=\"text\" font-family=\"") +
                                 (title ? "Georgia, serif\" font-weight=\"bold" : "Helvetica, Arial, sans-serif") +
                                 "\" fill=\"" + rgb(text.red, text.green, text.blue) + "\" fill-opacity=\"" +
                                 opacity(text.alpha) + "\" data-font=\"" + xml(text.font) + "\"";
        // A centred text (the script hook's centring) stands on its x by its
        // middle; any other is drawn from its x.
        if (text.centred)
            attributes += " text-anchor=\"middle\"";
        textBlock(out, text.x * canvasWidth, text.y * canvasHeight, size, text.text, attributes);
    }
    out << "</g>\n";
}

void drawPrompts(std::ostringstream& out, const World& world) {
    const std::vector<const PromptRecord*> shown = world.prompts.visible();
    const std::string& title = world.prompts.activeGroupTitle();
    if (shown.empty() && title.empty())
        return;
    // The game lists its prompts in the lower right corner, the group's title above.
    float y = canvasHeight - 24.0f - 22.0f * static_cast<float>(shown.size());
    out << "<g id=\"prompts\">\n";
    if (!title.empty())
        out << "<text class=\"prompt-title\" x=\"" << number(canvasWidth - 24) << "\" y=\"" << number(y - 8)
            << "\" text-anchor=\"end\" font-size=\"15\" font-family=\"Georgia, serif\" fill=\"#ffffff\">" << xml(title)
            << "</text>\n";
    for (const PromptRecord* prompt : shown) {
        const std::string control = prompt->controlName.empty() ? "?" : prompt->controlName;
        out << "<text class=\"prompt\" x=\"" << number(canvasWidth - 24) << "\" y=\"" << number(y + 14)
            << "\" text-anchor=\"end\" font-size=\"13\" font-family=\"Helvetica, Arial, sans-serif\" fill=\""
            << (prompt->enabled ? "#ffffff" : "#808080") << "\">" << xml(prompt->text) << "  [" << xml(control)
            << "]</text>\n";
        y += 22.0f;
    }
    out << "</g>\n";
}

void drawNotices(std::ostringstream& out, const World& world) {
    const Hud& hud = world.hud;
    if (const HelpBoxShown* help = hud.helpBox()) {
        out << "<g id=\"help\"><rect x=\"24\" y=\"24\" width=\"340\" height=\""
            << number(24.0f + 16.0f * static_cast<float>(linesOf(help->text).size())) << "\" fill=\"#000000\" "
            << "fill-opacity=\"0.7\"/>\n";
        textBlock(out, 34, 34, 13, help->text, "font-family=\"Helvetica, Arial, sans-serif\" fill=\"#ffffff\"");
        out << "</g>\n";
    }
    float y = 90.0f;
    for (const ToastShown* toast : hud.activeToasts()) {
        out << "<g class=\"toast\"><rect x=\"" << number(canvasWidth - 364) << "\" y=\"" << number(y)
            << "\" width=\"340\" height=\"56\" fill=\"#000000\" fill-opacity=\"0.7\"/>\n";
        textBlock(out, canvasWidth - 354, y + 8, 15, toast->title,
                  "font-family=\"Georgia, serif\" font-weight=\"bold\" fill=\"#ffffff\"");
        textBlock(out, canvasWidth - 354, y + 30, 12, toast->body,
                  "font-family=\"Helvetica, Arial, sans-serif\" fill=\"#e0e0e0\"");
        out << "</g>\n";
        y += 64.0f;
    }
    if (!hud.subtitles.empty()) {
        const std::uint64_t frameMs = world.clock.frameMs ? world.clock.frameMs : 33;
        const SubtitleShown& last = hud.subtitles.back();
        if ((world.clock.frame - last.frame) * frameMs < subtitleMs)
            textBlock(out, canvasWidth * 0.5f, canvasHeight - 90.0f, 16, last.text,
                      "id=\"subtitle\" text-anchor=\"middle\" font-family=\"Helvetica, Arial, sans-serif\" "
                      "fill=\"#ffffff\"");
    }
}

// Characters, not bytes: a UTF-8 letter is one character.
std::size_t charactersOf(const std::string& line) {
    std::size_t count = 0;
    for (char c : line)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

bool readNumber(const std::string& text, std::uint64_t& value) {
    if (text.empty() || text.size() > 12)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return true;
}

} // namespace

TextSpan textSpanOf(const DrawnText& text) {
    const std::vector<std::string> lines = linesOf(text.text);
    std::size_t longest = 0;
    for (const std::string& line : lines)
        longest = std::max(longest, charactersOf(line));
    const float lineHeight = text.scaleY * lineHeightAtScaleOne; // of the screen's height
    const float width = static_cast<float>(longest) * lineHeight * glyphWidthPerHeight * canvasHeight / canvasWidth;
    TextSpan span;
    span.left = text.centred ? text.x - width * 0.5f : text.x;
    span.right = span.left + width;
    span.top = text.y;
    span.bottom = text.y + lineHeight * static_cast<float>(lines.size());
    return span;
}

std::string screenSnapshotSvg(const World& world, const std::string& caption) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << number(canvasWidth) << "\" height=\""
        << number(canvasHeight) << "\" viewBox=\"0 0 " << number(canvasWidth) << " " << number(canvasHeight)
        << "\">\n";
    // The game world behind the HUD: a plain backdrop (grey where the game's
    // own HUD would show, darker where a script hid it this frame).
    out << "<rect id=\"backdrop\" width=\"100%\" height=\"100%\" fill=\""
        << (world.hud.gameHudHidden ? "#3b3a36" : "#5b5a52") << "\"/>\n";
    if (!world.hud.gameHudHidden)
        out << "<circle id=\"game-radar\" cx=\"90\" cy=\"630\" r=\"60\" fill=\"none\" stroke=\"#8c8b80\" "
               "stroke-dasharray=\"3,3\"/>\n";
    drawSprites(out, world.hud);
    drawTexts(out, world.hud);
    drawPrompts(out, world);
    drawNotices(out, world);
    out << "<text id=\"caption\" x=\"6\" y=\"" << number(canvasHeight - 6)
        << "\" font-size=\"10\" font-family=\"monospace\" fill=\"#c8c8c8\">" << xml(caption) << "</text>\n";
    out << "</svg>\n";
    return out.str();
}

bool ScreenSnapshots::request(const std::string& frameOrTime, std::string& error) {
    Request request;
    std::uint64_t a = 0, b = 0;
    const auto colon = frameOrTime.find(':');
    if (colon != std::string::npos && readNumber(frameOrTime.substr(0, colon), a) &&
        readNumber(frameOrTime.substr(colon + 1), b) && b < 60) {
        request.byTime = true;
        request.value = (a * 60 + b) * 1000;
    } else if (!frameOrTime.empty() && frameOrTime.back() == 's' &&
               readNumber(frameOrTime.substr(0, frameOrTime.size() - 1), a)) {
        request.byTime = true;
        request.value = a * 1000;
    } else if (readNumber(frameOrTime, a) && a > 0) {
        request.value = a;
    } else {
        error = "--snapshot takes a frame number (1200), or a game time since the start in seconds (90s) or "
                "minutes and seconds (1:30), not '" +
                frameOrTime + "'";
        return false;
    }
    requests_.push_back(request);
    return true;
}

std::vector<std::string> ScreenSnapshots::afterFrame(const World& world, std::vector<std::string>& failures) {
    std::vector<std::string> written;
    bool due = false;
    for (Request& request : requests_) {
        if (request.done)
            continue;
        const bool now = request.byTime ? world.clock.elapsedMs >= request.value : world.clock.frame >= request.value;
        if (now) {
            request.done = true;
            due = true;
        }
    }
    if (!due)
        return written;
    const std::string name =
        (std::filesystem::path(folder_) / ("snapshot-frame-" + std::to_string(world.clock.frame) + ".svg")).string();
    const std::uint64_t seconds = world.clock.elapsedMs / 1000;
    const std::string caption = "frame " + std::to_string(world.clock.frame) + ", " + std::to_string(seconds / 60) +
                                ":" + (seconds % 60 < 10 ? "0" : "") + std::to_string(seconds % 60) +
                                " of game time since the start";
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    file << screenSnapshotSvg(world, caption);
    file.close();
    if (file)
        written.push_back(name);
    else
        failures.push_back(name + " could not be written");
    return written;
}

} // namespace sim
