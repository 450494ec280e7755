#pragma once
// Game strings: the handles the game makes from texts (LITERAL_STRING and
// friends). The game makes them in a scratch buffer that later strings reuse:
// a script uses a handle at once (to draw, to name a prompt), never frames
// later. The simulator copies each text into a character ring of `ringBytes`,
// taken and written when the world is made, the next text after the last and
// back at the start when it does not fit at the end: a handle stays readable
// until that much more text has been made after it (thousands of strings, many
// frames' worth), well beyond any sound use, and making one allocates nothing.
#include "world/core/kept_records.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

class GameStrings {
public:
    static constexpr std::size_t ringBytes = 64 * 1024;
    // A text too long for the ring is kept apart; the latest few stay readable.
    static constexpr std::size_t keptOversized = 4;

    GameStrings();

    // Returns a zero-terminated copy; its address is the handle.
    const char* make(std::string_view text);
    // A handle is simply the text's address; nullptr reads as empty.
    static std::string read(const char* handle) { return handle ? std::string(handle) : std::string(); }

private:
    std::vector<char> ring_;
    std::size_t next_ = 0; // where the next text goes
    KeptRecords<std::string> oversized_{keptOversized};
};

// The game's hash of a name: Jenkins' one-at-a-time hash of the lower-cased name.
std::uint32_t gameHash(const std::string& name);

} // namespace sim
