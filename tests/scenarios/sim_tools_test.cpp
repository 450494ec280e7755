// drovil-sim's outputs for tools, read as a tool reads them: the timeline as
// JSON lines (every line parses and tells what the text timeline tells), the
// summary table of a range of seeds (each row what that seed's own game
// reports), and the map picture of a run (well-formed SVG holding the path,
// the contract and the target's fate).
#include "scenarios/json_line.h"
#include "scenarios/play_report.h"
#include "scenarios/run_map.h"
#include "session/scenario_session.h"
#include "support/syntax_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {
using namespace sim;
using Fields = std::map<std::string, std::string>;

struct Command {
    std::string output;
    int status = -1;
};

// drovil-sim with these arguments: its standard output and exit status.
Command runSim(const std::string& arguments) {
    Command result;
    std::FILE* pipe = popen((std::string(DROVIL_SIM_COMMAND) + " " + arguments + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, read);
    const int status = pclose(pipe);
    result.status = status == -1 ? -1 : WEXITSTATUS(status);
    return result;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

Fields fieldsOf(const std::string& line) {
    Fields fields;
    EXPECT_TRUE(readFlatJsonObject(line, fields)) << line;
    return fields;
}

// "[09:03 | 0:12.4]" from game milliseconds, as the text timeline stamps them.
std::string elapsedStamp(long long ms) {
    const long long tenths = ms / 100;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld.%lld", tenths / 600, (tenths / 10) % 60, tenths % 10);
    return text;
}

// The text timeline's events as "elapsed|label|text", a help box's later lines
// joined to its first; the heading and the summary left out.
std::vector<std::string> textEvents(const std::string& output) {
    std::vector<std::string> events;
    const std::regex stamped(R"(^\[\d\d:\d\d \| (\d+:\d\d\.\d)\] (\S+) +(.*)$)");
    std::smatch match;
    const auto lines = linesOf(output);
    for (std::size_t i = 2; i < lines.size(); ++i) {
        if (lines[i].empty())
            break; // the summary follows
        if (std::regex_match(lines[i], match, stamped))
            events.push_back(match[1].str() + "|" + match[2].str() + "|" + match[3].str());
        else if (!events.empty())
            events.back() += "\n" + lines[i];
    }
    return events;
}

// The JSON timeline's events told the text timeline's way.
std::vector<std::string> jsonEvents(const std::vector<Fields>& lines) {
    std::vector<std::string> events;
    for (const Fields& line : lines) {
        const std::string kind = line.at("kind");
        if (kind == "start" || kind == "summary")
            continue;
        std::string text = line.at("text");
        if (kind == "prompt")
            text = "[" + line.at("control") + "] " + text + (line.count("hold") ? " (hold)" : "");
        events.push_back(elapsedStamp(std::stoll(line.at("time"))) + "|" + (kind == "mission" ? "MISSION" : kind) +
                         "|" + text);
    }
    return events;
}

// The checks the tests below rely on refuse what a JSON or XML reader refuses.
TEST(SyntaxChecks, RefuseWhatAReaderRefuses) {
    std::string error;
    EXPECT_TRUE(test::isJson(R"({"a":[1,-2.5e3,true,null],"b":{"c":"\u00e9\n"}})", error)) << error;
    for (const char* bad : {R"({"a":1,})", R"({a:1})", R"({"a":"\u12"})", "{\"a\":\"tab\there\"}",
                            "{\"a\":\"caf\xe9\"}", R"({"a":01})", R"({"a":1} {"b":2})", R"("open)"})
        EXPECT_FALSE(test::isJson(bad, error)) << bad;
    EXPECT_TRUE(test::isWellFormedXml("<?xml version=\"1.0\"?>\n<a x=\"1 &amp; 2\"><b/><c>t &lt; u</c></a>\n", error))
        << error;
    for (const char* bad : {"<a><b></a></b>", "<a x=1/>", "<a>&nbsp;</a>", "<a/><b/>", "<a x=\"<\"/>", "<a>",
                            "<a x=\"1\" x=\"2\"/>"})
        EXPECT_FALSE(test::isWellFormedXml(bad, error)) << bad;
}

TEST(SimJson, EveryLineIsAJsonObjectAndTellsWhatTheTextTimelineTells) {
    const Command json = runSim("--scenario camp-walk-away --seed 1 --json");
    const Command text = runSim("--scenario camp-walk-away --seed 1");
    ASSERT_EQ(json.status, 0) << json.output;
    ASSERT_EQ(text.status, 0);
    std::vector<Fields> lines;
    long long lastTime = 0;
    for (const std::string& line : linesOf(json.output)) {
        std::string error;
        ASSERT_TRUE(test::isJson(line, error)) << error << " in\n" << line;
        ASSERT_EQ(line.front(), '{') << line;
        Fields fields = fieldsOf(line);
        for (const char* field : {"time", "clock", "kind", "text"})
            ASSERT_TRUE(fields.count(field)) << "no " << field << " in " << line;
        const long long time = std::stoll(fields["time"]);
        EXPECT_GE(time, lastTime) << "time runs backwards at " << line;
        lastTime = time;
        lines.push_back(fields);
    }
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front().at("kind"), "start");
    EXPECT_EQ(lines.front().at("scenario"), "camp-walk-away");
    EXPECT_EQ(lines.back().at("kind"), "summary");
    // The same events, at the same times, as the timeline a person reads.
    const auto told = textEvents(text.output);
    const auto written = jsonEvents(lines);
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(written, told);
}

TEST(SimJson, MissionEventsCarryIdStageAndStatusAndTheSummaryTheContract) {
    const Command json = runSim("--scenario camp-walk-away --seed 1 --json --quiet");
    ASSERT_EQ(json.status, 0) << json.output;
    std::vector<Fields> missions;
    Fields summary;
    for (const std::string& line : linesOf(json.output)) {
        Fields fields = fieldsOf(line);
        EXPECT_NE(fields["kind"], "log") << "--quiet leaves the log out";
        if (fields["kind"] == "mission")
            missions.push_back(fields);
        if (fields["kind"] == "summary")
            summary = fields;
    }
    // Into the search area (the hunt starts, the contract is engaged), then lost.
    ASSERT_EQ(missions.size(), 3u);
    EXPECT_EQ(missions[0].at("text"), "mission 0 stage Approaching -> Hunting");
    EXPECT_EQ(missions[0].at("status"), "0");
    EXPECT_EQ(missions[1].at("status"), "1");
    EXPECT_EQ(missions[1].at("stage"), "Hunting");
    EXPECT_EQ(missions[2].at("status"), "4");
    for (const Fields& mission : missions)
        EXPECT_EQ(mission.at("id"), "0");
    // The taken contract as its file holds it: a camp with a $60 bounty.
    EXPECT_EQ(summary["outcome"], "succeeded");
    EXPECT_EQ(summary["contract"], "0");
    EXPECT_EQ(summary["setting"], "camp");
    EXPECT_EQ(summary["reward"], "60");
    EXPECT_EQ(summary["paid_cents"], "0");
    EXPECT_EQ(summary["script_stopped"], "false");
}

TEST(SimJson, TextsFromAnyLangFileComeOutAsValidJsonAndReadBackTheSame) {
    const std::string utf8 = "caf\xc3\xa9 \"Bounty\" \\ @\n\t\x01 done";
    const std::string latin1 = "caf\xe9";
    for (const std::string& text : {utf8, latin1, std::string("truncated \xc3")}) {
        const std::string line = JsonLine().add("text", text).add("n", 7).add("ok", true).addNull("none").text();
        std::string error;
        EXPECT_TRUE(test::isJson(line, error)) << error << ": " << line;
        Fields fields;
        ASSERT_TRUE(readFlatJsonObject(line, fields));
        EXPECT_EQ(fields["n"], "7");
        EXPECT_EQ(fields["ok"], "true");
        EXPECT_EQ(fields["none"], "null");
        EXPECT_EQ(fields["text"], asUtf8(text));
    }
    EXPECT_EQ(asUtf8(utf8), utf8) << "valid UTF-8 is kept as it is";
    EXPECT_EQ(asUtf8(latin1), "caf\xc3\xa9") << "a Latin-1 letter becomes the same letter in UTF-8";
}

TEST(SimSeeds, OneRowASeedEachWhatThatSeedsOwnGameReports) {
    // Seeds 9 and 10 offer saloon contracts, stopped by the frame limit before their end.
    const Command table = runSim("--scenario first-contract --seeds 9-10 --jobs 2 --frames 3000");
    EXPECT_EQ(table.status, 1) << table.output;
    const auto lines = linesOf(table.output);
    ASSERT_EQ(lines.size(), 5u) << table.output;
    EXPECT_NE(lines[1].find("setting"), std::string::npos);
    EXPECT_EQ(lines[4], "0 of 2 seeds succeeded");
    for (int seed = 9; seed <= 10; ++seed) {
        const std::string& row = lines[seed - 7];
        std::istringstream words(row);
        int rowSeed = 0;
        words >> rowSeed;
        EXPECT_EQ(rowSeed, seed) << "rows in seed order: " << row;
        // The seed played on its own tells the same setting, outcome and reward.
        const auto own = linesOf(runSim("--scenario first-contract --quiet --json --frames 3000 --seed " + std::to_string(seed)).output);
        ASSERT_FALSE(own.empty());
        Fields summary = fieldsOf(own.back());
        EXPECT_NE(row.find("  " + summary["setting"] + "  "), std::string::npos) << row;
        EXPECT_NE(row.find("  " + summary["outcome"] + "  "), std::string::npos) << row;
        EXPECT_NE(row.find("$" + summary["reward"]), std::string::npos) << row;
        EXPECT_NE(row.find(summary["text"]), std::string::npos) << row;
    }
}

// Each seed's game is played with the sweep's options: a career of two
// contracts plays two in every seed.
TEST(SimSeeds, EachSeedPlaysTheCareerOfTheContractsAskedFor) {
    const Command table = runSim("--scenario career --contracts 2 --seeds 1-2 --jobs 2");
    EXPECT_EQ(table.status, 0) << table.output;
    const std::vector<std::string> lines = linesOf(table.output);
    int careers = 0;
    for (const std::string& line : lines)
        careers += line.find("2 contracts ended") != std::string::npos ? 1 : 0;
    EXPECT_EQ(careers, 2) << table.output;
}

// A dead or alive sweep ends with its totals by setting: the row of the
// setting played and the row of all settings, each counting what the seeds'
// games reported.
TEST(SimSeeds, ADeadOrAliveSweepCountsTheTargetsBroughtInAliveAndThoseWhoDied) {
    auto totalsRow = [](const std::vector<std::string>& lines, const std::string& name) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].rfind("dead or alive, by setting", 0) == 0)
                for (std::size_t j = i + 2; j < lines.size(); ++j)
                    if (lines[j].rfind("  " + name + "  ", 0) == 0)
                        return lines[j];
        return std::string();
    };
    const Command alive = runSim("--scenario alive-street --seeds 1-1");
    ASSERT_EQ(alive.status, 0) << alive.output;
    const std::string street = totalsRow(linesOf(alive.output), "street");
    EXPECT_NE(street.find("  1  "), std::string::npos) << alive.output;
    EXPECT_NE(street.find("1 (100.0%)        1 (100.0%)       0       0"), std::string::npos) << alive.output;
    EXPECT_EQ(totalsRow(linesOf(alive.output), "all settings").substr(20), street.substr(20)) << alive.output;

    // Across the horse he is shot: not brought in alive, not paid the bonus, died on the way.
    const Command died = runSim("--scenario alive-dies --seeds 1-1");
    ASSERT_EQ(died.status, 0) << died.output;
    EXPECT_NE(totalsRow(linesOf(died.output), "street").find("0 (0.0%)          0 (0.0%)       1       0"),
              std::string::npos)
        << died.output;

    const Command dead = runSim("--scenario idle --frames 60 --seeds 1-1");
    EXPECT_EQ(dead.output.find("dead or alive"), std::string::npos) << "a dead-only sweep has no such totals";
}

