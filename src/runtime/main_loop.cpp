#include "runtime/main_loop.h"

#include "drovil_version.h"
#include "runtime/build_info.h"
#include "runtime/data_files.h"
#include "runtime/debug_tools.h"
#include "runtime/game_language.h"
#include "runtime/host_api.h"
#include "runtime/keyboard.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "runtime/player_overrides.h"
#include "runtime/settings.h"
#include "runtime/startup_objects.h"
#include "ui/text.h"

#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

namespace drovil {
namespace {

constexpr unsigned keyF2 = 113;

const char* const contractDecorators[] = {
    "KV_Drovil_isContractTarget",    "KV_Drovil_discoveredBody",
    "KV_Drovil_seenByPlayer",        "KV_Drovil_knockedOutTutorial",
    "KV_Drovil_prostituteInteractionStep", "KV_Drovil_isContractCard",
};

void writeBanner() {
    log(std::string("==================================================\n") + "Drovil " + DROVIL_VERSION +
        ": bounty contracts for the frontier (" + buildDescription() + ")\n" +
        "If something goes wrong, please attach this file (Drovil/Log.log) to every bug report.\n" +
        "==================================================");
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// The translation read over the texts: the one of the language the game is
// set to when it starts.
void chooseTranslation() {
    const int id = natives::localization::currentLanguage();
    const GameLanguage* language = findGameLanguage(id);
    if (!language) {
        log("the game's language " + std::to_string(id) + " is not one Drovil knows: the texts are not translated");
        langFile().setTopLayer("");
        return;
    }
    const std::string name = translationFileName(*language);
    log("the game's language: " + std::string(language->name) + " (" + language->tag + "): Drovil/" + name +
        " is read over the texts when it is there");
    langFile().setTopLayer(name);
}

// The files of the player's left out are told once on screen too: his
// changes are not in force, and he may never read the log. The text is fixed,
// for the texts themselves may be a file that did not load.
void tellDamagedPlayerFiles() {
    std::string damaged;
    for (const LayeredDataFile* file : {&langFile(), &generalMetaFile(), &aiFile()}) {
        for (const LayeredDataFile::Layer* layer : file->damagedLayers()) {
            damaged += damaged.empty() ? "" : ", ";
            damaged += layer->path + (layer->failedLine > 0 ? " (line " + std::to_string(layer->failedLine) + ")"
                                                            : std::string(" (unreadable)"));
        }
    }
    if (!damaged.empty())
        showSubtitle("Drovil: cannot read " + damaged + ", the defaults are used instead. See Drovil/Log.log.");
}

bool loadDataFiles() {
    chooseTranslation();
    LayeredDataFile* required[] = {&langFile(), &generalMetaFile(), &aiFile()};
    for (LayeredDataFile* file : required)
        if (!file->load())
            return false;
    // The player's own save is not shipped, so that copying a new version over
    // an installed one never wipes it: without one the game starts with none
    // and it is written at the first save. One that is there but does not load
    // stops start-up, so that it is never overwritten.
    const bool hasSave = fileExists(savegameFile().path());
    if (!savegameFile().load()) {
        if (hasSave)
            return false;
        log("Savegame.dat not found: starting without saved contracts, it is written at the first save");
    }
    if (!tutorialFlagsFile().load())
        log("TutorialFlags didn't load properly, continuing anyway.");
    reportPlayerKeysAfterUpdate();
    tellDamagedPlayerFiles();
    return true;
}

// The same error met frame after frame would fill the log (megabytes in a
// few minutes): it is written the first time, then at the 10th, 100th, 1000th...
// time in a row with its count; the subtitle is shown every time. A frame
// without an error ends the row.
struct RepeatedError {
    std::string message;
    long long times = 0;
};

RepeatedError& lastError() {
    static auto* error = new RepeatedError();
    return *error;
}

bool isPowerOfTen(long long n) {
    while (n >= 10 && n % 10 == 0)
        n /= 10;
    return n == 1;
}

void reportFrameError(const std::exception* error) {
    const std::string message =
        error ? std::string("Fatal: ") + error->what() + ", check the logs for more info." : std::string();
    RepeatedError& last = lastError();
    last.times = message == last.message ? last.times + 1 : 1;
    last.message = message;
    if (isPowerOfTen(last.times)) {
        log("Something wrong happened");
        if (last.times > 1)
            log("the same error as before, " + std::to_string(last.times) + " times in a row");
        log(error ? message : std::string("No exception captured."));
    }
    if (error)
        showSubtitle(message);
}

// Runs one step of the frame inside the exception guard; false when it threw.
template <class Step> bool guarded(Step step) {
    try {
        step();
        return true;
    } catch (const std::exception& error) {
        reportFrameError(&error);
    } catch (...) {
        reportFrameError(nullptr);
    }
    return false;
}

bool startUpInOrder() {
    refreshPlayerPed();
    writeBanner();
    loadSettings();
    scriptWait(0);
    if (!loadDataFiles())
        return false;
    scriptWait(0);
    for (const char* name : contractDecorators)
        natives::decorator::registerName(name, 3);
    createLongLivedObjects();
    log("initialization complete");
    return true;
}

} // namespace

bool startUp() {
    // Nothing read from the files may kill the game: an error that escapes
    // start-up is reported and the plug-in stays inactive.
    try {
        return startUpInOrder();
    } catch (const std::exception& error) {
        log(std::string("start-up failed: ") + error.what());
    } catch (...) {
        log("start-up failed: No exception captured.");
    }
    return false;
}

void runFrame() {
    refreshPlayerPed();
    bool clean = guarded(runGuardedFrameSteps);
    // The debug tools run outside the frame's own steps, each with a guard of
    // its own: an error there must neither end the script nor stop the frame.
    if (isDebugToolsOn())
        clean = guarded(runDebugFrame) && clean;
    clean = guarded([] {
        if (getSettingBool("DevTools") && wasKeyJustReleased(keyF2, true))
            toggleDebugTools();
    }) && clean;
    if (clean)
        lastError() = RepeatedError();
}

void runPlugin() {
    if (!startUp()) {
        showSubtitle("Failed to load Drovil, please check the logs for more info.");
        return;
    }
    for (;;) {
        runFrame();
        scriptWait(0);
    }
}

} // namespace drovil
