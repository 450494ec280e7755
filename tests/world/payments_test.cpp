// Collecting contract rewards: the reminder on arrival at a station, the hold
// prompt on the ticket clerk, the cash paid and the balance kept in the save.
#include "support/game.h"
#include "support/script_thread.h"

#include "runtime/data_files.h"
#include "world/area_ids.h"
#include "world/payments_service.h"
#include "world/police_departments.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using drovil::Vector3;

constexpr const char* promptText = "Collect reward";
constexpr const char* reminderStart = "You have ";

// Station 0, Valentine's, and its clerk.
const Vector3 station(-180.543f, 629.124f, 114.09f);

sim::SessionOptions withBalance(const std::string& pending, const std::string& priceScale = "") {
    sim::SessionOptions options;
    options.writeFiles["Savegame.dat"] = "next_mission_id=0\npending_payment=" + pending + "\n";
    if (!priceScale.empty())
        options.settingsLines.push_back("PricesScale=" + priceScale);
    return options;
}

void placePlayer(sim::Session& session, float metresEastOfStation) {
    Vector3 at = station;
    at.x += metresEastOfStation;
    session.world().playerPed().position = at;
}

int clerk(sim::Session& session) {
    return session.world().stationClerks.clerkOf(0);
}

std::vector<std::string> reminders(sim::Session& session) {
    std::vector<std::string> texts;
    for (const sim::HelpBoxShown& shown : session.hud().helpBoxes)
        if (shown.text.rfind(reminderStart, 0) == 0)
            texts.push_back(shown.text);
    return texts;
}

const sim::PromptRecord* shownPaymentPrompt(sim::Session& session) {
    return session.world().prompts.findVisible(promptText);
}

int paymentPromptsCreated(sim::Session& session) {
    return static_cast<int>(session.world().prompts.withText(promptText).size());
}

// Holds the payment button until the cash changes (or two seconds pass).
bool holdPaymentPrompt(sim::Session& session) {
    const int cashBefore = session.world().player.cashCents;
    session.world().prompts.startHoldControl("INPUT_NEXT_CAMERA");
    const bool paid = session.runUntil([&] { return session.world().player.cashCents != cashBefore; }, 60);
    return paid;
}

} // namespace

TEST(Payments, ReminderShowsOncePerArrivalWithinThirtyMetres) {
    sim::Session session(withBalance("70.000000"));
    ASSERT_TRUE(test::startGame(session));
    session.runFrames(5); // far from any station
    EXPECT_TRUE(reminders(session).empty());

    placePlayer(session, 25.0f);
    session.runFrames(3);
    ASSERT_EQ(reminders(session).size(), 1u);
    EXPECT_EQ(reminders(session)[0], "You have $70.00 in contract rewards waiting. Aim at the ticket clerk "
                                     "and hold the prompt to collect it.");
    EXPECT_EQ(session.hud().helpBoxes.back().durationMs, 10000);

    session.runFrames(60); // staying near
    placePlayer(session, 10.0f);
    session.runFrames(10);
    EXPECT_EQ(reminders(session).size(), 1u);

    placePlayer(session, 31.0f); // just beyond reach
    session.runFrames(3);
    placePlayer(session, 29.0f);
    session.runFrames(3);
    EXPECT_EQ(reminders(session).size(), 2u);
}

// An arrival while the game's mission flag is up (an engaged contract of the
// plug-in's own, a story mission) brings no reminder.
TEST(Payments, NoReminderWhileTheGamesMissionFlagIsUp) {
    sim::Session session(withBalance("70.000000"));
    ASSERT_TRUE(test::startGame(session));
    session.world().missionFlag = true;
    placePlayer(session, 5.0f);
    session.runFrames(5);
    EXPECT_TRUE(reminders(session).empty());
    session.world().missionFlag = false;
    placePlayer(session, 100.0f);
    session.runFrames(2);
    placePlayer(session, 5.0f);
    session.runFrames(3);
    EXPECT_EQ(reminders(session).size(), 1u);
}

