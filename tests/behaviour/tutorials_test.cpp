// Tutorials: shown in the help box, remembered in TutorialFlags.dat, forced
// ones every time, seen ones back now and then.
#include "support/game.h"
#include "support/script_thread.h"

#include "behaviour/tutorials.h"
#include "runtime/data_files.h"
#include "runtime/natives.h"

#include <gtest/gtest.h>

using namespace test;

namespace {

int countLogs(const sim::Session& session, const std::string& text) {
    int count = 0;
    for (const std::string& line : logMessages(session))
        count += line == text ? 1 : 0;
    return count;
}

void trigger(sim::Session& session, const std::string& name, bool forced, int times = 1) {
    test::runOnScriptThread(session, [&] {
        for (int i = 0; i < times; ++i)
            drovil::triggerTutorial(name, forced);
    });
}

std::uint64_t randomDraws(sim::Session& session) {
    return session.host().dispatch().totalCalls(drovil::natives::decl::misc::randomInt::hash);
}

} // namespace

TEST(Tutorials, FirstTriggerShowsTheTextOnItsLinesAndRemembersIt) {
    sim::SessionOptions options;
    options.removeFiles = {"TutorialFlags.dat"};
    sim::Session session(options);
    ASSERT_TRUE(startGame(session));

    trigger(session, "contract_info", false);
    session.runFrames(1);
    const std::string stored = drovil::langFile().getString("tutorial.contract_info");
    ASSERT_FALSE(stored.empty());
    ASSERT_NE(stored.find('@'), std::string::npos);
    std::string expected = stored;
    expected[stored.find('@')] = '\n';
    ASSERT_EQ(session.hud().helpBoxes.size(), 1u);
    EXPECT_EQ(session.hud().helpText(), expected);
    EXPECT_EQ(session.hud().helpBoxes[0].durationMs, 10000);
    EXPECT_EQ(countLogs(session, "Tutorials: triggered: contract_info"), 1);
    EXPECT_NE(session.readFile("TutorialFlags.dat").find("contract_info=1"), std::string::npos)
        << "saved at once, the file made on first save";
}

TEST(Tutorials, ForcedTutorialIsShownEveryTime) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));

    const std::uint64_t drawsBefore = randomDraws(session);
    for (int i = 0; i < 5; ++i) {
        trigger(session, "blocked_contract", true);
        session.runFrames(1);
    }
    EXPECT_EQ(session.hud().helpBoxes.size(), 5u);
    EXPECT_EQ(countLogs(session, "Tutorials: triggered: blocked_contract"), 5);
    EXPECT_EQ(randomDraws(session), drawsBefore) << "a forced tutorial draws no random number";
    for (const sim::HelpBoxShown& box : session.hud().helpBoxes)
        EXPECT_EQ(box.text.substr(0, 24), "This contract is on hold");
    EXPECT_NE(session.readFile("TutorialFlags.dat").find("blocked_contract=1"), std::string::npos);
}

TEST(Tutorials, SeenTutorialComesBackAboutOneTimeInFive) {
    sim::SessionOptions options;
    options.seed = 20240611;
    options.writeFiles = {{"TutorialFlags.dat", "quest_giver=1\n"}};
    sim::Session session(options);
    ASSERT_TRUE(startGame(session));

    const std::uint64_t drawsBefore = randomDraws(session);
    constexpr int triggers = 2000;
    trigger(session, "quest_giver", false, triggers);
    const int shown = countLogs(session, "Tutorials: triggered: quest_giver");
    EXPECT_EQ(randomDraws(session) - drawsBefore, static_cast<std::uint64_t>(triggers))
        << "one draw from the game per trigger";
    // Binomial(2000, 0.2): mean 400, standard deviation about 18.
    EXPECT_GT(shown, 330);
    EXPECT_LT(shown, 470);

    // An unseen tutorial needs no draw and is always shown.
    const std::uint64_t drawsMid = randomDraws(session);
    trigger(session, "hostage.shove", false);
    EXPECT_EQ(randomDraws(session), drawsMid);
    EXPECT_EQ(countLogs(session, "Tutorials: triggered: hostage.shove"), 1);
}