TEST(SimSeeds, ExitStatusTellsAllSucceededAndRefusesWhatAppliesToOneGame) {
    const Command idle = runSim("--scenario idle --frames 60 --seeds 4-5");
    EXPECT_EQ(idle.status, 0) << idle.output;
    EXPECT_NE(idle.output.find("2 of 2 seeds succeeded"), std::string::npos) << idle.output;
    EXPECT_EQ(runSim("--seeds 1-3 --seed 2").status, 2);
    EXPECT_EQ(runSim("--seeds 5-1").status, 2);
    EXPECT_EQ(runSim("--seeds 1-").status, 2);
    EXPECT_EQ(runSim("--seeds 1-2 --json").status, 2);
    EXPECT_EQ(runSim("--seeds 1-2 --map run.svg").status, 2);
    EXPECT_EQ(runSim("--jobs 2").status, 2) << "--jobs without --seeds";
}

// The map of a run read back: the "points" of the player's path and the viewBox.
struct SvgPicture {
    std::string text;
    std::vector<std::pair<double, double>> path;
    double width = 0, height = 0;
};

SvgPicture readPicture(const std::filesystem::path& file) {
    SvgPicture picture;
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    picture.text = content.str();
    std::smatch match;
    if (std::regex_search(picture.text, match, std::regex(R"re(viewBox="0 0 ([0-9.]+) ([0-9.]+)")re"))) {
        picture.width = std::stod(match[1]);
        picture.height = std::stod(match[2]);
    }
    if (std::regex_search(picture.text, match, std::regex(R"re(<polyline points="([^"]*)" id="player-path")re"))) {
        std::istringstream points(match[1].str());
        for (std::string point; points >> point;) {
            const auto comma = point.find(',');
            picture.path.emplace_back(std::stod(point.substr(0, comma)), std::stod(point.substr(comma + 1)));
        }
    }
    return picture;
}

TEST(SimMap, TheMapOfARunIsWellFormedSvgHoldingThePathTheContractAndTheTargetsFate) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("drovil-map-" + std::to_string(::getpid()) + ".svg");
    const Command run = runSim("--scenario camp-loud-day --seed 1 --quiet --map " + file.string());
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("map of the run: " + file.string()), std::string::npos);
    const SvgPicture picture = readPicture(file);
    std::filesystem::remove(file);
    std::string error;
    ASSERT_TRUE(test::isWellFormedXml(picture.text, error)) << error;
    EXPECT_NE(picture.text.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    ASSERT_GT(picture.width, 0);
    // The player rode some way: many points, each inside the picture.
    ASSERT_GE(picture.path.size(), 10u);
    for (const auto& [x, y] : picture.path) {
        EXPECT_GE(x, 0);
        EXPECT_LE(x, picture.width);
        EXPECT_GE(y, 0);
        EXPECT_LE(y, picture.height);
    }
    EXPECT_NE(picture.path.front(), picture.path.back());
    EXPECT_NE(picture.text.find("search area: contract 0, camp, $60"), std::string::npos);
    EXPECT_NE(picture.text.find("target, dead at"), std::string::npos) << "the loud approach shoots him";
    EXPECT_NE(picture.text.find("camp-loud-day, seed 1: succeeded"), std::string::npos);

    EXPECT_EQ(runSim("--scenario idle --frames 10 --quiet --map /no/such/folder/run.svg").status, 2);
}

// Every file drovil-sim writes goes where the user named it, from the folder
// he started it in, whatever game folder it plays in; a path that cannot be
// written is said at once, before anything is played.
TEST(SimFiles, GoWhereTheUserNamedThemFromTheFolderHeStartedIn) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("drovil-files-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "work" / "pictures");
    fs::create_directories(root / "game");
    fs::copy(DROVIL_DATA_DIR, root / "game" / "Drovil", fs::copy_options::recursive);
    auto inWork = [&](const std::string& arguments) {
        return "cd '" + (root / "work").string() + "' && " + DROVIL_SIM_COMMAND + " " + arguments;
    };
    auto run = [](const std::string& command) {
        Command result;
        std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
        char buffer[4096];
        for (std::size_t read = 0; pipe && (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            result.output.append(buffer, read);
        const int status = pipe ? pclose(pipe) : -1;
        result.status = status == -1 ? -1 : WEXITSTATUS(status);
        return result;
    };

    const Command played = run(inWork("--scenario idle --frames 40 --quiet --game-dir ../game --map run.svg "
                                      "--snapshot 30 --snapshot-dir pictures"));
    EXPECT_EQ(played.status, 0) << played.output;
    EXPECT_TRUE(fs::exists(root / "work" / "run.svg")) << played.output;
    EXPECT_TRUE(fs::exists(root / "work" / "pictures" / "snapshot-frame-30.svg")) << played.output;
    EXPECT_NE(played.output.find("map of the run: " + (root / "work" / "run.svg").string()), std::string::npos)
        << played.output;
    EXPECT_FALSE(fs::exists(root / "game" / "run.svg"));
    EXPECT_FALSE(fs::exists(root / "game" / "pictures"));
    // Without --snapshot-dir, the pictures go into the folder he started in.
    const Command here = run(inWork("--scenario idle --frames 40 --quiet --snapshot 20"));
    EXPECT_EQ(here.status, 0) << here.output;
    EXPECT_TRUE(fs::exists(root / "work" / "snapshot-frame-20.svg")) << here.output;

    for (const char* wrong : {"--map no-such-folder/run.svg", "--map pictures",
                              "--snapshot 10 --snapshot-dir no-such-folder", "--map /proc/version/run.svg"}) {
        const Command refused = run(inWork(std::string("--scenario idle --frames 40 --quiet ") + wrong));
        EXPECT_EQ(refused.status, 2) << wrong << ": " << refused.output;
        EXPECT_NE(refused.output.find("drovil-sim: --"), std::string::npos) << wrong << ": " << refused.output;
        EXPECT_NE(refused.output.find("cannot write"), std::string::npos) << wrong << ": " << refused.output;
        EXPECT_EQ(refused.output.find("scenario idle"), std::string::npos)
            << wrong << ": the run began: " << refused.output;
    }
    EXPECT_FALSE(fs::exists(root / "work" / "no-such-folder"));
    fs::remove_all(root);
}

// The language the game is set to: a fresh game folder gets the repository's
// translation for it, as a player who installed it has it.
TEST(SimLanguage, TheGameAnswersTheLanguageAskedForAndAFreshFolderHasItsTranslation) {
    const Command french = runSim("--scenario idle --frames 10 --language fr");
    EXPECT_EQ(french.status, 0) << french.output;
    EXPECT_NE(french.output.find("the game's language: French (fr)"), std::string::npos) << french.output;
    EXPECT_NE(french.output.find("data file 'Drovil/Lang.fr.dat' read over the defaults: 71 keys of its own"),
              std::string::npos)
        << french.output;
    const Command german = runSim("--scenario idle --frames 10 --language DE");
    EXPECT_EQ(german.status, 0);
    EXPECT_NE(german.output.find("the game's language: German (de)"), std::string::npos) << german.output;
    EXPECT_EQ(german.output.find("read over the defaults"), std::string::npos) << "no German translation ships";
    EXPECT_EQ(runSim("--scenario idle --frames 10 --language french").status, 2);
}

TEST(RunMap, RecordsThePathTheTargetHisGangTheBlipsAndTheContractAsTheGameHadThem) {
    const ScenarioDefinition* scenario = findScenario("camp-loud-day");
    Session session(scenarioOptions(*scenario, 1));
    std::ostringstream timeline;
    RunMap map;
    ASSERT_EQ(playWithTimeline(*scenario, session, 1, 40000, TimelineOptions{}, timeline, nullptr, &map), 0)
        << timeline.str();
    World& world = session.world();
    // The path ends where the player stands.
    ASSERT_FALSE(map.path().empty());
    const drovil::Vector3 player = world.playerPed().position;
    EXPECT_NEAR(map.path().back().x, player.x, 0.01);
    EXPECT_NEAR(map.path().back().y, player.y, 0.01);
    EXPECT_EQ(map.path().back().ms, world.clock.elapsedMs);
    // The contract as its file holds it.
    ASSERT_EQ(map.contracts().size(), 1u);
    EXPECT_EQ(map.contracts()[0].setting, "camp");
    EXPECT_FLOAT_EQ(map.contracts()[0].blipRadius, 90.0f);
    EXPECT_FLOAT_EQ(map.contracts()[0].missionAreaRadius, 270.0f);
    // The target went down, his four guards were seen, each with the fate the world gives it.
    int targets = 0, guards = 0;
    for (const auto& [id, ped] : map.peds()) {
        const EntityRecord* now = world.entities.find(id);
        if (ped.target) {
            ++targets;
            EXPECT_TRUE(ped.wentDown);
            EXPECT_EQ(ped.fate, "dead");
        } else {
            ++guards;
        }
        if (now) {
            const char* fate = !now->alive ? "dead" : now->knockedOut ? "knocked out" : now->hogtied ? "hogtied" : "alive";
            EXPECT_EQ(ped.fate, fate) << "ped " << id;
        }
    }
    EXPECT_EQ(targets, 1);
    EXPECT_EQ(guards, 4);
    // The hunt's stage changes were marked where the player was.
    bool hunting = false;
    for (const RunMap::StageMark& mark : map.stageMarks())
        hunting = hunting || mark.stage == "Hunting";
    EXPECT_TRUE(hunting);
    // Every blip the map showed, the search area's circle among them.
    bool searchArea = false;
    for (const auto& [id, blip] : map.blips())
        searchArea = searchArea || (blip.kind == static_cast<int>(BlipKind::Radius) && blip.radius > 0);
    EXPECT_TRUE(searchArea);
}

} // namespace
