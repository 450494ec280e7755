// Chance encounters in town: a passer-by near a street spot offers a contract,
// the prompts work only up close, taking it plays the handover and announces
// the town, and every other ending restarts the wait for the next encounter.
#include "support/game.h"
#include "support/script_thread.h"

#include "player/player_controller.h"
#include "runtime/data_files.h"
#include "runtime/natives.h"
#include "runtime/events.h"
#include "world/area_ids.h"
#include "world/quest_creator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <fstream>
#include <sstream>

using namespace test;

namespace {

// A street spot of Valentine, on the main street.
const drovil::Vector3 valentineSpot(-312.085f, 830.793f, 119.576f);
const char* triggeredLine = "QuestCreator: quest offer triggered in area: Valentine";

struct AcceptedOffers : drovil::EventsSubscriber<drovil::ContractAcceptedEvent*> {
    std::vector<std::int32_t> areas;
    void onEvent(drovil::ContractAcceptedEvent* event) override { areas.push_back(event->areaId); }
};

AcceptedOffers& accepted() {
    static auto* subscriber = new AcceptedOffers();
    return *subscriber;
}

float distance(const drovil::Vector3& a, const drovil::Vector3& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

drovil::Vector3 offset(const drovil::Vector3& from, float dx, float dy) {
    return drovil::Vector3(from.x + dx, from.y + dy, from.z);
}

std::string lang(const std::string& key) {
    return drovil::langFile().getString(key);
}

int hoursBetweenEncounters() {
    return drovil::generalMetaFile().getInt("quest_offer.game_hours_between_encounters", -999);
}

std::string restartLine(int gameSeconds) {
    return "QuestCreator: next quest offer in " + std::to_string(gameSeconds) + " game secodns";
}

int countLogs(const sim::Session& session, const std::string& text) {
    int count = 0;
    for (const std::string& line : logMessages(session))
        count += line.find(text) != std::string::npos ? 1 : 0;
    return count;
}

// A quiet street: the game keeps no crowd of its own, the test places the
// passers-by it needs. The player stands on the street spot, unarmed.
struct Street {
    sim::Session session;

    explicit Street(sim::SessionOptions options = {}) : session(std::move(options)) {
        session.world().townsfolk.enabled = false;
    }
    sim::World& world() { return session.world(); }
    void standAt(const drovil::Vector3& position) { world().playerPed().position = position; }
    int placePasserBy(const drovil::Vector3& position) {
        return world().townsfolk.spawn(world(), position, sim::gameHash("a_m_m_valtownfolk_01"));
    }
    drovil::Vector3 positionOf(int ped) { return world().entities.find(ped)->position; }
    drovil::Vector3 playerPosition() { return world().playerPed().position; }
    bool offerStarts(int maxFrames = 30) {
        return session.runUntil([&] { return session.logContains(triggeredLine); }, maxFrames);
    }
    int questGiver() {
        const drovil::QuestOffer* offer = drovil::questCreator()->currentOffer();
        return offer ? offer->questGiver().id : 0;
    }
    const sim::PromptRecord* acceptPrompt() {
        return world().prompts.findVisible(lang("prompts.quest_giver.accept"));
    }
    const sim::PromptRecord* declinePrompt() {
        return world().prompts.findVisible(lang("prompts.quest_giver.decline"));
    }
    // Walks up to the quest giver, `metres` short of it.
    void stepUpTo(float metres) {
        standAt(offset(positionOf(questGiver()), metres, 0.0f));
        session.runFrames(1);
    }
};

void startOnTheSpot(Street& street, float passerByDistance) {
    ASSERT_TRUE(startGame(street.session));
    drovil::questCreator()->subscribe(&accepted());
    street.standAt(valentineSpot);
    street.placePasserBy(offset(valentineSpot, passerByDistance, 0.0f));
    ASSERT_TRUE(street.offerStarts());
    ASSERT_NE(street.questGiver(), 0);
}

} // namespace

TEST(QuestOffers, APasserByInTownOffersAContractWithBlipPromptsAndGreeting) {
    sim::Session session; // the game's own crowd about the player
    ASSERT_TRUE(startGame(session));
    EXPECT_TRUE(session.logContains(restartLine(0))) << "the first encounter may come at once";
    EXPECT_FALSE(session.logContains("quest offer triggered")) << "the start is far from any street spot";

    session.world().playerPed().position = valentineSpot;
    ASSERT_TRUE(session.runUntil([&] { return session.logContains(triggeredLine); }, 1500));
    const drovil::QuestOffer* offer = drovil::questCreator()->currentOffer();
    ASSERT_NE(offer, nullptr);
    const int giver = offer->questGiver().id;
    EXPECT_TRUE(session.world().townsfolk.isPasserBy(giver));
    EXPECT_FALSE(session.world().townsfolk.isAmbient(session.world(), giver)) << "taken over by the offer";
    EXPECT_EQ(offer->areaId(), drovil::area_ids::Valentine);

    const sim::BlipRecord* blip = session.world().blips.onEntity(giver);
    ASSERT_NE(blip, nullptr);
    EXPECT_EQ(blip->style, 0xB04092F8u);
    EXPECT_EQ(blip->name, lang("blips.contract_offer"));
    EXPECT_EQ(blip->sprite, 0x1DCFAA8Cu);
    EXPECT_TRUE(blip->hasModifier(0xD34253F0u));

    const sim::PromptRecord* accept = session.world().prompts.findVisible(lang("prompts.quest_giver.accept"));
    const sim::PromptRecord* decline =
        session.world().prompts.findVisible(lang("prompts.quest_giver.decline"));
    ASSERT_NE(accept, nullptr);
    ASSERT_NE(decline, nullptr);
    EXPECT_EQ(accept->controlName, "INPUT_CONTEXT_X");
    EXPECT_EQ(decline->controlName, "INPUT_CONTEXT_B");
    EXPECT_EQ(accept->groupEntity, giver);
    EXPECT_TRUE(session.logContains("Tutorials: triggered: quest_giver"));

    // Within 20 m the quest giver shouts a greeting and turns to the player.
    ASSERT_TRUE(
        session.runUntil([&] { return session.world().speech.find("GREET_SHOUTED") != nullptr; }, 300));
    EXPECT_EQ(session.world().speech.find("GREET_SHOUTED")->ped, giver);
}

TEST(QuestOffers, PromptsAreEnabledOnlyWithinEightMetres) {
    Street street;
    startOnTheSpot(street, 11.0f);
    street.session.runFrames(2);
    const sim::PromptRecord* accept = street.acceptPrompt();
    const sim::PromptRecord* decline = street.declinePrompt();
    ASSERT_NE(accept, nullptr);
    ASSERT_NE(decline, nullptr);
    EXPECT_FALSE(accept->enabled);
    EXPECT_FALSE(decline->enabled);
    EXPECT_FALSE(street.world().prompts.press(accept->handle)) << "out of reach, the press cannot land";

    street.stepUpTo(7.5f);
    EXPECT_TRUE(accept->enabled);
    EXPECT_TRUE(decline->enabled);

    street.stepUpTo(9.0f);
    EXPECT_FALSE(accept->enabled);
    EXPECT_FALSE(decline->enabled);
    street.session.runFrames(5);
    EXPECT_TRUE(drovil::questCreator()->currentOffer()->isActive());
    EXPECT_TRUE(accepted().areas.empty());
}

TEST(QuestOffers, AcceptingPlaysTheHandoverAndAnnouncesTheTownOnce) {
    Street street;
    startOnTheSpot(street, 5.0f);
    const int giver = street.questGiver();
    street.session.runFrames(1);
    ASSERT_NE(street.acceptPrompt(), nullptr);
    ASSERT_TRUE(street.world().prompts.press(street.acceptPrompt()->handle));
    ASSERT_TRUE(
        street.session.runUntil([&] { return street.session.logContains("outcome: ACCEPETED"); }, 3000));
    street.session.runFrames(1);
    const float handoverDistance = distance(street.positionOf(giver), street.playerPosition());
    // Subscribers are told in no set order: the engine, told first, may open
    // the contract card and wait for the target's portrait over a few frames.
    street.session.runUntil([] { return !accepted().areas.empty(); }, 300);

    ASSERT_EQ(accepted().areas.size(), 1u);
    EXPECT_EQ(accepted().areas[0], drovil::area_ids::asSigned(drovil::area_ids::Valentine));

    const auto messages = logMessages(street.session);
    const int outcome = findLog(messages, "outcome: ACCEPETED");
    EXPECT_EQ(messages[outcome], "outcome: ACCEPETED") << "the outcome line has no prefix";
    const int finished = findLog(messages, "QuestCreator: quest offer finished with status: 1", outcome);
    EXPECT_GT(finished, outcome);
    EXPECT_GT(findLog(messages, restartLine(hoursBetweenEncounters() * 3600), finished), finished);

    // The handover as the player sees it: greetings, the quest giver walking
    // up, the money changing hands, thanks.
    sim::World& world = street.world();
    ASSERT_NE(world.speech.find("GREET_GENERAL"), nullptr);
    EXPECT_EQ(world.speech.find("GREET_GENERAL")->ped, world.player.pedId);
    ASSERT_NE(world.speech.find("GENERIC_THANKS_SHOUTED"), nullptr);
    EXPECT_EQ(world.speech.find("GENERIC_THANKS_SHOUTED")->ped, giver);
    EXPECT_LT(handoverDistance, 2.0f) << "walked up from 5 m";
    for (const char* clip : {"handover_money_plyr", "handover_money_male"}) {
        const sim::AnimationPlayed* played = world.animations.find(clip);
        ASSERT_NE(played, nullptr) << clip;
        EXPECT_EQ(played->dictionary, "script_common@handover@generic@player_handover@money");
        EXPECT_TRUE(played->dictionaryLoaded);
    }

    // Everything of the offer is gone, and the passer-by goes its way.
    EXPECT_EQ(world.blips.onEntity(giver), nullptr);
    for (const sim::PromptRecord* prompt : world.prompts.withText(lang("prompts.quest_giver.accept")))
        EXPECT_TRUE(prompt->destroyed);
    EXPECT_TRUE(world.scenePeds.wasReleased(giver));
    street.session.runFrames(2);
    EXPECT_TRUE(world.townsfolk.isAmbient(world, giver));
    EXPECT_TRUE(world.townsfolk.all().at(giver).strolling);

    street.session.runFrames(60);
    EXPECT_EQ(countLogs(street.session, "quest offer triggered"), 1) << "the next encounter waits";
    EXPECT_EQ(accepted().areas.size(), 1u);
}

TEST(QuestOffers, DecliningRestartsTheTimerAndTheNextOfferComesWhenDue) {
    // Two game hours between encounters.
    std::ifstream shipped(std::string(DROVIL_DATA_DIR) + "/Defaults/GeneralMeta.dat");
    std::stringstream meta;
    for (std::string line; std::getline(shipped, line);)
        if (line.rfind("quest_offer.game_hours_between_encounters", 0) != 0)
            meta << line << "\n";
    meta << "quest_offer.game_hours_between_encounters=2\n";
    sim::SessionOptions options;
    options.writeFiles["GeneralMeta.dat"] = meta.str();
    Street street(options);
    startOnTheSpot(street, 5.0f);
    street.session.runFrames(1);
    ASSERT_NE(street.declinePrompt(), nullptr);
    ASSERT_TRUE(street.world().prompts.press(street.declinePrompt()->handle));
    street.session.runFrames(2);

    EXPECT_TRUE(street.session.logContains("outcome: DECLINED"));
    EXPECT_TRUE(street.session.logContains("QuestCreator: quest offer finished with status: 2"));
    EXPECT_TRUE(street.session.logContains(restartLine(7200)));
    EXPECT_EQ(drovil::questCreator()->currentOffer(), nullptr);
    EXPECT_TRUE(accepted().areas.empty());
    EXPECT_EQ(street.acceptPrompt(), nullptr);

    street.session.runFrames(60);
    EXPECT_EQ(countLogs(street.session, "quest offer triggered"), 1) << "not before two game hours";

    // Well past two game hours, the next passer-by on the spot has an offer.
    street.placePasserBy(offset(valentineSpot, 2.0f, 0.0f));
    street.world().clock.elapsedMs += 300'000;
    ASSERT_TRUE(
        street.session.runUntil([&] { return countLogs(street.session, "quest offer triggered") == 2; }, 30));
    EXPECT_NE(street.acceptPrompt(), nullptr);
}

// Whatever the handling of an accepted offer meets, the offer is over before
// it runs: it is handled once, never again frame after frame (each time
// making another mission for the same offer).
TEST(QuestOffers, AnAcceptanceWhoseHandlingFailsIsHandledOnce) {
    struct Failing : drovil::EventsSubscriber<drovil::ContractAcceptedEvent*> {
        int calls = 0;
        void onEvent(drovil::ContractAcceptedEvent*) override {
            ++calls;
            throw std::runtime_error("the acceptance's handling failed");
        }
    };
    static Failing failing;
    Street street;
    startOnTheSpot(street, 5.0f);
    drovil::questCreator()->subscribe(&failing);
    street.session.runFrames(1);
    ASSERT_TRUE(street.world().prompts.press(street.acceptPrompt()->handle));
    ASSERT_TRUE(
        street.session.runUntil([&] { return street.session.logContains("outcome: ACCEPETED"); }, 3000));
    street.session.runFrames(30);
    EXPECT_EQ(failing.calls, 1);
    EXPECT_EQ(countLogs(street.session, "QuestCreator: quest offer finished with status: 1"), 1);
    EXPECT_EQ(drovil::questCreator()->currentOffer(), nullptr);
    EXPECT_EQ(countLogs(street.session, "Fatal: the acceptance's handling failed"), 1);
}

TEST(QuestOffers, AHugePauseBetweenEncountersNeverWrapsIntoThePast) {
    std::ifstream shipped(std::string(DROVIL_DATA_DIR) + "/Defaults/GeneralMeta.dat");
    std::stringstream meta;
    for (std::string line; std::getline(shipped, line);)
        if (line.rfind("quest_offer.game_hours_between_encounters", 0) != 0)
            meta << line << "\n";
    meta << "quest_offer.game_hours_between_encounters=1000000\n";
    sim::SessionOptions options;
    options.writeFiles["GeneralMeta.dat"] = meta.str();
    Street street(options);
    startOnTheSpot(street, 5.0f);
    street.session.runFrames(1);
    ASSERT_TRUE(street.world().prompts.press(street.declinePrompt()->handle));
    street.session.runFrames(2);
    const auto messages = logMessages(street.session);
    const int restart = findLog(messages, "QuestCreator: next quest offer in ", findLog(messages, "outcome: DECLINED"));
    ASSERT_GE(restart, 0);
    const long long seconds = std::stoll(messages[restart].substr(std::string("QuestCreator: next quest offer in ").size()));
    EXPECT_GT(seconds, 2000000000LL) << "as far off as the clock can count: " << messages[restart];

    street.placePasserBy(offset(valentineSpot, 2.0f, 0.0f));
    street.world().clock.elapsedMs += 400'000;
    street.session.runFrames(30);
    EXPECT_EQ(countLogs(street.session, "quest offer triggered"), 1) << "no offer comes again";
}

TEST(QuestOffers, SpookedQuestGiverEndsTheOfferWithNothingPublished) {
    Street street;
    startOnTheSpot(street, 6.0f);
    const int giver = street.questGiver();
    street.session.runFrames(2);
    sim::World& world = street.world();
    world.weapons.select(world, world.player.pedId, sim::Weapons::revolver());
    world.player.freeAimEntity = giver;
    street.session.runFrames(2);

    const auto messages = logMessages(street.session);
    const int spooked = findLog(messages, "QuestCreator: Quest giver spooked");
    ASSERT_GE(spooked, 0);
    EXPECT_GT(findLog(messages, "outcome: DECLINED", spooked), spooked);
    EXPECT_GE(findLog(messages, "QuestCreator: quest offer finished with status: 2", spooked), 0);
    EXPECT_GE(findLog(messages, restartLine(hoursBetweenEncounters() * 3600), spooked), 0);
    EXPECT_TRUE(accepted().areas.empty());
    EXPECT_EQ(street.world().blips.onEntity(giver), nullptr);
    EXPECT_EQ(street.acceptPrompt(), nullptr);
    EXPECT_EQ(street.declinePrompt(), nullptr);
}

TEST(QuestOffers, WalkingOffOrWaitingTooLongLetsTheOfferLapse) {
    Street street;
    startOnTheSpot(street, 10.0f);
    street.session.runFrames(2);
    // 45 m farther than at the start.
    street.stepUpTo(60.0f);
    street.session.runFrames(1);
    EXPECT_EQ(countLogs(street.session, "outcome: DECLINED"), 1);
    EXPECT_EQ(drovil::questCreator()->currentOffer(), nullptr);

    // The next encounter, once due, is left standing for over two real minutes.
    street.standAt(valentineSpot);
    street.placePasserBy(offset(valentineSpot, 2.0f, 0.0f));
    street.world().clock.elapsedMs += 400'000;
    ASSERT_TRUE(
        street.session.runUntil([&] { return countLogs(street.session, "quest offer triggered") == 2; }, 30));
    street.session.runFrames(2);
    EXPECT_EQ(countLogs(street.session, "outcome: DECLINED"), 1) << "still within reach and time";
    street.world().clock.elapsedMs += 130'000;
    street.session.runFrames(2);
    EXPECT_EQ(countLogs(street.session, "outcome: DECLINED"), 2);
    EXPECT_TRUE(accepted().areas.empty());
}

TEST(QuestOffers, AnArmedPlayerOrOneInAFistFightGetsNoOffer) {
    Street street;
    ASSERT_TRUE(startGame(street.session));
    street.standAt(valentineSpot);
    const int passerBy = street.placePasserBy(offset(valentineSpot, 4.0f, 0.0f));
    sim::World& world = street.world();

    world.weapons.select(world, world.player.pedId, sim::Weapons::revolver());
    street.session.runFrames(60);
    EXPECT_FALSE(street.session.logContains("quest offer triggered"));
    EXPECT_EQ(street.acceptPrompt(), nullptr);

    // Unarmed, but trading blows with a drunk (out of the search's reach, so the
    // passer-by stays the ped nearest the spot).
    world.weapons.hide(world, world.player.pedId);
    sim::EntityRecord& drunk = world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_m_m_valfarmer_01"),
                                                     offset(valentineSpot, -20.0f, 0.0f), 0.0f);
    world.combat.punch(world, world.player.pedId, drunk.id);
    street.session.runFrames(20);
    EXPECT_FALSE(street.session.logContains("quest offer triggered"));

