#pragma once
// What one ped can see of another. Nothing hides anything unless a test says so:
// a ped can be hidden from every observer (behind a wall, inside a building), a
// single observer's view of one target can be blocked, and an observer can be
// given a sight range beyond which it sees nothing.
//
// The game answers a script's question "can this ped see that one" with a sight
// probe that takes a frame: the first time it is asked (or when it was not asked
// in the frame before) it answers "not sure yet", and from the next frame on,
// as long as it is asked every frame, with what the ped sees.
#include <cstdint>
#include <map>
#include <set>
#include <utility>

namespace sim {

class LineOfSight {
public:
    void hide(int target) { hidden_.insert(target); }
    void reveal(int target) { hidden_.erase(target); }
    void block(int observer, int target) { blocked_.insert({observer, target}); }
    void unblock(int observer, int target) { blocked_.erase({observer, target}); }
    void setSightRange(int observer, float metres) { sightRange_[observer] = metres; }

    // Whether `observer` sees `target` at `distance` metres (both exist).
    bool sees(int observer, int target, float distance) const {
        if (hidden_.count(target) || blocked_.count({observer, target}))
            return false;
        auto range = sightRange_.find(observer);
        return range == sightRange_.end() || distance <= range->second;
    }

    // A script asks in `frame`; true when the probe's answer is ready.
    bool probeAnswered(int observer, int target, std::uint64_t frame) {
        auto [asked, first] = lastAsked_.try_emplace({observer, target}, frame);
        const bool ready = !first && (asked->second == frame || asked->second + 1 == frame);
        asked->second = frame;
        return ready;
    }

    // The entity is gone from the world: what was set about its sight goes too.
    void forget(int id) {
        hidden_.erase(id), sightRange_.erase(id);
        std::erase_if(blocked_, [id](const auto& pair) { return pair.first == id || pair.second == id; });
        std::erase_if(lastAsked_, [id](const auto& entry) { return entry.first.first == id || entry.first.second == id; });
    }

private:
    std::set<int> hidden_;
    std::set<std::pair<int, int>> blocked_;
    std::map<int, float> sightRange_;
    std::map<std::pair<int, int>, std::uint64_t> lastAsked_;
};

} // namespace sim
