#pragma once
// Saves of what the player would lose (the save, the mission files). A save
// that fails keeps the data in memory and the file dirty; the player is told
// once, on screen and in the log, that Drovil cannot save, and the failed
// saves are tried again, in the order they failed, until they succeed.
#include "runtime/data_file.h"

namespace drovil {

// save(false) now; false when it failed (the file is then retried later).
bool saveDurably(DictDataFile& file);
// Remembers a changed file to be saved after the failed saves before it, so
// that a later file never reaches the disk ahead of an earlier one.
void saveAfterPendingSaves(DictDataFile& file);
// True while a failed save waits for its retry.
bool hasPendingSaves();
// Once per frame: every few seconds, tries the waiting saves again, in order.
void retryPendingSaves();

} // namespace drovil
