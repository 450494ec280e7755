#pragma once
// Game strings: the handles the game makes from texts (LITERAL_STRING and
// friends). The simulator keeps every string it made for the session, so a
// handle stays valid as long as the plug-in may hold it.
#include <cstdint>
#include <deque>
#include <string>

namespace sim {

class GameStrings {
public:
    // Returns a stable zero-terminated copy; its address is the handle.
    const char* make(std::string text) {
        strings_.push_back(std::move(text));
        return strings_.back().c_str();
    }
    // A handle is simply the text's address; nullptr reads as empty.
    static std::string read(const char* handle) { return handle ? std::string(handle) : std::string(); }

private:
    std::deque<std::string> strings_;
};

// The game's hash of a name: Jenkins' one-at-a-time hash of the lower-cased name.
std::uint32_t gameHash(const std::string& name);

} // namespace sim
