#include "runtime/main_loop.h"

#include "drovil_version.h"
#include "runtime/build_info.h"
#include "runtime/data_files.h"
#include "runtime/debug_tools.h"
#include "runtime/host_api.h"
#include "runtime/keyboard.h"
#include "runtime/log.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "runtime/settings.h"
#include "runtime/startup_objects.h"
#include "ui/text.h"

#include <exception>
#include <string>

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

bool loadDataFiles() {
    DictDataFile* required[] = {&langFile(), &generalMetaFile(), &aiFile(), &savegameFile()};
    for (DictDataFile* file : required)
        if (!file->load())
            return false;
    if (!tutorialFlagsFile().load())
        log("TutorialFlags didn't load properly, continuing anyway.");
    return true;
}

void reportFrameError(const std::exception* error) {
    log("Something wrong happened");
    if (!error) {
        log("No exception captured.");
        return;
    }
    const std::string message = std::string("Fatal: ") + error->what() + ", check the logs for more info.";
    log(message);
    showSubtitle(message);
}

} // namespace

bool startUp() {
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

void runFrame() {
    refreshPlayerPed();
    try {
        runGuardedFrameSteps();
    } catch (const std::exception& error) {
        reportFrameError(&error);
    } catch (...) {
        reportFrameError(nullptr);
    }
    if (isDebugToolsOn())
        runDebugFrame();
    if (getSettingBool("DevTools") && wasKeyJustReleased(keyF2, true))
        toggleDebugTools();
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
