#include "runtime/data_files.h"

namespace drovil {

// Each file lives for the whole process and is never destroyed, so nothing
// depends on the order of static destruction at unload.

LayeredDataFile& langFile() {
    static LayeredDataFile* file = new LayeredDataFile("Lang.dat");
    return *file;
}

LayeredDataFile& generalMetaFile() {
    static LayeredDataFile* file = new LayeredDataFile("GeneralMeta.dat");
    return *file;
}

LayeredDataFile& aiFile() {
    static LayeredDataFile* file = new LayeredDataFile("AI.dat");
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
