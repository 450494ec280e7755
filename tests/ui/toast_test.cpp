// Toasts: queued, shown by the next frame's flush once the icon's texture
// dictionary is in, every text cut to fit its buffer.
#include "support/game.h"
#include "support/script_thread.h"

#include "ui/help_text.h"
#include "ui/toast.h"

#include <gtest/gtest.h>

using namespace test;

TEST(Toasts, ShownOnTheNextFrameWithTitleBodyAndIcon) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    session.hud().dictionaries.preload("INVENTORY_ITEMS");

    test::runOnScriptThread(session, [] {
        drovil::showToast("Bounty contract", "Contract accepted", "INVENTORY_ITEMS", "generic_photograph",
                          5000);
    });
    EXPECT_TRUE(session.hud().toasts.empty());
    const std::uint64_t flushFrame = session.world().clock.frame + 1;
    session.runFrames(1);
    ASSERT_EQ(session.hud().toasts.size(), 1u);
    const sim::ToastShown& toast = session.hud().toasts[0];
    EXPECT_EQ(toast.frame, flushFrame);
    EXPECT_EQ(toast.title, "Bounty contract");
    EXPECT_EQ(toast.body, "Contract accepted");
    EXPECT_EQ(toast.dictionaryHash, sim::gameHash("INVENTORY_ITEMS"));
    EXPECT_EQ(toast.textureHash, sim::gameHash("generic_photograph"));
    EXPECT_EQ(toast.dictionary, "INVENTORY_ITEMS");
    EXPECT_TRUE(toast.dictionaryLoaded);
    EXPECT_EQ(toast.durationMs, 5000);
    EXPECT_EQ(session.hud().dictionaries.requestCount("INVENTORY_ITEMS"), 0) << "already resident";

    session.runFrames(5);
    EXPECT_EQ(session.hud().toasts.size(), 1u) << "the queue empties once shown";
    EXPECT_EQ(session.hud().activeToasts().size(), 1u);
    session.runFor(5000);
    EXPECT_TRUE(session.hud().activeToasts().empty());
}

TEST(Toasts, WaitsForItsTextureDictionary) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    session.hud().dictionaries.loadFrames = 6;

    test::runOnScriptThread(session, [] {
        drovil::showToast("Contract completed", "You earned $40.00", "BLIPS", "blip_region_hunting", 5000);
    });
    const std::uint64_t flushFrame = session.world().clock.frame + 1;
    session.runFrames(1);
    EXPECT_TRUE(session.hud().toasts.empty()) << "the dictionary was only just requested";
    EXPECT_TRUE(session.hud().dictionaries.wasRequested("BLIPS"));

    ASSERT_TRUE(session.runUntil([&] { return !session.hud().toasts.empty(); }, 40));
    const sim::ToastShown& toast = session.hud().toasts[0];
    EXPECT_TRUE(toast.dictionaryLoaded);
    EXPECT_GE(toast.frame, flushFrame + 6);
    EXPECT_LE(toast.frame, flushFrame + 12) << "checks are about 100 ms apart";
    EXPECT_EQ(toast.body, "You earned $40.00");
    EXPECT_EQ(toast.dictionary, "BLIPS");
}

TEST(Toasts, DictionaryThatNeverLoadsHoldsTheToastAboutTwoSeconds) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    // A broken install: the dictionary never comes.
    session.hud().dictionaries.neverLoad.insert("INVENTORY_ITEMS");

    test::runOnScriptThread(
        session, [] { drovil::showToast("Title", "Body", "INVENTORY_ITEMS", "generic_photograph", 4000); });
    const std::uint64_t startMs = session.world().clock.elapsedMs;
    ASSERT_TRUE(session.runUntil([&] { return !session.hud().toasts.empty(); }, 200));
    EXPECT_EQ(session.hud().dictionaries.requestCount("INVENTORY_ITEMS"), 20);
    const std::uint64_t waited = session.hud().toasts[0].shownAtMs - startMs;
    EXPECT_GE(waited, 2000u);
    EXPECT_LE(waited, 2800u);
    EXPECT_FALSE(session.hud().toasts[0].dictionaryLoaded);
    EXPECT_EQ(session.hud().toasts[0].title, "Title");
}

TEST(Toasts, EveryTextIsCutAt99Characters) {
    sim::Session session;
    // Names this long are no names of the game: the dictionary never loads (the
    // toast waits for it, then shows) and no icon shows.
    session.world().names.strict = false;
    ASSERT_TRUE(startGame(session));

    const std::string title(150, 'T');
    std::string body;
    for (int i = 0; body.size() < 300; ++i)
        body += "word" + std::to_string(i) + " ";
    const std::string dictionary = "D" + std::string(120, 'd');
    const std::string texture = "X" + std::string(120, 'x');

    test::runOnScriptThread(session, [&] { drovil::showToast(title, body, dictionary, texture, 3000); });
    ASSERT_TRUE(session.runUntil([&] { return !session.hud().toasts.empty(); }, 200));
    ASSERT_EQ(session.hud().toasts.size(), 1u);
    const sim::ToastShown& toast = session.hud().toasts[0];
    EXPECT_EQ(toast.title, title.substr(0, 99));
    EXPECT_EQ(toast.body, body.substr(0, 99));
    EXPECT_EQ(toast.dictionary, dictionary.substr(0, 99));
    EXPECT_EQ(toast.dictionaryHash, sim::gameHash(dictionary.substr(0, 99)));
    EXPECT_EQ(toast.textureHash, sim::gameHash(texture.substr(0, 99)));
    EXPECT_FALSE(toast.iconInGame);
}

TEST(Toasts, SecondToastInOneFrameReplacesTheFirst) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    session.hud().dictionaries.preload("BLIPS");

    test::runOnScriptThread(session, [] {
        drovil::showToast("A long first title that is replaced", "first body", "INVENTORY_ITEMS",
                          "generic_photograph", 1000);
        drovil::showToast("Second", "second body", "BLIPS", "blip_region_hunting", 2000);
    });
    session.runFrames(3);
    ASSERT_EQ(session.hud().toasts.size(), 1u);
    EXPECT_EQ(session.hud().toasts[0].title, "Second");
    EXPECT_EQ(session.hud().toasts[0].body, "second body");
    EXPECT_EQ(session.hud().toasts[0].textureHash, sim::gameHash("blip_region_hunting"));
    EXPECT_EQ(session.hud().toasts[0].durationMs, 2000);
}

TEST(Toasts, HelpTextAndToastOfOneFrameBothShowInTheNext) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    session.hud().dictionaries.preload("BLIPS");

    test::runOnScriptThread(session, [] {
        drovil::showToast("Title", "Body", "BLIPS", "blip_region_hunting", 1000);
        drovil::showHelpText("Help", 1000);
    });
    session.runFrames(1);
    ASSERT_EQ(session.hud().toasts.size(), 1u);
    ASSERT_EQ(session.hud().helpBoxes.size(), 1u);
    EXPECT_EQ(session.hud().toasts[0].frame, session.hud().helpBoxes[0].frame);
}
