// What peds say: the kept lines and which of them a ped is saying now.
#include "world/people/speech.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

TEST(Speech, APedsLineStaysItsOwnAsTheKeptLinesTurn) {
    sim::Speech speech;
    speech.lineFrames = 1000;
    sim::SpokenLine line;
    line.line = "GREET_LONG";
    speech.say(7, line, 0);
    // Others say enough short lines to turn the ring a few times over.
    speech.lineFrames = 1;
    for (std::size_t i = 0; i < 3 * sim::Speech::keptLines; ++i) {
        line.line = "CHATTER";
        speech.say(100 + static_cast<int>(i % 5), line, 1);
    }
    EXPECT_FALSE(speech.speaking(7, 2)) << "his line is no longer kept: he counts as silent";
    EXPECT_EQ(speech.lines().size(), sim::Speech::keptLines);

    speech.lineFrames = 100;
    line.line = "GREET_AGAIN";
    speech.say(7, line, 10);
    speech.lineFrames = 1;
    for (std::size_t i = 0; i + 2 < sim::Speech::keptLines; ++i) {
        line.line = "CHATTER";
        speech.say(200, line, 11);
    }
    EXPECT_TRUE(speech.speaking(7, 50)) << "his latest line is kept, the ring turned past its place";
    line.line = "INTERRUPTS_HIMSELF";
    speech.say(7, line, 60);
    const sim::SpokenLine* cut = speech.find("GREET_AGAIN");
    ASSERT_NE(cut, nullptr) << "the oldest kept line";
    EXPECT_TRUE(cut->cutOff);
    EXPECT_EQ(cut->endFrame, 60u);
    EXPECT_TRUE(speech.speaking(7, 60));
    EXPECT_EQ(speech.lines().back().line, "INTERRUPTS_HIMSELF");
    speech.silence(7, 61);
    EXPECT_FALSE(speech.speaking(7, 61));
    EXPECT_EQ(speech.lines().back().endFrame, 61u) << "silenced: his own line ends, no other";
}

} // namespace
