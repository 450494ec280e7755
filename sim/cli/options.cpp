#include "cli/options.h"

#include "host/native_stats.h"
#include "scenarios/career.h"
#include "scenarios/scenarios.h"
#include "scenarios/play_report.h"
#include "scenarios/run_map.h"
#include "scenarios/screen_snapshot.h"
#include "cli/seed_range.h"
#include "runtime/game_language.h"
#include "session/scenario_session.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <system_error>

namespace sim {
namespace {
bool parseNumber(const std::string& text, long long& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// A path the user gave, as an absolute one: relative to the folder drovil-sim
// was started in, whatever folder the game then runs in.
std::string absolutePath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error).lexically_normal();
    if (error)
        return path;
    // "dir/." normalises to "dir/": the folder is named without the trailing slash.
    if (absolute.filename().empty() && absolute.has_relative_path())
        absolute = absolute.parent_path();
    return absolute.string();
}

// Whether a file can be written at `path`, tried before the run so that a
// wrong path is said at once, not after minutes of play. A file that was not
// there is not left behind.
bool canWriteFile(const std::string& path, std::string& why) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        why = "it is a folder";
        return false;
    }
    const bool existed = std::filesystem::exists(path, error);
    {
        std::ofstream out(path, std::ios::binary | std::ios::app);
        if (!out) {
            const std::filesystem::path folder = std::filesystem::path(path).parent_path();
            why = std::filesystem::is_directory(folder, error) ? "the folder cannot be written to"
                                                               : "there is no folder " + folder.string();
            return false;
        }
    }
    if (!existed)
        std::filesystem::remove(path, error);
    return true;
}

// The translation of the repository for the language, into a fresh game
// folder, as the player who plays in it would have installed it.
void installShippedTranslation(int languageId, SessionOptions& options) {
    const drovil::GameLanguage* language = drovil::findGameLanguage(languageId);
    if (!language)
        return;
    const std::string name = drovil::translationFileName(*language);
    std::ifstream in(std::filesystem::path(DROVIL_TRANSLATIONS_DIR) / name, std::ios::binary);
    if (!in)
        return;
    std::ostringstream text;
    text << in.rdbuf();
    options.writeFiles.emplace(name, text.str());
}

bool canWriteInto(const std::string& folder, std::string& why) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        why = "there is no such folder";
        return false;
    }
    const std::filesystem::path probe = std::filesystem::path(folder) / ".drovil-sim-write-test";
    if (!canWriteFile(probe.string(), why)) {
        why = "the folder cannot be written to";
        return false;
    }
    return true;
}
} // namespace

