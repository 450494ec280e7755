#pragma once
// What peds can perceive in the simulated world: foliage that hides the player,
// how far each ped sees, who can see whom, how much noise the player makes as
// he moves, and the perception events (shots, shots whizzing by, dead bodies)
// the game hands each ped.
#include "runtime/types.h"

#include <cstdint>
#include <map>
#include <vector>

namespace sim {

struct World;

// A patch of vegetation. `density` is the game's foliage height code: 55 and
// below is open ground, 72 and above hides a standing man completely.
struct FoliagePatch {
    drovil::Vector3 centre;
    float radius = 0.0f;
    int density = 0;
};

// The density code whose cover (of a standing man) is `cover`, 0 to 1.
int foliageDensityForCover(float cover);

enum class Movement { Still, Walking, Running, Sprinting };

// One ped's senses and the way it moved in the last frame.
struct PedSenses {
    float seeingRange = -1.0f; // given by a script; below 0 none (the ped sees as far as the world lets it)
    bool crouching = false;
    bool positionKnown = false;
    drovil::Vector3 lastPosition;
    float speed = 0.0f; // metres per second over the last frame
};

struct PerceptionEvent {
    std::uint32_t type = 0; // the hash of the event's name
    int source = 0;         // the entity that caused it (shooter, body)
    std::uint64_t atMs = 0;
};

// The player's noise levels, in the game's units, by what he does.
struct NoiseLevels {
    static constexpr float still = 0.0f;
    static constexpr float walking = 3.0f;
    static constexpr float running = 8.0f;
    static constexpr float sprinting = 12.0f;
    static constexpr float crouchedFactor = 0.4f; // crouching muffles footsteps
    static constexpr float shooting = 30.0f;      // for a second after each shot
    static constexpr std::uint64_t shootingMs = 1000;
};

class Perception {
public:
    // How long an event stays among a ped's events.
    static constexpr std::uint64_t eventLifetimeMs = 1000;
    // Gunshots are heard this far; a bullet passing this close whizzes by.
    static constexpr float gunshotAudibleRange = 150.0f;
    static constexpr float whizzByDistance = 4.0f;
    // Dead bodies are noticed this close, when in view.
    static constexpr float deadBodyNoticeRange = 40.0f;

    // Foliage.
    void addFoliage(const drovil::Vector3& centre, float radius, int density);
    void addFoliageCover(const drovil::Vector3& centre, float radius, float cover) {
        addFoliage(centre, radius, foliageDensityForCover(cover));
    }
    void clearFoliage() { foliage_.clear(); }
    int foliageDensityAt(const drovil::Vector3& position) const;
    // The game's raw foliage value at a position: the density code in the
    // millions, with lower digits of no meaning.
    float foliageValueAt(const drovil::Vector3& position) const;

    // Senses.
    PedSenses& senses(int ped) { return senses_[ped]; }
    const PedSenses* findSenses(int ped) const;
    void setCrouching(int ped, bool crouching) { senses(ped).crouching = crouching; }
    bool isCrouching(int ped) const;
    // Gives a ped a sight range; the world's line of sight honours it.
    void setSeeingRange(World& world, int ped, float range);
    // The range a script last gave the ped, below 0 for none.
    float seeingRange(int ped) const;
    Movement movementOf(int ped) const;

    // True when the observer, alive and conscious, sees the target (within the
    // sight range it was given, unless something blocks its view).
    bool canSee(const World& world, int observer, int target) const;

    // Events.
    void raise(int observer, std::uint32_t type, int source, std::uint64_t nowMs);
    // Raises the event for every living ped within `radius` of a point but `except`.
    void raiseAround(World& world, const drovil::Vector3& where, float radius, std::uint32_t type, int source,
                     int except);
    // The type of the newest event of the ped still alive, 0 for none.
    std::uint32_t newestEvent(int observer, std::uint64_t nowMs) const;
    // The source of the newest event of that type, 0 for none.
    int eventSource(int observer, std::uint32_t type, std::uint64_t nowMs) const;
    std::vector<PerceptionEvent> eventsOf(int observer) const;
    void forgetEvents(int observer) { events_.erase(observer); }

    // The player's noise level now.
    float playerNoise(const World& world) const;

    // One frame: measures how every ped moved, forgets old events and lets
    // peds notice the dead bodies in view.
    void step(World& world);

    // The ped is gone from the world: its senses and events go too.
    void forget(int ped) { senses_.erase(ped), events_.erase(ped); }

private:
    void noticeBodies(World& world);

    std::vector<FoliagePatch> foliage_;
    std::map<int, PedSenses> senses_;
    std::map<int, std::vector<PerceptionEvent>> events_;
};

// Names of the perception events, as the game names them.
namespace events {
inline constexpr const char* shotFired = "EVENT_SHOT_FIRED";
inline constexpr const char* shotWhizzedBy = "EVENT_SHOT_FIRED_WHIZZED_BY";
inline constexpr const char* deadBody = "EVENT_SHOCKING_DEAD_BODY";
} // namespace events

} // namespace sim
