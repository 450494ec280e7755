#include "runtime/file_writer.h"

#include "runtime/file_write.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

namespace drovil {
namespace {

// How long finish() waits for a write the writer thread is in the middle of.
// At the process's exit the thread may already be gone (Windows ends the other
// threads before a library is told of the exit): the write is then done again.
constexpr std::chrono::seconds writerGoneAfter{5};

struct Write {
    std::string path;
    std::string contents;
    WriteTicket ticket = 0;
};

// Never destroyed: the detached writer thread may still wait on it while the
// process's static objects go away.
struct Writer {
    // The script thread's own: the writes of the frame not handed over yet.
    std::vector<Write> frame;
    WriteTicket lastTicket = 0;

    std::mutex mutex;
    std::condition_variable workArrived;
    std::condition_variable writeEnded;
    std::deque<Write> queue;   // handed over, in order; the head may be being written
    bool writing = false;      // the head is being written (by the thread or by finish)
    bool held = false;         // the head failed and waits to be tried again
    WriteTicket heldThrough = 0; // the failed head's ticket (the newest merged into it)
    bool threadStarted = false;
    WriteTicket writtenThrough = 0;
    std::vector<WriteOutcome> outcomes;
};

Writer& writer() {
    static auto* instance = new Writer();
    return *instance;
}

// Writes the head of the queue with the lock released, then records how it went.
// The head is not touched by anyone else meanwhile: `writing` keeps queueWrite
// from merging into it, and a deque keeps its elements in place as it grows.
void writeHead(Writer& w, std::unique_lock<std::mutex>& lock) {
    w.writing = true;
    Write& head = w.queue.front();
    lock.unlock();
    const FileWriteResult result = writeFileAtomically(head.path, head.contents);
    lock.lock();
    w.writing = false;
    w.outcomes.push_back(WriteOutcome{head.path, result});
    if (result == FileWriteResult::written) {
        w.writtenThrough = head.ticket;
        w.queue.pop_front();
    } else {
        w.held = true;
        w.heldThrough = head.ticket;
    }
    w.writeEnded.notify_all();
}

void runWriter() {
    Writer& w = writer();
    std::unique_lock<std::mutex> lock(w.mutex);
    for (;;) {
        w.workArrived.wait(lock, [&w] { return !w.queue.empty() && !w.held && !w.writing; });
        writeHead(w, lock);
    }
}

// Appends a write, or gives the last waiting write of the same file its newer
// contents: nothing queued between them, so the order of the files on disk is
// the same.
template <class Queue> void addWrite(Queue& queue, Write&& write, bool lastIsBeingWritten) {
    if (!queue.empty() && !lastIsBeingWritten && queue.back().path == write.path) {
        queue.back().contents = std::move(write.contents);
        queue.back().ticket = write.ticket;
        return;
    }
    queue.push_back(std::move(write));
}

} // namespace

WriteTicket queueFileWrite(const std::string& path, std::string contents) {
    Writer& w = writer();
    const WriteTicket ticket = ++w.lastTicket;
    addWrite(w.frame, Write{path, std::move(contents), ticket}, false);
    return ticket;
}

void handOverFileWrites() {
    Writer& w = writer();
    if (w.frame.empty())
        return;
    {
        std::lock_guard<std::mutex> lock(w.mutex);
        for (Write& write : w.frame)
            addWrite(w.queue, std::move(write), w.writing && w.queue.size() == 1);
        // New contents: a write that failed is tried again with them.
        w.held = false;
        if (!w.threadStarted) {
            w.threadStarted = true;
            std::thread(runWriter).detach();
        }
    }
    w.frame.clear();
    w.workArrived.notify_one();
}

WriteState fileWriteState(WriteTicket ticket) {
    Writer& w = writer();
    std::lock_guard<std::mutex> lock(w.mutex);
    if (ticket <= w.writtenThrough)
        return WriteState::written;
    // A write behind the failed one waits for it; it has not failed itself.
    return w.held && ticket <= w.heldThrough ? WriteState::failed : WriteState::waiting;
}

std::optional<std::string> pendingFileContents(const std::string& path) {
    Writer& w = writer();
    for (auto write = w.frame.rbegin(); write != w.frame.rend(); ++write)
        if (write->path == path)
            return write->contents;
    std::lock_guard<std::mutex> lock(w.mutex);
    for (auto write = w.queue.rbegin(); write != w.queue.rend(); ++write)
        if (write->path == path)
            return write->contents;
    return std::nullopt;
}

void takeFileWriteOutcomes(std::vector<WriteOutcome>& into) {
    Writer& w = writer();
    std::lock_guard<std::mutex> lock(w.mutex);
    if (w.outcomes.empty())
        return;
    for (WriteOutcome& outcome : w.outcomes)
        into.push_back(std::move(outcome));
    w.outcomes.clear();
}

bool fileWriterHeld() {
    Writer& w = writer();
    std::lock_guard<std::mutex> lock(w.mutex);
    return w.held;
}

void retryFileWrites() {
    Writer& w = writer();
    {
        std::lock_guard<std::mutex> lock(w.mutex);
        if (!w.held)
            return;
        w.held = false;
    }
    w.workArrived.notify_one();
}

void waitForFileWrites() {
    Writer& w = writer();
    std::unique_lock<std::mutex> lock(w.mutex);
    w.writeEnded.wait(lock, [&w] { return !w.writing && (w.queue.empty() || w.held); });
}

void finishFileWrites() {
    handOverFileWrites();
    Writer& w = writer();
    std::unique_lock<std::mutex> lock(w.mutex);
    w.held = false; // every waiting write is tried once more
    while (!w.queue.empty()) {
        if (w.writing && !w.writeEnded.wait_for(lock, writerGoneAfter, [&w] { return !w.writing; }))
            w.writing = false; // the thread is gone: its write is done again here
        if (w.queue.empty())
            break;
        if (w.held)
            return; // it failed again; the old file is still whole on the disk
        writeHead(w, lock);
    }
}

} // namespace drovil
