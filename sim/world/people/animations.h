#pragma once
// Animation dictionaries and the animations peds play. A dictionary asked for
// arrives a few frames later, as models do (one the game does not have, never);
// an animation task plays its clip once, the ped standing still meanwhile (a
// clip the game does not have plays nothing and the task is over at once). The latest animation tasks are kept,
// so tests can ask what was played and by whom.
#include "world/core/kept_records.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace sim {

struct AnimationPlayed {
    int ped = 0; // 0 when it was added to the open task sequence
    std::string dictionary;
    std::string clip;
    bool dictionaryLoaded = false; // the dictionary had arrived when the task was given
    bool clipInGame = true;        // a clip the game does not have plays nothing
    std::uint64_t frame = 0;
};

class Animations {
public:
    static constexpr std::uint64_t framesToLoad = 3;
    // How long a clip plays when the task asks for all of it.
    int clipMs = 2500;

    void request(const std::string& dictionary, std::uint64_t frame);
    bool isLoaded(const std::string& dictionary, std::uint64_t frame) const;
    int requestCount(const std::string& dictionary) const;

    // Over the oldest kept once hours of play have played thousands.
    void record(const AnimationPlayed& played) { played_.push_back(played); }
    // The latest keptPlayed, oldest first; total() counts all.
    const KeptRecords<AnimationPlayed>& played() const { return played_; }
    static constexpr std::size_t keptPlayed = 256;
    const AnimationPlayed* find(const std::string& clip) const;

private:
    struct Request {
        std::uint64_t firstFrame = 0;
        int count = 0;
    };
    std::map<std::string, Request> requests_;
    // Slots sized for a dictionary's and a clip's name, so that recording allocates nothing.
    KeptRecords<AnimationPlayed> played_{keptPlayed, [](AnimationPlayed& slot) {
        slot.dictionary.reserve(64);
        slot.clip.reserve(64);
    }};
};

} // namespace sim
