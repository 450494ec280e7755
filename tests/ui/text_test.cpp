// Text and sprites drawn for a frame, as the player sees them.
#include "support/game.h"
#include "support/script_thread.h"

#include "runtime/data_files.h"
#include "runtime/natives.h"
#include "scenarios/screen_snapshot.h"
#include "ui/sprite.h"
#include "ui/text.h"

#include <gtest/gtest.h>

using namespace test;

TEST(DrawnText, MarkupColourScaleAndPositionReachTheScreenForOneFrame) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));

    test::runOnScriptThread(session, [] {
        drovil::drawText("Reward: $40.00", 0.513f, 0.42f, 229, 229, 229, 255, true, 0.65f, 0.65f, "$body");
    });
    ASSERT_EQ(session.hud().texts.size(), 1u);
    const sim::DrawnText& drawn = session.hud().texts[0];
    EXPECT_EQ(drawn.markup, "<FONT FACE='$body' COLOR='#ffffff'>Reward: $40.00</FONT>");
    EXPECT_EQ(drawn.text, "Reward: $40.00");
    EXPECT_EQ(drawn.font, "$body");
    EXPECT_FLOAT_EQ(drawn.x, 0.513f);
    EXPECT_FLOAT_EQ(drawn.y, 0.42f);
    EXPECT_EQ(drawn.red, 229);
    EXPECT_EQ(drawn.green, 229);
    EXPECT_EQ(drawn.blue, 229);
    EXPECT_EQ(drawn.alpha, 255);
    EXPECT_FLOAT_EQ(drawn.scaleX, 0.65f);
    EXPECT_FLOAT_EQ(drawn.scaleY, 0.65f);
    EXPECT_TRUE(drawn.centred);
    EXPECT_GE(session.world().hud.centringCalls, 1);

    session.runFrames(1);
    EXPECT_TRUE(session.hud().texts.empty()) << "drawn text lasts one frame";
}

// Centring is the script hook's own native: true centres the next text drawn;
// false leaves the alignment as it is, so a text drawn after one centred text
// (the game forgets the alignment with each text) starts at its x.
TEST(DrawnText, CentringCentresTheNextTextOnly) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    test::runOnScriptThread(session, [] {
        drovil::drawText("Centred", 0.5f, 0.1f, 229, 229, 229, 255, true, 0.5f, 0.5f, "$title");
        drovil::drawText("From x", 0.5f, 0.2f, 229, 229, 229, 255, false, 0.5f, 0.5f, "$body");
        // Asked for twice before one text: still that one text only.
        drovil::natives::hud::setTextCentred(true);
        drovil::drawText("Centred too", 0.5f, 0.3f, 229, 229, 229, 255, true, 0.5f, 0.5f, "$body");
        drovil::drawText("From x again", 0.5f, 0.4f, 229, 229, 229, 255, false, 0.5f, 0.5f, "$body");
    });
    const auto& texts = session.hud().texts;
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_TRUE(texts[0].centred);
    EXPECT_FALSE(texts[1].centred);
    EXPECT_TRUE(texts[2].centred);
    EXPECT_FALSE(texts[3].centred);
    // The picture of the screen stands the centred texts on x by their middle.
    const sim::TextSpan centred = sim::textSpanOf(texts[0]);
    const sim::TextSpan fromX = sim::textSpanOf(texts[1]);
    EXPECT_FLOAT_EQ(centred.middle(), 0.5f);
    EXPECT_LT(centred.left, 0.5f);
    EXPECT_FLOAT_EQ(fromX.left, 0.5f);
    const std::string picture = sim::screenSnapshotSvg(session.world(), "centring");
    const auto centredAt = picture.find(">Centred<");
    ASSERT_NE(centredAt, std::string::npos);
    const auto textStart = picture.rfind("<text", centredAt);
    EXPECT_NE(picture.substr(textStart, centredAt - textStart).find("text-anchor=\"middle\""), std::string::npos);
    const auto fromXAt = picture.find(">From x<");
    const auto fromXStart = picture.rfind("<text", fromXAt);
    EXPECT_EQ(picture.substr(fromXStart, fromXAt - fromXStart).find("text-anchor"), std::string::npos);
}

