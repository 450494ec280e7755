#pragma once
// How long a control has been held: one stopwatch per control hash, shared by
// the whole script and read from the game clock in milliseconds. A stopwatch
// starts the first time it is asked about; callers restart it every frame the
// control is up, so while it is down the elapsed time is the length of the hold.
#include "runtime/types.h"

namespace drovil {

int holdStopwatchElapsedMs(Hash control);
void restartHoldStopwatch(Hash control);

} // namespace drovil
