#include "runtime/log.h"

#include <cstdio>
#include <fstream>
#include <locale>
#include <sstream>
#include <vector>

namespace drovil {
namespace {

const char* const logPath = "Drovil/Log.log";

// One stream for the whole process, opened and closed around every line so that
// each line is on disk even if the game crashes right after.
std::ofstream& logStream() {
    static std::ofstream* stream = new std::ofstream();
    return *stream;
}

LogSink& logSink() {
    static LogSink sink = nullptr;
    return sink;
}

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

} // namespace

std::string formatLogLine(const std::tm& localTime, const std::string& message) {
    std::string line;
    line.reserve(message.size() + 24);
    line += '[';
    line += std::to_string(localTime.tm_mday);
    line += '/';
    line += std::to_string(localTime.tm_mon + 1);
    line += '/';
    line += std::to_string(localTime.tm_year + 1900);
    line += ' ';
    line += std::to_string(localTime.tm_hour);
    line += ':';
    line += std::to_string(localTime.tm_min);
    line += ':';
    line += std::to_string(localTime.tm_sec);
    line += "] ";
    line += message;
    return line;
}

LogSink setLogSink(LogSink sink) {
    const LogSink previous = logSink();
    logSink() = sink;
    return previous;
}

void log(const std::string& text) {
    if (LogSink sink = logSink()) {
        sink(text);
        return;
    }
    const std::tm local = localNow();
    std::ofstream& stream = logStream();
    // A failure left over from the previous line must not stop this one.
    stream.clear();
    stream.open(logPath, std::ios::out | std::ios::app);
    if (!stream.is_open())
        return;
    stream << formatLogLine(local, text) << "\n";
    stream.close();
}

void log(const char* text) {
    log(std::string(text ? text : ""));
}

std::string positionText(const Vector3& position) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << position.x << ',' << position.y << ',' << position.z;
    return text.str();
}

std::string floatText(double value) {
    const int length = std::snprintf(nullptr, 0, "%f", value);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::snprintf(buffer.data(), buffer.size(), "%f", value);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

} // namespace drovil
