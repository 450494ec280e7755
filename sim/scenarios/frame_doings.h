#pragma once
// What the plug-in did in a frame, in a few words, from what the timeline told
// of it: its log lines ("DrovilEngine: mission created in area: ..." is "a
// contract generated") and what appeared on the screen. The frame report
// (drovil-sim --stats) names its costliest frames with these, and counts a
// frame with any of them as one with an event (the frames without one must
// allocate nothing).
#include "scenarios/timeline.h"

#include <string>
#include <vector>

namespace sim {

struct FrameDoings {
    std::vector<std::string> doings; // in the order they came, each once ("files saved x3")
    bool event = false;              // the plug-in logged or showed something
};

FrameDoings describeFrame(const std::vector<TimelineEvent>& events);

} // namespace sim
