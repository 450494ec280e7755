#include "world/core/strings.h"

#include <cstring>

namespace sim {

// Every byte is written now, so the ring's pages are the process's from the start.
GameStrings::GameStrings() : ring_(ringBytes, '\0') {}

const char* GameStrings::make(std::string_view text) {
    const std::size_t needed = text.size() + 1;
    if (needed > ring_.size())
        return oversized_.push_back(std::string(text)).c_str();
    if (next_ + needed > ring_.size())
        next_ = 0;
    char* handle = ring_.data() + next_;
    std::memcpy(handle, text.data(), text.size());
    handle[text.size()] = '\0';
    next_ += needed;
    return handle;
}

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
