#include "behaviour/guard_rig.h"

#include "runtime/startup_objects.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace guardtest {
std::string aiFileWith(const std::map<std::string, std::string>& changes) {
    std::ifstream shipped(std::string(DROVIL_DATA_DIR) + "/Defaults/AI.dat");
    std::map<std::string, std::string> entries;
    std::vector<std::string> order;
    std::string line;
    while (std::getline(shipped, line)) {
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = line.substr(0, equals);
        entries[key] = line.substr(equals + 1);
        order.push_back(key);
    }
    for (const auto& [key, value] : changes) {
        if (!entries.count(key))
            order.push_back(key);
        entries[key] = value;
    }
    std::ostringstream out;
    for (const std::string& key : order)
        out << key << "=" << entries[key] << "\n";
    return out.str();
}

drovil::Vector3 offset(const drovil::Vector3& from, float heading, float metres) {
    const drovil::Vector3 forward = sim::forwardOf(heading);
    return drovil::Vector3(from.x + forward.x * metres, from.y + forward.y * metres, from.z);
}

float headingFrom(const drovil::Vector3& from, const drovil::Vector3& to) {
    return sim::headingTowards(from, to);
}

float flatDistance(const drovil::Vector3& a, const drovil::Vector3& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

void setHour(sim::World& world, int hour) {
    sim::Clock& clock = world.clock;
    const int elapsedMinutes = static_cast<int>((clock.elapsedMs / clock.msPerGameMinute) % (24 * 60));
    clock.startMinuteOfDay = hour * 60 + 24 * 60 - elapsedMinutes;
}

void placePlayer(sim::World& world, const drovil::Vector3& position) {
    world.playerPed().position = position;
    // The world measures movement frame to frame; a placement is no step taken.
    world.perception.senses(world.player.pedId).lastPosition = position;
}

struct GuardRig::Recorder : drovil::EventsSubscriber<drovil::GuardModeChange> {
    std::vector<drovil::GuardModeChange>* changes = nullptr;
    void onEvent(drovil::GuardModeChange change) override { changes->push_back(change); }
};

GuardRig& GuardRig::instance() {
    static auto* rig = new GuardRig();
    if (!rig->registered_) {
        rig->registered_ = true;
        rig->recorder_ = new Recorder();
        rig->recorder_->changes = &rig->changes_;
        drovil::addGuardedFrameStep(&GuardRig::frameStep);
    }
    return *rig;
}

int GuardRig::addGuard(sim::World& world, const drovil::Vector3& position, float heading) {
    const int ped =
        world.entities.create(sim::EntityKind::Ped, sim::gameHash("g_m_m_uniduster_01"), position, heading)
            .id;
    pending_.push_back(ped);
    return ped;
}

drovil::GuardAI* GuardRig::guard(int ped) const {
    auto it = guards_.find(ped);
    return it == guards_.end() ? nullptr : it->second;
}

std::vector<drovil::GuardModeChange> GuardRig::changesOf(int ped) const {
    std::vector<drovil::GuardModeChange> own;
    for (const auto& change : changes_)
        if (change.ped == ped)
            own.push_back(change);
    return own;
}

drovil::GuardMode GuardRig::modeOf(int ped) const {
    const drovil::GuardAI* ai = guard(ped);
    return ai ? ai->getMode() : drovil::GuardMode::Unaware;
}

void GuardRig::runOnScript(std::function<void()> job) {
    jobDone_ = false;
    job_ = std::move(job);
}

bool GuardRig::finishJob(sim::Session& session, int maxFrames) {
    return runUntil(
        session, [this] { return jobDone_; }, maxFrames);
}

bool GuardRig::runUntil(sim::Session& session, const std::function<bool()>& done, int maxFrames) {
    return session.runUntil(done, maxFrames);
}

void GuardRig::frameStep() {
    instance().step();
}

void GuardRig::step() {
    for (int ped : pending_) {
        auto* ai = new drovil::GuardAI(drovil::Ped(ped));
        ai->subscribe(recorder_);
        guards_[ped] = ai;
    }
    pending_.clear();
    if (job_) {
        std::function<void()> job = std::move(job_);
        job_ = nullptr;
        job();
        jobDone_ = true;
    }
    for (auto& [ped, ai] : guards_)
        if (ai->isAlive())
            ai->update();
}

bool movePlayer(sim::Session& session, const drovil::Vector3& to, float metresPerSecond,
                const std::function<bool()>& stop, int maxFrames) {
    sim::World& world = session.world();
    const float stride = metresPerSecond * static_cast<float>(world.clock.frameMs) / 1000.0f;
    for (int frame = 0; frame < maxFrames; ++frame) {
        sim::EntityRecord& player = world.playerPed();
        sim::moveTowards(player.position, player.heading, to, stride, 0.01f);
        session.runFrames(1);
        if (stop && stop())
            return true;
        if (flatDistance(world.playerPed().position, to) <= 0.01f)
            return false;
    }
    return false;
}

void circlePlayer(sim::Session& session, const drovil::Vector3& centre, float radius, float metresPerSecond,
                  int frames) {
    sim::World& world = session.world();
    sim::EntityRecord& start = world.playerPed();
    float angle = std::atan2(start.position.y - centre.y, start.position.x - centre.x);
    const float step = metresPerSecond * static_cast<float>(world.clock.frameMs) / 1000.0f / radius;
    for (int frame = 0; frame < frames; ++frame) {
        angle += step;
        sim::EntityRecord& player = world.playerPed();
        player.position = drovil::Vector3(centre.x + radius * std::cos(angle),
                                          centre.y + radius * std::sin(angle), centre.z);
        session.runFrames(1);
    }
}

} // namespace guardtest
