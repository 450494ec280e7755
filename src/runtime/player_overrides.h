#pragma once
// After an update, the player's own files still override the new defaults key
// by key. At the first start of a version on a folder, the log says which of
// the player's keys differ from the defaults (and how many only repeat them),
// so that a player or a maintainer reading a bug report sees what is his own.
// Drovil/Version.dat remembers the version that last started.
namespace drovil {

// Once per version: reads Drovil/Version.dat, logs the player's keys against
// the defaults when the version differs (or the file is new) and writes it.
void reportPlayerKeysAfterUpdate();

} // namespace drovil