    // The fist fight over, the same passer-by has an offer.
    EXPECT_TRUE(street.offerStarts(120));
    EXPECT_EQ(street.questGiver(), passerBy);
}

// Work is offered to a player on foot: none comes while he sits his horse in
// the street, it comes once he is down from the saddle, and getting back up
// while it is offered ends it as a spooked one does.
TEST(QuestOffers, APlayerOnHorsebackIsOfferedNoContractUntilHeDismounts) {
    Street street;
    ASSERT_TRUE(startGame(street.session));
    drovil::questCreator()->subscribe(&accepted());
    street.standAt(valentineSpot);
    const int passerBy = street.placePasserBy(offset(valentineSpot, 4.0f, 0.0f));
    sim::World& world = street.world();
    // (The horse stands out of the search's reach, so the passer-by stays the ped nearest the spot.)
    sim::EntityRecord& horse = world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_c_horse_morgan_bay"),
                                                     offset(valentineSpot, -20.0f, 0.0f), 0.0f);
    const int horseId = horse.id;
    world.seats.addVehicle(horseId, sim::VehicleSeats::mountSeatCount);
    world.seats.seatPed(horseId, -1, world.player.pedId);
    EXPECT_FALSE(street.offerStarts(300)) << "ten seconds in the saddle on the street spot";
    EXPECT_EQ(street.acceptPrompt(), nullptr);

    world.seats.leaveSeat(world.player.pedId);
    ASSERT_TRUE(street.offerStarts());
    EXPECT_EQ(street.questGiver(), passerBy);

    world.seats.seatPed(horseId, -1, world.player.pedId);
    street.session.runFrames(2);
    const auto messages = logMessages(street.session);
    const int spooked = findLog(messages, "QuestCreator: Quest giver spooked");
    ASSERT_GE(spooked, 0);
    EXPECT_GT(findLog(messages, "outcome: DECLINED", spooked), spooked);
    EXPECT_EQ(street.acceptPrompt(), nullptr);
    EXPECT_TRUE(accepted().areas.empty());
}

