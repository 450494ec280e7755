// Button prompts as the player sees and uses them: hidden until shown, pressed
// or held through the simulated player, reported once per completed hold.
#include "support/game.h"
#include "support/script_thread.h"

#include "ui/prompt.h"

#include <gtest/gtest.h>

using namespace test;
using drovil::Prompt;
using drovil::PromptType;

namespace {

// The prompt under test, made on the script thread and polled every frame.
struct Polled {
    Prompt* prompt = nullptr;
    int activations = 0;
    int framesPolled = 0;
};

Polled& polled() {
    static auto* state = new Polled();
    return *state;
}

void pollEveryFrame() {
    test::runEveryFrame([] {
        Polled& p = polled();
        if (p.prompt) {
            ++p.framesPolled;
            if (p.prompt->isActivated())
                ++p.activations;
        }
    });
}

const sim::PromptRecord& gameSide(sim::Session& session) {
    const sim::PromptRecord* record = session.world().prompts.find(polled().prompt->handle().id);
    EXPECT_NE(record, nullptr);
    return *record;
}

void create(sim::Session& session, const std::string& text, const char* control, PromptType type) {
    test::runOnScriptThread(session, [&] { polled().prompt = drovil::createPrompt(text, control, type); });
    ASSERT_NE(polled().prompt, nullptr);
    pollEveryFrame();
}

void setVisible(sim::Session& session, bool visible) {
    test::runOnScriptThread(session, [visible] { polled().prompt->setVisible(visible); });
}

void setEnabled(sim::Session& session, bool enabled) {
    test::runOnScriptThread(session, [enabled] { polled().prompt->setEnabled(enabled); });
}

} // namespace

TEST(Prompts, DefinedWithTextControlModeAndNoGroup) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));

    create(session, "Take the contract", "INPUT_CONTEXT_X", PromptType::Press);
    const sim::PromptRecord& record = gameSide(session);
    EXPECT_EQ(record.text, "Take the contract");
    EXPECT_EQ(record.control, sim::gameHash("INPUT_CONTEXT_X"));
    EXPECT_EQ(record.controlName, "INPUT_CONTEXT_X");
    EXPECT_EQ(record.mode, sim::PromptMode::Standard);
    EXPECT_EQ(record.group, 0u);
    EXPECT_TRUE(record.defined);
    EXPECT_TRUE(record.attributes.at(18));
    EXPECT_EQ(polled().prompt->control(), sim::gameHash("INPUT_CONTEXT_X"));
    EXPECT_EQ(polled().prompt->tag(), drovil::Entity());
    EXPECT_TRUE(session.world().prompts.problems().empty());
}

TEST(Prompts, EveryTypeSetsItsGameMode) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));

    // What the game makes of each mode call: a standard prompt in release mode,
    // holds of a second, a standardized hold of the type hashed 1 (no type it
    // knows), and a manual mash that one press fills.
    struct Case {
        PromptType type;
        sim::PromptMode mode;
        int holdTimeMs;
    };
    const Case cases[] = {
        {PromptType::Press, sim::PromptMode::Standard, 0},
        {PromptType::HoldContinuous, sim::PromptMode::Hold, 1000},
        {PromptType::Hold, sim::PromptMode::Hold, 1000},
        {PromptType::Mode3, sim::PromptMode::StandardizedHold, 1000},
        {PromptType::Mode4, sim::PromptMode::MashManual, 0},
        {PromptType::Mode5, sim::PromptMode::StandardizedHold, 1000},
    };
    const std::size_t before = session.world().prompts.notDestroyed().size();
    std::vector<Prompt*> made;
    test::runOnScriptThread(session, [&] {
        for (const Case& c : cases)
            made.push_back(drovil::createPrompt("p", "INPUT_CONTEXT_A", c.type));
    });
    ASSERT_EQ(made.size(), std::size(cases));
    for (std::size_t i = 0; i < made.size(); ++i) {
        const sim::PromptRecord* record = session.world().prompts.find(made[i]->handle().id);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->mode, cases[i].mode) << "type " << static_cast<int>(cases[i].type);
        EXPECT_EQ(record->holdTimeMs, cases[i].holdTimeMs);
        if (cases[i].mode == sim::PromptMode::Standard) {
            EXPECT_TRUE(record->releaseMode);
        }
        if (cases[i].mode == sim::PromptMode::MashManual) {
            EXPECT_FLOAT_EQ(record->mashFill, 1.0f) << "the game reads the fill as a float";
        }
        EXPECT_EQ(made[i]->type(), cases[i].type);
    }
    test::runOnScriptThread(session, [&] {
        for (Prompt* prompt : made)
            delete prompt;
    });
    EXPECT_EQ(session.world().prompts.notDestroyed().size(), before);
}