TEST(DrawnText, LangTextWithAtSignShowsOnTwoLines) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));

    const std::string stored = drovil::langFile().getString("tutorial.target_knocked_out");
    const auto at = stored.find('@');
    ASSERT_NE(at, std::string::npos) << "the shipped text spans two lines";
    test::runOnScriptThread(session, [&] {
        drovil::drawText(drovil::expandLineBreaks(stored), 0.1f, 0.2f, 229, 229, 229, 255, false, 0.35f,
                         0.35f, "$body");
    });
    ASSERT_EQ(session.hud().texts.size(), 1u);
    const std::string shown = session.hud().texts[0].text;
    EXPECT_EQ(shown.find('@'), std::string::npos);
    EXPECT_EQ(shown.substr(0, at), stored.substr(0, at));
    EXPECT_EQ(shown[at], '\n');
    EXPECT_EQ(shown.substr(at + 1), stored.substr(at + 1));
}

TEST(DrawnText, ExpandLineBreaksTurnsEveryAtSign) {
    EXPECT_EQ(drovil::expandLineBreaks("one@two@@three"), "one\ntwo\n\nthree");
    EXPECT_EQ(drovil::expandLineBreaks("plain"), "plain");
    EXPECT_EQ(drovil::expandLineBreaks(""), "");
}

TEST(DrawnText, IntegerOverlayAndCashText) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));

    std::string cash, negative, small;
    test::runOnScriptThread(session, [&] {
        drovil::drawIntegerOverlay(-15);
        cash = drovil::cashText(1250);
        small = drovil::cashText(5);
        negative = drovil::cashText(-300);
    });
    ASSERT_EQ(session.hud().texts.size(), 1u);
    const sim::DrawnText& overlay = session.hud().texts[0];
    EXPECT_EQ(overlay.text, "-15");
    EXPECT_EQ(overlay.font, "$title");
    EXPECT_FLOAT_EQ(overlay.x, 0.0f);
    EXPECT_FLOAT_EQ(overlay.scaleX, 0.7f);
    EXPECT_EQ(overlay.red + overlay.green + overlay.blue + overlay.alpha, 4 * 255);
    EXPECT_FALSE(overlay.centred) << "the overlay starts at the corner";
    EXPECT_EQ(cash, "$12.50");
    EXPECT_EQ(small, "$0.05");
    EXPECT_EQ(negative, "-$3.00");
}

TEST(Sprites, DrawnByTheirCentreWithTheDictionaryState) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    session.hud().dictionaries.preload("menu_textures");

    test::runOnScriptThread(session, [] {
        drovil::drawSprite("menu_textures", "translate_bg_1a", 0.25f, 0.1f, 0.5f, 0.3f, 0.0f, 255, 255, 255,
                           255);
        drovil::drawSprite("generic_textures", "tick", 0.0f, 0.0f, 0.2f, 0.2f, 90.0f, 10, 20, 30, 40);
    });
    const sim::DrawnSprite* panel = session.hud().spriteDrawn("menu_textures", "translate_bg_1a");
    ASSERT_NE(panel, nullptr);
    EXPECT_FLOAT_EQ(panel->centreX, 0.5f);
    EXPECT_FLOAT_EQ(panel->centreY, 0.25f);
    EXPECT_FLOAT_EQ(panel->width, 0.5f);
    EXPECT_FLOAT_EQ(panel->height, 0.3f);
    EXPECT_TRUE(panel->dictionaryLoaded);

    const sim::DrawnSprite* other = session.hud().spriteDrawn("generic_textures", "tick");
    ASSERT_NE(other, nullptr);
    EXPECT_FLOAT_EQ(other->centreX, 0.1f);
    EXPECT_FLOAT_EQ(other->rotation, 90.0f);
    EXPECT_EQ(other->red, 10);
    EXPECT_EQ(other->alpha, 40);
    EXPECT_FALSE(other->dictionaryLoaded) << "never requested, so nothing to draw from";

    session.runFrames(1);
    EXPECT_TRUE(session.hud().sprites.empty());
}

TEST(Sprites, TextureDictionaryArrivesAFewFramesAfterTheRequest) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    session.hud().dictionaries.loadFrames = 5;

    bool loaded = true;
    const std::uint64_t start = session.world().clock.frame;
    test::runOnScriptThread(session, [&] { loaded = drovil::loadTextureDictionary("generic_textures", 20, 0); });
    EXPECT_TRUE(loaded);
    EXPECT_GE(session.world().clock.frame, start + 5);
    EXPECT_LE(session.world().clock.frame, start + 7);
    EXPECT_GE(session.hud().dictionaries.requestCount("generic_textures"), 4);

    // A broken install's dictionary.
    session.hud().dictionaries.neverLoad.insert("INVENTORY_ITEMS");
    test::runOnScriptThread(session, [&] { loaded = drovil::loadTextureDictionary("INVENTORY_ITEMS", 3, 100); });
    EXPECT_FALSE(loaded);
    EXPECT_EQ(session.hud().dictionaries.requestCount("INVENTORY_ITEMS"), 3);
}
