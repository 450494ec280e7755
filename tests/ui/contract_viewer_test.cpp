// The contract card: taken out in the player's hands with the target's portrait
// on its front, flipped over to read the contract, put away again.
#include "support/game.h"
#include "support/script_thread.h"

#include "executors/contract_card_access.h"
#include "runtime/data_files.h"
#include "scenarios/screen_snapshot.h"
#include "ui/contract_viewer.h"
#include "ui/text.h"
#include "world/area_ids.h"
#include "world/map_areas.h"
#include "world/mission_data.h"
#include "world/core/objects.h"

#include "world/core/script_owned.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

using namespace test;

namespace {

const std::string flipFlag = "GENERIC_DOCUMENT_FLIP_AVAILABLE";
const std::string failureSubtitle = "ContractViewer: failed to create target's portrait";

drovil::MissionData valentineMission(int templateId, int variant, drovil::SettingType setting, int bounty) {
    drovil::MissionData record = drovil::MissionData::newRecord(
        7, drovil::Vector3(-281.0f, 790.0f, 118.0f), templateId, static_cast<int>(setting),
        drovil::area_ids::asSigned(drovil::area_ids::Valentine), bounty);
    record.variant = variant;
    record.targetModel = sim::gameHash("a_m_m_griroughtravellers_01");
    record.targetOutfitIndex = 4;
    return record;
}

const drovil::MapArea& valentine() {
    return *drovil::mapAreas().findArea(drovil::area_ids::Valentine);
}

// Opens the card on the script thread; returns once the viewer's open returned.
void openCard(sim::Session& session, const drovil::MissionData& record) {
    test::runOnScriptThread(session, [record] { drovil::contractViewer()->open(record); });
}

const sim::HeldDocument* heldByPlayer(sim::Session& session) {
    return session.world().documents.held(session.world().player.pedId);
}

// Runs until the intro is over and the card is held face up.
bool waitUntilHeldFaceUp(sim::Session& session) {
    return session.runUntil(
        [&] {
            const sim::HeldDocument* held = heldByPlayer(session);
            return held && held->phase == sim::InspectionPhase::Held;
        },
        200);
}

const sim::DrawnText* textAt(const sim::Hud& hud, float x, float y) {
    for (const sim::DrawnText& drawn : hud.texts)
        if (std::abs(drawn.x - x) < 1e-4f && std::abs(drawn.y - y) < 1e-4f)
            return &drawn;
    return nullptr;
}

std::string shippedLang() {
    std::ifstream in(std::string(DROVIL_DATA_DIR) + "/Defaults/Lang.dat");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int countLog(const sim::Session& session, const std::string& text) {
    int count = 0;
    for (const std::string& line : logMessages(session))
        count += line.find(text) != std::string::npos ? 1 : 0;
    return count;
}

} // namespace

TEST(ContractViewer, OpeningPutsTheTargetsPortraitOnTheCardInHand) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    const drovil::MissionData record = valentineMission(3, 0, drovil::SettingType::Street, 35);

    openCard(session, record);

    sim::World& world = session.world();
    const sim::HeldDocument* held = heldByPlayer(session);
    ASSERT_NE(held, nullptr) << "the card is in the player's hands";
    EXPECT_EQ(held->item, sim::gameHash("CARD_CONTRACT_TARGET"));
    EXPECT_EQ(held->slot, sim::gameHash("primaryItem"));
    EXPECT_EQ(held->phase, sim::InspectionPhase::Intro);
    const sim::EntityRecord* card = world.entities.find(held->object);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->model, sim::gameHash("p_cs_photonudie05x_4x6"));
    EXPECT_EQ(card->decorators.at("KV_Drovil_isContractCard"), 1);

    // The photo in the card's slot is of this target, and it is what the card shows.
    const sim::PortraitPhoto* photo = world.portraits.photoIn(2, 1);
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->model, record.targetModel);
    EXPECT_EQ(photo->outfit, record.targetOutfitIndex);
    const sim::ObjectState* prop = world.objects.find(held->object);
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(prop->texture, sim::gameHash(sim::Portraits::nameOfSlot(2, 1)));
    EXPECT_TRUE(world.playerPed().blackboard.at(flipFlag)) << "flipping is offered";
    EXPECT_FALSE(session.hud().subtitleShown(failureSubtitle));

    // The executors' card key sees the card out.
    ASSERT_EQ(drovil::contractCardAccess(), drovil::contractViewer());
    bool open = false;
    test::runOnScriptThread(session, [&] { open = drovil::contractCardAccess()->isCardOpen(); });
    EXPECT_TRUE(open);

    // Taking the card out explains flipping it.
    session.runFrames(2);
    const std::string hint = drovil::langFile().getString("tutorial.contract_info.flip");
    ASSERT_FALSE(hint.empty());
    EXPECT_EQ(session.hud().helpText(), drovil::expandLineBreaks(hint));
}