TEST(Tutorials, FlagZeroCountsAsNotSeen) {
    sim::SessionOptions options;
    options.writeFiles = {{"TutorialFlags.dat", "target_recognized=0\n"}};
    sim::Session session(options);
    ASSERT_TRUE(startGame(session));

    trigger(session, "target_recognized", false, 1);
    EXPECT_EQ(countLogs(session, "Tutorials: triggered: target_recognized"), 1);
    EXPECT_NE(session.readFile("TutorialFlags.dat").find("target_recognized=1"), std::string::npos);
}

TEST(Tutorials, NotRememberedWhileTheDebugToolsAreOn) {
    sim::SessionOptions options;
    options.settingsLines = {"DevTools=1"};
    options.writeFiles = {{"TutorialFlags.dat", "quest_giver=1\n"}};
    sim::Session session(options);
    ASSERT_TRUE(startGame(session));
    session.tapKey(keyF2);
    session.runFrames(1);
    ASSERT_EQ(session.hud().lastSubtitle(), "Debug tools ON");

    trigger(session, "hostage.shove", false);
    session.runFrames(1);
    EXPECT_EQ(session.hud().helpBoxes.size(), 1u) << "shown all the same";
    EXPECT_EQ(countLogs(session, "Tutorials: triggered: hostage.shove"), 1);
    trigger(session, "hostage.shove", false);
    EXPECT_EQ(countLogs(session, "Tutorials: triggered: hostage.shove"), 2) << "still unseen, shown again";
    EXPECT_EQ(session.readFile("TutorialFlags.dat"), "quest_giver=1\n");
    EXPECT_EQ(drovil::tutorialFlagsFile().getInt("hostage.shove", 0), 0);

    session.tapKey(keyF2);
    session.runFrames(1);
    ASSERT_EQ(session.hud().lastSubtitle(), "Debug tools OFF");
    trigger(session, "hostage.shove", false);
    EXPECT_NE(session.readFile("TutorialFlags.dat").find("hostage.shove=1"), std::string::npos);
}

TEST(Tutorials, HintsOffLeavesTutorialsToTheirCallers) {
    sim::SessionOptions options;
    options.settingsLines = {"Hints=0"};
    sim::Session session(options);
    ASSERT_TRUE(startGame(session));

    bool hints = true;
    test::runOnScriptThread(session, [&] {
        hints = drovil::hintsEnabled();
        // The card's flip tutorial is not gated by the setting.
        drovil::triggerTutorial("contract_info.flip", false);
    });
    EXPECT_FALSE(hints);
    EXPECT_EQ(countLogs(session, "Tutorials: triggered: contract_info.flip"), 1);
}

TEST(Tutorials, HintsOnByDefault) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    bool hints = false;
    test::runOnScriptThread(session, [&] { hints = drovil::hintsEnabled(); });
    EXPECT_TRUE(hints);
}

TEST(Tutorials, NameWithoutTextShowsNoBoxButIsRemembered) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));

    trigger(session, "no_such_tutorial", true);
    session.runFrames(2);
    EXPECT_TRUE(session.hud().helpBoxes.empty());
    EXPECT_EQ(countLogs(session, "Tutorials: triggered: no_such_tutorial"), 1);
    EXPECT_NE(session.readFile("TutorialFlags.dat").find("no_such_tutorial=1"), std::string::npos);
}

TEST(Tutorials, EveryTutorialNameHasItsText) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    const char* const names[] = {
        "contract_info",
        "target_recognized",
        "blocked_contract",
        "target_knocked_out",
        "contract_info.flip",
        "hostage.initiaite",
        "hostage.shove",
        "quest_giver",
        "prostitute.too_far",
        "hints.saloon.prostitute_lure",
        "hints.transported_prisoner.steal_prison_wagon",
        "hints.transported_prisoner.distract_guard",
    };
    for (const char* name : names) {
        const std::string text = drovil::langFile().getString(std::string("tutorial.") + name);
        EXPECT_FALSE(text.empty()) << name;
        EXPECT_LT(text.size(), 499u) << name << " must fit the help box";
    }
    const char* const prompts[] = {
        "prompts.drovil_menu",
        "prompts.drovil_menu.close",
        "prompts.drovil_menu.view",
        "prompts.drovil_menu.abort",
        "prompts.threaten",
        "prompts.quest_giver.accept",
        "prompts.quest_giver.decline",
        "prompts.saloon.prostitute_lure",
        "prompts.receive_payment",
    };
    for (const char* key : prompts)
        EXPECT_FALSE(drovil::langFile().getString(key).empty()) << key;
}
