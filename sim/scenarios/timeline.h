#pragma once
// The readable account of a scenario as it plays: after every frame, what
// appeared on the player's screen (subtitles, help boxes, toasts, prompts), the
// plug-in's new log lines with the mission's stage and status changes called
// out, and the scripted player's own notes, each stamped with the game clock
// and the time since the start. From the same log lines it knows the
// contract's stage.
#include "scenarios/contract_stages.h"
#include "scenarios/log_follower.h"
#include "scenarios/scenario_game.h"

#include <cstddef>
#include <ostream>
#include <set>
#include <string>

namespace sim {

struct TimelineOptions {
    bool logLines = true; // print the plug-in's log lines too
};

class Timeline {
public:
    Timeline(std::ostream& out, ScenarioGame& game, TimelineOptions options = {});

    void afterFrame();
    void note(const std::string& text);
    // A line without a time stamp (headings, the summary).
    void line(const std::string& text);
    // "[09:03 | 0:12.4]": the game's clock and the time since the session began.
    std::string stamp();
    // The contract's stage after the frames told so far ("no mission", "Hunting"...).
    const std::string& contractStage() const { return stages_.current(); }

private:
    void printLogLine(const std::string& message);

    std::ostream& out_;
    ScenarioGame& game_;
    TimelineOptions options_;
    std::size_t subtitles_ = 0, helpBoxes_ = 0, toasts_ = 0;
    std::set<int> promptsShown_;
    LogFollower log_;
    ContractStages stages_;
};

// A log line without its "[d/m/yyyy h:m:s] " stamp.
std::string withoutLogStamp(const std::string& line);
// "stage changed: 0 -> 2" told in words ("stage Approaching -> Hunting"); other
// lines come back empty.
std::string describeProgressLine(const std::string& message);

} // namespace sim
