#include "scenarios/contract_stages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace sim {
namespace {

// The number right after `marker` in the message, if the marker is there.
bool numberAfter(const std::string& message, const std::string& marker, int& value) {
    const auto at = message.find(marker);
    if (at == std::string::npos)
        return false;
    const char* start = message.c_str() + at + marker.size();
    char* end = nullptr;
    const long number = std::strtol(start, &end, 10);
    if (end == start)
        return false;
    value = static_cast<int>(number);
    return true;
}

} // namespace

std::string stageName(int stage) {
    static const char* const names[] = {"Approaching", "Blocked", "Hunting", "Escaping", "Escaped", "Delivering",
                                        "Handed over"};
    return stage >= 0 && stage < 7 ? names[stage] : std::to_string(stage);
}

ContractStages::Mission& ContractStages::enter(int id) {
    auto found = std::find_if(inPlay_.begin(), inPlay_.end(), [id](const Mission& m) { return m.id == id; });
    if (found != inPlay_.end())
        return *found;
    if (std::find(seen_.begin(), seen_.end(), id) == seen_.end())
        seen_.push_back(id);
    inPlay_.push_back(Mission{id, stageName(0)});
    return inPlay_.back();
}

int ContractStages::hear(const std::string& message) {
    int id = 0;
    if (numberAfter(message, "DrovilEngine: mission terminated: ", id)) {
        inPlay_.erase(std::remove_if(inPlay_.begin(), inPlay_.end(), [id](const Mission& m) { return m.id == id; }),
                      inPlay_.end());
        if (std::find(ended_.begin(), ended_.end(), id) == ended_.end())
            ended_.push_back(id);
        return id;
    }
    if (numberAfter(message, "DrovilEngine: mission created in area: ", id)) {
        if (numberAfter(message, "mission id: ", id))
            enter(id);
        return -1;
    }
    if (numberAfter(message, "DrovilEngine: mission loaded. id: ", id)) {
        enter(id);
        return -1;
    }
    // Any line of a mission's executor: the mission is in play (an external
    // mission says so only this way); a stage change moves it on.
    if (!numberAfter(message, "ContractExecutor [", id) ||
        std::find(ended_.begin(), ended_.end(), id) != ended_.end())
        return -1;
    Mission& mission = enter(id);
    int from = 0, to = 0;
    const auto change = message.find("stage changed: ");
    if (change == std::string::npos || std::sscanf(message.c_str() + change + 15, "%d -> %d", &from, &to) != 2)
        return -1;
    Mission changed{id, stageName(to)};
    inPlay_.erase(inPlay_.begin() + (&mission - inPlay_.data()));
    inPlay_.push_back(changed);
    return -1;
}

const std::string& ContractStages::stageOf(int id) const {
    static const std::string none = noMission;
    auto found = std::find_if(inPlay_.begin(), inPlay_.end(), [id](const Mission& m) { return m.id == id; });
    return found == inPlay_.end() ? none : found->stage;
}

const std::string& ContractStages::current() const {
    static const std::string none = noMission;
    return inPlay_.empty() ? none : inPlay_.back().stage;
}

} // namespace sim
