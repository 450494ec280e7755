#include "runtime/data_files.h"

namespace drovil {

// Each file lives for the whole process and is never destroyed, so nothing
// depends on the order of static destruction at unload.

DictDataFile& langFile() {
    static DictDataFile* file = new DictDataFile(dataPath("Lang.dat"));
    return *file;
}

DictDataFile& generalMetaFile() {
    static DictDataFile* file = new DictDataFile(dataPath("GeneralMeta.dat"));
    return *file;
}

DictDataFile& aiFile() {
    static DictDataFile* file = new DictDataFile(dataPath("AI.dat"));
    return *file;
}

DictDataFile& savegameFile() {
    static DictDataFile* file = new DictDataFile(dataPath("Savegame.dat"));
    return *file;
}

DictDataFile& tutorialFlagsFile() {
    static DictDataFile* file = new DictDataFile(dataPath("TutorialFlags.dat"));
    return *file;
}

} // namespace drovil
