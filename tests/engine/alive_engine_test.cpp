// Dead or alive contracts through the engine: the missions factory gives each
// contract its alive bonus, a target handed to the sheriff pays bounty and
// bonus with its own toast and the mission file keeps the bonus, a dead one
// pays the bounty and the file says no bonus; with two contracts in play the
// hogtied target's is the only one marked for the sheriff.
#include "engine/engine_support.h"
#include "support/game.h"
#include "support/script_thread.h"

#include "executors/executor_harness.h"
#include "runtime/data_files.h"
#include "world/area_ids.h"
#include "world/core/geometry.h"
#include "world/map_areas.h"
#include "world/missions_factory.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace enginetest;
using drovil::drovilEngine;
using drovil::MissionStatus;

namespace {

const drovil::Vector3 valentineOfficeDoor(-275.256f, 801.303f, 118.397f);

sim::SessionOptions aliveOptions() {
    sim::SessionOptions options;
    options.aliveBounties = true;
    return options;
}

drovil::MissionData* missionOf(int id) {
    auto* executor = drovilEngine()->find(id);
    return executor ? executor->getMission() : nullptr;
}

extest::TestExecutor* executorOf(int id) {
    return static_cast<extest::TestExecutor*>(drovilEngine()->find(id));
}

// Stands the player in the mission's search area and runs until its target is out.
int huntTarget(sim::Session& session, int id) {
    const drovil::MissionData* mission = missionOf(id);
    session.world().playerPed().position = mission->blipCoords;
    session.runUntil([&] { return executorOf(id)->target() && executorOf(id)->getStage() == drovil::ExecutorStage::Hunting; },
                     200);
    return executorOf(id)->target().id;
}

bool hogtie(sim::Session& session, int ped) {
    sim::World& world = session.world();
    const sim::EntityRecord* record = world.entities.find(ped);
    world.playerPed().position = drovil::Vector3(record->position.x, record->position.y - 1.0f, record->position.z);
    const int me = world.player.pedId;
    return world.restraints.lasso(world, me, ped) && world.restraints.startHogtie(world, me, ped) &&
           session.runUntil([&] { return world.entities.find(ped)->hogtied; }, 200);
}

const sim::ToastShown* toastTitled(sim::Session& session, const std::string& title) {
    session.runUntil(
        [&] {
            for (const auto& toast : session.hud().toasts)
                if (toast.title == title)
                    return true;
            return false;
        },
        200);
    for (auto it = session.hud().toasts.rbegin(); it != session.hud().toasts.rend(); ++it)
        if (it->title == title)
            return &*it;
    return nullptr;
}

void sendPlayerAway(sim::Session& session) {
    session.world().playerPed().position = drovil::Vector3(-5000.0f, -5000.0f, 50.0f);
}

} // namespace

TEST(AliveEngine, TheFactoryWritesEachContractsAliveBonusWhenItIsMade) {
    sim::Session session(aliveOptions());
    ASSERT_TRUE(test::startGame(session));
    int generated = 0;
    test::runOnScriptThread(session, [&] {
        for (const drovil::MapArea* area : drovil::mapAreas().allAreas())
            for (int round = 0; round < 12; ++round) {
                auto mission = drovil::missionsFactory().createRandomMission(round, *area);
                if (!mission)
                    continue;
                ++generated;
                EXPECT_EQ(mission->bonusesReward, static_cast<int>(std::lround(mission->bounty * 0.5)))
                    << "bounty " << mission->bounty;
            }
    });
    EXPECT_GT(generated, 60);
}

TEST(AliveEngine, DeadOnlyContractsHaveNoBonusAndNeitherDoesAMissingShare) {
    sim::SessionOptions options;
    sim::Session session(options);
    ASSERT_TRUE(test::startGame(session));
    test::runOnScriptThread(session, [&] {
        const drovil::MapArea& area = *drovil::mapAreas().findArea(drovil::area_ids::Valentine);
        for (int round = 0; round < 20; ++round) {
            auto mission = drovil::missionsFactory().createRandomMission(round, area);
            if (mission) {
                EXPECT_EQ(mission->bonusesReward, 0);
            }
        }
    });
}

