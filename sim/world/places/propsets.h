#pragma once
// Propsets as the game streams and places them: a propset asked for by name
// arrives a few frames later (never, for a name the game does not have), and a
// placed propset stays until a script deletes it or hands it back to the game,
// which then streams it out once the player is far enough away. The props of a
// camp bring their scenario points (world/places/scenario_points.h).
#include "runtime/types.h"

#include <cstdint>
#include <map>
#include <set>

namespace sim {

enum class PropsetFate { Owned, Released, Deleted };

struct PlacedPropset {
    int handle = 0;
    std::uint32_t name = 0;
    drovil::Vector3 position;
    float heading = 0.0f;
    bool placedOnGround = false;
    PropsetFate fate = PropsetFate::Owned;
    bool streamedOut = false; // released, and the game has cleared it away
};

class Propsets {
public:
    static constexpr std::uint64_t framesToLoad = 4;

    void request(std::uint32_t name, std::uint64_t frame);
    bool isLoaded(std::uint32_t name, std::uint64_t frame) const;
    void releaseRequest(std::uint32_t name) { released_.insert(name); }
    // 0 when the propset has not been loaded.
    int place(std::uint32_t name, const drovil::Vector3& position, float heading, bool onGround, std::uint64_t frame);
    PlacedPropset* find(int handle);
    const std::map<int, PlacedPropset>& all() const { return placed_; }
    // A propset the game does not have: asking for it never loads it.
    void makeUnavailable(std::uint32_t name) { unavailable_.insert(name); }
    // Propsets a script placed and never deleted nor handed back.
    int ownedCount() const;
    // Deleted, or released and cleared away by the game.
    static bool isGone(const PlacedPropset& placed) {
        return placed.fate == PropsetFate::Deleted || placed.streamedOut;
    }
    // A propset went: what is noted of gone ones is kept for the latest
    // keptGone of them, for checks after the fact, then forgotten.
    void wentAway();
    static constexpr std::size_t keptGone = 4;
    bool requestReleased(std::uint32_t name) const { return released_.count(name) != 0; }

private:
    std::map<std::uint32_t, std::uint64_t> firstRequest_;
    std::set<std::uint32_t> unavailable_;
    std::set<std::uint32_t> released_;
    std::map<int, PlacedPropset> placed_;
    int nextHandle_ = 7000;
};

} // namespace sim
