#include "scenarios/timeline.h"

#include "world/core/world.h"

#include <cstdio>
#include <string>

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

void Timeline::note(const std::string& text) {
    out_ << stamp() << " player   " << text << "\n";
}

void Timeline::line(const std::string& text) {
    out_ << text << "\n";
}

void Timeline::printLogLine(const std::string& message) {
    stages_.hear(message);
    const std::string progress = describeProgressLine(message);
    if (!progress.empty())
        out_ << stamp() << " MISSION  " << progress << "\n";
    if (options_.logLines)
        out_ << stamp() << " log      " << message << "\n";
}

void Timeline::afterFrame() {
    World& world = game_.world();
    const Hud& hud = world.hud;
    for (; subtitles_ < hud.subtitles.size(); ++subtitles_)
        out_ << stamp() << " subtitle " << hud.subtitles[subtitles_].text << "\n";
    for (; helpBoxes_ < hud.helpBoxes.size(); ++helpBoxes_)
        out_ << stamp() << " help     " << hud.helpBoxes[helpBoxes_].text << "\n";
    for (; toasts_ < hud.toasts.size(); ++toasts_)
        out_ << stamp() << " toast    " << hud.toasts[toasts_].title << " | " << hud.toasts[toasts_].body << "\n";
    for (const PromptRecord* prompt : world.prompts.visible()) {
        if (prompt->text.empty() || !promptsShown_.insert(prompt->handle).second)
            continue;
        out_ << stamp() << " prompt   [" << controlNameOf(prompt->control) << "] " << prompt->text
             << (prompt->mode == PromptMode::Hold ? " (hold)" : "") << "\n";
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
            printLogLine(withoutLogStamp(line));
        start = end + 1;
    }
}

} // namespace sim
