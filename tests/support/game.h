#pragma once
// Helpers shared by the simulator tests.
#include "session/session.h"

#include <string>
#include <vector>

namespace test {

// Virtual-key codes the plug-in listens to.
inline constexpr unsigned keyF1 = 112;
inline constexpr unsigned keyF2 = 113;
inline constexpr unsigned keyF3 = 114;

// Log lines with their time stamps removed, in order.
std::vector<std::string> logMessages(const sim::Session& session);
// Index of the first log message containing `text` at or after `from`, or -1.
int findLog(const std::vector<std::string>& messages, const std::string& text, int from = 0);

// Cents as the game writes an amount of cash: "$12.05".
std::string cashText(int cents);

// Every task a script gave a ped again while the one of the same kind it had
// was still under way, in the whole game: "" when none, else how many and the
// latest few (ped and task).
std::string retaskedWhileBusy(sim::Session& session);

// Runs frames until start-up has logged "initialization complete" (or failed).
bool startGame(sim::Session& session, int maxFrames = 30);

} // namespace test
