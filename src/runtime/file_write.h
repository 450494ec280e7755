#pragma once
// Whole-file writes that never leave a truncated or half-written file behind:
// the contents go to a temporary file beside the target, are flushed to disk and
// then replace the target in one step. A crash or a full disk at any point
// leaves either the old file or the new one.
#include <cstddef>
#include <string>

namespace drovil {

enum class FileWriteResult {
    written,     // the target now holds the new contents
    cannotOpen,  // the temporary file could not be created; nothing changed
    writeFailed, // writing, flushing or replacing failed; the target is untouched
};

// The temporary file used while writing `path`: path + ".tmp".
std::string temporaryPathFor(const std::string& path);

// Writes `contents` to `path` in text mode through a temporary file. The
// temporary file is removed again whenever the write fails.
FileWriteResult writeFileAtomically(const std::string& path, const std::string& contents);

// Test hook, process-wide and used up by the next write: that write stops after
// `bytes` bytes and fails, as if the disk had filled up.
void failNextWriteAfter(std::size_t bytes);
// Withdraws a pending failNextWriteAfter.
void clearWriteFault();

} // namespace drovil
