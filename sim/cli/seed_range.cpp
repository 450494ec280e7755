#include "cli/seed_range.h"

#include "runtime/game_language.h"
#include "scenarios/json_line.h"
#include "scenarios/scenario_run.h"
#include "scenarios/scenarios.h"
#include "session/session.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace sim {
namespace {

// The table's row of one seed.
struct SeedRow {
    std::uint32_t seed = 0;
    std::string setting = "-";
    std::string outcome;
    std::string reward = "-";
    std::string paid = "-";
    std::string gameTime = "-";
    std::string summary;
    bool succeeded = false;
    // Dead or alive: the target handed to the sheriff, and the clerk paid the
    // bounty with the bonus the mission file holds; he died hogtied.
    bool broughtInAlive = false;
    bool paidWithBonus = false;
    bool diedOnTheWay = false;
};

std::string dollars(long long cents) {
    char text[32];
    std::snprintf(text, sizeof text, "$%lld.%02lld", cents / 100, cents % 100);
    return text;
}

std::string gameTimeText(long long ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", ms / 60000, (ms / 1000) % 60);
    return text;
}

// The row from a game's JSON lines: its summary event, the last line of the run.
bool rowFromTimeline(const std::string& file, SeedRow& row) {
    std::ifstream in(file);
    std::string line, last;
    while (std::getline(in, line))
        if (!line.empty())
            last = line;
    std::map<std::string, std::string> fields;
    if (!readFlatJsonObject(last, fields) || fields["kind"] != "summary")
        return false;
    row.succeeded = fields["outcome"] == "succeeded";
    row.outcome = fields["outcome"];
    if (fields["setting"] != "null" && !fields["setting"].empty())
        row.setting = fields["setting"];
    if (fields["reward"] != "null" && !fields["reward"].empty())
        row.reward = "$" + fields["reward"];
    row.paid = dollars(std::atoll(fields["paid_cents"].c_str()));
    row.gameTime = gameTimeText(std::atoll(fields["time"].c_str()));
    row.summary = fields["text"];
    row.broughtInAlive = fields["brought_in_alive"] == "true";
    row.diedOnTheWay = fields["died_hogtied"] == "true";
    const long long reward = std::atoll(fields["reward"].c_str());
    row.paidWithBonus = row.broughtInAlive && std::atoll(fields["bonus"].c_str()) > 0 &&
                        std::atoll(fields["paid_cents"].c_str()) == reward * 100;
    return true;
}

struct Child {
    pid_t pid = 0;
    std::uint32_t seed = 0;
    std::string output;
};

// Starts this program again for one seed, its timeline going to `output`.
bool startSeed(const CliOptions& options, std::uint32_t seed, const std::string& output, pid_t& pid) {
    std::vector<std::string> arguments = {"drovil-sim", "--scenario", options.scenario,
                                          "--seed",     std::to_string(seed), "--json", "--quiet"};
    // Each game is played as a game of its own with these options would be: a
    // career's frame limit grows with its contracts unless --frames was given.
    if (options.framesGiven) {
        arguments.push_back("--frames");
        arguments.push_back(std::to_string(options.frameLimit));
    }
    if (options.contracts > 0) {
        arguments.push_back("--contracts");
        arguments.push_back(std::to_string(options.contracts));
    }
    if (!options.area.empty()) {
        arguments.push_back("--area");
        arguments.push_back(options.area);
    }
    if (const drovil::GameLanguage* language = drovil::findGameLanguage(options.language); language && language->id != 0) {
        arguments.push_back("--language");
        arguments.push_back(language->tag);
    }
    if (options.alive)
        arguments.push_back("--alive");
    if (options.fps > 0) {
        arguments.push_back("--fps");
        arguments.push_back(std::to_string(options.fps));
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int failed = posix_spawn(&pid, "/proc/self/exe", &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    return failed == 0;
}

SeedRow finishedRow(const Child& child, int waitStatus) {
    SeedRow row;
    row.seed = child.seed;
    if (rowFromTimeline(child.output, row))
        return row;
    if (WIFSIGNALED(waitStatus)) {
        row.outcome = "crashed";
        row.summary = "the game ended with signal " + std::to_string(WTERMSIG(waitStatus));
    } else {
        row.outcome = "no summary";
        row.summary = "the game exited with status " + std::to_string(WEXITSTATUS(waitStatus)) +
                      " without a summary";
    }
    return row;
}

// The share of `all` as "12 (30.0%)".
std::string countAndShare(int count, int all) {
    char text[32];
    std::snprintf(text, sizeof text, "%d (%.1f%%)", count, all > 0 ? 100.0 * count / all : 0.0);
    return text;
}

// Dead or alive: by setting, how many targets were brought in alive, paid
// with their bonus, died on the way, and how many games failed.
void printAliveTotals(const std::vector<SeedRow>& rows, std::ostream& out) {
    struct Totals {
        int seeds = 0, alive = 0, paid = 0, died = 0, failed = 0;
    };
    std::map<std::string, Totals> bySetting;
    Totals all;
    for (const SeedRow& row : rows) {
        for (Totals* totals : {&bySetting[row.setting], &all}) {
            ++totals->seeds;
            totals->alive += row.broughtInAlive ? 1 : 0;
            totals->paid += row.paidWithBonus ? 1 : 0;
            totals->died += row.diedOnTheWay ? 1 : 0;
            totals->failed += row.succeeded ? 0 : 1;
        }
    }
    out << "dead or alive, by setting (paid: the clerk paid the bounty and the bonus)\n";
    char line[256];
    std::snprintf(line, sizeof line, "  %-18s  %5s  %16s  %16s  %6s  %6s", "setting", "seeds", "brought in alive",
                  "paid with bonus", "died", "failed");
    out << line << "\n";
    auto print = [&](const std::string& name, const Totals& totals) {
        std::snprintf(line, sizeof line, "  %-18s  %5d  %16s  %16s  %6d  %6d", name.c_str(), totals.seeds,
                      countAndShare(totals.alive, totals.seeds).c_str(),
                      countAndShare(totals.paid, totals.seeds).c_str(), totals.died, totals.failed);
        out << line << "\n";
    };
    for (const auto& [setting, totals] : bySetting)
        print(setting, totals);
    print("all settings", all);
}

void printTable(const CliOptions& options, const std::vector<SeedRow>& rows, std::ostream& out) {
    out << "drovil-sim: scenario " << options.scenario << ", seeds " << options.seedsFrom << " to "
        << options.seedsTo;
    if (!options.area.empty())
        out << ", in " << findTown(options.area)->name;
    if (options.alive)
        out << ", dead or alive";
    out << "\n";
    char line[256];
    std::snprintf(line, sizeof line, "%6s  %-18s  %-10s  %7s  %9s  %9s  %s", "seed", "setting", "outcome", "reward",
                  "paid", "game time", "summary");
    out << line << "\n";
    int succeeded = 0;
    for (const SeedRow& row : rows) {
        std::snprintf(line, sizeof line, "%6u  %-18s  %-10s  %7s  %9s  %9s  ", row.seed, row.setting.c_str(),
                      row.outcome.c_str(), row.reward.c_str(), row.paid.c_str(), row.gameTime.c_str());
        out << line << row.summary << "\n";
        succeeded += row.succeeded ? 1 : 0;
    }
    out << succeeded << " of " << rows.size() << " seeds succeeded\n";
    const ScenarioDefinition* scenario = findScenario(options.scenario);
    if (options.alive || (scenario && scenario->aliveBounties))
        printAliveTotals(rows, out);
}

} // namespace

int playSeedRange(const CliOptions& options, std::ostream& out) {
    const std::filesystem::path folder = makeTemporaryFolder("drovil-seeds");
    std::vector<SeedRow> rows;
    std::map<pid_t, Child> running;
    std::uint64_t next = options.seedsFrom;
    const std::uint64_t last = options.seedsTo;
    while (next <= last || !running.empty()) {
        while (next <= last && static_cast<int>(running.size()) < options.jobs) {
            Child child;
            child.seed = static_cast<std::uint32_t>(next++);
            child.output = (folder / ("seed-" + std::to_string(child.seed) + ".jsonl")).string();
            if (!startSeed(options, child.seed, child.output, child.pid)) {
                SeedRow row;
                row.seed = child.seed;
                row.outcome = "not run";
                row.summary = std::string("could not start drovil-sim: ") + std::strerror(errno);
                rows.push_back(row);
                continue;
            }
            running[child.pid] = child;
        }
        if (running.empty())
            continue;
        int status = 0;
        const pid_t done = waitpid(-1, &status, 0);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        auto found = running.find(done);
        if (found == running.end())
            continue;
        rows.push_back(finishedRow(found->second, status));
        running.erase(found);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::sort(rows.begin(), rows.end(), [](const SeedRow& a, const SeedRow& b) { return a.seed < b.seed; });
    printTable(options, rows, out);
    const bool allSucceeded =
        std::all_of(rows.begin(), rows.end(), [](const SeedRow& row) { return row.succeeded; });
    return allSucceeded && !rows.empty() ? 0 : 1;
}

} // namespace sim
