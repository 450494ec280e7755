#pragma once
// Texture dictionaries as the game streams them: a dictionary is not loaded
// until it has been requested, and then takes a few frames to arrive.
#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace sim {

class TextureDictionaries {
public:
    // Frames between the first request and the dictionary being loaded.
    int loadFrames = 3;
    // Dictionaries that never finish loading (a missing or broken asset).
    std::set<std::string> neverLoad;

    void request(const std::string& name, std::uint64_t frame) {
        ++requests_[name];
        firstRequest_.emplace(name, frame);
    }
    bool isLoaded(const std::string& name, std::uint64_t frame) const {
        if (preloaded_.count(name))
            return true;
        if (neverLoad.count(name))
            return false;
        const auto found = firstRequest_.find(name);
        return found != firstRequest_.end() &&
               frame >= found->second + static_cast<std::uint64_t>(loadFrames);
    }
    // Makes a dictionary resident from the start (one the game always has).
    void preload(const std::string& name) { preloaded_.insert(name); }
    int requestCount(const std::string& name) const {
        const auto found = requests_.find(name);
        return found == requests_.end() ? 0 : found->second;
    }
    bool wasRequested(const std::string& name) const { return requests_.count(name) != 0; }

private:
    std::map<std::string, std::uint64_t> firstRequest_;
    std::map<std::string, int> requests_;
    std::set<std::string> preloaded_;
};

} // namespace sim
