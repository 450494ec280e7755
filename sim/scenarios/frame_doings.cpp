#include "scenarios/frame_doings.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace sim {
namespace {

// A log line's start and what the plug-in was doing when it wrote it.
struct LogDoing {
    std::string_view start;
    const char* doing;
};
constexpr LogDoing logDoings[] = {
    {"DrovilEngine: mission created in area: ", "a contract generated"},
    {"retrying to generate mission data", "a contract's generation retried"},
    {"DrovilEngine: giving up generating a mission", "a contract's generation given up"},
    {"DrovilEngine: mission loaded. id: ", "a contract restored"},
    {"MissionDataFiles: loading mission data from disk: ", "a contract's file read"},
    {"DrovilEngine: contract accepted", "a contract accepted"},
    {"DrovilEngine: mission terminated: ", "a contract ended"},
    {"DrovilEngine: received event: ", "a script event handled"},
    {"DrovilEngine: external mission", "an external contract started"},
    {"saving ", "a save begun"},
    {"file saved: ", "a file saved"},
    {"PedShot: generating", "a portrait begun"},
    {"Pedshot generated", "a portrait finished"},
    {"PaymentsService: payment collected", "a payment collected"},
    {"PaymentsService: balance increased", "the balance raised"},
    {"ContractExecutor [", "a contract's step"},
    {"Tutorials: triggered: ", "a tutorial shown"},
    {"initialization complete", "start-up finished"},
};

std::string doingOfLogLine(const std::string& line) {
    for (const LogDoing& known : logDoings)
        if (line.compare(0, known.start.size(), known.start) == 0)
            return known.doing;
    const std::string progress = describeProgressLine(line);
    if (!progress.empty())
        return progress;
    // Another line: quoted, cut short.
    constexpr std::size_t shown = 60;
    return "logged \"" + (line.size() <= shown ? line : line.substr(0, shown) + "...") + "\"";
}

std::string doingOf(const TimelineEvent& event) {
    const std::string_view kind = event.kind;
    if (kind == "log")
        return doingOfLogLine(event.text);
    if (kind == "prompt")
        return "a prompt shown " + event.text;
    if (kind == "player")
        return "(the player " + event.text + ")";
    return std::string(event.kind) + " shown";
}

} // namespace

FrameDoings describeFrame(const std::vector<TimelineEvent>& events) {
    FrameDoings frame;
    std::vector<std::pair<std::string, int>> counted;
    for (const TimelineEvent& event : events) {
        if (std::string_view(event.kind) != "player")
            frame.event = true;
        std::string doing = doingOf(event);
        auto known = std::find_if(counted.begin(), counted.end(), [&](const auto& entry) { return entry.first == doing; });
        if (known == counted.end())
            counted.emplace_back(std::move(doing), 1);
        else
            ++known->second;
    }
    // A start-up frame logs dozens of lines: the first few tell enough.
    constexpr std::size_t shown = 6;
    for (std::size_t i = 0; i < counted.size() && i < shown; ++i) {
        const auto& [doing, times] = counted[i];
        frame.doings.push_back(times == 1 ? doing : doing + " x" + std::to_string(times));
    }
    if (counted.size() > shown)
        frame.doings.push_back("and " + std::to_string(counted.size() - shown) + " more");
    return frame;
}

} // namespace sim
