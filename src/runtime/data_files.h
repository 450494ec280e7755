#pragma once
// The five data files opened at start-up, held for the life of the process.
#include "runtime/data_file.h"

namespace drovil {

DictDataFile& langFile();          // Drovil/Lang.dat
DictDataFile& generalMetaFile();   // Drovil/GeneralMeta.dat
DictDataFile& aiFile();            // Drovil/AI.dat
DictDataFile& savegameFile();      // Drovil/Savegame.dat
DictDataFile& tutorialFlagsFile(); // Drovil/TutorialFlags.dat

} // namespace drovil
