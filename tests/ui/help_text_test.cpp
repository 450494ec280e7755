// The help box: queued, shown by the next frame's flush, one text at a time.
#include "support/game.h"
#include "support/script_thread.h"

#include "ui/help_text.h"

#include <gtest/gtest.h>

using namespace test;

TEST(HelpText, ShownFromTheNextFrameForItsDuration) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));

    test::runOnScriptThread(session, [] { drovil::showHelpText("Ride to the marked area.", 3000); });
    EXPECT_TRUE(session.hud().helpBoxes.empty()) << "queued, not yet shown";

    session.runFrames(1);
    ASSERT_EQ(session.hud().helpBoxes.size(), 1u);
    EXPECT_EQ(session.hud().helpText(), "Ride to the marked area.");
    EXPECT_EQ(session.hud().helpBoxes[0].durationMs, 3000);
    EXPECT_EQ(session.hud().helpRemainingMs(), 3000);

    session.runFor(1000);
    EXPECT_EQ(session.hud().helpBoxes.size(), 1u) << "the queue empties once shown";
    EXPECT_GT(session.hud().helpRemainingMs(), 1900);
    EXPECT_LE(session.hud().helpRemainingMs(), 2000);

    session.runFor(2100);
    EXPECT_EQ(session.hud().helpBox(), nullptr);
    EXPECT_EQ(session.hud().helpText(), "");
}

TEST(HelpText, SecondTextInOneFrameReplacesTheFirst) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));

    test::runOnScriptThread(session, [] {
        drovil::showHelpText("First text, never seen.", 5000);
        drovil::showHelpText("Second text.", 7000);
    });
    session.runFrames(3);
    ASSERT_EQ(session.hud().helpBoxes.size(), 1u);
    EXPECT_EQ(session.hud().helpBoxes[0].text, "Second text.");
    EXPECT_EQ(session.hud().helpBoxes[0].durationMs, 7000);

    // A shorter text after a longer one keeps nothing of the longer one.
    test::runOnScriptThread(session, [] {
        drovil::showHelpText("A much longer help text that fills the buffer further.", 1000);
        drovil::showHelpText("Short", 1000);
    });
    session.runFrames(1);
    ASSERT_EQ(session.hud().helpBoxes.size(), 2u);
    EXPECT_EQ(session.hud().helpText(), "Short");
}

TEST(HelpText, LongTextKeepsItsFirst499Characters) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));

    std::string text;
    for (int i = 0; text.size() < 700; ++i)
        text += std::to_string(i % 10);
    test::runOnScriptThread(session, [&] { drovil::showHelpText(text, 2000); });
    session.runFrames(1);
    ASSERT_EQ(session.hud().helpBoxes.size(), 1u);
    EXPECT_EQ(session.hud().helpText(), text.substr(0, 499));

    // Exactly 499 characters fit whole; a new text after the long one is clean.
    const std::string fits(499, 'x');
    test::runOnScriptThread(session, [&] { drovil::showHelpText(fits, 2000); });
    session.runFrames(1);
    EXPECT_EQ(session.hud().helpText(), fits);
    test::runOnScriptThread(session, [&] { drovil::showHelpText("Done.", 2000); });
    session.runFrames(1);
    EXPECT_EQ(session.hud().helpText(), "Done.");
}

TEST(HelpText, EmptyTextShowsNothing) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));

    test::runOnScriptThread(session, [] { drovil::showHelpText("", 2000); });
    session.runFrames(2);
    EXPECT_TRUE(session.hud().helpBoxes.empty());
}
