#pragma once
// First-time explanations in the help box. A tutorial that was shown is
// remembered in TutorialFlags.dat and normally not shown again.
#include <string>

namespace drovil {

// How long a tutorial's help box stays up.
inline constexpr int tutorialDurationMs = 10000;

// Shows the Lang.dat text "tutorial." + name in the help box and remembers
// that it was shown. A forced tutorial is shown every time; an unforced one
// already shown comes back one time in five. Nothing is remembered while the
// debug tools are on.
void triggerTutorial(const std::string& name, bool forced);

// The Hints setting. Hints gate only the tutorials whose callers ask for it
// (the per-mission hints and the first threaten prompt).
bool hintsEnabled();

} // namespace drovil
