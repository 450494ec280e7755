#include "scenarios/scenario_run.h"

#include "host/native_stats.h"
#include "host/plugin_cost.h"
#include "scenarios/contract_stages.h"
#include "scenarios/frame_doings.h"
#include "scenarios/process_kill.h"
#include "scenarios/run_map.h"
#include "scenarios/screen_snapshot.h"
#include "scenarios/timeline.h"
#include "world/law/combat.h"
#include "world/screen/documents.h"
#include "world/core/world.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace sim {
namespace {
constexpr std::uint32_t shotIntervalMs = 800;
} // namespace

ScenarioRun::ScenarioRun(ScenarioGame& game, int frameLimit, Timeline* timeline)
    : game_(game), player_(game.world()), timeline_(timeline), frameLimit_(frameLimit) {
    game_.markRunStart();
}

void ScenarioRun::startInTown() {
    if (&town() == &valentine())
        return;
    world().playerPed().position = town().mainStreet;
    note("starts the day on " + town().name + "'s main street");
}

void ScenarioRun::recordStats(NativeStats* stats) {
    stats_ = stats;
    if (stats_ && timeline_)
        timeline_->keepEvents();
}

void ScenarioRun::frame() {
    if (frames_ >= frameLimit_)
        throw ScenarioStopped("the frame limit of " + std::to_string(frameLimit_) + " frames was reached");
    player_.beforeFrame();
    if (stats_) {
        // A frame counts for the stage it began in: a change of stage is work
        // of the stage being left.
        const std::string stage = timeline_ ? timeline_->contractStage() : ContractStages::noMission;
        game_.runFrame();
        stats_->closeFrame(stage);
    } else {
        game_.runFrame();
    }
    ++frames_;
    if (watch_)
        watch_();
    if (timeline_)
        timeline_->afterFrame();
    if (stats_ && timeline_) {
        const plugin_cost::RecordingScope recording;
        timeline_->takeEvents(frameEvents_);
        const FrameDoings doings = describeFrame(frameEvents_);
        stats_->describeFrame(doings.doings, doings.event);
    }
    if (afterFrame_)
        afterFrame_();
    if (crashAfter_ > 0 && frames_ >= crashAfter_) {
        if (timeline_)
            timeline_->line("drovil-sim: the game process is killed after frame " + std::to_string(frames_));
        killThisProcess();
    }
    if (map_)
        map_->afterFrame(world(), timeline_ ? timeline_->contractStage() : ContractStages::noMission);
    if (snapshots_ && !snapshots_->empty()) {
        std::vector<std::string> failures;
        for (const std::string& file : snapshots_->afterFrame(world(), failures))
            if (timeline_)
                timeline_->snapshot(file);
        for (const std::string& failure : failures)
            if (timeline_)
                timeline_->line("drovil-sim: " + failure);
    }
}

void ScenarioRun::wait(std::uint32_t milliseconds) {
    const std::uint64_t until = world().clock.elapsedMs + milliseconds;
    while (world().clock.elapsedMs < until)
        frame();
}

bool ScenarioRun::waitUntil(const std::function<bool()>& done, std::uint32_t maxMs) {
    const std::uint64_t until = world().clock.elapsedMs + maxMs;
    while (!done()) {
        if (world().clock.elapsedMs >= until)
            return false;
        frame();
    }
    return true;
}

bool ScenarioRun::waitForTheDisk(const std::function<bool()>& done, std::uint32_t maxMs, std::uint32_t wallMs) {
    if (waitUntil(done, maxMs))
        return true;
    const auto giveUpAt = std::chrono::steady_clock::now() + std::chrono::milliseconds(wallMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= giveUpAt)
            return false;
        frame();
        std::this_thread::sleep_for(std::chrono::milliseconds(16));
    }
    return true;
}

bool ScenarioRun::giveUp(const std::string& why) {
    note("gives up: " + why);
    return false;
}

void ScenarioRun::note(const std::string& text) {
    if (timeline_)
        timeline_->note(text);
}

void ScenarioRun::report(const std::string& text) {
    if (timeline_)
        timeline_->line(text);
}

bool ScenarioRun::travelTo(const drovil::Vector3& point, Gait gait, float closeEnough, std::uint32_t maxMs) {
    player_.goTo(point, gait, closeEnough);
    const bool arrived = waitUntil([&] { return !player_.moving() || playerDown(); }, maxMs);
    player_.stop();
    return arrived && !playerDown() && player_.distanceTo(point) <= closeEnough + 0.5f;
}

bool ScenarioRun::travelToEntity(int entity, Gait gait, float closeEnough, std::uint32_t maxMs) {
    player_.goToEntity(entity, gait, closeEnough);
    const bool arrived = waitUntil([&] { return !player_.moving() || playerDown(); }, maxMs);
    player_.stop();
    return arrived && !playerDown();
}

bool ScenarioRun::callHorse(std::uint32_t maxMs) {
    if (player_.riding())
        return true;
    player_.whistleForHorse();
    return waitUntil([&] { return player_.horseAtHand() || playerDown(); }, maxMs) && !playerDown();
}

