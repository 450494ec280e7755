#include "ui/queued_messages.h"

#include "runtime/startup_objects.h"
#include "ui/help_text.h"
#include "ui/toast.h"

namespace drovil {

void addQueuedMessageSteps() {
    addGuardedFrameStep(flushHelpText);
    addGuardedFrameStep(flushToast);
}

} // namespace drovil
