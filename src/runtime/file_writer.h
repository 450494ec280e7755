#pragma once
// The writer of Drovil's saves, off the script thread. A durable write (a
// temporary file, flushed to disk, renamed over the old one) takes from a
// fraction of a millisecond to tens of milliseconds on a busy disk: the script
// only hands the new contents over and its frame goes on.
//
// - Writes reach the disk in the order they were queued; a file queued again
//   while its write is the last one waiting is written once, with its newest
//   contents (so the saves of one frame are written once).
// - A frame's writes go to the writer when the script yields (`handOver`).
// - A write that fails holds the writes behind it, so that no later file
//   reaches the disk ahead of it; it is tried again when new contents are
//   queued or `retry` asks.
// - Reading a file with a write waiting sees the contents waiting
//   (`pendingContents`).
// - `finish` (at unload and exit) writes whatever waits before it returns.
// Standard library threads only: the game's MinGW and MSVC builds have them.
#include "runtime/file_write.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace drovil {

// A write's place in the order: the first is 1, each queued write the next.
using WriteTicket = std::uint64_t;

enum class WriteState {
    waiting, // not on the disk yet
    written, // on the disk (or newer contents of the same file are)
    failed,  // its write failed (it waits to be tried again)
};

// A write the writer finished, told back to the script.
struct WriteOutcome {
    std::string path;
    FileWriteResult result = FileWriteResult::written;
};

// Queues `contents` for `path` (on the script thread). Returns its ticket.
WriteTicket queueFileWrite(const std::string& path, std::string contents);
// Gives the writes queued since the last call to the writer thread. Called at
// every yield of the script.
void handOverFileWrites();
// The state of a queued write.
WriteState fileWriteState(WriteTicket ticket);
// The newest contents waiting for `path`, queued or being written.
std::optional<std::string> pendingFileContents(const std::string& path);
// Takes the writes finished since the last call, in the order they finished.
// Allocates only when there are some.
void takeFileWriteOutcomes(std::vector<WriteOutcome>& into);
// True while a failed write holds the writer.
bool fileWriterHeld();
// Asks the writer to try a failed write again.
void retryFileWrites();
// Returns once nothing is being written and nothing waits but what a failed
// write holds back. The frame never calls this; the simulator does between
// frames, and tests before they read a file.
void waitForFileWrites();
// At unload and exit: hands over and writes everything waiting, each failed
// write tried once more, before it returns.
void finishFileWrites();

} // namespace drovil
