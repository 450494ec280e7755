#pragma once
// Another mod's script in the same game: registered with the hook beside the
// plug-in, it runs every frame after it and sends script events through the
// game's send native, as a script that tells Drovil what to do does. Each
// event goes in the first frame its moment has come, one a frame, in the
// order given; the script yields with the hook's own wait.
#include "session/session.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace test {

// Registers the script with the session's hook (once per process); it runs
// from the next frame on.
void startOtherScript(sim::Session& session);

// The other script sends the event `name` with its values (group 1, to the
// local player among others) in the first frame, after the events asked for
// before it, in which `when` holds.
void otherScriptSends(const std::string& name, std::vector<int> values,
                      std::function<bool()> when = [] { return true; });

// The frames in which the other script sent its events, in order.
const std::vector<std::uint64_t>& otherScriptSentFrames();

} // namespace test
