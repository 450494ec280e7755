#pragma once
// Line reading and splitting shared by the data files and the settings file.
#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace drovil {

// Reads one line, up to a line feed. A carriage return before the line feed is
// dropped, as the Windows text-mode reading does, so a file reads the same on
// every platform.
void readTextLine(std::istream& in, std::string& line);

// Drops a UTF-8 byte-order mark at the start of a file's first line: editors
// that add one would otherwise make it part of the first key.
void dropByteOrderMark(std::string& firstLine);

// Splits at every `separator`: each piece runs up to the next separator, and an
// empty last piece is not counted ("a=" is one piece, "=a" two).
std::vector<std::string> splitPieces(const std::string& text, char separator);

// Text read from a file (a line, a key, a value), as a log message quotes it:
// whole when it is short, otherwise its first `maxBytes` bytes (never cut
// inside a UTF-8 letter) followed by "[...]". A damaged file may hold a line of
// megabytes; the log takes a few hundred bytes of it.
inline constexpr std::size_t logQuoteBytes = 200;
std::string quotedForLog(const std::string& text, std::size_t maxBytes = logQuoteBytes);

// The report for a line that is not key=value: the line as the log quotes it
// (runtime/log.h: a few hundred bytes at most), then the file, the line's
// number as an editor shows it (from 1) and its length in bytes.
std::string cannotParseLineMessage(const std::string& line, int lineNumber, const std::string& path);

} // namespace drovil
