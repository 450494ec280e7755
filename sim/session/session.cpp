#include "session/session.h"

#include "runtime/file_writer.h"
#include "runtime/host_api.h"
#include "runtime/plugin_entry.h"
#include "runtime/settings_format.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace sim {
namespace fs = std::filesystem;

namespace {
// Stands for the plug-in's module handle.
int pluginModule = 0;

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// The copied defaults with their AliveBounties line turned off, every other
// line as it was: the player's own Settings.ini stays his (a test's lines may
// still switch it on there).
void keepContractsDeadOnly(const fs::path& settingsFile) {
    std::ifstream in(settingsFile, std::ios::binary);
    if (!in)
        return;
    std::ostringstream out;
    std::string line;
    while (std::getline(in, line)) {
        std::string name, value;
        const std::string text = !line.empty() && line.back() == '\r' ? line.substr(0, line.size() - 1) : line;
        if (drovil::parseSettingsLine(text, name, value) == drovil::SettingsLine::Setting && name == "AliveBounties")
            line = "AliveBounties=0";
        out << line << "\n";
    }
    in.close();
    writeText(settingsFile, out.str());
}
} // namespace

fs::path makeTemporaryFolder(const std::string& prefix) {
    std::random_device entropy;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() /
                             (prefix + "-" + std::to_string(stamp) + "-" + std::to_string(entropy() % 1000000));
        if (fs::create_directories(candidate))
            return candidate;
    }
    throw std::runtime_error("cannot create a temporary folder");
}

Session::Session(SessionOptions options) : options_(std::move(options)) {
    // The plug-in's singletons live for the process: a second session would
    // inherit the first one's state. Run tests one per process (ctest does).
    static std::atomic<bool> sessionMade{false};
    if (sessionMade.exchange(true))
        throw std::logic_error("only one simulated game session per process");
    if (!options_.reuseGameDir.empty()) {
        gameDir_ = fs::absolute(options_.reuseGameDir);
    } else {
        gameDir_ = makeTemporaryFolder("drovil-game");
        ownsGameDir_ = !options_.keepGameDir;
        fs::copy(DROVIL_DATA_DIR, gameDir_ / "Drovil", fs::copy_options::recursive);
        if (!options_.aliveBounties)
            keepContractsDeadOnly(gameDir_ / "Drovil" / "Defaults" / "Settings.ini");
    }
    const fs::path drovil = gameDir_ / "Drovil";
    if (!options_.settingsLines.empty() && fs::exists(drovil)) {
        std::ofstream settings(drovil / "Settings.ini", std::ios::app);
        settings << "\n";
        for (const std::string& line : options_.settingsLines)
            settings << line << "\n";
    }
    for (const std::string& name : options_.removeFiles)
        fs::remove(drovil / name);
    for (const auto& [name, text] : options_.writeFiles) {
        fs::create_directories((drovil / name).parent_path());
        writeText(drovil / name, text);
    }
    logSizeAtStart_ = readFile("Log.log").size();
    // The plug-in reads Drovil/ relative to the game's working directory.
    fs::current_path(gameDir_);
    host().reseed(options_.seed);
    world().language = options_.language;
    drovil::bindHost(host().api(), &SimHost::tickCount);
    // The plug-in writes its saves on a thread of its own while the game goes
    // on. A game frame lasts 16 to 33 ms, far longer than a write; the
    // simulator plays frames in microseconds, so before each frame it lets the
    // writes of the last one finish, as the game's clock would: a run then
    // plays out the same every time (a payment is made once its save is
    // written). The wait is the game's, not counted in the plug-in's time.
    host().addFrameHook([] { drovil::waitForFileWrites(); });
    attach();
}

Session::~Session() {
    // The plug-in's last saves reach the disk before the folder goes.
    drovil::finishFileWrites();
    if (ownsGameDir_) {
        std::error_code ignored;
        fs::current_path(fs::temp_directory_path(), ignored);
        fs::remove_all(gameDir_, ignored);
    }
}

void Session::attach() {
    if (attached_)
        return;
    drovil::onProcessAttach(&pluginModule);
    attached_ = true;
}

void Session::detach() {
    if (!attached_)
        return;
    drovil::onProcessDetach(&pluginModule);
    attached_ = false;
}

void Session::runFrames(int count) {
    for (int i = 0; i < count; ++i)
        host().runFrame();
}

bool Session::runUntil(const std::function<bool()>& done, int maxFrames) {
    for (int i = 0; i < maxFrames; ++i) {
        host().runFrame();
        if (done())
            return true;
    }
    return false;
}

void Session::runFor(std::uint32_t milliseconds) {
    const std::uint64_t until = world().clock.elapsedMs + milliseconds;
    while (world().clock.elapsedMs < until)
        host().runFrame();
}

void Session::tapKey(std::uint32_t key) {
    host().keyDown(key);
    host().keyUp(key);
}

std::string Session::readFile(const std::string& relativeToDrovil) const {
    drovil::waitForFileWrites();
    std::ifstream in(gameDir_ / "Drovil" / relativeToDrovil, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Session::fileExists(const std::string& relativeToDrovil) const {
    drovil::waitForFileWrites();
    return fs::exists(gameDir_ / "Drovil" / relativeToDrovil);
}

} // namespace sim
