#include "world/people/animations.h"

#include "world/core/game_names.h"

namespace sim {

void Animations::request(const std::string& dictionary, std::uint64_t frame) {
    Request& entry = requests_[dictionary];
    if (entry.count == 0)
        entry.firstFrame = frame;
    entry.count += 1;
}

bool Animations::isLoaded(const std::string& dictionary, std::uint64_t frame) const {
    // A dictionary the game does not have never arrives.
    auto found = requests_.find(dictionary);
    return found != requests_.end() && frame >= found->second.firstFrame + framesToLoad &&
           GameNames::catalogue().find(NameKind::AnimDictionary, dictionary) != nullptr;
}

int Animations::requestCount(const std::string& dictionary) const {
    auto found = requests_.find(dictionary);
    return found == requests_.end() ? 0 : found->second.count;
}

const AnimationPlayed* Animations::find(const std::string& clip) const {
    for (const AnimationPlayed& played : played_)
        if (played.clip == clip)
            return &played;
    return nullptr;
}

} // namespace sim
