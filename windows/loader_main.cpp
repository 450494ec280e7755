// drovil-loader.exe: plays the game's part for the real Windows library. Run in
// a game folder, it loads ScriptHookRDR2.dll (the stand-in host) and then
// Drovil.asi with LoadLibraryA, as the game's ASI loader does, runs frames,
// taps F2 twice (or, with --scenario NAME [--seed N] [--frames N], has the host
// play that scenario of the scripted player and print its timeline; with
// --language TAG the game is set to that language first), unloads
// the plug-in and checks that the plug-in withdrew its script and keyboard
// handler. After the unload it keeps the game running a
// little and taps F2 once more: a registration left behind would make the host
// call into the unloaded library and crash the process.
//
// Exit codes: 0 success, 20 the host library did not load, 21 the plug-in did
// not load, 22 the plug-in did not register, 23 it did not withdraw at unload,
// 24 the scenario failed or is unknown, 25 the language is unknown; a
// crash ends the process with the exception code (whose low byte a Unix shell
// sees under Wine: 5 for an access violation).
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using RunFrames = void (*)(int count);
using KeyTap = void (*)(unsigned key);
using Count = int (*)();
using PlayScenario = int (*)(const char* name, unsigned seed, int frameLimit);
using SetLanguage = int (*)(const char* tag);

constexpr unsigned kF2 = 0x71;

struct Host {
    RunFrames runFrames = nullptr;
    KeyTap keyTap = nullptr;
    Count scripts = nullptr;
    Count keyboardHandlers = nullptr;
    PlayScenario playScenario = nullptr;
    SetLanguage setLanguage = nullptr;
};

// What the command line asks for: a smoke run of `frames` frames, or a
// scenario of the simulator's scripted player.
struct Run {
    int frames = 300;
    const char* scenario = nullptr;
    unsigned seed = 1;
    int frameLimit = 60000;
    const char* language = nullptr;
};

Run readCommandLine(int argc, char** argv) {
    Run run;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--scenario") == 0 && hasValue) {
            run.scenario = argv[++i];
        } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue) {
            run.seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else if (std::strcmp(argv[i], "--language") == 0 && hasValue) {
            run.language = argv[++i];
        } else if (std::strcmp(argv[i], "--frames") == 0 && hasValue) {
            run.frameLimit = std::atoi(argv[++i]);
        } else {
            const int frames = std::atoi(argv[i]);
            if (frames > 0)
                run.frames = frames;
        }
    }
    return run;
}

template <typename Function> bool bind(HMODULE module, const char* name, Function& target) {
    FARPROC address = GetProcAddress(module, name);
    if (address == nullptr) {
        std::printf("drovil-loader: ScriptHookRDR2.dll does not export %s\n", name);
        return false;
    }
    target = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
    return true;
}

// A crash anywhere in the process (the plug-in, the host, or code of an
// unloaded library) ends the run at once with the exception's code, instead of
// waiting for a debugger.
LONG WINAPI reportCrash(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    std::printf("drovil-loader: crashed with exception 0x%08lX at %p\n",
                static_cast<unsigned long>(record->ExceptionCode), record->ExceptionAddress);
    std::fflush(stdout);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(reportCrash);
    const Run run = readCommandLine(argc, argv);

    HMODULE hookModule = LoadLibraryA("ScriptHookRDR2.dll");
    if (hookModule == nullptr) {
        std::printf("drovil-loader: cannot load ScriptHookRDR2.dll (error %lu)\n", GetLastError());
        return 20;
    }
    Host host;
    if (!bind(hookModule, "simRunFrames", host.runFrames) || !bind(hookModule, "simKeyTap", host.keyTap) ||
        !bind(hookModule, "simRegisteredScripts", host.scripts) ||
        !bind(hookModule, "simRegisteredKeyboardHandlers", host.keyboardHandlers) ||
        !bind(hookModule, "simPlayScenario", host.playScenario) ||
        !bind(hookModule, "simSetLanguage", host.setLanguage))
        return 20;
    // The game's language is set before the plug-in starts, as the player set it.
    if (run.language != nullptr && host.setLanguage(run.language) != 0) {
        std::printf("drovil-loader: the game has no language '%s'\n", run.language);
        return 25;
    }

    HMODULE plugin = LoadLibraryA("Drovil.asi");
    if (plugin == nullptr) {
        std::printf("drovil-loader: cannot load Drovil.asi (error %lu)\n", GetLastError());
        return 21;
    }
    std::printf("drovil-loader: Drovil.asi loaded: %d script(s), %d keyboard handler(s) registered\n",
                host.scripts(), host.keyboardHandlers());
    if (host.scripts() != 1 || host.keyboardHandlers() != 1) {
        std::printf("drovil-loader: the plug-in did not register one script and one keyboard handler\n");
        return 22;
    }

    int outcome = 0;
    if (run.scenario != nullptr) {
        outcome = host.playScenario(run.scenario, run.seed, run.frameLimit);
        std::printf("drovil-loader: scenario %s %s\n", run.scenario,
                    outcome == 0 ? "succeeded" : (outcome == 2 ? "is unknown" : "failed"));
    } else {
        host.runFrames(run.frames);
        std::printf("drovil-loader: %d frames run, pressing F2\n", run.frames);
        host.keyTap(kF2);
        host.runFrames(30);
        std::printf("drovil-loader: pressing F2 again\n");
        host.keyTap(kF2);
        host.runFrames(30);
    }

    if (!FreeLibrary(plugin)) {
        std::printf("drovil-loader: FreeLibrary(Drovil.asi) failed (error %lu)\n", GetLastError());
        return 23;
    }
    std::printf("drovil-loader: Drovil.asi unloaded: %d script(s), %d keyboard handler(s) registered\n",
                host.scripts(), host.keyboardHandlers());
    if (host.scripts() != 0 || host.keyboardHandlers() != 0) {
        std::printf("drovil-loader: the plug-in left a registration behind at unload\n");
        return 23;
    }
    // Nothing of the unloaded library may run from here on.
    host.runFrames(10);
    host.keyTap(kF2);
    host.runFrames(10);
    std::printf("drovil-loader: done\n");
    return outcome == 0 ? 0 : 24;
}
