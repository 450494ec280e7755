#pragma once
// The help box: one queued text at a time, shown by the next frame's flush.
#include <string>

namespace drovil {

// The help-text buffer's size; a longer text keeps its first 499 characters.
inline constexpr int helpTextCapacity = 500;

// Queues `text` for the help box, shown from the next frame on for
// `durationMs`. A second call before then replaces the first.
void showHelpText(const char* text, int durationMs);
inline void showHelpText(const std::string& text, int durationMs) {
    showHelpText(text.c_str(), durationMs);
}

// Shows the queued help text, if any, and empties the queue. Runs once a frame.
void flushHelpText();

} // namespace drovil