TEST(Payments, ReminderWaitsWhileTheGameHoldsThePlayer) {
    sim::Session session(withBalance("70.000000"));
    ASSERT_TRUE(test::startGame(session));
    session.world().player.hasControl = false;
    placePlayer(session, 5.0f);
    session.runFrames(5);
    EXPECT_TRUE(reminders(session).empty());

    // The arrival was counted: control coming back at the station is no new arrival.
    session.world().player.hasControl = true;
    session.runFrames(5);
    EXPECT_TRUE(reminders(session).empty());
    placePlayer(session, 100.0f);
    session.runFrames(2);
    placePlayer(session, 5.0f);
    session.runFrames(2);
    EXPECT_EQ(reminders(session).size(), 1u);
}

TEST(Payments, NothingPendingShowsNoReminderAndNoPrompt) {
    sim::Session session(withBalance("0"));
    ASSERT_TRUE(test::startGame(session));
    placePlayer(session, 3.0f);
    session.world().player.targetEntity = clerk(session);
    session.runFrames(10);
    EXPECT_TRUE(reminders(session).empty());
    EXPECT_EQ(paymentPromptsCreated(session), 0);
}

TEST(Payments, HoldingThePromptOnAClerkPaysTheScaledBalanceInCashAndSavesZero) {
    sim::Session session(withBalance("70.000000", "2"));
    ASSERT_TRUE(test::startGame(session));
    session.world().player.cashCents = 1000;
    placePlayer(session, 3.0f);
    session.world().player.targetEntity = clerk(session);
    session.runFrames(3);

    ASSERT_EQ(reminders(session).size(), 1u);
    EXPECT_NE(reminders(session)[0].find("$140.00"), std::string::npos)
        << "the reminder shows the scaled balance";
    const sim::PromptRecord* prompt = shownPaymentPrompt(session);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(prompt->controlName, "INPUT_NEXT_CAMERA");
    EXPECT_EQ(prompt->mode, sim::PromptMode::Hold);
    EXPECT_EQ(prompt->holdTimeMs, 1000) << "held for a second, as the prompt says";
    EXPECT_EQ(prompt->groupEntity, clerk(session)) << "the prompt shows with the clerk";
    EXPECT_EQ(session.world().player.cashCents, 1000) << "nothing is paid before the hold completes";
    session.world().prompts.pressControl("INPUT_NEXT_CAMERA");
    session.runFrames(10);
    EXPECT_EQ(session.world().player.cashCents, 1000) << "a tap of the button pays nothing";

    ASSERT_TRUE(holdPaymentPrompt(session));
    EXPECT_EQ(session.world().player.cashCents, 1000 + 14000);
    EXPECT_NE(session.readFile("Savegame.dat").find("pending_payment=0\n"), std::string::npos);
    EXPECT_TRUE(session.logContains("PaymentsService: payment collected: 140.000000"));
    ASSERT_FALSE(session.world().cashChanges.empty());
    const sim::CashChangeShown& shown = session.world().cashChanges.back();
    EXPECT_EQ(shown.amountText, "$140.00");
    EXPECT_EQ(shown.colour, 0x067FA8F3u);
    EXPECT_EQ(shown.textureDictionary, sim::gameHash("ITEMTYPE_TEXTURES"));
    EXPECT_EQ(shown.texture, 0x6D31416Eu);
    EXPECT_EQ(shown.durationMs, 1000);

    // Still holding the button: paid once, and the prompt is gone with the balance.
    session.runFrames(30);
    EXPECT_EQ(session.world().player.cashCents, 1000 + 14000);
    EXPECT_EQ(shownPaymentPrompt(session), nullptr);
    EXPECT_TRUE(session.world().prompts.withText(promptText).back()->destroyed);
}

