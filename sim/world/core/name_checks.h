#pragma once
// What the game makes of the names scripts pass it. A name the game has is
// used; one of a kind it lists that it lacks does nothing: a model that never
// loads, a propset that never streams in, a scenario that does not start, a
// sprite or a control that is not there, a sound or a speech line not played,
// a weapon nobody can hold. The simulator answers so too, and by default it
// also stops the run on such a name, naming it, as it stops on a native it does
// not know: a typo in a name passes no test. A test that passes one on purpose
// (a hand-edited mission file's model) turns `strict` off and reads `refused`.
//
// The names the catalogue and the game's scripts both lack ("unconfirmed") may
// still be right: they are taken as the game's, unless `unconfirmedMissing`
// is set, which plays the game as if it lacked them.
#include "world/core/game_names.h"
#include "world/core/kept_records.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace sim {

class NameChecks {
public:
    bool strict = true;
    bool unconfirmedMissing = false;

    // Whether the game has a name of the kind; false for one it lacks (a loud
    // error when strict, but for a zero, which names nothing). `use` says what
    // it was passed for, for the message.
    bool inGame(NameKind kind, std::uint32_t hash, const char* use);
    bool inGame(NameKind kind, std::string_view name, const char* use);
    // The same question, asked by the world itself: no error, nothing noted.
    bool has(NameKind kind, std::uint32_t hash) const;

    // The names the game lacked, latest last: the latest keptRefused.
    static constexpr std::size_t keptRefused = 64;
    const KeptRecords<std::string>& refused() const { return refused_; }
    bool wasRefused(const std::string& name) const;

    // A name the script hashed (GET_HASH_KEY), so that an error about its hash
    // can name it.
    void noteHashed(std::string_view name, std::uint32_t hash);

private:
    bool standsInGame(NameStanding standing) const;
    void refuse(NameKind kind, const std::string& name, const char* use);
    std::string nameOf(std::uint32_t hash) const;

    KeptRecords<std::string> refused_{keptRefused, [](std::string& slot) { slot.reserve(64); }};
    // The names hashed so far (the plug-in hashes a few hundred, each once).
    static constexpr std::size_t keptHashedNames = 4096;
    std::unordered_map<std::uint32_t, std::string> hashed_;
};

} // namespace sim
