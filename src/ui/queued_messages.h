#pragma once
// The help-text and toast queues are flushed once a frame, in that order,
// inside the frame's exception guard.

namespace drovil {

// Adds the help-text flush and then the toast flush as guarded frame steps.
// Start-up calls it right after the running conversations' step is added and
// before any long-lived object adds its own.
void addQueuedMessageSteps();

} // namespace drovil