// A save that cannot be written (a full disk, a file held by another program)
// must never pay a balance the file still owes: it would be paid again after
// the next launch.
TEST(Payments, WhileTheSaveFailsNothingIsPaidAndThePlayerIsToldOnce) {
    sim::Session session(withBalance("70.000000"));
    ASSERT_TRUE(test::startGame(session));
    // A folder where the save's temporary file goes: no file can be written there.
    const std::filesystem::path blocker = session.gameDir() / "Drovil" / "Savegame.dat.tmp";
    std::filesystem::create_directory(blocker);
    placePlayer(session, 3.0f);
    session.world().player.targetEntity = clerk(session);
    session.runFrames(3);
    ASSERT_NE(shownPaymentPrompt(session), nullptr);

    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_FALSE(holdPaymentPrompt(session)) << "attempt " << attempt;
        session.world().prompts.releaseHoldControl(sim::gameHash("INPUT_NEXT_CAMERA"));
        session.runFrames(5);
    }
    EXPECT_EQ(session.world().player.cashCents, 0);
    EXPECT_NE(session.readFile("Savegame.dat").find("pending_payment=70.000000\n"), std::string::npos);
    int told = 0;
    for (const sim::SubtitleShown& shown : session.hud().subtitles)
        told += shown.text == "Drovil cannot save its files, please check the logs for more info." ? 1 : 0;
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(session.logContains("Drovil cannot save Drovil/Savegame.dat"));
    EXPECT_TRUE(session.logContains("PaymentsService: payment not collected: the save failed"));

    // The disk is back: the balance is paid once, and the file owes nothing.
    std::filesystem::remove(blocker);
    ASSERT_TRUE(holdPaymentPrompt(session));
    session.runFrames(30);
    EXPECT_EQ(session.world().player.cashCents, 7000);
    EXPECT_NE(session.readFile("Savegame.dat").find("pending_payment=0\n"), std::string::npos);
}

TEST(Payments, ABalanceBeyondWhatTheCashHoldsIsPaidInPartsAndNeverOverflows) {
    sim::Session session(withBalance("30000000", "10"));
    ASSERT_TRUE(test::startGame(session));
    placePlayer(session, 3.0f);
    session.world().player.targetEntity = clerk(session);
    session.runFrames(3);
    ASSERT_TRUE(holdPaymentPrompt(session));
    EXPECT_EQ(session.world().player.cashCents, 2147483647) << "as much as the game's cash takes at once";
    const float rest = drovil::savegameFile().getFloat("pending_payment", 0.0f);
    EXPECT_NEAR(rest, (300000000.0 - 21474836.47) / 10.0, 50.0) << "the rest stays pending, unscaled";
}

TEST(Payments, OnlyALivingFreeClerkOffersThePrompt) {
    sim::Session session(withBalance("20.000000"));
    ASSERT_TRUE(test::startGame(session));
    placePlayer(session, 3.0f);
    sim::World& world = session.world();
    sim::EntityRecord& clerkPed = *world.entities.find(clerk(session));

    // A ped that is not a clerk.
    sim::EntityRecord& passenger =
        world.entities.create(sim::EntityKind::Ped, sim::gameHash("A_M_M_ValTownfolk_01"), station, 0.0f);
    world.player.targetEntity = passenger.id;
    session.runFrames(3);
    EXPECT_EQ(paymentPromptsCreated(session), 0);

    world.player.targetEntity = clerkPed.id;
    clerkPed.alive = false;
    session.runFrames(3);
    EXPECT_EQ(paymentPromptsCreated(session), 0);
    clerkPed.alive = true;
    // A clerk running from danger pays nothing.
    world.fleeing.frighten(world, clerkPed.id, station);
    session.runFrames(3);
    EXPECT_EQ(paymentPromptsCreated(session), 0);

    // Calm again, and back at the counter.
    session.runUntil([&] { return !world.fleeing.isFleeing(clerkPed.id, world.clock.elapsedMs); }, 1000);
    session.runFrames(2);
    ASSERT_NE(shownPaymentPrompt(session), nullptr);
    EXPECT_EQ(paymentPromptsCreated(session), 1);
    session.runFrames(5);
    EXPECT_EQ(paymentPromptsCreated(session), 1) << "one prompt while the player keeps aiming";

    // Looking away removes it.
    world.player.targetEntity = 0;
    session.runFrames(2);
    EXPECT_EQ(shownPaymentPrompt(session), nullptr);
    EXPECT_TRUE(world.prompts.withText(promptText).back()->destroyed);

    // A wanted player gets no payment.
    world.player.targetEntity = clerkPed.id;
    world.player.wanted = true;
    session.runFrames(3);
    EXPECT_EQ(paymentPromptsCreated(session), 1);
    EXPECT_EQ(world.player.cashCents, 0);
}

