#include "world/model_pools.h"

#include "runtime/game.h"

namespace drovil {

const std::string& pickFrom(const NamePool& pool) {
    return pool[static_cast<std::size_t>(randomInt(0, static_cast<int>(pool.size())))];
}

} // namespace drovil