bool ScenarioRun::rideTo(const drovil::Vector3& point, float closeEnough, std::uint32_t maxMs) {
    if (!player_.riding()) {
        if (!callHorse(20000) || !player_.mount())
            return false;
    }
    return travelTo(point, Gait::Ride, closeEnough, maxMs);
}

int ScenarioRun::usablePrompt(const std::string& text) {
    for (const PromptRecord* prompt : game_.world().prompts.visible())
        if (prompt->text == text && prompt->active())
            return prompt->handle;
    return 0;
}

bool ScenarioRun::pressPrompt(const std::string& text, std::uint32_t maxMs) {
    if (!waitUntil([&] { return usablePrompt(text) != 0; }, maxMs))
        return false;
    world().prompts.press(usablePrompt(text));
    frame();
    return true;
}

bool ScenarioRun::holdPrompt(const std::string& text, std::uint32_t maxMs) {
    if (!waitUntil([&] { return usablePrompt(text) != 0; }, maxMs))
        return false;
    const int handle = usablePrompt(text);
    world().prompts.startHold(handle);
    const bool completed = waitUntil(
        [&] {
            const PromptRecord* prompt = world().prompts.find(handle);
            return !prompt || prompt->destroyed || prompt->holdCompletions > 0;
        },
        static_cast<std::uint32_t>(std::max(0, world().prompts.find(handle)->holdTimeMs)) + 3000);
    world().prompts.releaseHold(handle);
    frame();
    return completed;
}

bool ScenarioRun::readCard(std::uint32_t maxMs) {
    const int me = world().player.pedId;
    if (!waitUntil([&] { return world().documents.held(me) != nullptr; }, maxMs))
        return false;
    note("looks at the contract card");
    wait(2500);
    if (!waitUntil([&] { return flipHeldDocument(world()); }, 5000))
        return false;
    note("turns the card over and reads the back");
    wait(4000);
    flipHeldDocument(world());
    wait(800);
    note("puts the card away");
    return putAwayHeldDocument(world()) || world().documents.held(me) == nullptr;
}

void ScenarioRun::aimAt(int entity, std::uint32_t milliseconds) {
    player_.aimAt(entity);
    waitUntil([&] { return !world().entities.exists(entity) || playerDown(); }, milliseconds);
}

bool ScenarioRun::shootUntilDown(int ped, std::uint32_t maxMs) {
    const std::uint64_t until = world().clock.elapsedMs + maxMs;
    player_.drawGun();
    while (!isDown(ped) && !playerDown()) {
        if (world().clock.elapsedMs >= until)
            return false;
        player_.shootAt(ped);
        wait(shotIntervalMs);
    }
    return isDown(ped) && !playerDown();
}

std::map<std::string, std::string> ScenarioRun::readKeyValues(const std::string& file) const {
    if (!game_.fileExists(file))
        return {};
    return parseKeyValues(game_.readFile(file));
}

std::string ScenarioRun::lang(const std::string& key) const {
    return game_.shownText(key);
}

bool ScenarioRun::playerDown() {
    return game_.world().player.dead || !game_.world().entities.find(game_.world().player.pedId)->alive;
}

int ScenarioRun::contractTarget() {
    for (const auto& [id, record] : game_.world().entities.all()) {
        auto mark = record.decorators.find("KV_Drovil_isContractTarget");
        if (mark != record.decorators.end() && mark->second == 1)
            return id;
    }
    return 0;
}

bool ScenarioRun::isDown(int ped) {
    return Combat::isDown(game_.world(), ped);
}

std::map<std::string, std::string> parseKeyValues(const std::string& text) {
    std::map<std::string, std::string> values;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

int intValue(const std::map<std::string, std::string>& values, const std::string& key, int fallback) {
    auto found = values.find(key);
    if (found == values.end())
        return fallback;
    char* end = nullptr;
    const long value = std::strtol(found->second.c_str(), &end, 10);
    return end == found->second.c_str() ? fallback : static_cast<int>(value);
}

float floatValue(const std::map<std::string, std::string>& values, const std::string& key, float fallback) {
    auto found = values.find(key);
    if (found == values.end())
        return fallback;
    char* end = nullptr;
    const float value = std::strtof(found->second.c_str(), &end);
    return end == found->second.c_str() ? fallback : value;
}

std::string dollarsText(int cents) {
    char text[32];
    std::snprintf(text, sizeof text, "$%d.%02d", cents / 100, cents % 100);
    return text;
}

drovil::Vector3 positionValue(const std::map<std::string, std::string>& values, const std::string& key) {
    auto found = values.find(key);
    drovil::Vector3 position;
    if (found == values.end())
        return position;
    std::istringstream parts(found->second);
    std::string part;
    float* fields[3] = {&position.x, &position.y, &position.z};
    for (float* field : fields) {
        if (!std::getline(parts, part, ','))
            break;
        *field = std::strtof(part.c_str(), nullptr);
    }
    return position;
}

} // namespace sim