TEST(Prompts, NewPromptIsHiddenAndNeverActivatedUntilShown) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    sim::Prompts& game = session.world().prompts;

    create(session, "Threaten", "INPUT_CONTEXT_Y", PromptType::Press);
    EXPECT_FALSE(polled().prompt->isVisible());
    EXPECT_FALSE(gameSide(session).visible);
    EXPECT_FALSE(gameSide(session).enabled) << "hidden prompts are disabled in the game";
    EXPECT_EQ(game.findVisible("Threaten"), nullptr);

    EXPECT_FALSE(game.press(polled().prompt->handle().id)) << "a hidden prompt cannot be pressed";
    session.runFrames(3);
    EXPECT_EQ(polled().activations, 0);

    // Even if the game reported a press, a prompt the plug-in keeps hidden is
    // not activated.
    sim::PromptRecord* forced = game.find(polled().prompt->handle().id);
    forced->visible = forced->enabled = true;
    game.pressControl("INPUT_CONTEXT_Y");
    session.runFrames(1);
    EXPECT_EQ(polled().activations, 0);

    setVisible(session, true);
    ASSERT_NE(game.findVisible("Threaten"), nullptr);
    EXPECT_TRUE(game.press(polled().prompt->handle().id));
    session.runFrames(1);
    EXPECT_EQ(polled().activations, 1);
    session.runFrames(3);
    EXPECT_EQ(polled().activations, 1) << "a press completes in one frame only";

    game.pressControl("INPUT_CONTEXT_Y");
    session.runFrames(1);
    EXPECT_EQ(polled().activations, 2);
}

// A hold prompt asks for a hold a player feels: a tap of the button does
// nothing, a second's hold completes it.
TEST(Prompts, AHoldPromptWantsTheButtonHeldForASecond) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    sim::Prompts& game = session.world().prompts;
    create(session, "Collect reward", "INPUT_NEXT_CAMERA", PromptType::Hold);
    setVisible(session, true);
    ASSERT_EQ(gameSide(session).holdTimeMs, 1000);
    const int handle = polled().prompt->handle().id;
    game.press(handle);
    session.runFrames(5);
    EXPECT_EQ(polled().activations, 0) << "a tap is no hold";

    ASSERT_TRUE(game.startHold(handle));
    session.runFor(800);
    EXPECT_EQ(polled().activations, 0) << "held for less than a second";
    session.runFor(400);
    EXPECT_EQ(polled().activations, 1);
    game.releaseAll();
}

// A mash prompt (the game's manual mash mode) is filled by presses: the
// plug-in's is full after one.
TEST(Prompts, AManualMashPromptIsFilledByOnePress) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    create(session, "Mash", "INPUT_CONTEXT_A", PromptType::Mode4);
    setVisible(session, true);
    session.runFrames(2);
    EXPECT_EQ(polled().activations, 0);
    session.world().prompts.press(polled().prompt->handle().id);
    session.runFrames(2);
    EXPECT_TRUE(gameSide(session).mashCompleted);
    EXPECT_GE(polled().activations, 1);
}

