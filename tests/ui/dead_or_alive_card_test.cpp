// The card of a dead or alive contract: under where to find the target, what
// he pays brought in alive; without AliveBounties the card is as it always was.
#include "support/game.h"
#include "support/script_thread.h"

#include "runtime/data_files.h"
#include "ui/contract_viewer.h"
#include "ui/text.h"
#include "world/area_ids.h"
#include "world/mission_data.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

drovil::MissionData aliveRecord(int bounty, int bonus) {
    drovil::MissionData record = drovil::MissionData::newRecord(
        7, drovil::Vector3(-281.0f, 790.0f, 118.0f), 3, static_cast<int>(drovil::SettingType::Street),
        drovil::area_ids::asSigned(drovil::area_ids::Valentine), bounty);
    record.targetModel = sim::gameHash("a_m_m_griroughtravellers_01");
    record.bonusesReward = bonus;
    return record;
}

// The card's back as drawn for the record.
const sim::Hud& flippedCard(sim::Session& session, const drovil::MissionData& record) {
    EXPECT_TRUE(test::startGame(session));
    test::runOnScriptThread(session, [record] { drovil::contractViewer()->open(record); });
    session.runUntil(
        [&] {
            const sim::HeldDocument* held = session.world().documents.held(session.world().player.pedId);
            return held && held->phase == sim::InspectionPhase::Held;
        },
        200);
    EXPECT_TRUE(sim::flipHeldDocument(session.world()));
    session.runFrames(1);
    return session.hud();
}

const sim::DrawnText* textAt(const sim::Hud& hud, float x, float y) {
    for (const sim::DrawnText& drawn : hud.texts)
        if (std::abs(drawn.x - x) < 1e-4f && std::abs(drawn.y - y) < 1e-4f)
            return &drawn;
    return nullptr;
}

TEST(DeadOrAliveCard, ShowsTheDeadRewardAndUnderTheWhereaboutsTheAliveOne) {
    sim::SessionOptions options;
    options.aliveBounties = true;
    options.settingsLines = {"PricesScale=2"};
    sim::Session session(options);
    const sim::Hud& hud = flippedCard(session, aliveRecord(55, 28));

    const sim::DrawnText* reward = textAt(hud, 0.59f, 0.58f);
    ASSERT_NE(reward, nullptr);
    EXPECT_EQ(reward->text, "$110.00") << "the dead target's bounty, scaled";
    // Template 3 has a one-line description: the whereabouts at 0.43, the alive line under them.
    const sim::DrawnText* alive = textAt(hud, 0.513f, 0.50f);
    ASSERT_NE(alive, nullptr);
    const std::string format = drovil::expandLineBreaks(drovil::langFile().getString("contract_modal.dead_or_alive"));
    const auto placeholder = format.find("%s");
    ASSERT_NE(placeholder, std::string::npos);
    EXPECT_EQ(alive->text, format.substr(0, placeholder) + "$166.00" + format.substr(placeholder + 2))
        << "bounty and bonus, scaled";
    EXPECT_EQ(alive->font, "$body");
    EXPECT_EQ(hud.texts.size(), 4u);
}

TEST(DeadOrAliveCard, AContractWithoutABonusPromisesTheBountyAlive) {
    sim::SessionOptions options;
    options.aliveBounties = true;
    sim::Session session(options);
    const sim::Hud& hud = flippedCard(session, aliveRecord(40, -999)); // an older file, without the bonus
    const sim::DrawnText* alive = textAt(hud, 0.513f, 0.50f);
    ASSERT_NE(alive, nullptr);
    EXPECT_NE(alive->text.find("$40.00"), std::string::npos) << alive->text;
}

TEST(DeadOrAliveCard, DeadOnlyContractsShowTheCardAsBefore) {
    sim::Session session; // a fresh folder's contracts are dead-only
    const sim::Hud& hud = flippedCard(session, aliveRecord(55, 28));
    EXPECT_EQ(textAt(hud, 0.513f, 0.50f), nullptr);
    EXPECT_EQ(hud.texts.size(), 3u);
    const sim::DrawnText* reward = textAt(hud, 0.59f, 0.58f);
    ASSERT_NE(reward, nullptr);
    EXPECT_EQ(reward->text, "$55.00");
}

} // namespace
