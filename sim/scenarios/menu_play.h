#pragma once
// The contract menu as a player uses it: sit down on a seat in town, open the
// menu with its prompt, read the rows off the screen, move the selection, view
// a contract's card, abandon a contract, close the menu. Each verb runs frames
// until it is done and returns false when it could not be done.
#include "scenarios/scenario_run.h"

#include <string>
#include <vector>

namespace sim {

// A row of the menu as the screen shows it.
struct MenuRowSeen {
    std::string label;
    std::string price; // "$60.00" from the dollars and the cents drawn, "" without a price
    bool selected = false;
    bool greyed = false;
};

// The menu's rows drawn in the current frame, top to bottom (empty when the
// menu is not open or has no rows).
std::vector<MenuRowSeen> menuRowsOnScreen(const World& world);
// The menu's panel is drawn in the current frame.
bool menuOnScreen(const World& world);

// Walks to the free seat of the given type nearest to `near` (within 200 m)
// and sits down on it; `what` names the seat for the timeline.
bool sitOnSeatNear(ScenarioRun& run, const drovil::Vector3& near, std::uint32_t pointType, const std::string& what);
bool openContractMenu(ScenarioRun& run);
// One press of the menu's down (or up) control.
void moveMenuSelection(ScenarioRun& run, bool down);
bool viewSelectedContract(ScenarioRun& run);
bool abandonSelectedContract(ScenarioRun& run);
bool closeContractMenu(ScenarioRun& run);

} // namespace sim
