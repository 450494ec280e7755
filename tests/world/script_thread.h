#pragma once
// Running plug-in code that calls natives: it must run on the script thread,
// so it is handed to the next frame as one of its guarded steps.
#include "session/session.h"

#include <functional>

namespace test {

// Runs `work` once, on the script thread, during the next frame whose guarded
// steps run (this call runs the frames). Exceptions escaping `work` reach the
// frame's exception guard.
void runOnScriptThread(sim::Session& session, std::function<void()> work);

} // namespace test