TEST(ContractViewer, FlippedCardShowsDescriptionWhereaboutsAndScaledReward) {
    sim::SessionOptions options;
    options.settingsLines = {"PricesScale=2"};
    sim::Session session(options);
    ASSERT_TRUE(startGame(session));
    openCard(session, valentineMission(0, 0, drovil::SettingType::Street, 55));
    ASSERT_TRUE(waitUntilHeldFaceUp(session));

    session.runFrames(1);
    EXPECT_TRUE(session.hud().texts.empty()) << "face up, the card's back is not drawn";
    EXPECT_FALSE(session.hud().gameHudHidden);

    ASSERT_TRUE(sim::flipHeldDocument(session.world()));
    session.runFrames(1);
    const sim::Hud& hud = session.hud();

    const sim::DrawnText* description = textAt(hud, 0.513f, 0.36f);
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(description->text,
              "A member of the " + valentine().gangName() + ",\nwanted for robbery and murder.");
    EXPECT_EQ(description->font, "$body");
    EXPECT_FLOAT_EQ(description->scaleX, 0.35f);
    EXPECT_FALSE(description->centred);
    EXPECT_EQ(description->red, 229);

    const sim::DrawnText* whereabouts = textAt(hud, 0.513f, 0.43f);
    ASSERT_NE(whereabouts, nullptr) << "the whereabouts follow the description";
    EXPECT_EQ(whereabouts->text, "Seen on the streets of " + valentine().name() + ".");

    const sim::DrawnText* reward = textAt(hud, 0.59f, 0.58f);
    ASSERT_NE(reward, nullptr);
    EXPECT_EQ(reward->text, "$110.00") << "a $55 bounty at PricesScale 2";
    EXPECT_EQ(reward->font, "$title");
    EXPECT_FLOAT_EQ(reward->scaleX, 0.65f);
    EXPECT_TRUE(reward->centred);
    EXPECT_EQ(hud.texts.size(), 3u);

    // On the panel's right half, beside the portrait: the texts start at 0.513
    // and end inside the panel, the reward stands in the middle of that half.
    const sim::TextSpan rewardSpan = sim::textSpanOf(*reward);
    EXPECT_NEAR(rewardSpan.middle(), (0.32f + 0.18f + 0.32f + 0.36f) * 0.5f, 0.001f);
    for (const sim::DrawnText* text : {description, whereabouts, reward}) {
        const sim::TextSpan span = sim::textSpanOf(*text);
        EXPECT_GT(span.left, 0.32f + 0.18f) << text->text << ": clear of the portrait";
        EXPECT_LT(span.right, 0.32f + 0.36f) << text->text << ": inside the panel";
        EXPECT_LT(span.bottom, 0.34f + 0.32f) << text->text;
    }

    const sim::DrawnSprite* panel = hud.spriteDrawn("generic_textures", "inkroller_1a");
    ASSERT_NE(panel, nullptr);
    EXPECT_FLOAT_EQ(panel->centreX, 0.32f + 0.18f);
    EXPECT_FLOAT_EQ(panel->width, 0.36f);
    EXPECT_EQ(panel->alpha, 210);
    const std::string portrait = sim::Portraits::nameOfSlot(2, 1);
    const sim::DrawnSprite* photo = hud.spriteDrawn(portrait, portrait);
    ASSERT_NE(photo, nullptr) << "the portrait sits on the left of the panel";
    EXPECT_FLOAT_EQ(photo->centreX, 0.32f + 0.09f);
    EXPECT_FLOAT_EQ(photo->height, 0.32f);
    EXPECT_TRUE(hud.gameHudHidden) << "the game's HUD makes way for the card";

    // Flipped back, the overlay goes and the card stays in hand.
    ASSERT_TRUE(sim::turnHeldDocumentBack(session.world()));
    session.runFrames(1);
    EXPECT_TRUE(session.hud().texts.empty());
    EXPECT_TRUE(session.hud().sprites.empty());
    EXPECT_NE(heldByPlayer(session), nullptr);
}

