#pragma once
// Model streaming as the game does it: a model asked for is not there at once but
// arrives a few frames later; creating anything of a model that has not arrived
// fails. A hash that names none of the game's models (world/core/game_names.h)
// never loads, and neither does one whose files are missing (a broken install).
#include <cstdint>
#include <iterator>
#include <map>

namespace sim {

class ModelStreaming {
public:
    // Frames between the first request and the model being reported loaded.
    static constexpr std::uint64_t framesToLoad = 3;

    void request(std::uint32_t model, std::uint64_t frame);
    bool isLoaded(std::uint32_t model, std::uint64_t frame) const;
    // How often the model was asked for (0 when never).
    int requestCount(std::uint32_t model) const;
    // A script no longer needs the model. It stays loaded (anything of it
    // still in the world keeps it) until asked for again or streamed out.
    void release(std::uint32_t model);
    // Models asked for by scripts and not marked as no longer needed since.
    int heldCount() const;
    // The game unloads a model no script holds once nothing of it is left in
    // the world (`inWorld` says whether anything of a model is): asked for
    // again, it takes its frames to load once more.
    template <class InWorld>
    void unloadUnused(InWorld inWorld) {
        for (auto it = requests_.begin(); it != requests_.end();)
            it = !it->second.held && !inWorld(it->first) ? requests_.erase(it) : std::next(it);
    }
    // The model's files are missing: it is never reported loaded.
    void markMissing(std::uint32_t model) { missing_[model] = true; }

private:
    struct Request {
        std::uint64_t firstFrame = 0;
        int count = 0;
        bool held = true; // asked for since the last release
    };
    std::map<std::uint32_t, Request> requests_;
    std::map<std::uint32_t, bool> missing_;
};

} // namespace sim
