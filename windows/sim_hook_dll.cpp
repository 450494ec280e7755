// ScriptHookRDR2.dll as the stand-in host builds it for Windows: the hook's
// eight functions (exported by ScriptHookRDR2.def under their decorated and
// plain names) forward to the simulator, and a few plain exports let
// drovil-loader.exe drive frames and keys as the game would.
//
// The host also keeps its own record, sim-host.log in the working directory:
// every registration and withdrawal and every subtitle the game shows, one per
// line, so that a run of the real library can be checked from outside.
#include "host/sim_host.h"
#include "runtime/game_language.h"
#include "scenarios/play_report.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

sim::SimHost& host() {
    return sim::SimHost::instance();
}

// Appends one line to sim-host.log, closing the file each time so that the
// line survives a crash that follows.
void hostLog(const std::string& line) {
    std::FILE* file = std::fopen("sim-host.log", "a");
    if (file == nullptr)
        return;
    std::fputs(line.c_str(), file);
    std::fputc('\n', file);
    std::fclose(file);
}

std::string frameTag() {
    return "[frame " + std::to_string(host().frame()) + "] ";
}

// Subtitles already written to the record.
std::size_t subtitlesLogged = 0;

void logNewSubtitles() {
    const auto& subtitles = host().world().hud.subtitles;
    for (; subtitlesLogged < subtitles.size(); ++subtitlesLogged)
        hostLog("[frame " + std::to_string(subtitles[subtitlesLogged].frame) +
                "] subtitle: " + subtitles[subtitlesLogged].text);
}

// The game as a scenario sees it here: this host's world and frames, and the
// Drovil/ folder of the working directory the game runs in.
class HookGame : public sim::ScenarioGame {
public:
    sim::World& world() override { return host().world(); }
    void runFrame() override {
        host().runFrame();
        logNewSubtitles();
    }
    std::string log() const override { return readFile("Log.log"); }
    std::filesystem::path logPath() const override { return std::filesystem::path("Drovil") / "Log.log"; }
    std::string readFile(const std::string& relativeToDrovil) const override {
        std::ifstream in(std::filesystem::path("Drovil") / relativeToDrovil, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool fileExists(const std::string& relativeToDrovil) const override {
        return std::filesystem::exists(std::filesystem::path("Drovil") / relativeToDrovil);
    }
    bool scriptStopped() const override { return host().anyScriptFinished(); }
    std::string gameFolder() const override { return std::filesystem::current_path().string(); }
};

} // namespace

extern "C" {

// The hook's functions. The host table's fixed-width types have the sizes of
// the hook's Windows types (HMODULE, DWORD, WORD, BYTE, BOOL), so these are the
// hook's calls on x64.
void simScriptRegister(void* module, drovil::ScriptMain script) {
    host().registerScript(module, script);
    hostLog(frameTag() + "scriptRegister: scripts registered " + std::to_string(host().registeredScripts()));
}

void simScriptUnregister(void* module) {
    host().unregisterScript(module);
    hostLog(frameTag() + "scriptUnregister: scripts registered " +
            std::to_string(host().registeredScripts()));
}

void simKeyboardHandlerRegister(drovil::KeyboardHandler handler) {
    host().registerKeyboardHandler(handler);
    hostLog(frameTag() + "keyboardHandlerRegister: keyboard handlers registered " +
            std::to_string(host().registeredKeyboardHandlers()));
}

void simKeyboardHandlerUnregister(drovil::KeyboardHandler handler) {
    host().unregisterKeyboardHandler(handler);
    hostLog(frameTag() + "keyboardHandlerUnregister: keyboard handlers registered " +
            std::to_string(host().registeredKeyboardHandlers()));
}

void simScriptWait(std::uint32_t milliseconds) {
    host().wait(milliseconds);
}

void simNativeInit(std::uint64_t hash) {
    host().nativeInit(hash);
}

void simNativePush64(std::uint64_t value) {
    host().nativePush(value);
}

std::uint64_t* simNativeCall() {
    return host().nativeCall();
}

// The game's side, for the loader.

// Runs `count` frames; the subtitles they showed go to the record.
void simRunFrames(int count) {
    for (int i = 0; i < count; ++i) {
        host().runFrame();
        logNewSubtitles();
    }
}

// A key pressed and released at once, as the window procedure reports it.
void simKeyTap(unsigned key) {
    hostLog(frameTag() + "key tap: " + std::to_string(key));
    host().keyDown(key);
    host().keyUp(key);
}

// Plays a scenario of the simulator's scripted player with the plug-in that is
// loaded, printing its timeline to standard output, before any frame has run.
// Returns 0 when it succeeded, 1 when it failed, 2 for an unknown scenario.
int simPlayScenario(const char* name, unsigned seed, int frameLimit) {
    const sim::ScenarioDefinition* scenario = sim::findScenario(name ? name : "");
    if (scenario == nullptr)
        return 2;
    hostLog(frameTag() + "playing scenario " + scenario->name + " with seed " + std::to_string(seed));
    for (const auto& [file, text] : sim::scenarioFiles(*scenario)) {
        const std::filesystem::path path = std::filesystem::path("Drovil") / file;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }
    host().reseed(seed);
    HookGame game;
    const int status = sim::playWithTimeline(*scenario, game, seed, frameLimit, sim::TimelineOptions{}, std::cout);
    std::cout.flush();
    return status;
}

// Sets the language the game reports, by its tag ("fr"), before the plug-in
// starts. Returns 0, or 2 for a tag no game language has.
int simSetLanguage(const char* tag) {
    const drovil::GameLanguage* language = drovil::findLanguageTag(tag ? tag : "");
    if (language == nullptr)
        return 2;
    host().world().language = language->id;
    hostLog(frameTag() + "the game's language: " + language->name);
    return 0;
}

int simRegisteredScripts() {
    return static_cast<int>(host().registeredScripts());
}

int simRegisteredKeyboardHandlers() {
    return static_cast<int>(host().registeredKeyboardHandlers());
}

} // extern "C"