std::string cliUsage() {
    std::string text =
        "usage: drovil-sim [options]\n"
        "Plays a scenario in the simulated game with the Drovil plug-in loaded and prints a timeline of\n"
        "what the player sees (subtitles, help boxes, toasts, prompts), the contract's stage and status\n"
        "changes, the plug-in's log lines and what the scripted player does, then a summary. The exit\n"
        "status is 0 when the scenario succeeded, 1 when it failed, 2 for a wrong command line.\n\n"
        "  --scenario NAME   the scenario to play (default: first-contract; see below)\n"
        "  --seed N          seed of the game's random numbers, 0 to 4294967295 (default 1); the same\n"
        "                    seed replays the same run, another seed gives other passers-by, another\n"
        "                    contract, other guard posts\n"
        "  --area TOWN       start the game in this town, on its main street, where the player looks\n"
        "                    for work: Annesburg, Armadillo, Blackwater, Rhodes, Saint Denis (or\n"
        "                    saint-denis), Strawberry, Tumbleweed or Valentine (default)\n"
        "  --game-dir DIR    play in this game folder: its Drovil/ is used as it is and kept (a second\n"
        "                    run on the same folder is a game restart); default: a fresh temporary\n"
        "                    folder with a copy of the shipped data, removed afterwards\n"
        "  --frames N        stop after N frames at the most, 1 to 2147483647 (default 60000, about\n"
        "                    33 minutes of game time at 30 frames a second)\n"
        "  --quiet           leave the plug-in's log lines out of the timeline\n"
        "  --stats           after the summary, print the per-frame native report: the plug-in's native\n"
        "                    calls per frame by the contract's stage, the natives called most, and\n"
        "                    every call repeated between two yields with the same arguments and result\n"
        "  --fps N           run the game at N frames a second, 1 to 1000 (default about 30: a frame\n"
        "                    lasts 33 ms); a frame lasts 1000/N ms rounded to whole milliseconds\n"
        "  --json            write the timeline as JSON lines for tools: one event an object with\n"
        "                    time (game ms since the start), clock, kind and text, and for missions\n"
        "                    id, stage and status; a \"start\" event first and a \"summary\" event last\n"
        "  --map FILE.svg    after the run, draw a map of it: the player's path with time marks, the\n"
        "                    search area, the target and his gang with their fate, the blips, and\n"
        "                    the towns, stations, roads and railway around; a relative path is taken\n"
        "                    from the current folder, whatever --game-dir is\n"
        "  --snapshot AT     write a picture of the screen (SVG, 16:9) at a frame (1200) or a game time\n"
        "                    since the start (90s, 1:30): sprites labelled with their textures, texts\n"
        "                    where the game draws them, prompts, help box and toasts; the file is\n"
        "                    snapshot-frame-N.svg in the current folder (or --snapshot-dir) and the\n"
        "                    timeline names it; repeat the option for more pictures\n"
        "  --snapshot-dir DIR  write the --snapshot pictures into this folder (relative to the current\n"
        "                    folder, whatever --game-dir is)\n"
        "  --language TAG    the language the game is set to: en (default), fr, de, it, es, pt-BR, pl,\n"
        "                    ru, ko, zh-TW, ja, es-MX or zh-CN; the plug-in reads Drovil/Lang.TAG.dat\n"
        "                    over its texts when the folder has it. A fresh game folder gets the\n"
        "                    translation the repository ships for that language (data/translations/),\n"
        "                    as a player who installed it; a --game-dir folder is used as it is\n"
        "  A file that cannot be written (--map, --snapshot) is an error before the run starts.\n"
        "  --contracts N     with --scenario career or restless: how many contracts the career plays, 1 to 100000\n"
        "                    (default 5); the frame limit grows by 60000 a contract unless --frames\n"
        "                    is given\n"
        "  --kill-at-frame N kill the game process (SIGKILL, no clean-up) right after frame N, as a\n"
        "                    crash would; start it again with --game-dir on the same folder\n"
        "  --alive           with --scenario first-contract: dead or alive contracts (AliveBounties\n"
        "                    on, as shipped); the player takes the target alive, hogtied, to the\n"
        "                    sheriff's office of the contract's area and hands him over for the bonus\n"
        "  --seeds A-B       play the scenario once for every seed from A to B, each game in a process\n"
        "                    of its own, and print one table: seed, setting, outcome, reward, paid,\n"
        "                    game time and the scenario's summary; the exit status is 0 when every\n"
        "                    seed succeeded\n"
        "  --jobs N          with --seeds: play N games at the same time (default 1)\n"
        "  --list-scenarios  print the scenarios with what each one does, and exit\n"
        "  --list-natives    print the hash of every native the simulator implements, and exit\n"
        "  --help            show this text\n\n"
        "scenarios:\n";
    for (const ScenarioDefinition& scenario : allScenarios())
        text += "  " + scenario.name + "\n";
    return text;
}

