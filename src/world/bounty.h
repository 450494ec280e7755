#pragma once
// The bounty of a new contract. Everything is single-precision arithmetic,
// truncated toward zero at every step that turns it into whole dollars, so the
// same inputs give the same dollars on every machine.
namespace drovil {

struct BountyInputs {
    int baseBounty = 0;                     // the template's, in dollars
    int spreadPercent = 100;                // 90..109, drawn per mission
    float distanceFromOrigin = 0.0f;        // of the area's centre, metres
    float distanceBonusThreshold = -999.0f; // contract.distance_bonus.threshold
    float distanceBonusFactor = 0.0f;       // contract.distance_bonus.factor
    float playerBountyFactor = -999.0f;     // contract.player_bounty_factor
    int playerBounty = 0;                   // what the law has on the player's head now
};

// The spread base, the remote-area bonus and the player's own bounty applied,
// then rounded to a multiple of 5 (remainders 3 and 4 round up).
int contractBounty(const BountyInputs& inputs);

// Rounds to a multiple of 5: 57 gives 55, 58 gives 60.
int roundToFive(int dollars);

// The heavier wagon convoys (oil wagon, armed escort) pay 15% more, computed in
// double precision and not rounded again: 40 gives 46, 100 gives 114.
int wagonConvoyBounty(int bounty);

} // namespace drovil
