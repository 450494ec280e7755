#include "world/core/strings.h"

namespace sim {

std::uint32_t gameHash(const std::string& name) {
    std::uint32_t hash = 0;
    for (unsigned char c : name) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c - 'A' + 'a');
        hash += c;
        hash += hash << 10;
        hash ^= hash >> 6;
    }
    hash += hash << 3;
    hash ^= hash >> 11;
    hash += hash << 15;
    return hash;
}

} // namespace sim
