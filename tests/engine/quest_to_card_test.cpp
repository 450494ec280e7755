// From a passer-by's offer in town to a contract in play: the accepted offer
// becomes a saved mission of that town with its toast and its card; and while
// a town has a contract in play, nobody there offers another.
#include "engine/engine_support.h"
#include "support/game.h"

#include "engine/executor_factory.h"
#include "executors/executor_harness.h"
#include "runtime/data_files.h"
#include "world/area_ids.h"
#include "world/map_areas.h"
#include "world/quest_creator.h"
#include "world/core/strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

using namespace enginetest;
using drovil::drovilEngine;

namespace {

// A street spot of Valentine, on the main street.
const drovil::Vector3 valentineSpot(-312.085f, 830.793f, 119.576f);
const char* triggeredLine = "QuestCreator: quest offer triggered in area: Valentine";

std::string lang(const std::string& key) {
    return drovil::langFile().getString(key);
}

std::string slot(int areaId) {
    return "missions." + std::to_string(areaId);
}

// A quiet street with the player unarmed on the spot: the game keeps no crowd
// of its own, the test places the one passer-by it needs.
struct Town {
    explicit Town(sim::SessionOptions options = {}) : session(std::move(options)) {
        session.world().townsfolk.enabled = false;
    }
    void standOnTheSpot() { session.world().playerPed().position = valentineSpot; }
    void placePasserBy(float metresEast) {
        session.world().townsfolk.spawn(
            session.world(), drovil::Vector3(valentineSpot.x + metresEast, valentineSpot.y, valentineSpot.z),
            sim::gameHash("a_m_m_valtownfolk_01"));
    }
    int offersTriggered() const {
        int count = 0;
        for (const std::string& line : test::logMessages(session))
            count += line.find("quest offer triggered") != std::string::npos ? 1 : 0;
        return count;
    }
    const sim::HeldDocument* heldCard() {
        return session.world().documents.held(session.world().player.pedId);
    }
    sim::Session session;
};

// Far from every town, where the test executor's scene waits without ending.
void putScenesFarAway() {
    for (int setting = 0; setting <= 8; ++setting)
        drovil::overrideExecutorMaker(static_cast<drovil::SettingType>(setting), [](drovil::MissionData* m) {
            m->coords = drovil::Vector3(-5000.0f, -5000.0f, 50.0f);
            m->blipCoords = m->coords;
            return std::make_unique<extest::TestExecutor>(m, 0, 0);
        });
}

const sim::ToastShown* waitForToast(sim::Session& session, const std::string& title) {
    auto find = [&]() -> const sim::ToastShown* {
        for (auto it = session.hud().toasts.rbegin(); it != session.hud().toasts.rend(); ++it)
            if (it->title == title)
                return &*it;
        return nullptr;
    };
    session.runUntil([&] { return find() != nullptr; }, 200);
    return find();
}

const sim::DrawnText* textAt(const sim::Hud& hud, float x, float y) {
    for (const sim::DrawnText& drawn : hud.texts)
        if (std::abs(drawn.x - x) < 1e-4f && std::abs(drawn.y - y) < 1e-4f)
            return &drawn;
    return nullptr;
}

// What the player reads of a Lang text: '@' breaks the line, the one "%s" is
// filled in.
std::string asShown(std::string text, const std::optional<std::string>& argument = std::nullopt) {
    std::replace(text.begin(), text.end(), '@', '\n');
    const std::size_t placeholder = text.find("%s");
    if (argument && placeholder != std::string::npos)
        text.replace(placeholder, 2, *argument);
    return text;
}

} // namespace

