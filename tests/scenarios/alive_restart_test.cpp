// A dead or alive contract whose target lies hogtied, on the player's shoulder
// or across his horse, when the game dies: the hogtie lives only in the world,
// which a restart builds anew. After the restart the contract is in play
// again, as every contract is: its scene is rebuilt with the target free at
// it, nothing marks the sheriff's office, the bonus is still on offer, and the
// contract is played to its end once, alive (bounty and bonus) or dead (the
// bounty alone).
#include "scenarios/alive_play.h"
#include "scenarios/contract_play.h"
#include "scenarios/process_kill.h"
#include "scenarios/town_play.h"
#include "session/scenario_session.h"
#include "support/game.h"

#include "world/core/geometry.h"
#include "world/core/world.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/wait.h>

namespace {
using namespace sim;
namespace fs = std::filesystem;

constexpr const char* folderVariable = "DROVIL_TEST_ALIVE_RESTART_FOLDER";
constexpr const char* carryVariable = "DROVIL_TEST_ALIVE_RESTART_CARRY";
constexpr std::uint32_t minute = 60 * 1000;

int countInLog(const Session& session, const std::string& text) {
    int count = 0;
    for (const std::string& line : test::logMessages(session))
        count += line.find(text) != std::string::npos ? 1 : 0;
    return count;
}

// The first run, started by the tests below as a process of its own: the
// street target hogtied, then carried the way the test asks ("shoulder" or
// "horse"), and the game is killed on the spot.
TEST(AliveRestart, DISABLED_FirstRunDiesWithTheTargetHogtied) {
    const char* folder = std::getenv(folderVariable);
    const char* carry = std::getenv(carryVariable);
    ASSERT_NE(folder, nullptr);
    ASSERT_NE(carry, nullptr);
    SessionOptions options;
    options.reuseGameDir = folder;
    Session session(options);
    ScenarioRun run(session, 20000, nullptr);
    run.setPlaysAlive(true);
    run.startInTown();
    run.wait(1500);
    const ContractInPlay contract = contractInArea(run, valentineAreaId());
    ASSERT_EQ(contract.settingId, 7);
    ASSERT_TRUE(waitOutHold(run, contract));
    const int target = searchTownForTarget(run, contract);
    ASSERT_NE(target, 0);
    ASSERT_TRUE(subdueAlive(run, target, 2 * minute));
    ASSERT_TRUE(run.waitUntil([&] { return session.logContains("ContractExecutor [0]: target hogtied"); }, 2000));
    ASSERT_NE(officeBlip(run), nullptr);
    ASSERT_TRUE(run.travelToEntity(target, Gait::Walk, 1.0f, 30000));
    ASSERT_TRUE(run.player().pickUp(target));
    if (std::string(carry) == "horse") {
        ASSERT_TRUE(run.callHorse(20000));
        ASSERT_TRUE(run.player().layAcrossHorse());
        ASSERT_TRUE(run.player().mount());
        ASSERT_EQ(run.player().acrossHorse(), target);
    } else {
        ASSERT_EQ(run.player().carrying(), target);
    }
    run.wait(2000);
    ASSERT_TRUE(targetHogtied(run));
    killThisProcess();
}

// Plays the first run in a process of its own on a fresh folder holding the
// street contract taken; returns the folder.
fs::path killedWithTheTargetHogtied(const std::string& carry) {
    const fs::path folder = makeTemporaryFolder("drovil-alive-restart");
    fs::copy(DROVIL_DATA_DIR, folder / "Drovil", fs::copy_options::recursive);
    for (const auto& [name, text] : scenarioFiles(*findScenario("alive-street"))) {
        fs::create_directories((folder / "Drovil" / name).parent_path());
        std::ofstream out(folder / "Drovil" / name, std::ios::binary | std::ios::trunc);
        out << text;
    }
    const fs::path self = fs::read_symlink("/proc/self/exe");
    const std::string command = std::string(folderVariable) + "='" + folder.string() + "' " + carryVariable +
                                "=" + carry + " '" + self.string() +
                                "' --gtest_also_run_disabled_tests"
                                " --gtest_filter=AliveRestart.DISABLED_FirstRunDiesWithTheTargetHogtied > '" +
                                (folder / "first_run.txt").string() + "' 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 128 + 9))
        << "the first run was to die killed with the target hogtied, see " << folder / "first_run.txt";
    return folder;
}

// The restarted game: the contract back in play as it was before the hogtie,
// and its target rebuilt free at his scene, found there by walking to it.
// Returns the target, 0 when something was not so (the failure said).
int restoredContractsTarget(Session& session, ScenarioRun& run, ContractInPlay& contract) {
    run.startInTown();
    run.wait(1500);
    EXPECT_EQ(countInLog(session, "ContractExecutor [0]: target hogtied"), 1) << "the first run got that far";
    EXPECT_EQ(countInLog(session, "DrovilEngine: mission loaded. id: 0"), 2) << "restored at the restart";
    contract = contractInArea(run, valentineAreaId());
    EXPECT_EQ(contract.id, 0) << "the contract is still in play";
    EXPECT_EQ(contract.status, 0) << "and not ended";
    EXPECT_EQ(contract.bonusesReward, 23) << "with its bonus";
    EXPECT_NEAR(pendingBalance(run), 0.0f, 0.01f) << "nothing was paid for it";
    EXPECT_EQ(officeBlip(run), nullptr) << "nothing marks the office";
    EXPECT_FALSE(session.world().route.shown());
    if (!waitOutHold(run, contract))
        return 0;
    // The scene is built as the player comes near it, as at the first visit.
    EXPECT_EQ(run.contractTarget(), 0) << "the old target is not in the world";
    run.player().goTo(contract.coords, Gait::Walk, 5.0f);
    if (!run.waitUntil([&] { return run.contractTarget() != 0; }, 3 * minute)) {
        ADD_FAILURE() << "the target was not rebuilt at his scene";
        return 0;
    }
    run.player().stop();
    const int target = run.contractTarget();
    const EntityRecord* man = session.world().entities.find(target);
    EXPECT_TRUE(man && man->alive && !man->hogtied) << "rebuilt free";
    EXPECT_LT(flatDistance(man->position, contract.coords), contract.blipRadius) << "at his scene";
    EXPECT_FALSE(session.world().restraints.isLassoed(target));
    return target;
}

void removeFolder(const fs::path& folder) {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

TEST(AliveRestart, AHogtiedTargetOnTheShoulderIsBackAtHisSceneAndCanBeBroughtInAgain) {
    const fs::path folder = killedWithTheTargetHogtied("shoulder");
    if (HasFailure())
        return;
    SessionOptions options;
    options.reuseGameDir = folder;
    Session session(options);
    ScenarioRun run(session, 30000, nullptr);
    run.setPlaysAlive(true);
    ContractInPlay contract;
    const int target = restoredContractsTarget(session, run, contract);
    ASSERT_NE(target, 0);

    // Taken again the same way, he is brought in and paid once, with the bonus.
    ASSERT_TRUE(run.travelToEntity(target, Gait::Walk, 8.0f, 2 * minute));
    ASSERT_TRUE(subdueAlive(run, target, 2 * minute));
    AliveTrip trip;
    ASSERT_TRUE(bringInAlive(run, contract, trip));
    EXPECT_TRUE(trip.handedOver);
    const ContractInPlay finished = readContract(run, 0);
    EXPECT_EQ(finished.status, 2);
    EXPECT_EQ(finished.bonusesReward, 23);
    EXPECT_NEAR(pendingBalance(run), 45.0f + 23.0f, 0.01f);
    EXPECT_EQ(countInLog(session, "ContractExecutor [0]: target brought in alive"), 1);
    EXPECT_FALSE(session.world().route.shown());
    removeFolder(folder);
}

TEST(AliveRestart, AHogtiedTargetAcrossTheHorseIsBackAtHisSceneAndCanBeFinishedDead) {
    const fs::path folder = killedWithTheTargetHogtied("horse");
    if (HasFailure())
        return;
    SessionOptions options;
    options.reuseGameDir = folder;
    Session session(options);
    ScenarioRun run(session, 30000, nullptr);
    run.setPlaysAlive(false);
    ContractInPlay contract;
    const int target = restoredContractsTarget(session, run, contract);
    ASSERT_NE(target, 0);

    // This time he is shot: the bounty alone, once, and the bonus is gone.
    ASSERT_TRUE(run.travelToEntity(target, Gait::Walk, 15.0f, 2 * minute));
    ASSERT_TRUE(run.shootUntilDown(target, 2 * minute));
    ASSERT_TRUE(escape(run, contract));
    const ContractInPlay finished = readContract(run, 0);
    EXPECT_EQ(finished.status, 2);
    EXPECT_EQ(finished.bonusesReward, 0);
    EXPECT_NEAR(pendingBalance(run), 45.0f, 0.01f);
    EXPECT_FALSE(session.logContains("ContractExecutor [0]: target brought in alive"));
    EXPECT_EQ(officeBlip(run), nullptr);
    removeFolder(folder);
}

} // namespace