TEST(AliveEngine, WithoutTheShareInGeneralMetaNoBonusIsWritten) {
    sim::SessionOptions options = aliveOptions();
    // An install whose shipped defaults predate the share.
    options.writeFiles["Defaults/GeneralMeta.dat"] = "contract.escape_distance=300.0\ncontract.player_bounty_factor=0.02\n";
    sim::Session session(options);
    ASSERT_TRUE(test::startGame(session));
    test::runOnScriptThread(session, [&] {
        const drovil::MapArea& area = *drovil::mapAreas().findArea(drovil::area_ids::Valentine);
        for (int round = 0; round < 20; ++round) {
            auto mission = drovil::missionsFactory().createRandomMission(round, area);
            if (mission) {
                EXPECT_EQ(mission->bonusesReward, 0);
            }
        }
    });
}

// Two contracts in play; the Valentine target is hogtied and handed to
// Valentine's sheriff: only his contract is marked for the office, it is paid
// with the bonus and its own toast, the other stays in play untouched.
TEST(AliveEngine, TwoContractsInPlayOneTargetHogtiedAndBroughtIn) {
    sim::Session session(aliveOptions());
    useTestExecutors();
    ASSERT_TRUE(test::startGame(session));
    sendPlayerAway(session);
    acceptContract(session, valentine());
    acceptContract(session, drovil::area_ids::asSigned(drovil::area_ids::Rhodes));
    session.runFrames(5);
    ASSERT_NE(missionOf(0), nullptr);
    ASSERT_NE(missionOf(1), nullptr);
    const int bounty = missionOf(0)->bounty;
    const int bonus = missionOf(0)->bonusesReward;
    ASSERT_GT(bonus, 0);
    EXPECT_EQ(savedInt(session, "Missions/0.dat", "bonusesReward"), bonus) << "saved with the contract";

    const int target = huntTarget(session, 0);
    ASSERT_NE(target, 0);
    ASSERT_TRUE(hogtie(session, target));
    ASSERT_TRUE(session.runUntil(
        [&] { return executorOf(0)->getStage() == drovil::ExecutorStage::Delivering; }, 60));
    const std::string officeName = drovil::langFile().getString("blips.sheriff_office");
    const auto offices = session.world().blips.named(officeName);
    ASSERT_EQ(offices.size(), 1u) << "one office marked, for the hogtied target's contract";
    EXPECT_LT(sim::flatDistance(offices[0]->position, valentineOfficeDoor), 0.01f);
    EXPECT_NE(executorOf(1)->getStage(), drovil::ExecutorStage::Delivering);
    EXPECT_EQ(missionOf(1)->status, MissionStatus::Blocked) << "held back while the other is engaged";

    // Carried to the door and handed over.
    sim::World& world = session.world();
    world.hunting.pickUp(world, world.player.pedId, target);
    world.playerPed().position = drovil::Vector3(valentineOfficeDoor.x, valentineOfficeDoor.y - 2.0f, valentineOfficeDoor.z);
    const std::string promptText = drovil::langFile().getString("prompts.hand_over_target");
    int prompt = 0;
    ASSERT_TRUE(session.runUntil(
        [&] {
            for (const sim::PromptRecord* shown : world.prompts.visible())
                if (shown->text == promptText && shown->active())
                    prompt = shown->handle;
            return prompt != 0;
        },
        30));
    world.prompts.startHold(prompt);
    const std::string title = drovil::langFile().getString("toast.contract_completed.alive");
    const sim::ToastShown* toast = nullptr;
    session.runUntil([&] { return drovilEngine()->find(0) == nullptr; }, 3000);
    world.prompts.releaseHold(prompt);
    toast = toastTitled(session, title);

    ASSERT_EQ(drovilEngine()->find(0), nullptr) << "completed";
    ASSERT_NE(toast, nullptr);
    const std::string paid = "$" + std::to_string(bounty + bonus) + ".00";
    EXPECT_NE(toast->body.find(paid), std::string::npos) << toast->body;
    EXPECT_NE(toast->body.find(paid), std::string::npos);
    EXPECT_EQ(savedInt(session, "Savegame.dat", "pending_payment"), bounty + bonus);
    EXPECT_EQ(savedInt(session, "Missions/0.dat", "status"), MissionStatus::Completed);
    EXPECT_EQ(savedInt(session, "Missions/0.dat", "bonusesReward"), bonus) << "the file records the bonus";
    EXPECT_FALSE(world.entities.exists(target));
    // The other contract goes on, no longer held back.
    ASSERT_NE(drovilEngine()->find(1), nullptr);
    EXPECT_TRUE(session.runUntil([] { return missionOf(1)->status == MissionStatus::Open; }, 60));
    EXPECT_EQ(savedInt(session, "Savegame.dat", "missions." + std::to_string(drovil::area_ids::asSigned(drovil::area_ids::Rhodes))), 1);
    EXPECT_TRUE(world.blips.named(officeName).empty());
}

