// The keyboard state table: the release window and exclusive reads.
#include "support/game.h"

#include "runtime/keyboard.h"

#include <gtest/gtest.h>

using drovil::KeyboardState;

TEST(Keyboard, ReleasedKeyTestsTrueWithinTheWindowOnlyOnceWhenExclusive) {
    KeyboardState keys;
    keys.store(65, 5000, 0, 1, 1);
    EXPECT_TRUE(keys.wasKeyJustReleased(65, false, 5050));
    EXPECT_TRUE(keys.wasKeyJustReleased(65, true, 5099));
    EXPECT_FALSE(keys.wasKeyJustReleased(65, true, 5099)) << "the first exclusive read consumed it";
}

TEST(Keyboard, ReleaseOlderThanTheWindowTestsFalse) {
    KeyboardState keys;
    keys.store(65, 5000, 0, 1, 1);
    EXPECT_FALSE(keys.wasKeyJustReleased(65, false, 5100));
    EXPECT_FALSE(keys.wasKeyJustReleased(65, false, 9000));
}

TEST(Keyboard, PressedButNotReleasedTestsFalse) {
    KeyboardState keys;
    keys.store(65, 5000, 0, 0, 0);
    EXPECT_FALSE(keys.wasKeyJustReleased(65, false, 5010));
}

TEST(Keyboard, KeysOf255AndAboveAreNeitherStoredNorReleased) {
    KeyboardState keys;
    keys.store(255, 5000, 0, 1, 1);
    keys.store(300, 5000, 0, 1, 1);
    EXPECT_FALSE(keys.wasKeyJustReleased(255, false, 5010));
    EXPECT_FALSE(keys.wasKeyJustReleased(300, false, 5010));
    keys.store(254, 5000, 0, 1, 1);
    EXPECT_TRUE(keys.wasKeyJustReleased(254, false, 5010));
}

TEST(Keyboard, TickCountWrapUsesUnsignedArithmetic) {
    KeyboardState keys;
    keys.store(65, 0xFFFFFFF0u, 0, 1, 1);
    // The deadline wraps past zero: a later tick compares against the wrapped sum.
    EXPECT_FALSE(keys.wasKeyJustReleased(65, false, 0xFFFFFFF5u));
    EXPECT_TRUE(keys.wasKeyJustReleased(65, false, 0x00000010u));
}

TEST(Keyboard, HandlerIsCalledOffTheScriptThreadAndAKeyIsSeenOnce) {
    sim::SessionOptions options;
    options.settingsLines = {"DevTools=1"};
    sim::Session session(options);
    ASSERT_TRUE(test::startGame(session));
    session.tapKey(test::keyF2);
    session.runFrames(10);
    int shown = 0;
    for (const auto& subtitle : session.hud().subtitles)
        shown += subtitle.text == "Debug tools ON" || subtitle.text == "Debug tools OFF";
    EXPECT_EQ(shown, 1) << "one release toggles once, however many frames fall in its window";
}

TEST(Keyboard, AReleaseOutsideTheWindowIsMissed) {
    sim::SessionOptions options;
    options.settingsLines = {"DevTools=1"};
    sim::Session session(options);
    ASSERT_TRUE(test::startGame(session));
    // The key is released while the script is parked for a long wait: simulate
    // by letting 100 ms of tick time pass before the next script frame reads it.
    session.host().keyUp(test::keyF2);
    session.world().clock.tickBase += 150;
    session.runFrames(2);
    EXPECT_FALSE(session.hud().subtitleShown("Debug tools ON"));
}
