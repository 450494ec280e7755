#pragma once
// The player's interactions with a ped he has focused on: a friendly one (a
// greeting) or an antagonising one. The ped answers for a few seconds: it
// stops, turns to him and says its line; while it answers, the game reports it
// as responding to that interaction, and a task a script gave it waits (the
// game reports it dormant) and goes on afterwards.
#include <cstdint>
#include <map>

namespace sim {

struct World;

class Interactions {
public:
    // The player must stand this close to the ped he focuses on.
    static constexpr float reach = 5.0f;
    // A ped answers for this long.
    static constexpr std::uint64_t answerMs = 4000;

    // The player greets / antagonises the ped he is focused on; false (nothing
    // happens) when he focuses on no ped, or it is out of reach or down.
    bool greet(World& world);
    bool antagonise(World& world);

    bool respondingPositively(int ped, std::uint64_t nowMs) const;
    bool respondingNegatively(int ped, std::uint64_t nowMs) const;
    bool responding(int ped, std::uint64_t nowMs) const;

    // The ped is gone from the world: its answer goes too.
    void forget(int ped) { answers_.erase(ped); }

private:
    struct Answer {
        bool friendly = true;
        std::uint64_t untilMs = 0;
    };
    bool interact(World& world, bool friendly);

    std::map<int, Answer> answers_;
};

} // namespace sim