TEST(AliveEngine, ATargetBroughtDownDeadPaysTheBountyAndTheFileSaysNoBonus) {
    sim::Session session(aliveOptions());
    useTestExecutors();
    ASSERT_TRUE(test::startGame(session));
    sendPlayerAway(session);
    acceptContract(session, valentine());
    session.runFrames(5);
    ASSERT_NE(missionOf(0), nullptr);
    const int bounty = missionOf(0)->bounty;
    ASSERT_GT(missionOf(0)->bonusesReward, 0);
    const int target = huntTarget(session, 0);
    ASSERT_NE(target, 0);
    session.world().combat.kill(session.world(), target, session.world().player.pedId);
    session.world().player.wanted = false;
    session.runFrames(3);
    sendPlayerAway(session);
    ASSERT_TRUE(session.runUntil([&] { return drovilEngine()->find(0) == nullptr; }, 300));
    const sim::ToastShown* toast = toastTitled(session, drovil::langFile().getString("toast.contract_completed"));
    ASSERT_NE(toast, nullptr);
    EXPECT_NE(toast->body.find("$" + std::to_string(bounty) + ".00"), std::string::npos) << toast->body;
    EXPECT_EQ(savedInt(session, "Savegame.dat", "pending_payment"), bounty);
    EXPECT_EQ(savedInt(session, "Missions/0.dat", "bonusesReward"), 0);
}

TEST(AliveEngine, AnExternalContractsBonusFollowsTheBountyItWasGiven) {
    sim::Session session(aliveOptions());
    useTestExecutors();
    ASSERT_TRUE(test::startGame(session));
    sendPlayerAway(session);
    for (int frame = 0; frame < 300 && !drovilEngine()->find(0); ++frame) {
        sendScriptEvent(session, "DROVIL_START_MISSION", {valentine(), 3, 120});
        session.runFrames(1);
    }
    ASSERT_NE(missionOf(0), nullptr);
    EXPECT_EQ(missionOf(0)->bounty, 120);
    EXPECT_EQ(missionOf(0)->bonusesReward, 60);
}

// A mission file written before dead or alive came has no bonus: it loads,
// and a live target brought in pays the bounty alone.
TEST(AliveEngine, AnOlderMissionFileWithoutTheBonusPaysTheBounty) {
    sim::SessionOptions options = aliveOptions();
    const std::string area = std::to_string(valentine());
    options.writeFiles["Missions/0.dat"] =
        "id=0\ncoords=-281,1000,118\ntemplateId=3\nsettingId=7\nareaId=" + area +
        "\nstatus=0\nbounty=45\ntargetModel=" + std::to_string(static_cast<std::int32_t>(sim::gameHash("a_m_m_griroughtravellers_01"))) +
        "\nisTargetArmed=0\nspawnDistance=100\nblipRadius=40\nmissionAreaRadius=120\nblipCoords=-281,1000,118\n";
    options.writeFiles["Savegame.dat"] = "next_mission_id=1\npending_payment=0\nmissions." + area + "=0\n";
    sim::Session session(options);
    useTestExecutors();
    ASSERT_TRUE(test::startGame(session));
    session.runFrames(3);
    ASSERT_NE(missionOf(0), nullptr) << "restored";
    EXPECT_EQ(missionOf(0)->bonusesReward, -999);
    test::runOnScriptThread(session, [] {
        drovilEngine()->find(0)->getMission()->broughtInAlive = true;
        drovilEngine()->find(0)->setStatus(MissionStatus::Completed);
    });
    const sim::ToastShown* toast = toastTitled(session, drovil::langFile().getString("toast.contract_completed.alive"));
    ASSERT_NE(toast, nullptr);
    EXPECT_NE(toast->body.find("$45.00"), std::string::npos) << toast->body;
    EXPECT_EQ(savedInt(session, "Savegame.dat", "pending_payment"), 45);
}