bool parseCliOptions(int argc, char** argv, CliOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        options.seedGiven = options.seedGiven || arg == "--seed";
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string text;
        long long number = 0;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--list-natives") {
            options.listNatives = true;
        } else if (arg == "--list-scenarios") {
            options.listScenarios = true;
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else if (arg == "--stats") {
            options.stats = true;
        } else if (arg == "--fps") {
            if (!value(text))
                return false;
            if (!parseNumber(text, number) || number < 1 || number > 1000) {
                error = "--fps takes a whole number of frames a second from 1 to 1000, not '" + text + "'";
                return false;
            }
            options.fps = static_cast<int>(number);
        } else if (arg == "--alive") {
            options.alive = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--map") {
            if (!value(options.mapFile))
                return false;
            if (options.mapFile.empty()) {
                error = "--map needs a file name";
                return false;
            }
        } else if (arg == "--snapshot") {
            if (!value(text))
                return false;
            ScreenSnapshots check;
            if (!check.request(text, error))
                return false;
            options.snapshots.push_back(text);
        } else if (arg == "--snapshot-dir") {
            if (!value(options.snapshotFolder))
                return false;
            if (options.snapshotFolder.empty()) {
                error = "--snapshot-dir needs a folder";
                return false;
            }
        } else if (arg == "--language") {
            if (!value(text))
                return false;
            const drovil::GameLanguage* language = drovil::findLanguageTag(text);
            if (!language) {
                std::string tags;
                for (const drovil::GameLanguage& known : drovil::gameLanguages())
                    tags += (tags.empty() ? "" : ", ") + std::string(known.tag);
                error = "--language: no game language '" + text + "'; the tags are " + tags;
                return false;
            }
            options.language = language->id;
        } else if (arg == "--seeds") {
            if (!value(text))
                return false;
            const auto dash = text.find('-');
            long long from = 0, to = 0;
            if (dash == std::string::npos || !parseNumber(text.substr(0, dash), from) ||
                !parseNumber(text.substr(dash + 1), to) || from < 0 || to < from || to > 0xFFFFFFFFll) {
                error = "--seeds takes a range of seeds A-B with A no larger than B, not '" + text + "'";
                return false;
            }
            if (to - from >= 100000) {
                error = "--seeds plays at most 100000 seeds at once";
                return false;
            }
            options.seedsFrom = static_cast<std::uint32_t>(from);
            options.seedsTo = static_cast<std::uint32_t>(to);
        } else if (arg == "--jobs") {
            if (!value(text))
                return false;
            if (!parseNumber(text, number) || number < 1 || number > 64) {
                error = "--jobs takes a number of games from 1 to 64, not '" + text + "'";
                return false;
            }
            options.jobs = static_cast<int>(number);
        } else if (arg == "--contracts" || arg == "--kill-at-frame") {
            if (!value(text))
                return false;
            const long long highest = arg == "--contracts" ? 100000 : std::numeric_limits<int>::max();
            if (!parseNumber(text, number) || number < 1 || number > highest) {
                error = arg + " takes a whole number from 1 to " + std::to_string(highest) + ", not '" + text + "'";
                return false;
            }
            (arg == "--contracts" ? options.contracts : options.killAtFrame) = static_cast<int>(number);
        } else if (arg == "--scenario") {
            if (!value(options.scenario))
                return false;
        } else if (arg == "--area") {
            if (!value(options.area))
                return false;
            if (!findTown(options.area)) {
                error = "--area: no town '" + options.area + "'; the towns are " + townNames();
                return false;
            }
        } else if (arg == "--game-dir") {
            if (!value(options.gameDir))
                return false;
            std::error_code ignored;
            if (!std::filesystem::is_directory(options.gameDir, ignored)) {
                error = "--game-dir: no such folder '" + options.gameDir + "'";
                return false;
            }
        } else if (arg == "--seed" || arg == "--frames") {
            if (!value(text))
                return false;
            const bool seed = arg == "--seed";
            const long long lowest = seed ? 0 : 1;
            const long long highest =
                seed ? std::numeric_limits<std::uint32_t>::max() : std::numeric_limits<int>::max();
            if (!parseNumber(text, number) || number < lowest || number > highest) {
                // Out of range would wrap into another seed or a negative limit.
                error = arg + " takes a whole number from " + std::to_string(lowest) + " to " +
                        std::to_string(highest) + ", not '" + text + "'";
                return false;
            }
            if (seed) {
                options.seed = static_cast<std::uint32_t>(number);
            } else {
                options.frameLimit = static_cast<int>(number);
                options.framesGiven = true;
            }
        } else {
            error = "unknown option '" + arg + "'";
            return false;
        }
    }
    // Every file the run writes goes where the user named it, from the folder
    // he started in, and one that cannot be written stops the run before it
    // begins.
    std::string why;
    if (!options.mapFile.empty()) {
        options.mapFile = absolutePath(options.mapFile);
        if (!canWriteFile(options.mapFile, why)) {
            error = "--map: cannot write '" + options.mapFile + "': " + why;
            return false;
        }
    }
    if (!options.snapshots.empty() || !options.snapshotFolder.empty()) {
        options.snapshotFolder = absolutePath(options.snapshotFolder.empty() ? "." : options.snapshotFolder);
        if (!canWriteInto(options.snapshotFolder, why)) {
            error = "--snapshot: cannot write into '" + options.snapshotFolder + "': " + why;
            return false;
        }
    }
    if (options.seedsFrom <= options.seedsTo) {
        // Each seed is a game of its own; what belongs to one game cannot apply to all.
        const char* single = options.seedGiven          ? "--seed"
                             : !options.gameDir.empty() ? "--game-dir"
                             : options.json             ? "--json"
                             : !options.mapFile.empty() ? "--map"
                             : !options.snapshots.empty() ? "--snapshot"
                             : options.stats            ? "--stats"
                             : options.killAtFrame > 0  ? "--kill-at-frame"
                                                        : nullptr;
        if (single) {
            error = std::string(single) + " applies to one game: it cannot be combined with --seeds";
            return false;
        }
    } else if (options.jobs != 1) {
        error = "--jobs applies to --seeds only";
        return false;
    }
    if (options.alive && options.scenario != "first-contract") {
        error = "--alive applies to --scenario first-contract only (the alive-... scenarios play alive already)";
        return false;
    }
    if (options.json && options.stats) {
        error = "--stats prints a text report: it cannot be combined with --json";
        return false;
    }
    return true;
}

