#pragma once
// What peds say. A line asked for lasts a while (`lineFrames`, or a length set
// per line); while it lasts the ped is speaking. The latest requests are kept,
// so tests can ask what was said, by whom, with which voice and in which frame,
// and whether a line was cut off by another one said over it.
#include "world/core/kept_records.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace sim {

struct SpokenLine {
    int ped = 0;
    std::string line;
    std::string voice; // the voice named in the request; empty for the ped's own
    std::uint64_t variation = 0;
    std::uint32_t params = 0;   // the speech parameters hash of the request
    int listener = 0;           // the ped named in the request's listener slot
    std::uint64_t frame = 0;    // when the ped started saying it
    std::uint64_t endFrame = 0; // first frame in which the ped is silent again
    bool cutOff = false;        // another line was said over it before it ended
};

class Speech {
public:
    // How many frames a line lasts unless set per line (about a second and a half).
    int lineFrames = 45;
    std::map<std::string, int> framesByLine;

    // The ped starts saying a line now (cutting off any line it is saying).
    void say(int ped, SpokenLine line, std::uint64_t frame);
    bool speaking(int ped, std::uint64_t frame) const;
    // The ped falls silent at once (it died or is gone).
    void silence(int ped, std::uint64_t frame);

    // The lines said, oldest first: the latest keptLines of them; total() counts all.
    const KeptRecords<SpokenLine>& lines() const { return lines_; }
    static constexpr std::size_t keptLines = 256;
    std::vector<SpokenLine> linesOf(int ped) const;
    // The names of the lines said, in order.
    std::vector<std::string> lineNames() const;
    const SpokenLine* find(const std::string& line) const;
    bool anyCutOff() const;

    // The ped is gone from the world: the line he was saying is no longer his.
    void forget(int ped) { current_.erase(ped); }

private:
    int framesFor(const std::string& line) const;
    // Slots sized for a line's name and voice, so that saying one allocates nothing.
    KeptRecords<SpokenLine> lines_{keptLines, [](SpokenLine& slot) {
        slot.line.reserve(48);
        slot.voice.reserve(48);
    }};
    // ped -> the number of its latest line among all ever said (lines_.numbered),
    // which stays its own as older lines go.
    std::map<int, std::size_t> current_;
    // The ped's line it is saying now, or nullptr.
    SpokenLine* sayingNow(int ped, std::uint64_t frame);
};

} // namespace sim
