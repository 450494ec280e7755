#include "scenarios/timeline.h"

#include "scenarios/contract_play.h"
#include "scenarios/json_line.h"
#include "scenarios/scenario_run.h"
#include "world/core/world.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace sim {
namespace {

std::string statusName(int status) {
    static const char* const names[] = {"open", "engaged", "completed", "blocked", "failed"};
    return status >= 0 && status < 5 ? names[status] : std::to_string(status);
}

// "<prefix>a -> b" after `marker` in the message, as two numbers.
bool readChange(const std::string& message, const std::string& marker, int& from, int& to) {
    const auto at = message.find(marker);
    if (at == std::string::npos)
        return false;
    return std::sscanf(message.c_str() + at + marker.size(), "%d -> %d", &from, &to) == 2;
}

// The mission id in "ContractExecutor [3]: ...", -1 when there is none.
int missionIdOf(const std::string& message) {
    const auto open = message.find('[');
    int id = -1;
    if (open == std::string::npos || std::sscanf(message.c_str() + open, "[%d]", &id) != 1)
        return -1;
    return id;
}

std::string missionOf(const std::string& message) {
    const auto open = message.find('['), close = message.find(']');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return "mission";
    return "mission " + message.substr(open + 1, close - open - 1);
}

} // namespace

std::string withoutLogStamp(const std::string& line) {
    if (!line.empty() && line.front() == '[') {
        const auto close = line.find("] ");
        if (close != std::string::npos)
            return line.substr(close + 2);
    }
    return line;
}

std::string describeProgressLine(const std::string& message) {
    int from = 0, to = 0;
    if (readChange(message, "stage changed: ", from, to))
        return missionOf(message) + " stage " + stageName(from) + " -> " + stageName(to);
    if (readChange(message, "status changed: ", from, to))
        return missionOf(message) + " status " + std::to_string(from) + " (" + statusName(from) + ") -> " +
               std::to_string(to) + " (" + statusName(to) + ")";
    return std::string();
}

Timeline::Timeline(std::ostream& out, ScenarioGame& game, TimelineOptions options)
    : out_(out), game_(game), options_(options), log_(game.logPath()) {}

std::string Timeline::stamp() {
    const Clock& clock = game_.world().clock;
    const int tenths = static_cast<int>(clock.elapsedMs / 100);
    char text[48];
    std::snprintf(text, sizeof text, "[%02d:%02d | %d:%02d.%d]", clock.hourOfDay(), clock.minuteOfHour(),
                  tenths / 600, (tenths / 10) % 60, tenths % 10);
    return text;
}

std::string Timeline::clockText() const {
    const Clock& clock = game_.world().clock;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", clock.hourOfDay(), clock.minuteOfHour());
    return text;
}

JsonLine Timeline::jsonEvent(const char* kind, const std::string& text) const {
    JsonLine line;
    line.add("time", game_.world().clock.elapsedMs).add("clock", clockText()).add("kind", kind).add("text", text);
    return line;
}

void Timeline::takeEvents(std::vector<TimelineEvent>& events) {
    events.clear();
    events.swap(events_);
}

void Timeline::emit(const Event& event, const std::string& textForm) {
    // The log's lines are kept as they are heard, printed or not; a mission
    // event is one of them told again.
    const std::string_view kind = event.kind;
    if (keepEvents_ && kind != "log" && kind != "mission" && kind != "snapshot")
        events_.push_back(TimelineEvent{event.kind, textForm});
    if (!json()) {
        std::string label = std::string(event.kind) == "mission" ? "MISSION" : event.kind;
        label.resize(8, ' ');
        out_ << stamp() << " " << label << " " << textForm << "\n";
        return;
    }
    JsonLine line = jsonEvent(event.kind, event.text);
    if (std::string(event.kind) == "mission") {
        if (event.mission >= 0)
            line.add("id", event.mission);
        else
            line.addNull("id");
        line.add("stage", event.stage);
        if (event.status >= 0)
            line.add("status", event.status);
        else
            line.addNull("status");
    }
    for (const auto& [name, value] : event.extra)
        line.add(name, value);
    if (event.hold)
        line.add("hold", true);
    out_ << line.text() << "\n";
}

void Timeline::start(const std::string& scenario, const std::string& description, std::uint32_t seed) {
    if (!json()) {
        line("drovil-sim: scenario " + scenario + ", seed " + std::to_string(seed) + ", game folder " +
             game_.gameFolder());
        line("  " + description);
        return;
    }
    JsonLine heading = jsonEvent("start", description);
    heading.add("scenario", scenario).add("seed", static_cast<long long>(seed)).add("game_folder", game_.gameFolder());
    out_ << heading.text() << "\n";
}

void Timeline::note(const std::string& text) {
    emit(Event{"player", text}, text);
}

void Timeline::snapshot(const std::string& file) {
    emit(Event{"snapshot", file}, "screen snapshot written: " + file);
}

void Timeline::line(const std::string& text) {
    if (!json())
        out_ << text << "\n";
}

int Timeline::statusOf(int mission) {
    auto known = statuses_.find(mission);
    if (known != statuses_.end())
        return known->second;
    // Not changed during this run yet: as its file holds it (a contract restored
    // at start-up), or open for one just made.
    const std::string file = "Missions/" + std::to_string(mission) + ".dat";
    const int status = game_.fileExists(file) ? intValue(parseKeyValues(game_.readFile(file)), "status", 0) : 0;
    statuses_[mission] = status;
    return status;
}

