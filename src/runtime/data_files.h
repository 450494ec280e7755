#pragma once
// The five data files opened at start-up, held for the life of the process.
// The texts and the tuning are read in layers: the shipped defaults in
// Drovil/Defaults/, the player's own files of the same name over them.
#include "runtime/data_file.h"
#include "runtime/layered_data_file.h"

namespace drovil {

LayeredDataFile& langFile();        // Drovil/Defaults/Lang.dat, Drovil/Lang.dat, Drovil/Lang.<language>.dat
LayeredDataFile& generalMetaFile(); // Drovil/Defaults/GeneralMeta.dat, Drovil/GeneralMeta.dat
LayeredDataFile& aiFile();          // Drovil/Defaults/AI.dat, Drovil/AI.dat
DictDataFile& savegameFile();       // Drovil/Savegame.dat
DictDataFile& tutorialFlagsFile();  // Drovil/TutorialFlags.dat

} // namespace drovil
