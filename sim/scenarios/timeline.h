#pragma once
// The readable account of a scenario as it plays: after every frame, what
// appeared on the player's screen (subtitles, help boxes, toasts, prompts), the
// plug-in's new log lines with the mission's stage and status changes called
// out, and the scripted player's own notes, each stamped with the game clock
// and the time since the start. From the same log lines it knows the
// contract's stage, the missions of the run and what the clerk paid.
//
// It is written as text lines for people, or as JSON lines for tools (one
// event an object: time, clock, kind, text, and for missions id, stage and
// status), with a heading event first and a summary event last.
#include "scenarios/contract_stages.h"
#include "scenarios/log_follower.h"
#include "scenarios/scenario_game.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace sim {

class JsonLine;

// One thing the timeline told: the plug-in's log line ("log"), what appeared on
// the screen ("subtitle", "help", "toast", "prompt") or the player's note ("player").
struct TimelineEvent {
    const char* kind;
    std::string text;
};

enum class TimelineFormat {
    Text,      // "[09:03 | 0:12.4] subtitle ..." lines
    JsonLines, // one JSON object a line
};

struct TimelineOptions {
    bool logLines = true; // print the plug-in's log lines too
    TimelineFormat format = TimelineFormat::Text;
};

// How a scenario's run ended, for the summary.
struct RunSummary {
    std::string scenario;
    std::uint32_t seed = 0;
    bool success = false;
    std::string text; // the scenario's own summary
    int frames = 0;
    int cashCents = 0;
    bool scriptStopped = false;
};

class Timeline {
public:
    Timeline(std::ostream& out, ScenarioGame& game, TimelineOptions options = {});

    // The heading: what is played, with which seed, in which game folder.
    void start(const std::string& scenario, const std::string& description, std::uint32_t seed);
    void afterFrame();
    void note(const std::string& text);
    // A picture of the screen was written to `file` (drovil-sim --snapshot).
    void snapshot(const std::string& file);
    // The closing summary: the outcome, the run's contract (read from its
    // mission file) and what the clerk paid during the run.
    void summary(const RunSummary& run);
    // A line without a time stamp (text only: the JSON lines leave it out).
    void line(const std::string& text);
    // "[09:03 | 0:12.4]": the game's clock and the time since the session began.
    std::string stamp();
    // The contract's stage after the frames told so far ("no mission", "Hunting"...).
    const std::string& contractStage() const { return stages_.current(); }
    // The missions the run spoke of, in the order they came up.
    const std::vector<int>& missionsSeen() const { return stages_.seen(); }
    // What the station clerks paid out during the run, in cents.
    int paidCents() const { return paidCents_; }
    // Keeps the events it tells from now on, for takeEvents (off at first: a
    // long run nobody asks would keep every one).
    void keepEvents() { keepEvents_ = true; }
    // The events kept since the last call (moved into `events`, which is
    // cleared first): what a frame showed and logged.
    void takeEvents(std::vector<TimelineEvent>& events);

private:
    struct Event {
        Event(const char* eventKind, std::string eventText, int missionId = -1)
            : kind(eventKind), text(std::move(eventText)), mission(missionId) {}
        const char* kind;  // "subtitle", "help", "toast", "prompt", "mission", "log", "player"
        std::string text;  // as a person reads it
        int mission = -1;  // mission events: the mission's id, stage and status
        std::string stage;
        int status = -1;
        std::vector<std::pair<const char*, std::string>> extra; // more text fields for tools
        bool hold = false;                                      // prompts: held, not pressed
    };
    void emit(const Event& event, const std::string& textForm);
    std::string clockText() const;
    JsonLine jsonEvent(const char* kind, const std::string& text) const;
    void hearLogLine(const std::string& message);
    int statusOf(int mission);
    bool json() const { return options_.format == TimelineFormat::JsonLines; }

    std::ostream& out_;
    ScenarioGame& game_;
    TimelineOptions options_;
    std::size_t subtitles_ = 0, helpBoxes_ = 0, toasts_ = 0;
    std::set<int> promptsShown_;
    LogFollower log_;
    ContractStages stages_;
    std::map<int, int> statuses_; // by mission id, as the log last told it
    bool keepEvents_ = false;
    std::vector<TimelineEvent> events_; // told since the last takeEvents
    int paidCents_ = 0;
};

// A log line without its "[d/m/yyyy h:m:s] " stamp.
std::string withoutLogStamp(const std::string& line);
// "stage changed: 0 -> 2" told in words ("stage Approaching -> Hunting"); other
// lines come back empty.
std::string describeProgressLine(const std::string& message);

} // namespace sim