// How a longer hold behaves (the game's hold prompts of other scripts): the
// hold time is set on the game's side.
TEST(Prompts, HoldReportsOneActivationPerCompletedHold) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    sim::Prompts& game = session.world().prompts;

    create(session, "Collect reward", "INPUT_NEXT_CAMERA", PromptType::Hold);
    setVisible(session, true);
    const int handle = polled().prompt->handle().id;
    game.find(handle)->holdTimeMs = 300;

    // A quick press is not a hold.
    game.press(handle);
    session.runFrames(2);
    EXPECT_EQ(polled().activations, 0);

    ASSERT_TRUE(game.startHold(handle));
    session.runFrames(5);
    EXPECT_EQ(polled().activations, 0) << "the hold is not complete yet";
    int completedFrames = 0;
    for (int i = 0; i < 60; ++i) {
        session.runFrames(1);
        completedFrames += gameSide(session).holdCompleted ? 1 : 0;
    }
    EXPECT_GE(completedFrames, 50) << "the game keeps reporting the completed hold";
    EXPECT_EQ(polled().activations, 1);
    EXPECT_EQ(gameSide(session).holdCompletions, 1);

    game.releaseHold(handle);
    session.runFrames(2);
    EXPECT_FALSE(gameSide(session).holdCompleted);
    game.startHold(handle);
    session.runFrames(30);
    EXPECT_EQ(polled().activations, 2);
    game.releaseAll();
}

TEST(Prompts, ContinuousHoldReportsEveryFrameOfTheCompletedHold) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    sim::Prompts& game = session.world().prompts;

    create(session, "Hold on", "INPUT_CONTEXT_A", PromptType::HoldContinuous);
    setVisible(session, true);
    game.find(polled().prompt->handle().id)->holdTimeMs = 100;
    game.startHoldControl("INPUT_CONTEXT_A");
    int completedFrames = 0;
    for (int i = 0; i < 20; ++i) {
        session.runFrames(1);
        completedFrames += gameSide(session).holdCompleted ? 1 : 0;
    }
    EXPECT_GT(completedFrames, 10);
    EXPECT_EQ(polled().activations, completedFrames);
}

TEST(Prompts, DisabledVisiblePromptIsShownButNotActivatable) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    sim::Prompts& game = session.world().prompts;

    create(session, "Pay her", "INPUT_CONTEXT_X", PromptType::Press);
    setVisible(session, true);
    setEnabled(session, false);
    const sim::PromptRecord* shown = game.findVisible("Pay her");
    ASSERT_NE(shown, nullptr) << "still on screen, greyed out";
    EXPECT_FALSE(shown->enabled);
    EXPECT_TRUE(polled().prompt->isVisible());

    EXPECT_FALSE(game.press(shown->handle));
    session.runFrames(2);
    EXPECT_EQ(polled().activations, 0);

    // The plug-in's own state decides too, whatever the game says.
    game.find(shown->handle)->enabled = true;
    game.pressControl("INPUT_CONTEXT_X");
    session.runFrames(1);
    EXPECT_EQ(polled().activations, 0);

    setEnabled(session, true);
    game.pressControl("INPUT_CONTEXT_X");
    session.runFrames(1);
    EXPECT_EQ(polled().activations, 1);
}

TEST(Prompts, HidingAPromptDisablesItInTheGame) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    sim::Prompts& game = session.world().prompts;

    create(session, "Close", "INPUT_CONTEXT_B", PromptType::Press);
    setVisible(session, true);
    EXPECT_TRUE(gameSide(session).enabled);
    EXPECT_TRUE(gameSide(session).visible);

    setVisible(session, false);
    EXPECT_FALSE(gameSide(session).visible);
    EXPECT_FALSE(gameSide(session).enabled);
    EXPECT_TRUE(polled().prompt->isEnabled()) << "the plug-in remembers it is meant to be enabled";
    game.pressControl("INPUT_CONTEXT_B");
    session.runFrames(1);
    EXPECT_EQ(polled().activations, 0);

    setVisible(session, true);
    EXPECT_TRUE(gameSide(session).enabled);
}

