// A career of contracts killed again and again: the game process dies (SIGKILL)
// at random frames all through it and is started again on the same folder each
// time, as a player's game crashes and is started again. After every kill the
// folder must load (the save and every mission file read with the plug-in's own
// readers), what the clerks paid and what the save still owes must add up to the
// rewards of the completed contracts, and the next launch must restore every
// contract that was in play. The last launch, left alone, ends the career.
//
// Long: run with `ctest --preset long` (CI runs it); the default run leaves it out.
#include "folder_check.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int contracts = 3;
constexpr int kills = 20;

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::map<std::string, std::string> keyValues(const fs::path& file) {
    std::map<std::string, std::string> values;
    std::istringstream in(readAll(file));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

int intOf(const std::map<std::string, std::string>& values, const std::string& key, int fallback) {
    const auto found = values.find(key);
    return found == values.end() ? fallback : std::atoi(found->second.c_str());
}

struct Launch {
    bool killed = false;
    int exitStatus = -1;
    std::string output;
};

Launch play(const fs::path& folder, std::uint32_t seed, int killAtFrame) {
    const fs::path output = folder / "launch-output.txt";
    std::string command = std::string(DROVIL_SIM_COMMAND) + " --scenario career --quiet --contracts " +
                          std::to_string(contracts) + " --seed " + std::to_string(seed) + " --game-dir " +
                          folder.string();
    if (killAtFrame > 0)
        command += " --kill-at-frame " + std::to_string(killAtFrame);
    command += " > " + output.string() + " 2>&1";
    const int status = std::system(command.c_str());
    Launch launch;
    // The shell reports a child killed by a signal as 128 plus the signal.
    launch.killed = (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) ||
                    (WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGKILL);
    launch.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    launch.output = readAll(output);
    return launch;
}

// The missions the save holds in play.
std::vector<int> missionsInPlay(const fs::path& drovil) {
    std::vector<int> ids;
    for (const auto& [key, value] : keyValues(drovil / "Savegame.dat")) {
        if (key.rfind("missions.", 0) != 0)
            continue;
        const int id = std::atoi(value.c_str());
        const int status = intOf(keyValues(drovil / "Missions" / (std::to_string(id) + ".dat")), "status", -1);
        if (id >= 0 && (status == 0 || status == 1))
            ids.push_back(id);
    }
    return ids;
}

// The rewards of the completed contracts, what the clerks paid (the career's
// books beside Drovil/) and what the save still owes, in cents (the shipped
// price scale is 1).
struct Money {
    long long earned = 0, paid = 0, owed = 0;
    int payments = 0;
};

Money money(const fs::path& folder) {
    Money m;
    const fs::path drovil = folder / "Drovil";
    const auto save = keyValues(drovil / "Savegame.dat");
    const int next = intOf(save, "next_mission_id", 0);
    for (int id = 0; id < next; ++id) {
        const auto mission = keyValues(drovil / "Missions" / (std::to_string(id) + ".dat"));
        if (intOf(mission, "status", -1) == 2)
            m.earned += 100LL * (intOf(mission, "bounty", 0) + intOf(mission, "bonusesReward", 0));
    }
    const auto pending = save.find("pending_payment");
    if (pending != save.end())
        m.owed = std::llround(std::atof(pending->second.c_str()) * 100.0);
    std::istringstream books(readAll(folder / "career.txt"));
    for (std::string line; std::getline(books, line);)
        if (line.rfind("paid ", 0) == 0) {
            m.paid += std::atoll(line.c_str() + 5);
            ++m.payments;
        }
    return m;
}

void expectFolderLoads(const fs::path& drovil, const std::string& when) {
    for (const drovil::check::Finding& finding : drovil::check::checkFolder(drovil, drovil::check::builtInShippedFiles()))
        EXPECT_FALSE(finding.error) << when << ": " << finding.file << ":" << finding.line << " " << finding.message;
}

TEST(CareerCrash, KilledAtRandomFramesAndStartedAgainEachTime) {
    const fs::path folder = fs::temp_directory_path() / ("drovil-career-crash-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy(DROVIL_DATA_DIR, folder / "Drovil", fs::copy_options::recursive);
    const fs::path drovil = folder / "Drovil";

    // A three-contract career runs about 20,000 frames; each launch lives a
    // random stretch of up to a third of that, so the kills fall everywhere:
    // start-up, offers, hunts, getaways, saves, payments and train rides.
    std::mt19937 random(18);
    std::uniform_int_distribution<int> stretch(150, 7000);
    std::vector<int> restoredChecked;
    for (int kill = 0; kill < kills; ++kill) {
        const std::vector<int> inPlay = missionsInPlay(drovil);
        const std::size_t logBefore = readAll(drovil / "Log.log").size();
        const int frames = stretch(random);
        const Launch launch = play(folder, static_cast<std::uint32_t>(kill + 1), frames);
        const std::string when = "launch " + std::to_string(kill + 1) + " killed at frame " + std::to_string(frames);
        if (!launch.killed) {
            // The career may have ended before the kill came.
            EXPECT_EQ(launch.exitStatus, 0) << when << "\n" << launch.output;
            break;
        }
        const std::string log = readAll(drovil / "Log.log").substr(logBefore);
        for (int id : inPlay) {
            EXPECT_NE(log.find("DrovilEngine: mission loaded. id: " + std::to_string(id)), std::string::npos)
                << when << ": contract " << id << " was in play but not restored";
            restoredChecked.push_back(id);
        }
        expectFolderLoads(drovil, when);
        const Money m = money(folder);
        // A payment's float sum may lose a cent.
        EXPECT_LE(std::llabs(m.paid + m.owed - m.earned), m.payments + 1)
            << when << ": paid " << m.paid << " and owed " << m.owed << " cents for rewards of " << m.earned;
        if (::testing::Test::HasFailure())
            return;
    }

    // Left alone, the last launch finishes the career.
    const Launch last = play(folder, 99, 0);
    EXPECT_EQ(last.exitStatus, 0) << last.output;
    EXPECT_NE(last.output.find("every reward paid once, nothing left behind"), std::string::npos) << last.output;
    expectFolderLoads(drovil, "the end");
    const Money m = money(folder);
    EXPECT_EQ(m.owed, 0);
    EXPECT_LE(std::llabs(m.paid - m.earned), m.payments + 1);
    EXPECT_GT(m.paid, 0);
    std::cout << "contracts restored after a kill: " << restoredChecked.size() << ", paid " << m.paid
              << " cents in " << m.payments << " payments\n";
    fs::remove_all(folder);
}

} // namespace
