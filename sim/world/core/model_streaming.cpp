#include "world/core/model_streaming.h"

namespace sim {

void ModelStreaming::request(std::uint32_t model, std::uint64_t frame) {
    auto [it, added] = requests_.try_emplace(model);
    if (added)
        it->second.firstFrame = frame;
    it->second.count += 1;
}

bool ModelStreaming::isLoaded(std::uint32_t model, std::uint64_t frame) const {
    if (model == 0 || missing_.count(model) != 0)
        return false;
    auto it = requests_.find(model);
    return it != requests_.end() && frame >= it->second.firstFrame + framesToLoad;
}

int ModelStreaming::requestCount(std::uint32_t model) const {
    auto it = requests_.find(model);
    return it == requests_.end() ? 0 : it->second.count;
}

} // namespace sim