// The prompt says to hold it, and a tap pays nothing: the balance is paid once
// the button has been held for a second.
TEST(Payments, ATapOfThePaymentButtonPaysNothingAndAHoldPays) {
    sim::Session session(withBalance("30.000000"));
    ASSERT_TRUE(test::startGame(session));
    placePlayer(session, 3.0f);
    session.world().player.targetEntity = clerk(session);
    session.runFrames(3);
    ASSERT_NE(shownPaymentPrompt(session), nullptr);
    session.world().prompts.pressControl("INPUT_NEXT_CAMERA");
    session.runFrames(10);
    EXPECT_EQ(session.world().player.cashCents, 0);
    session.world().prompts.startHoldControl("INPUT_NEXT_CAMERA");
    session.runFor(700);
    EXPECT_EQ(session.world().player.cashCents, 0) << "held for less than a second";
    ASSERT_TRUE(session.runUntil([&] { return session.world().player.cashCents != 0; }, 30));
    EXPECT_EQ(session.world().player.cashCents, 3000);
}

// A hogtied clerk does not flee: the game's check lets him pay.
TEST(Payments, AHogtiedClerkStillPays) {
    sim::Session session(withBalance("30.000000"));
    ASSERT_TRUE(test::startGame(session));
    placePlayer(session, 3.0f);
    sim::World& world = session.world();
    world.entities.find(clerk(session))->hogtied = true;
    world.player.targetEntity = clerk(session);
    session.runFrames(3);
    ASSERT_TRUE(holdPaymentPrompt(session));
    EXPECT_EQ(world.player.cashCents, 3000);
}

// Free-aiming at the clerk is not targeting him: no prompt. With a gun he
// runs; calm again, a focus on him brings the prompt.
TEST(Payments, AGunPointedAtTheClerkSendsHimRunning) {
    sim::Session session(withBalance("30.000000"));
    ASSERT_TRUE(test::startGame(session));
    placePlayer(session, 3.0f);
    sim::World& world = session.world();
    const int clerkPed = clerk(session);
    world.weapons.select(world, world.player.pedId, sim::Weapons::revolver());
    world.player.freeAimEntity = clerkPed;
    session.runFrames(3);
    EXPECT_TRUE(world.fleeing.isFleeing(clerkPed, world.clock.elapsedMs));
    EXPECT_EQ(paymentPromptsCreated(session), 0);
    world.player.freeAimEntity = 0;
    world.weapons.hide(world, world.player.pedId);
    ASSERT_TRUE(session.runUntil([&] { return !world.fleeing.isFleeing(clerkPed, world.clock.elapsedMs); }, 1000));
    world.player.targetEntity = clerkPed;
    session.runFrames(3);
    EXPECT_EQ(paymentPromptsCreated(session), 1);
}

TEST(Payments, RewardsAreStoredUnscaledAndTheScaleIsAppliedOnceWhenPaid) {
    sim::Session session(withBalance("0", "2"));
    ASSERT_TRUE(test::startGame(session));
    float shownBeforePaying = 0.0f;
    test::runOnScriptThread(session, [&] {
        drovil::PaymentsService& payments = *drovil::paymentsService();
        payments.addPayment(50.0f, false);
        payments.addPayment(20.0f, true);
        shownBeforePaying = payments.pendingAmount(true);
    });
    EXPECT_NE(session.readFile("Savegame.dat").find("pending_payment=70.000000\n"), std::string::npos);
    EXPECT_FLOAT_EQ(shownBeforePaying, 140.0f);
    EXPECT_TRUE(session.logContains(
        "PaymentsService: balance increased by 20.000000. old balance: 50.000000 new balance: 70.000000"));

    placePlayer(session, 3.0f);
    session.world().player.targetEntity = clerk(session);
    session.runFrames(2);
    ASSERT_TRUE(holdPaymentPrompt(session));
    EXPECT_EQ(session.world().player.cashCents, 14000);
}

TEST(Payments, WithScaleOneTheBalanceIsThePlainSumOfTheRewards) {
    sim::Session session(withBalance("0", "1"));
    ASSERT_TRUE(test::startGame(session));
    test::runOnScriptThread(session, [] {
        drovil::PaymentsService& payments = *drovil::paymentsService();
        payments.addPayment(50.0f, false);
        payments.addPayment(20.0f, false);
        payments.collectPayment(true);
    });
    // Paid once the save is on the disk, in the next frame.
    session.runFrames(1);
    EXPECT_EQ(session.world().player.cashCents, 7000);
    EXPECT_NE(session.readFile("Savegame.dat").find("pending_payment=0\n"), std::string::npos);
}

