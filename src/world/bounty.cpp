#include "world/bounty.h"

namespace drovil {

int roundToFive(int dollars) {
    return (dollars + 2) / 5 * 5;
}

int contractBounty(const BountyInputs& in) {
    // One step per statement: every intermediate is a float, rounded as the
    // game rounds it, before the next step uses it.
    const float spread = static_cast<float>(in.spreadPercent) * 0.01f;
    int bounty = static_cast<int>(static_cast<float>(in.baseBounty) * spread);

    if (in.distanceFromOrigin >= in.distanceBonusThreshold) {
        const float scale = 1.0f + in.distanceBonusFactor;
        bounty = static_cast<int>(scale * static_cast<float>(bounty));
    }

    const float wantedThousands = static_cast<float>(in.playerBounty) * 0.001f;
    const float weighted = in.playerBountyFactor * wantedThousands;
    const float wantedScale = weighted + 1.0f;
    const int raw = static_cast<int>(wantedScale * static_cast<float>(bounty));
    return roundToFive(raw);
}

int wagonConvoyBounty(int bounty) {
    return static_cast<int>(static_cast<double>(bounty) * 1.15);
}

} // namespace drovil
