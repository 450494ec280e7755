// The game's strings: handles into a character ring taken when the world is made.
#include "world/core/strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(GameStrings, AHandleStaysReadableForThousandsOfStringsAfterIt) {
    sim::GameStrings strings;
    const char* first = strings.make("first");
    const char* second = strings.make(std::string("second"));
    EXPECT_STREQ(first, "first");
    EXPECT_STREQ(second, "second");
    EXPECT_EQ(sim::GameStrings::read(nullptr), "");

    // Many frames' worth of strings later a handle still reads right.
    std::vector<const char*> handles;
    for (int i = 0; i < 2000; ++i)
        handles.push_back(strings.make("text number " + std::to_string(i)));
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(sim::GameStrings::read(handles[static_cast<std::size_t>(i)]), "text number " + std::to_string(i));
    EXPECT_STREQ(first, "first") << "the oldest too: some 2,000 strings are far from filling the ring";
}

TEST(GameStrings, ATextThatDoesNotFitAtTheEndGoesToTheStartWhole) {
    sim::GameStrings strings;
    const std::string half(sim::GameStrings::ringBytes / 2 - 1, 'h'); // with its terminator, half the ring
    const char* first = strings.make(half);
    const char* second = strings.make(half);
    EXPECT_EQ(second, first + half.size() + 1);
    const char* third = strings.make("third");
    EXPECT_EQ(third, first) << "back at the start, over the oldest";
    EXPECT_STREQ(third, "third");
    EXPECT_EQ(sim::GameStrings::read(second), half) << "the text before it is whole";
    EXPECT_EQ(strings.make("fourth"), third + 6) << "the next goes right after it";
}

TEST(GameStrings, TextLongerThanTheWholeRingStillWorks) {
    sim::GameStrings strings;
    const std::string huge(sim::GameStrings::ringBytes * 2, 'h');
    const char* hugeHandle = strings.make(huge);
    const char* small = strings.make("small");
    EXPECT_EQ(sim::GameStrings::read(hugeHandle), huge);
    EXPECT_STREQ(small, "small");
    const std::string exact(sim::GameStrings::ringBytes - 1, 'e'); // with its terminator, the whole ring
    EXPECT_EQ(sim::GameStrings::read(strings.make(exact)), exact);
    EXPECT_EQ(sim::GameStrings::read(hugeHandle), huge) << "kept apart from the ring";
}

} // namespace