// The card's item name, CARD_CONTRACT_TARGET, is found neither in the game's
// catalogue nor in its scripts. A game without it still hands the card over
// with its portrait and lets it be turned over and read: only the item's name
// is missing.
TEST(ContractViewer, InAGameWithoutTheCardsItemNameTheCardStillShowsAndReads) {
    sim::Session session;
    session.world().names.unconfirmedMissing = true;
    ASSERT_TRUE(startGame(session));
    openCard(session, valentineMission(0, 0, drovil::SettingType::Street, 55));
    const sim::HeldDocument* held = heldByPlayer(session);
    ASSERT_NE(held, nullptr);
    EXPECT_FALSE(held->itemNamed) << "no item name shows";
    EXPECT_TRUE(session.world().names.wasRefused("CARD_CONTRACT_TARGET"));
    const sim::ObjectState* prop = session.world().objects.find(held->object);
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(prop->texture, sim::gameHash(sim::Portraits::nameOfSlot(2, 1)));
    EXPECT_FALSE(session.hud().subtitleShown(failureSubtitle));
    ASSERT_TRUE(waitUntilHeldFaceUp(session));
    ASSERT_TRUE(sim::flipHeldDocument(session.world()));
    session.runFrames(1);
    EXPECT_EQ(session.hud().texts.size(), 3u) << "description, whereabouts and reward";
    EXPECT_NE(session.hud().spriteDrawn(sim::Portraits::nameOfSlot(2, 1), sim::Portraits::nameOfSlot(2, 1)),
              nullptr);
}

TEST(ContractViewer, CriminalWithoutDescriptionInACampNamesTheRegion) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    drovil::MissionData record = valentineMission(0, 1, drovil::SettingType::Camp, 55);
    record.coords = valentine().campSpots().front();
    const auto region = drovil::mapAreas().regionName(session.world().geography.zoneAt(record.coords, 10));
    ASSERT_TRUE(region.has_value()) << "the camp spot lies in a named district";

    openCard(session, record);
    ASSERT_TRUE(waitUntilHeldFaceUp(session));
    ASSERT_TRUE(sim::flipHeldDocument(session.world()));
    session.runFrames(1);

    const sim::DrawnText* whereabouts = textAt(session.hud(), 0.513f, 0.36f);
    ASSERT_NE(whereabouts, nullptr) << "with no description the whereabouts take the first line";
    EXPECT_EQ(whereabouts->text, "Hiding in an outlaw camp\nsomewhere in " + *region + ".");
    EXPECT_EQ(whereabouts->text.find(valentine().name()), std::string::npos);
    EXPECT_EQ(session.hud().texts.size(), 2u) << "whereabouts and reward only";
}

TEST(ContractViewer, HostileLangTextsAreShownLiterally) {
    sim::SessionOptions options;
    options.writeFiles["Lang.dat"] = shippedLang() +
                                     "contract_modal.target_description.0.0=%n%n%s%s%d %x@wanted\n"
                                     "contract_modal.target_whereabouts.7=%s%s%n at %p%\n"
                                     "contract_modal.target_description.3.0=%s%s%n%99999d\n";
    sim::Session session(options);
    ASSERT_TRUE(startGame(session));

    openCard(session, valentineMission(0, 0, drovil::SettingType::Street, 40));
    ASSERT_TRUE(waitUntilHeldFaceUp(session));
    ASSERT_TRUE(sim::flipHeldDocument(session.world()));
    session.runFrames(1);
    const sim::DrawnText* description = textAt(session.hud(), 0.513f, 0.36f);
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(description->text, "%n%n" + valentine().gangName() + "%s%d %x\nwanted");
    const sim::DrawnText* whereabouts = textAt(session.hud(), 0.513f, 0.43f);
    ASSERT_NE(whereabouts, nullptr);
    EXPECT_EQ(whereabouts->text, valentine().name() + "%s%n at %p%");

    // Texts of other templates are never filled in at all.
    ASSERT_TRUE(sim::putAwayHeldDocument(session.world()));
    session.runFrames(2);
    openCard(session, valentineMission(3, 0, drovil::SettingType::Street, 40));
    ASSERT_TRUE(waitUntilHeldFaceUp(session));
    ASSERT_TRUE(sim::flipHeldDocument(session.world()));
    session.runFrames(1);
    description = textAt(session.hud(), 0.513f, 0.36f);
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(description->text, "%s%s%n%99999d");
    EXPECT_FALSE(session.logContains("Something wrong happened"));
}

