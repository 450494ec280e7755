#include "cli/options.h"

#include "session/session.h"

#include <charconv>
#include <iostream>

namespace sim {
namespace {
bool parseNumber(const std::string& text, long long& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}
} // namespace

std::string cliUsage() {
    return "usage: drovil-sim [options]\n"
           "Runs the Drovil plug-in in the simulated game and prints a timeline of what the player\n"
           "sees and what the plug-in logs.\n\n"
           "  --scenario NAME   the scenario to play (default: idle, which runs the game untouched)\n"
           "  --seed N          seed of the game's random numbers; the same seed replays the same run\n"
           "  --game-dir DIR    play in this game folder (its Drovil/ is used as it is, and kept);\n"
           "                    default: a fresh temporary folder with a copy of the shipped data\n"
           "  --frames N        stop after N frames at the most (default 3000, about 100 s of game time)\n"
           "  --list-natives    print the hash of every native the simulator implements, and exit\n"
           "  --help            show this text\n";
}

bool parseCliOptions(int argc, char** argv, CliOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
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
        } else if (arg == "--scenario") {
            if (!value(options.scenario))
                return false;
        } else if (arg == "--game-dir") {
            if (!value(options.gameDir))
                return false;
        } else if (arg == "--seed" || arg == "--frames") {
            if (!value(text))
                return false;
            if (!parseNumber(text, number) || number < 0) {
                error = arg + " takes a whole number, not '" + text + "'";
                return false;
            }
            if (arg == "--seed")
                options.seed = static_cast<std::uint32_t>(number);
            else
                options.frameLimit = static_cast<int>(number);
        } else {
            error = "unknown option '" + arg + "'";
            return false;
        }
    }
    return true;
}

int runCli(const CliOptions& options) {
    SessionOptions sessionOptions;
    sessionOptions.seed = options.seed;
    if (!options.gameDir.empty())
        sessionOptions.reuseGameDir = options.gameDir;
    if (options.scenario != "idle") {
        std::cerr << "drovil-sim: unknown scenario '" << options.scenario << "'\n";
        return 2;
    }
    Session session(sessionOptions);
    std::size_t subtitlesSeen = 0;
    std::size_t logSeen = 0;
    for (int frame = 0; frame < options.frameLimit; ++frame) {
        session.runFrames(1);
        const auto& subtitles = session.hud().subtitles;
        for (; subtitlesSeen < subtitles.size(); ++subtitlesSeen)
            std::cout << "[frame " << subtitles[subtitlesSeen].frame << "] subtitle: " << subtitles[subtitlesSeen].text
                      << "\n";
        const std::string log = session.log();
        if (log.size() > logSeen) {
            std::cout << log.substr(logSeen);
            logSeen = log.size();
        }
    }
    std::cout << "ran " << options.frameLimit << " frames\n";
    return session.host().anyScriptFinished() ? 1 : 0;
}

} // namespace sim
