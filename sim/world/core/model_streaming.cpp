#include "world/core/model_streaming.h"

#include "world/core/game_names.h"

namespace sim {

void ModelStreaming::request(std::uint32_t model, std::uint64_t frame) {
    auto [it, added] = requests_.try_emplace(model);
    if (added)
        it->second.firstFrame = frame;
    it->second.count += 1;
    it->second.held = true;
}

void ModelStreaming::release(std::uint32_t model) {
    auto it = requests_.find(model);
    if (it != requests_.end())
        it->second.held = false;
}

int ModelStreaming::heldCount() const {
    int held = 0;
    for (const auto& [model, request] : requests_)
        held += request.held ? 1 : 0;
    return held;
}

bool ModelStreaming::isLoaded(std::uint32_t model, std::uint64_t frame) const {
    if (model == 0 || missing_.count(model) != 0 || !GameNames::catalogue().find(NameKind::Model, model))
        return false;
    auto it = requests_.find(model);
    return it != requests_.end() && frame >= it->second.firstFrame + framesToLoad;
}

int ModelStreaming::requestCount(std::uint32_t model) const {
    auto it = requests_.find(model);
    return it == requests_.end() ? 0 : it->second.count;
}

} // namespace sim