// On failure the viewer asks whether the player runs the item interaction,
// which he does while the card is in his hands: his tasks are cleared and the
// blank card goes back at once.
TEST(ContractViewer, PortraitFailureShowsTheSubtitleAndPutsTheBlankCardAway) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    session.world().portraits.clonesNeverRender = true;

    openCard(session, valentineMission(3, 0, drovil::SettingType::Street, 35));

    EXPECT_TRUE(session.hud().subtitleShown(failureSubtitle));
    EXPECT_TRUE(session.logContains("ContractViewer: failed to generate target's picture"));
    EXPECT_EQ(heldByPlayer(session), nullptr) << "the card is put away";
    EXPECT_EQ(session.world().documents.putAwayCount(), 1);
    EXPECT_EQ(session.world().playerPed().blackboard.count(flipFlag), 0u);
    const auto cards = session.world().entities.all();
    for (const auto& [id, prop] : cards) {
        if (const sim::ObjectState* state = session.world().objects.find(id)) {
            EXPECT_EQ(state->texture, 0u) << "no picture on any card";
        }
    }
}

TEST(ContractViewer, PuttingTheCardAwayDeletesItsPropAndTheFlipHintComesOncePerTakingOut) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    openCard(session, valentineMission(4, 1, drovil::SettingType::Saloon, 65));
    ASSERT_TRUE(waitUntilHeldFaceUp(session));
    const int card = heldByPlayer(session)->object;
    ASSERT_TRUE(sim::flipHeldDocument(session.world()));
    session.runFrames(30);
    ASSERT_TRUE(sim::turnHeldDocumentBack(session.world()));
    session.runFrames(30);
    EXPECT_EQ(countLog(session, "Tutorials: triggered: contract_info.flip"), 1)
        << "one taking out, one hint, however long the card is held";

    ASSERT_TRUE(sim::putAwayHeldDocument(session.world()));
    session.runFrames(2);
    EXPECT_FALSE(session.world().entities.exists(card)) << "the game took the prop back";
    EXPECT_TRUE(sim::leakedObjects(session.world()).empty());
    bool open = true;
    test::runOnScriptThread(session, [&] { open = drovil::contractViewer()->isOpen(); });
    EXPECT_FALSE(open);

    // A second card for the same record is a new prop, and it goes the same way.
    openCard(session, valentineMission(4, 1, drovil::SettingType::Saloon, 65));
    ASSERT_TRUE(waitUntilHeldFaceUp(session));
    const int second = heldByPlayer(session)->object;
    EXPECT_NE(second, card);
    ASSERT_TRUE(sim::putAwayHeldDocument(session.world()));
    session.runFrames(2);
    EXPECT_FALSE(session.world().entities.exists(second));
    EXPECT_TRUE(sim::leakedObjects(session.world()).empty());
    EXPECT_EQ(session.world().objects.createdCount(), 2);
}

TEST(ContractViewer, ACardOpenedOverAnotherLeavesNoPropBehind) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    openCard(session, valentineMission(4, 1, drovil::SettingType::Saloon, 65));
    ASSERT_TRUE(waitUntilHeldFaceUp(session));
    // A second card while the first is in hand (a contract accepted while the
    // player reads another's card).
    openCard(session, valentineMission(4, 1, drovil::SettingType::Saloon, 65));
    ASSERT_TRUE(waitUntilHeldFaceUp(session));
    ASSERT_TRUE(sim::flipHeldDocument(session.world()));
    session.runFrames(30);
    ASSERT_TRUE(sim::putAwayHeldDocument(session.world()));
    session.runFrames(2);
    EXPECT_TRUE(sim::leakedObjects(session.world()).empty());
    EXPECT_EQ(sim::countScriptOwned(session.world()).entities, 0);
}

TEST(ContractViewer, ACardTurnedOverAtOnceAndPutAwayIsHandedBackToTheGame) {
    sim::Session session;
    ASSERT_TRUE(startGame(session));
    openCard(session, valentineMission(4, 1, drovil::SettingType::Saloon, 65));
    // Turned over the moment it is in hand, before the viewer has seen it face
    // up, and put straight into the pocket with the back still up.
    int card = 0;
    ASSERT_TRUE(session.runUntil(
        [&] {
            const sim::HeldDocument* held = heldByPlayer(session);
            if (!held || held->phase != sim::InspectionPhase::Held)
                return false;
            card = held->object;
            return sim::flipHeldDocument(session.world());
        },
        200));
    session.runFrames(30);
    ASSERT_TRUE(sim::putAwayHeldDocument(session.world()));
    session.runFrames(2);
    EXPECT_TRUE(sim::leakedObjects(session.world()).empty());
    const sim::EntityRecord* prop = session.world().entities.find(card);
    EXPECT_TRUE(prop == nullptr || !prop->missionEntity) << "no script holds the prop any more";
    EXPECT_EQ(sim::countScriptOwned(session.world()).entities, 0);
}
