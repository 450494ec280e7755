#pragma once
// Events scripts send into the game's event queues: the latest are recorded, in
// order, with their packed 32-bit values.
#include "world/core/kept_records.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

struct SentGameEvent {
    std::uint64_t frame = 0;
    int group = 0;
    std::vector<std::int32_t> data; // the block as the game copies it: 2 * size 32-bit values
    int size = 0;                   // as passed: the game's count of 8-byte script slots
    int flags = 0;                  // the metadata index passed

    // How many bytes the game copies from the script's block.
    int bytesTheGameReads() const { return size * 8; }
};

// An event queued for the scripts of a group in one frame (another script's
// script event, for instance): its type hash and packed 32-bit values.
struct QueuedGameEvent {
    int group = 1;
    std::uint32_t type = 0;
    std::vector<std::int32_t> data;
};

struct GameEvents {
    // The latest keptSent events sent, oldest first (total() counts all), in
    // slots sized for the scripts' small events, so that sending allocates nothing.
    static constexpr std::size_t keptSent = 256;
    KeptRecords<SentGameEvent> sent{keptSent, [](SentGameEvent& slot) { slot.data.reserve(16); }};
    // Events the scripts can read this frame; queueForNextFrame() adds to the
    // next frame's queue, which replaces this one when a frame begins.
    std::vector<QueuedGameEvent> queued;
    std::vector<QueuedGameEvent> nextFrame;

    void queueForNextFrame(QueuedGameEvent event) { nextFrame.push_back(std::move(event)); }
    void beginFrame() {
        queued = std::move(nextFrame);
        nextFrame.clear();
    }
    std::vector<const QueuedGameEvent*> queuedIn(int group) const {
        std::vector<const QueuedGameEvent*> found;
        for (const QueuedGameEvent& event : queued)
            if (event.group == group)
                found.push_back(&event);
        return found;
    }

    // How many of the kept sent events start with `first` (an event hash, for instance).
    int countStartingWith(std::int32_t first) const {
        int count = 0;
        for (const SentGameEvent& event : sent)
            if (!event.data.empty() && event.data.front() == first)
                ++count;
        return count;
    }
};

} // namespace sim