TEST(QuestToCard, AnOfferAcceptedInTownBecomesASavedMissionWithToastAndCard) {
    sim::SessionOptions options;
    options.settingsLines = {"PricesScale=2"};
    Town town(options);
    useTestExecutors();
    ASSERT_TRUE(test::startGame(town.session));
    town.standOnTheSpot();
    town.placePasserBy(5.0f);
    ASSERT_TRUE(town.session.runUntil([&] { return town.session.logContains(triggeredLine); }, 60));
    town.session.runFrames(1);

    const sim::PromptRecord* accept =
        town.session.world().prompts.findVisible(lang("prompts.quest_giver.accept"));
    ASSERT_NE(accept, nullptr);
    ASSERT_TRUE(town.session.world().prompts.press(accept->handle));
    const std::string acceptedLine =
        "DrovilEngine: contract accepted in area: " + std::to_string(valentine());
    ASSERT_TRUE(town.session.runUntil([&] { return town.session.logContains(acceptedLine); }, 3000));
    EXPECT_TRUE(town.session.logContains("outcome: ACCEPETED"));

    // A registered mission of Valentine, saved in its file and in the town's slot.
    drovil::BaseContractExecutor* executor = drovilEngine()->find(0);
    ASSERT_NE(executor, nullptr);
    const drovil::MissionData mission = *executor->getMission();
    EXPECT_EQ(mission.areaId, valentine());
    EXPECT_EQ(drovilEngine()->missionsInPlay(), 1u);
    ASSERT_TRUE(town.session.fileExists("Missions/0.dat"));
    EXPECT_EQ(savedInt(town.session, "Missions/0.dat", "id"), 0);
    EXPECT_EQ(savedInt(town.session, "Missions/0.dat", "areaId"), valentine());
    EXPECT_EQ(savedInt(town.session, "Missions/0.dat", "bounty"), mission.bounty);
    EXPECT_EQ(savedInt(town.session, "Savegame.dat", slot(valentine())), 0);
    EXPECT_EQ(savedInt(town.session, "Savegame.dat", "next_mission_id"), 1);

    const sim::ToastShown* toast = waitForToast(town.session, lang("toast.generic_title"));
    ASSERT_NE(toast, nullptr);
    EXPECT_EQ(toast->body, lang("toast.contract_accepted"));
    EXPECT_EQ(toast->textureHash, sim::gameHash("generic_photograph"));

    // The card is out, with the target's photograph on its front.
    ASSERT_NE(town.heldCard(), nullptr);
    const sim::PortraitPhoto* photo = town.session.world().portraits.photoIn(2, 1);
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->model, mission.targetModel);
    EXPECT_EQ(photo->outfit, mission.targetOutfitIndex);
    const sim::ObjectState* prop = town.session.world().objects.find(town.heldCard()->object);
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(prop->texture, sim::gameHash(sim::Portraits::nameOfSlot(2, 1)));

    // Flipped: who, where, and the bounty at twice its price.
    ASSERT_TRUE(town.session.runUntil(
        [&] { return town.heldCard() && town.heldCard()->phase == sim::InspectionPhase::Held; }, 200));
    ASSERT_TRUE(sim::flipHeldDocument(town.session.world()));
    town.session.runFrames(1);
    const sim::Hud& hud = town.session.hud();

    const drovil::MapArea& area = *drovil::mapAreas().findArea(drovil::area_ids::Valentine);
    const bool described = !(mission.templateId == 0 && mission.variant != 0);
    if (described) {
        const std::string key = "contract_modal.target_description." + std::to_string(mission.templateId) +
                                "." + std::to_string(mission.variant);
        const std::optional<std::string> gang =
            mission.templateId == 0 ? std::optional<std::string>(area.gangName()) : std::nullopt;
        const sim::DrawnText* description = textAt(hud, 0.513f, 0.36f);
        ASSERT_NE(description, nullptr);
        EXPECT_EQ(description->text, asShown(lang(key), gang));
    }
    const bool inTheWild = mission.settingId == 0 || mission.settingId == 4;
    const std::optional<std::string> place =
        inTheWild ? drovil::mapAreas().regionName(town.session.world().geography.zoneAt(mission.coords, 10))
                  : std::optional<std::string>(area.name());
    ASSERT_TRUE(place.has_value());
    const sim::DrawnText* whereabouts = textAt(hud, 0.513f, described ? 0.43f : 0.36f);
    ASSERT_NE(whereabouts, nullptr);
    EXPECT_EQ(whereabouts->text,
              asShown(lang("contract_modal.target_whereabouts." + std::to_string(mission.settingId)), place));
    const sim::DrawnText* reward = textAt(hud, 0.59f, 0.58f);
    ASSERT_NE(reward, nullptr);
    EXPECT_EQ(reward->text, test::cashText(2 * mission.bounty * 100));
    const std::string portrait = sim::Portraits::nameOfSlot(2, 1);
    EXPECT_NE(hud.spriteDrawn(portrait, portrait), nullptr) << "the photograph beside the details";
}

TEST(QuestToCard, NoOfferInATownWithAContractInPlayUntilItEnds) {
    Town town;
    putScenesFarAway();
    ASSERT_TRUE(test::startGame(town.session));
    acceptContract(town.session, valentine());
    town.session.runFrames(3);
    ASSERT_NE(drovilEngine()->find(0), nullptr);

    town.standOnTheSpot();
    town.placePasserBy(5.0f);
    town.session.runFrames(150);
    EXPECT_EQ(town.offersTriggered(), 0);
    EXPECT_EQ(drovil::questCreator()->currentOffer(), nullptr);
    ASSERT_NE(drovilEngine()->find(0), nullptr) << "the contract was in play all along";

    // The contract ends; once the wait for the next encounter is over, the same
    // passer-by on the same spot has an offer.
    sendScriptEvent(town.session, "DROVIL_ABORT_MISSION", {0});
    ASSERT_TRUE(town.session.runUntil([] { return drovilEngine()->find(0) == nullptr; }, 300));
    const int hours = drovil::generalMetaFile().getInt("quest_offer.game_hours_between_encounters", -999);
    town.session.world().clock.elapsedMs +=
        static_cast<std::uint64_t>(std::max(hours, 0) * 60 + 10) * town.session.world().clock.msPerGameMinute;
    EXPECT_TRUE(town.session.runUntil([&] { return town.session.logContains(triggeredLine); }, 60));
}

TEST(QuestToCard, AContractInAnotherTownDoesNotStopOffersHere) {
    Town town;
    putScenesFarAway();
    ASSERT_TRUE(test::startGame(town.session));
    acceptContract(town.session, drovil::area_ids::asSigned(drovil::area_ids::Rhodes));
    town.session.runFrames(3);
    ASSERT_NE(drovilEngine()->find(0), nullptr);

    town.standOnTheSpot();
    town.placePasserBy(5.0f);
    EXPECT_TRUE(town.session.runUntil([&] { return town.session.logContains(triggeredLine); }, 150));
    EXPECT_NE(drovilEngine()->find(0), nullptr);
}
