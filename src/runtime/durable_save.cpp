#include "runtime/durable_save.h"

#include "runtime/file_writer.h"
#include "runtime/log.h"
#include "ui/text.h"

#include <vector>

namespace drovil {
namespace {

// A retry about every five seconds of frames: a disk that is full or a file
// held by another program gets time to come back, and the log is not flooded.
constexpr int framesBetweenRetries = 300;

struct SaveWatch {
    std::vector<WriteOutcome> outcomes; // reused, so a frame without writes allocates nothing
    bool reported = false;              // the player has been told since the last success
    int framesToRetry = 0;
};

SaveWatch& watch() {
    static auto* saves = new SaveWatch();
    return *saves;
}

void reportFailure(const std::string& path) {
    if (watch().reported)
        return;
    watch().reported = true;
    log("Drovil cannot save " + path +
        ": the contracts and the reward are kept while the game runs and saving is tried again");
    showSubtitle("Drovil cannot save its files, please check the logs for more info.");
}

} // namespace

WriteTicket saveDurably(BaseDataFile& file) {
    return file.queueSave(false);
}

bool hasPendingSaves() {
    return fileWriterHeld();
}

void retryPendingSaves() {
    SaveWatch& saves = watch();
    saves.outcomes.clear();
    takeFileWriteOutcomes(saves.outcomes);
    bool anyWritten = false;
    for (const WriteOutcome& outcome : saves.outcomes) {
        switch (outcome.result) {
        case FileWriteResult::written:
            log("file saved: " + outcome.path);
            anyWritten = true;
            continue;
        case FileWriteResult::cannotOpen:
            log("unable to open file, please make sure it exists.");
            break;
        case FileWriteResult::writeFailed:
            break;
        }
        log("save failed in file: " + outcome.path);
        saves.framesToRetry = framesBetweenRetries;
        reportFailure(outcome.path);
    }
    const bool held = fileWriterHeld();
    if (anyWritten && !held && saves.reported) {
        log("Drovil can save again: every file is saved");
        saves.reported = false;
    }
    if (held && --saves.framesToRetry <= 0) {
        saves.framesToRetry = framesBetweenRetries;
        retryFileWrites();
    }
}

} // namespace drovil
