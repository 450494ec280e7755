#pragma once
// Game strings: the handles the game makes from texts (LITERAL_STRING and
// friends). The game makes them in a scratch buffer that later strings reuse:
// a script uses a handle at once (to draw, to name a prompt), never frames
// later. The simulator keeps the latest `kept` strings, many frames' worth, so
// a handle stays readable well beyond any sound use and memory stays flat.
#include <cstdint>
#include <deque>
#include <string>

namespace sim {

class GameStrings {
public:
    // Returns a stable zero-terminated copy; its address is the handle.
    const char* make(std::string text) {
        // A deque keeps the other strings where they are as one comes or goes.
        if (strings_.size() >= kept)
            strings_.pop_front();
        strings_.push_back(std::move(text));
        return strings_.back().c_str();
    }
    static constexpr std::size_t kept = 1024;
    // A handle is simply the text's address; nullptr reads as empty.
    static std::string read(const char* handle) { return handle ? std::string(handle) : std::string(); }

private:
    std::deque<std::string> strings_;
};

// The game's hash of a name: Jenkins' one-at-a-time hash of the lower-cased name.
std::uint32_t gameHash(const std::string& name);

} // namespace sim
