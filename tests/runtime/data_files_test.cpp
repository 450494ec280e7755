#include "runtime/data_files.h"

#include <gtest/gtest.h>

#include <set>

namespace drovil {
namespace {

TEST(StartupDataFiles, FivePathsAndOneObjectEach) {
    EXPECT_EQ(langFile().path(), "Drovil/Lang.dat");
    EXPECT_EQ(generalMetaFile().path(), "Drovil/GeneralMeta.dat");
    EXPECT_EQ(aiFile().path(), "Drovil/AI.dat");
    EXPECT_EQ(savegameFile().path(), "Drovil/Savegame.dat");
    EXPECT_EQ(tutorialFlagsFile().path(), "Drovil/TutorialFlags.dat");

    // The same object on every call: a change made through one caller is seen by all.
    savegameFile().setInt("next_mission_id", 4);
    EXPECT_EQ(savegameFile().getInt("next_mission_id", -999), 4);
    EXPECT_TRUE(savegameFile().isDirty());
    EXPECT_FALSE(tutorialFlagsFile().isDirty());

    const std::set<const DictDataFile*> distinct{&langFile(), &generalMetaFile(), &aiFile(), &savegameFile(),
                                                 &tutorialFlagsFile()};
    EXPECT_EQ(distinct.size(), 5u);
}

} // namespace
} // namespace drovil
