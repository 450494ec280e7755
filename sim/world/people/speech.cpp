#include "world/people/speech.h"

#include <cstddef>

namespace sim {

int Speech::framesFor(const std::string& line) const {
    auto it = framesByLine.find(line);
    return it == framesByLine.end() ? lineFrames : it->second;
}

void Speech::say(int ped, SpokenLine line, std::uint64_t frame) {
    if (speaking(ped, frame)) {
        SpokenLine& previous = lines_[current_[ped]];
        previous.cutOff = true;
        previous.endFrame = frame;
    }
    line.ped = ped;
    line.frame = frame;
    const int length = framesFor(line.line);
    line.endFrame = frame + static_cast<std::uint64_t>(length > 0 ? length : 0);
    lines_.push_back(line);
    current_[ped] = lines_.size() - 1;
    // Hours of play say tens of thousands of lines: the oldest go, and the
    // lines peds are saying now keep their places.
    if (lines_.size() > 2 * keptLines) {
        const std::size_t dropped = lines_.size() - keptLines;
        lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(dropped));
        for (auto it = current_.begin(); it != current_.end();) {
            if (it->second < dropped) {
                it = current_.erase(it);
            } else {
                it->second -= dropped;
                ++it;
            }
        }
    }
}

bool Speech::speaking(int ped, std::uint64_t frame) const {
    auto it = current_.find(ped);
    return it != current_.end() && frame < lines_[it->second].endFrame;
}

void Speech::silence(int ped, std::uint64_t frame) {
    if (speaking(ped, frame))
        lines_[current_[ped]].endFrame = frame;
}

std::vector<SpokenLine> Speech::linesOf(int ped) const {
    std::vector<SpokenLine> result;
    for (const SpokenLine& line : lines_)
        if (line.ped == ped)
            result.push_back(line);
    return result;
}

std::vector<std::string> Speech::lineNames() const {
    std::vector<std::string> names;
    for (const SpokenLine& line : lines_)
        names.push_back(line.line);
    return names;
}

const SpokenLine* Speech::find(const std::string& line) const {
    for (const SpokenLine& spoken : lines_)
        if (spoken.line == line)
            return &spoken;
    return nullptr;
}

bool Speech::anyCutOff() const {
    for (const SpokenLine& line : lines_)
        if (line.cutOff)
            return true;
    return false;
}

} // namespace sim
