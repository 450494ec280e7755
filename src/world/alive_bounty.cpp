#include "world/alive_bounty.h"

#include "runtime/data_files.h"
#include "runtime/settings.h"

#include <cmath>

namespace drovil {

bool aliveBountiesOn() {
    return getSettingBool("AliveBounties");
}

int aliveBonusFor(int bounty) {
    if (!aliveBountiesOn() || bounty <= 0)
        return 0;
    const float share = generalMetaFile().getFloat("contract.alive.bonus_share", -999.0f);
    if (!(share > 0.0f))
        return 0;
    const double bonus = std::round(static_cast<double>(bounty) * static_cast<double>(share));
    // A share a tuner set far too high must not wrap the reward round.
    return bonus >= 1e9 ? 1000000000 : static_cast<int>(bonus);
}

} // namespace drovil
