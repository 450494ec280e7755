#include "executors/camp_propset.h"

#include "runtime/host_api.h"
#include "runtime/main_loop.h"
#include "runtime/natives.h"

namespace drovil {
namespace {
// A propset is asked for again every 20 ms, 100 times at the most (2 s).
constexpr int propsetLoadTries = 100;
constexpr int propsetRetryMs = 20;
} // namespace

Propset placeCampPropset(Hash name, const Vector3& position) {
    natives::propset::request(name);
    bool loaded = natives::propset::isLoaded(name);
    for (int tries = 0; !loaded && tries < propsetLoadTries; ++tries) {
        natives::propset::request(name);
        scriptWait(propsetRetryMs);
        loaded = natives::propset::isLoaded(name);
    }
    Propset propset;
    if (loaded)
        propset = natives::propset::create(name, position, 0, 60.0f, 1200.0f, false, true);
    natives::propset::releaseRequest(name);
    return propset;
}

void endCampPropset(Propset& propset) {
    if (!propset)
        return;
    if (isDebugToolsOn())
        natives::propset::remove(propset, true, true);
    else
        natives::propset::releaseToGame(propset);
    propset = Propset();
}

} // namespace drovil