int runCli(const CliOptions& options) {
    if (options.listScenarios) {
        for (const ScenarioDefinition& scenario : allScenarios())
            std::cout << scenario.name << "\n    " << scenario.description << "\n";
        return 0;
    }
    const ScenarioDefinition* scenario = findScenario(options.scenario);
    if (!scenario) {
        std::cerr << "drovil-sim: unknown scenario '" << options.scenario << "'\n" << cliUsage();
        return 2;
    }
    if (options.seedsFrom <= options.seedsTo)
        return playSeedRange(options, std::cout);
    SessionOptions sessionOptions = scenarioOptions(*scenario, options.seed);
    sessionOptions.language = options.language;
    if (options.gameDir.empty() && options.language != 0)
        installShippedTranslation(options.language, sessionOptions);
    sessionOptions.aliveBounties = sessionOptions.aliveBounties || options.alive;
    if (!options.gameDir.empty()) {
        sessionOptions.reuseGameDir = options.gameDir;
        if (!sessionOptions.writeFiles.empty())
            std::cout << "note: scenario files are written into " << options.gameDir << "/Drovil\n";
    }
    Session session(sessionOptions);
    if (!options.area.empty())
        session.startIn(*findTown(options.area));
    if (options.fps > 0)
        session.world().clock.frameMs = static_cast<std::uint32_t>((1000 + options.fps / 2) / options.fps);
    TimelineOptions timelineOptions;
    timelineOptions.logLines = !options.quiet;
    if (options.json)
        timelineOptions.format = TimelineFormat::JsonLines;
    NativeStats stats;
    if (options.stats) {
        session.host().dispatch().attachStats(&stats);
        stats.startRecording();
    }
    RunMap map;
    ScreenSnapshots snapshots;
    snapshots.setFolder(options.snapshotFolder);
    for (const std::string& at : options.snapshots) {
        std::string ignored;
        snapshots.request(at, ignored);
    }
    RunOptions runOptions;
    runOptions.contracts = options.contracts;
    runOptions.killAtFrame = options.killAtFrame;
    runOptions.alive = options.alive;
    // A career's contracts each take a game hour or so: the frame limit grows with them.
    int frameLimit = options.frameLimit;
    if (!options.framesGiven && (scenario->name == "career" || scenario->name == "restless")) {
        const long long contracts = options.contracts > 0 ? options.contracts : defaultCareerContracts;
        // The restless player may play at 60 frames a second, and dawdles.
        const long long perContract = scenario->name == "restless" ? 120000 : 60000;
        frameLimit = static_cast<int>(std::min<long long>(contracts * perContract, std::numeric_limits<int>::max()));
    }
    const int status = playWithTimeline(*scenario, session, options.seed, frameLimit, timelineOptions,
                                        std::cout, options.stats ? &stats : nullptr,
                                        options.mapFile.empty() ? nullptr : &map,
                                        options.snapshots.empty() ? nullptr : &snapshots, runOptions);
    session.host().dispatch().attachStats(nullptr);
    if (!options.mapFile.empty()) {
        std::string error;
        if (!map.writeSvg(options.mapFile, error)) {
            std::cerr << "drovil-sim: " << error << "\n";
            return 2;
        }
        if (!options.json)
            std::cout << "map of the run: " << options.mapFile << "\n";
    }
    return status;
}

} // namespace sim
