#pragma once
// Saves of what the player would lose (the save, the mission files). A save
// hands the file's new contents to the file writer, which writes them to disk
// off the script thread, in the order they were saved (runtime/file_writer.h):
// no frame waits on the disk. A save that fails keeps its contents waiting, and
// the writes behind it wait too; the player is told once, on screen and in the
// log, that Drovil cannot save, and the failed write is tried again every few
// seconds, or at once when something new is saved, until it succeeds.
#include "runtime/data_file.h"

namespace drovil {

// Saves the file if it changed; its ticket tells when it is on disk
// (fileWriteState), 0 when nothing changed.
WriteTicket saveDurably(BaseDataFile& file);
// True while a failed save holds the saves.
bool hasPendingSaves();
// Once per frame: logs the writes the writer finished, tells the player of a
// failure, and every few seconds tries the failed one again.
void retryPendingSaves();

} // namespace drovil
