#include "runtime/model_load.h"

#include "runtime/frame_reads.h"
#include "runtime/host_api.h"
#include "runtime/log.h"
#include "runtime/natives.h"

#include <cstdint>
#include <string>

namespace drovil {
namespace {
// A frozen game clock must not turn a bounded wait into an endless one.
constexpr int maxWaits = 2000;
} // namespace

bool loadModelWithin(Hash model, int timeoutMs, const char* requester, int retryWaitMs) {
    natives::streaming::requestModel(model, false);
    const int start = gameTimerMs();
    for (int waits = 0; !natives::streaming::hasModelLoaded(model); ++waits) {
        if (gameTimerMs() - start >= timeoutMs || waits >= maxWaits) {
            log(std::string(requester) + ": model " + std::to_string(static_cast<std::int32_t>(model)) +
                " did not load within " + std::to_string(timeoutMs) + " ms, it is not used");
            return false;
        }
        if (retryWaitMs > 0)
            natives::streaming::requestModel(model, false);
        scriptWait(retryWaitMs);
    }
    return true;
}

} // namespace drovil
