#pragma once
// Pictures of the screen: what one frame put in front of the player (sprites
// with their texture names, texts, the prompts with their group's title, the
// help box, toasts and the subtitle) as an SVG image on a 16:9 canvas, so that
// modders and translators see where a text lands and whether it fits.
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct World;
struct DrawnText;

// Where a drawn text lies on the screen (screen units, 0 to 1 across and
// down), as the pictures lay it out: a line is as high as the text's scale
// makes it and each character about half as wide as that; a centred text
// stands on its x by its middle, any other starts at its x.
struct TextSpan {
    float left = 0, right = 0, top = 0, bottom = 0;
    float middle() const { return (left + right) * 0.5f; }
};
TextSpan textSpanOf(const DrawnText& text);

// The current frame of `world` as an SVG document; `caption` is written in the
// picture's corner (which frame, what time).
std::string screenSnapshotSvg(const World& world, const std::string& caption);

// The frames asked for with --snapshot: a frame number ("1200"), or a game time
// since the start ("90s", "1:30" for minutes and seconds), at whose first frame
// the picture is taken.
class ScreenSnapshots {
public:
    // False, with `error` set, when the request does not read.
    bool request(const std::string& frameOrTime, std::string& error);
    bool empty() const { return requests_.empty(); }

    // After every frame: writes the pictures due now into the folder and returns
    // the names of the files written (a file that cannot be written is named
    // with the reason in `failures`).
    std::vector<std::string> afterFrame(const World& world, std::vector<std::string>& failures);
    void setFolder(const std::string& folder) { folder_ = folder; }

private:
    struct Request {
        bool byTime = false;
        std::uint64_t value = 0; // a frame number or game ms since the start
        bool done = false;
    };
    std::vector<Request> requests_;
    std::string folder_ = ".";
};

} // namespace sim
