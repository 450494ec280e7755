#pragma once
// The plug-in's one log, Drovil/Log.log: every line time-stamped, appended and
// on disk as soon as the call returns.
#include "runtime/types.h"

#include <ctime>
#include <string>

namespace drovil {

void log(const char* text);
void log(const std::string& text);

// Tools that run the plug-in's readers outside the game (the data checker)
// take the messages themselves instead of writing Drovil/Log.log; null restores
// the file. Gives the sink it replaces.
using LogSink = void (*)(const std::string& message);
LogSink setLogSink(LogSink sink);

// Floats inside log messages are written with "%f".
std::string floatText(double value);

// A position as "x,y,z", each in the stream's default float form (six
// significant digits: 1521.5, 1234.57), as logs and data files write them.
std::string positionText(const Vector3& position);

// "[d/m/yyyy h:m:s] " + message, every number without leading zeros. The line
// feed is not included. Kept apart from log() so the stamp can be checked for a
// chosen time.
std::string formatLogLine(const std::tm& localTime, const std::string& message);

} // namespace drovil