TEST(Payments, ThePriceScaleIsClampedToATenthAtTheLeast) {
    // 0 is what an absent or unreadable scale amounts to.
    sim::Session session(withBalance("100.000000", "0"));
    ASSERT_TRUE(test::startGame(session));
    placePlayer(session, 3.0f);
    session.world().player.targetEntity = clerk(session);
    session.runFrames(3);
    ASSERT_EQ(reminders(session).size(), 1u);
    EXPECT_NE(reminders(session)[0].find("$10.00"), std::string::npos);
    ASSERT_TRUE(holdPaymentPrompt(session));
    EXPECT_EQ(session.world().player.cashCents, 1000);
}

TEST(Payments, ThePriceScaleIsClampedToTenAtTheMost) {
    sim::Session session(withBalance("3.000000", "50"));
    ASSERT_TRUE(test::startGame(session));
    test::runOnScriptThread(session, [] { drovil::paymentsService()->collectPayment(true); });
    session.runFrames(1);
    EXPECT_EQ(session.world().player.cashCents, 3000);
}

// A negative amount is taken from the purse: the game's decrement takes the
// amount to take away (a positive one), and the change shows in red.
TEST(GiveCash, ANegativeAmountIsTakenFromThePurseAndShowsInRed) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    session.world().player.cashCents = 1000;
    test::runOnScriptThread(session, [] { drovil::giveCash(-5.0f, true); });
    EXPECT_EQ(session.world().player.cashCents, 500);
    ASSERT_EQ(session.world().cashChanges.size(), 1u);
    EXPECT_EQ(session.world().cashChanges[0].amountText, "$5.00");
    EXPECT_EQ(session.world().cashChanges[0].colour, sim::gameHash("COLOR_RED"));

    test::runOnScriptThread(session, [] {
        drovil::giveCash(0.0f, true);
        drovil::giveCash(2.5f, false);
    });
    EXPECT_EQ(session.world().player.cashCents, 750);
    EXPECT_EQ(session.world().cashChanges.size(), 1u) << "no change shown for 0 or without notify";

    // More than the purse holds: the game takes nothing.
    test::runOnScriptThread(session, [] { drovil::giveCash(-10.0f, false); });
    EXPECT_EQ(session.world().player.cashCents, 750);
}

TEST(PoliceDepartments, EveryAreaHasItsOfficeAndOtherZonesAreLogged) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    namespace ids = drovil::area_ids;
    std::vector<const drovil::PoliceDepartment*> found;
    const drovil::PoliceDepartment* heartlands = nullptr;
    test::runOnScriptThread(session, [&] {
        for (drovil::Hash area : {ids::Blackwater, ids::Rhodes, ids::Valentine, ids::Strawberry,
                                  ids::Tumbleweed, ids::Armadillo, ids::SaintDenis, ids::Annesburg})
            found.push_back(drovil::PoliceDepartments::findDepartment(area));
        heartlands = drovil::PoliceDepartments::findDepartment(0x07D4FF5F);
    });
    ASSERT_EQ(found.size(), 8u);
    for (std::size_t i = 0; i < found.size(); ++i)
        ASSERT_NE(found[i], nullptr) << "area " << i;
    const drovil::PoliceDepartment& valentine = *found[2];
    EXPECT_EQ(valentine.areaId, ids::Valentine);
    EXPECT_FLOAT_EQ(valentine.position.x, -275.256f);
    EXPECT_EQ(static_cast<std::uint32_t>(valentine.doorHash), 0x1FE862E6u);
    EXPECT_EQ(valentine.routePoints.size(), 3u);
    const drovil::PoliceDepartment& armadillo = *found[5];
    EXPECT_EQ(armadillo.wagonTarget.x, 0.0f);
    EXPECT_TRUE(armadillo.routePoints.empty());
    EXPECT_FLOAT_EQ(found[7]->prisonerSpawn.y, 1314.3406f);

    EXPECT_EQ(heartlands, nullptr);
    EXPECT_TRUE(session.logContains(
        "PoliceDepartments: could not find a police department related to map area: 131399519"));
}