void Timeline::hearLogLine(const std::string& message) {
    if (keepEvents_)
        events_.push_back(TimelineEvent{"log", message});
    // A terminated mission says no more: its status is let go, or a career's
    // hundreds of them would stay known for good.
    if (const int terminated = stages_.hear(message); terminated >= 0)
        statuses_.erase(terminated);
    int from = 0, to = 0;
    const bool statusChange = readChange(message, "status changed: ", from, to);
    const bool stageChange = !statusChange && readChange(message, "stage changed: ", from, to);
    if (statusChange || stageChange) {
        const int mission = missionIdOf(message);
        if (statusChange && mission >= 0)
            statuses_[mission] = to;
        const std::string progress = describeProgressLine(message);
        Event event{"mission", progress, mission};
        if (mission >= 0) {
            event.stage = stages_.stageOf(mission);
            event.status = statusOf(mission);
        }
        emit(event, progress);
    }
    static const std::string paid = "PaymentsService: payment collected: ";
    if (message.rfind(paid, 0) == 0)
        paidCents_ += static_cast<int>(std::lround(std::strtod(message.c_str() + paid.size(), nullptr) * 100.0));
    if (options_.logLines)
        emit(Event{"log", message}, message);
}

void Timeline::afterFrame() {
    World& world = game_.world();
    const Hud& hud = world.hud;
    for (; subtitles_ < hud.subtitles.total(); ++subtitles_)
        emit(Event{"subtitle", hud.subtitles.numbered(subtitles_).text}, hud.subtitles.numbered(subtitles_).text);
    for (; helpBoxes_ < hud.helpBoxes.total(); ++helpBoxes_)
        emit(Event{"help", hud.helpBoxes.numbered(helpBoxes_).text}, hud.helpBoxes.numbered(helpBoxes_).text);
    for (; toasts_ < hud.toasts.total(); ++toasts_) {
        const auto& toast = hud.toasts.numbered(toasts_);
        Event event{"toast", toast.title + " | " + toast.body};
        event.extra = {{"title", toast.title}, {"body", toast.body}};
        emit(event, event.text);
    }
    // A prompt is told once while it lives; hours of play make thousands.
    if (world.clock.frame % 300 == 0)
        std::erase_if(promptsShown_, [&](int handle) { return world.prompts.find(handle) == nullptr; });
    for (const PromptRecord* prompt : world.prompts.visible()) {
        if (prompt->text.empty() || !promptsShown_.insert(prompt->handle).second)
            continue;
        const bool hold = prompt->mode == PromptMode::Hold;
        const std::string control = controlNameOf(prompt->control);
        Event event{"prompt", prompt->text};
        event.extra = {{"control", control}};
        event.hold = hold;
        // Appended piece by piece: MinGW's GCC 12 warns wrongly about "[" + text.
        std::string shown = "[";
        shown.append(control).append("] ").append(prompt->text).append(hold ? " (hold)" : "");
        emit(event, shown);
    }
    // Only what was written since the last frame; a line still being written
    // waits for the next frame.
    const std::string added = log_.newLines();
    std::size_t start = 0;
    while (start < added.size()) {
        const std::size_t end = added.find('\n', start);
        std::string line = added.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            hearLogLine(withoutLogStamp(line));
        start = end + 1;
    }
}

void Timeline::summary(const RunSummary& run) {
    const Clock& clock = game_.world().clock;
    // The run's contract: the last one the log spoke of.
    const std::vector<int>& missions = stages_.seen();
    const int contract = missions.empty() ? -1 : missions.back();
    std::map<std::string, std::string> record;
    if (contract >= 0) {
        const std::string file = "Missions/" + std::to_string(contract) + ".dat";
        if (game_.fileExists(file))
            record = parseKeyValues(game_.readFile(file));
    }
    if (!json()) {
        line("");
        line("summary: " + run.scenario + (run.success ? " SUCCEEDED" : " FAILED") + " after " +
             std::to_string(run.frames) + " frames, " + std::to_string(clock.elapsedMs / 1000) +
             " s of game time " + stamp());
        line("  " + run.text);
        line("  cash " + dollarsText(run.cashCents));
        if (run.scriptStopped)
            line("  the plug-in's script stopped running");
        return;
    }
    JsonLine summary = jsonEvent("summary", run.text);
    summary.add("scenario", run.scenario)
        .add("seed", static_cast<long long>(run.seed))
        .add("outcome", run.success ? "succeeded" : "failed")
        .add("frames", run.frames)
        .add("cash_cents", run.cashCents)
        .add("paid_cents", paidCents_)
        .add("script_stopped", run.scriptStopped);
    if (contract >= 0) {
        // How a dead or alive contract's target came in, as its executor logged it.
        const std::string executor = "ContractExecutor [" + std::to_string(contract) + "]: ";
        summary.add("contract", contract)
            .add("brought_in_alive", game_.logContains(executor + "target brought in alive"))
            .add("died_hogtied", game_.logContains(executor + "the hogtied target died"));
    } else {
        summary.addNull("contract");
    }
    if (!record.empty()) {
        summary.add("setting", settingName(intValue(record, "settingId", -1)))
            .add("reward", intValue(record, "bounty", 0) + intValue(record, "bonusesReward", 0))
            .add("bonus", intValue(record, "bonusesReward", 0));
    } else {
        summary.addNull("setting").addNull("reward");
    }
    out_ << summary.text() << "\n";
}

} // namespace sim
