#include "world/people/speech.h"

#include <cstddef>

namespace sim {

int Speech::framesFor(const std::string& line) const {
    auto it = framesByLine.find(line);
    return it == framesByLine.end() ? lineFrames : it->second;
}

void Speech::say(int ped, SpokenLine line, std::uint64_t frame) {
    if (SpokenLine* previous = sayingNow(ped, frame)) {
        previous->cutOff = true;
        previous->endFrame = frame;
    }
    line.ped = ped;
    line.frame = frame;
    const int length = framesFor(line.line);
    line.endFrame = frame + static_cast<std::uint64_t>(length > 0 ? length : 0);
    // Hours of play say tens of thousands of lines: this one goes over the
    // oldest kept, and a ped whose latest line went is silent.
    lines_.push_back(line);
    current_[ped] = lines_.total() - 1;
}

SpokenLine* Speech::sayingNow(int ped, std::uint64_t frame) {
    auto it = current_.find(ped);
    if (it == current_.end() || !lines_.holds(it->second))
        return nullptr;
    SpokenLine& line = lines_.numbered(it->second);
    return frame < line.endFrame ? &line : nullptr;
}

bool Speech::speaking(int ped, std::uint64_t frame) const {
    auto it = current_.find(ped);
    return it != current_.end() && lines_.holds(it->second) && frame < lines_.numbered(it->second).endFrame;
}

void Speech::silence(int ped, std::uint64_t frame) {
    if (SpokenLine* line = sayingNow(ped, frame))
        line->endFrame = frame;
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