TEST(QuestOffers, LawmenAndScriptPedsAreNoQuestGivers) {
    Street street;
    ASSERT_TRUE(startGame(street.session));
    street.standAt(valentineSpot);
    sim::World& world = street.world();
    const int lawman = street.placePasserBy(offset(valentineSpot, 3.0f, 0.0f));
    world.relationships.place(lawman, sim::gameHash("REL_COP"));
    street.session.runFrames(60);
    EXPECT_FALSE(street.session.logContains("quest offer triggered"));

    // A ped some script made (a mission entity) is not one of the town's folk.
    world.entities.remove(lawman);
    sim::EntityRecord& scripted = world.entities.create(
        sim::EntityKind::Ped, sim::gameHash("a_m_m_valtownfolk_01"), offset(valentineSpot, 3.0f, 0.0f), 0.0f);
    scripted.missionEntity = true;
    street.session.runFrames(60);
    EXPECT_FALSE(street.session.logContains("quest offer triggered"));

    world.entities.remove(scripted.id);
    street.placePasserBy(offset(valentineSpot, 3.0f, 0.0f));
    EXPECT_TRUE(street.offerStarts());
}

// While the game's mission flag is up (a story mission, or a contract the
// plug-in has engaged), no passer-by offers a contract.
TEST(QuestOffers, NoOfferWhileTheGamesMissionFlagIsUp) {
    Street street;
    ASSERT_TRUE(startGame(street.session));
    test::runOnScriptThread(street.session, [] { drovil::natives::gamestate::setMissionFlag(true); });
    street.standAt(valentineSpot);
    street.placePasserBy(offset(valentineSpot, 4.0f, 0.0f));
    street.session.runFrames(60);
    EXPECT_FALSE(street.session.logContains("quest offer triggered"));
    test::runOnScriptThread(street.session, [] { drovil::natives::gamestate::setMissionFlag(false); });
    EXPECT_TRUE(street.offerStarts());
}

// The game's calendar runs on while the player sleeps: a night's sleep makes
// the next encounter due at once.
TEST(QuestOffers, SleepingThroughTheWaitBringsTheNextEncounter) {
    Street street;
    startOnTheSpot(street, 10.0f);
    street.session.runFrames(2);
    street.stepUpTo(60.0f);
    street.session.runFrames(1);
    ASSERT_EQ(countLogs(street.session, "outcome: DECLINED"), 1);

    street.standAt(valentineSpot);
    street.placePasserBy(offset(valentineSpot, 2.0f, 0.0f));
    street.session.runFrames(90);
    EXPECT_EQ(countLogs(street.session, "quest offer triggered"), 1) << "the next encounter is hours away";
    sim::PlayerController player(street.world());
    ASSERT_TRUE(player.sleep(hoursBetweenEncounters()));
    EXPECT_TRUE(
        street.session.runUntil([&] { return countLogs(street.session, "quest offer triggered") == 2; }, 30));
}
