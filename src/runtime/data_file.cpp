#include "runtime/data_file.h"

#include "runtime/file_write.h"
#include "runtime/log.h"
#include "runtime/number_text.h"
#include "runtime/text_lines.h"

#include <fstream>
#include <locale>
#include <set>
#include <sstream>

namespace drovil {
namespace {

const std::string& emptyText() {
    static const std::string* empty = new std::string();
    return *empty;
}

} // namespace

const std::string& dataPath(const std::string& name) {
    // A node-based set never moves its elements, so every path handed out stays
    // valid for the rest of the process; it is never destroyed for the same reason.
    static std::set<std::string>* paths = new std::set<std::string>();
    return *paths->insert(dataPathText(name)).first;
}

std::string dataPathText(const std::string& name) { return "Drovil/" + name; }

bool BaseDataFile::load() {
    log("loading data file: " + path_);
    if (std::optional<std::string> waiting = pendingFileContents(path_)) {
        // The disk is behind: what is on its way there is the file.
        log("data file found: " + path_);
        std::istringstream text(*waiting);
        return loadFrom(text);
    }
    std::ifstream file(path_);
    if (!file.is_open()) {
        log("unable to load from data file, please make sure it exists.");
        return false;
    }
    log("data file found: " + path_);
    const bool loaded = loadFrom(file);
    file.close();
    return loaded;
}

bool BaseDataFile::loadFrom(std::istream& in) {
    // The count includes the empty read after a final line feed, so "a=1\n"
    // counts two lines and "a=1" one.
    int counter = 0;
    failedLine_ = 0;
    std::string line;
    while (!in.eof()) {
        readTextLine(in, line);
        if (counter == 0)
            dropByteOrderMark(line);
        if (in.bad()) {
            log("unable to load from data file, please make sure it exists.");
            return false;
        }
        if (!parseLine(line)) {
            failedLine_ = counter + 1;
            log(cannotParseLineMessage(line, failedLine_, path_));
            log("data file '" + path_ + "' is corruped at line: " + std::to_string(counter));
            return false;
        }
        ++counter;
    }
    log("data file '" + path_ + "' loaded, lines red: " + std::to_string(counter));
    return true;
}

bool BaseDataFile::save(bool force) {
    if (!dirty_ && !force)
        return true;
    log("saving " + path_);
    if (!writeContents()) {
        log("save failed in file: " + path_);
        return false;
    }
    dirty_ = false;
    log("file saved: " + path_);
    return true;
}

WriteTicket BaseDataFile::queueSave(bool force) {
    if (!dirty_ && !force)
        return 0;
    log("saving " + path_);
    const WriteTicket ticket = queueFileWrite(path_, contents());
    dirty_ = false;
    return ticket;
}

bool DictDataFile::parseLine(const std::string& line) {
    if (line.empty())
        return true;
    // A line that is not key=value is reported by loadFrom, which knows its number.
    std::vector<std::string> pieces = splitPieces(line, '=');
    if (pieces.size() != 2)
        return false;
    store(pieces[0], pieces[1]);
    return true;
}

void DictDataFile::store(const std::string& key, const std::string& value) {
    values_.insert_or_assign(key, Value{value, parseIntText(value), parseFloatText(value)});
    entries_.insert_or_assign(key, value);
}

std::string DictDataFile::contents() const {
    std::string text;
    for (const auto& [key, value] : entries_) {
        text += key;
        text += '=';
        text += value;
        text += '\n';
    }
    return text;
}

bool BaseDataFile::writeContents() {
    // Written beside the file and swapped in, so a crash or a full disk never
    // leaves a half-written save; on failure the old file stays as it was.
    switch (writeFileAtomically(path(), contents())) {
    case FileWriteResult::written:
        return true;
    case FileWriteResult::cannotOpen:
        log("unable to open file, please make sure it exists.");
        return false;
    case FileWriteResult::writeFailed:
        break;
    }
    return false;
}

const std::string& DictDataFile::getString(std::string_view key) const {
    const auto found = values_.find(key);
    return found == values_.end() ? emptyText() : found->second.text;
}

void DictDataFile::clearEntries() {
    entries_.clear();
    values_.clear();
    badValues_.clear();
}

const std::string& DictDataFile::sourceOf(std::string_view) const {
    return path();
}

void DictDataFile::reportBadValue(std::string_view key, const std::string& value, const char* expected) const {
    if (badValues_.find(key) != badValues_.end())
        return;
    badValues_.emplace(key);
    log("data file '" + sourceOf(key) + "': cannot read " + quotedForLog(std::string(key)) + "=" + quotedForLog(value) +
        " (" + expected + "), it is taken as absent");
}

std::optional<int> DictDataFile::readInt(std::string_view key) const {
    const auto found = values_.find(key);
    if (found == values_.end() || found->second.text.empty())
        return std::nullopt;
    const std::optional<int> number = found->second.wholeNumber;
    if (!number)
        reportBadValue(key, found->second.text, "not a whole number that fits");
    return number;
}

std::optional<float> DictDataFile::readFloat(std::string_view key) const {
    const auto found = values_.find(key);
    if (found == values_.end() || found->second.text.empty())
        return std::nullopt;
    const std::optional<float> number = found->second.number;
    if (!number)
        reportBadValue(key, found->second.text, "not a finite number");
    return number;
}

std::optional<Vector3> DictDataFile::readPosition(std::string_view key) const {
    const auto found = values_.find(key);
    if (found == values_.end())
        return std::nullopt;
    const std::string& text = found->second.text;
    const std::vector<std::string> pieces = splitPieces(text, ',');
    std::optional<float> x, y, z;
    if (pieces.size() >= 3) {
        x = parseFloatText(pieces[0]);
        y = parseFloatText(pieces[1]);
        z = parseFloatText(pieces[2]);
    }
    if (!x || !y || !z) {
        reportBadValue(key, text, "not a position x,y,z of three finite numbers");
        return std::nullopt;
    }
    return Vector3(*x, *y, *z);
}

int DictDataFile::getInt(std::string_view key, int defaultValue) const {
    return readInt(key).value_or(defaultValue);
}

float DictDataFile::getFloat(std::string_view key, float defaultValue) const {
    return readFloat(key).value_or(defaultValue);
}

bool DictDataFile::getBool(std::string_view key) const {
    // -999 is the "absent" marker, so a stored -999 reads as false too.
    const int value = getInt(key, -999);
    return value != 0 && value != -999;
}

Vector3 DictDataFile::getPosition(std::string_view key) const {
    return readPosition(key).value_or(Vector3(0.0f, 0.0f, 0.0f));
}

void DictDataFile::setString(const std::string& key, const std::string& value) {
    badValues_.erase(key);
    if (value.empty()) {
        values_.erase(key);
        if (entries_.erase(key) > 0)
            markDirty();
        return;
    }
    store(key, value);
    markDirty();
}

void DictDataFile::setInt(const std::string& key, int value) {
    setString(key, std::to_string(value));
}

void DictDataFile::setFloat(const std::string& key, float value) {
    setString(key, floatText(value));
}

void DictDataFile::setBool(const std::string& key, bool value) {
    setString(key, value ? "1" : "0");
}

void DictDataFile::setPosition(const std::string& key, const Vector3& value) {
    setString(key, positionText(value));
}

} // namespace drovil
