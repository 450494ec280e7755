#include "scenarios/towns.h"

#include <cctype>

namespace sim {

const std::vector<StartingTown>& allTowns() {
    // Each main street is the busiest stretch of the town's streets, where its
    // townsfolk are thickest.
    static const auto* towns = new std::vector<StartingTown>{
        {"Annesburg", 0x00704B67, drovil::Vector3(2935.2f, 569.433f, 44.8467f)},
        {"Armadillo", 0xD39FE932, drovil::Vector3(-3718.14f, -2610.48f, -13.3694f)},
        {"Blackwater", 0x3EC4B1F5, drovil::Vector3(-624.66f, -1205.42f, 44.478f)},
        {"Rhodes", 0x79FF6291, drovil::Vector3(1266.3f, -1436.99f, 78.408f)},
        {"Saint Denis", 0xD25EC74F, drovil::Vector3(2365.03f, -1124.68f, 46.3264f)},
        {"Strawberry", 0x197DEE02, drovil::Vector3(-1776.76f, -454.96f, 155.633f)},
        {"Tumbleweed", 0xA51AF855, drovil::Vector3(-5478.16f, -2893.98f, -1.826f)},
        {"Valentine", 0x1B6880B3, drovil::Vector3(-312.085f, 830.793f, 119.576f)},
    };
    return *towns;
}

namespace {
std::string folded(const std::string& name) {
    std::string out;
    for (char c : name)
        out += (c == '-' || c == '_') ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}
} // namespace

const StartingTown* findTown(const std::string& name) {
    for (const StartingTown& town : allTowns())
        if (folded(town.name) == folded(name))
            return &town;
    return nullptr;
}

const StartingTown& valentine() {
    return *findTown("Valentine");
}

std::string townNames() {
    std::string names;
    for (const StartingTown& town : allTowns())
        names += (names.empty() ? "" : ", ") + town.name;
    return names;
}

} // namespace sim