TEST(Prompts, HiddenHoldPromptLosesItsHold) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    sim::Prompts& game = session.world().prompts;

    create(session, "Collect reward", "INPUT_NEXT_CAMERA", PromptType::Hold);
    setVisible(session, true);
    game.find(polled().prompt->handle().id)->holdTimeMs = 200;
    game.startHoldControl("INPUT_NEXT_CAMERA");
    session.runFrames(4);
    setVisible(session, false);
    session.runFrames(10);
    EXPECT_FALSE(gameSide(session).holdCompleted);
    EXPECT_EQ(gameSide(session).holdCompletions, 0);
    EXPECT_EQ(polled().activations, 0);
}

TEST(Prompts, GroupsAndTheEntityOwnGroup) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    sim::Prompts& game = session.world().prompts;
    const int pedId = session.world()
                          .entities
                          .create(sim::EntityKind::Ped, sim::gameHash("A_M_M_ValTownfolk_01"),
                                  drovil::Vector3(-280.0f, 785.0f, 118.0f), 0.0f)
                          .id;

    create(session, "Threaten", "INPUT_CONTEXT_Y", PromptType::Press);
    test::runOnScriptThread(session, [] { polled().prompt->setGroup(0x4EE07FDD); });
    EXPECT_EQ(gameSide(session).group, 0x4EE07FDDu);
    EXPECT_EQ(gameSide(session).groupEntity, 0);

    test::runOnScriptThread(session, [pedId] { polled().prompt->attachToEntity(drovil::Entity(pedId)); });
    EXPECT_EQ(polled().prompt->tag(), drovil::Entity(pedId));
    EXPECT_NE(gameSide(session).group, 0u);
    EXPECT_NE(gameSide(session).group, 0x4EE07FDDu);
    EXPECT_EQ(gameSide(session).groupEntity, pedId);
    EXPECT_EQ(gameSide(session).group, game.entityGroup(pedId));

    // An entity without a prompt group leaves the group as it was.
    const std::uint32_t before = gameSide(session).group;
    test::runOnScriptThread(session, [] { polled().prompt->attachToEntity(drovil::Entity(987654)); });
    EXPECT_EQ(gameSide(session).group, before);
    EXPECT_EQ(polled().prompt->tag(), drovil::Entity(987654));

    test::runOnScriptThread(session, [] { polled().prompt->attachToEntity(drovil::Entity()); });
    EXPECT_EQ(gameSide(session).group, 0u);
    EXPECT_EQ(gameSide(session).groupEntity, 0);
}

TEST(Prompts, TheIntegerOptionIsThePromptsPriority) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));

    create(session, "Threaten", "INPUT_CONTEXT_Y", PromptType::Press);
    test::runOnScriptThread(session, [] { polled().prompt->setOption(3); });
    EXPECT_EQ(gameSide(session).priorities, std::vector<int>{3});
}

TEST(Prompts, DestroyedPromptsLeaveTheGameAndLeaksAreReported) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    sim::Prompts& game = session.world().prompts;
    const std::size_t before = game.notDestroyed().size();

    Prompt* kept = nullptr;
    Prompt* deleted = nullptr;
    test::runOnScriptThread(session, [&] {
        kept = drovil::createPrompt("Leaked", "INPUT_CONTEXT_A");
        deleted = drovil::createPrompt("Deleted", "INPUT_CONTEXT_A");
        deleted->setVisible(true);
    });
    ASSERT_EQ(game.notDestroyed().size(), before + 2);

    // Deleting the prompt without destroy still takes it out of the game.
    const int deletedHandle = deleted->handle().id;
    test::runOnScriptThread(session, [&] { delete deleted; });
    EXPECT_TRUE(game.find(deletedHandle)->destroyed);
    EXPECT_EQ(game.findVisible("Deleted"), nullptr);

    auto leaks = game.notDestroyed();
    ASSERT_EQ(leaks.size(), before + 1);
    EXPECT_EQ(leaks.back()->text, "Leaked");

    test::runOnScriptThread(session, [&] {
        kept->destroy();
        kept->destroy();
        kept->setVisible(true);
        kept->setOption(3);
        EXPECT_FALSE(kept->isActivated());
        delete kept;
    });
    EXPECT_EQ(game.notDestroyed().size(), before);
    EXPECT_TRUE(game.problems().empty()) << "nothing is sent for a destroyed prompt";
}
