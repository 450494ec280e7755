#pragma once
// The contract's stage as the plug-in's log tells it, line by line: no mission
// until one is created or loaded, then its stage ("Approaching" first) as the
// executor reports each change, until the mission is terminated. With several
// missions in play, the one whose stage changed last (or, before any change,
// the one that came last) is the contract being played.
#include <string>
#include <vector>

namespace sim {

class ContractStages {
public:
    static constexpr const char* noMission = "no mission";

    // One log message, without its time stamp.
    // Returns the id of the mission the line says terminated, or -1.
    int hear(const std::string& message);
    // The stage of the contract in play, or "no mission".
    const std::string& current() const;
    // The stage of mission `id` ("no mission" once it ended or before it began).
    const std::string& stageOf(int id) const;
    // Every mission the log spoke of, in the order they first came up.
    const std::vector<int>& seen() const { return seen_; }

private:
    struct Mission {
        int id = 0;
        std::string stage;
    };
    // The mission's entry, made at "Approaching" when it is new.
    Mission& enter(int id);

    std::vector<Mission> inPlay_; // the one that changed last at the back
    std::vector<int> ended_;
    std::vector<int> seen_;
};

// The name the timeline gives a stage number ("Approaching", "Hunting"...).
std::string stageName(int stage);

} // namespace sim
