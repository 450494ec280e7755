#include "runtime/durable_save.h"

#include "runtime/log.h"
#include "ui/text.h"

#include <algorithm>
#include <vector>

namespace drovil {
namespace {

// A retry about every five seconds of frames: a disk that is full or a file
// held by another program gets time to come back, and the log is not flooded.
constexpr int framesBetweenRetries = 300;

struct PendingSaves {
    std::vector<DictDataFile*> files; // in the order they must reach the disk
    bool reported = false;            // the player has been told since the last success
    int framesToRetry = 0;
};

PendingSaves& pending() {
    static auto* saves = new PendingSaves();
    return *saves;
}

void remember(DictDataFile& file) {
    std::vector<DictDataFile*>& files = pending().files;
    if (std::find(files.begin(), files.end(), &file) == files.end())
        files.push_back(&file);
}

void reportFailure(const DictDataFile& file) {
    if (pending().reported)
        return;
    pending().reported = true;
    log("Drovil cannot save " + file.path() +
        ": the contracts and the reward are kept while the game runs and saving is tried again");
    showSubtitle("Drovil cannot save its files, please check the logs for more info.");
}

} // namespace

bool saveDurably(DictDataFile& file) {
    if (file.save(false)) {
        // The disk is back: the saves waiting behind follow with the next frame.
        if (hasPendingSaves())
            pending().framesToRetry = 1;
        return true;
    }
    remember(file);
    pending().framesToRetry = framesBetweenRetries;
    reportFailure(file);
    return false;
}

void saveAfterPendingSaves(DictDataFile& file) {
    if (hasPendingSaves())
        remember(file);
    else
        saveDurably(file);
}

bool hasPendingSaves() {
    return !pending().files.empty();
}

void retryPendingSaves() {
    PendingSaves& saves = pending();
    if (saves.files.empty() || --saves.framesToRetry > 0)
        return;
    saves.framesToRetry = framesBetweenRetries;
    while (!saves.files.empty()) {
        DictDataFile& file = *saves.files.front();
        if (!file.save(false))
            return;
        saves.files.erase(saves.files.begin());
    }
    log("Drovil can save again: every file is saved");
    saves.reported = false;
}

} // namespace drovil
