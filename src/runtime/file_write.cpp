#include "runtime/file_write.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <optional>
#include <utility>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#else
#include <filesystem>
#include <system_error>
#include <unistd.h>
#endif

namespace drovil {
namespace {

// Set by a test on the script's thread, used up by the writer's thread.
std::mutex& faultMutex() {
    static auto* mutex = new std::mutex();
    return *mutex;
}

std::optional<std::size_t>& pendingFault() {
    static std::optional<std::size_t> fault;
    return fault;
}

std::optional<std::size_t> takeFault() {
    std::lock_guard<std::mutex> lock(faultMutex());
    return std::exchange(pendingFault(), std::nullopt);
}

#ifdef _WIN32
std::FILE* openForWriting(const std::string& path) {
    std::FILE* file = nullptr;
    return fopen_s(&file, path.c_str(), "w") == 0 ? file : nullptr;
}

bool flushToDisk(std::FILE* file) {
    return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
#else
std::FILE* openForWriting(const std::string& path) {
    return std::fopen(path.c_str(), "w");
}

bool flushToDisk(std::FILE* file) {
    return std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return !error;
}
#endif

} // namespace

std::string temporaryPathFor(const std::string& path) {
    return path + ".tmp";
}

FileWriteResult writeFileAtomically(const std::string& path, const std::string& contents) {
    const std::optional<std::size_t> fault = takeFault();
    const std::string temporary = temporaryPathFor(path);

    std::FILE* file = openForWriting(temporary);
    if (!file)
        return FileWriteResult::cannotOpen;

    const std::size_t length = fault ? std::min(*fault, contents.size()) : contents.size();
    bool ok = std::fwrite(contents.data(), 1, length, file) == length && !fault;
    ok = ok && flushToDisk(file);
    // Closed in every case, and a failing close fails the write: the buffered
    // tail may not have reached the disk.
    ok = (std::fclose(file) == 0) && ok;
    ok = ok && replaceFile(temporary, path);
    if (!ok) {
        std::remove(temporary.c_str());
        return FileWriteResult::writeFailed;
    }
    return FileWriteResult::written;
}

void failNextWriteAfter(std::size_t bytes) {
    std::lock_guard<std::mutex> lock(faultMutex());
    pendingFault() = bytes;
}

void clearWriteFault() {
    std::lock_guard<std::mutex> lock(faultMutex());
    pendingFault().reset();
}

} // namespace drovil
