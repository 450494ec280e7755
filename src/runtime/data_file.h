#pragma once
// The key=value data files of Drovil/ (and the mission files, which are the
// same class).
#include "runtime/file_writer.h"
#include "runtime/types.h"

#include <istream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace drovil {

// "Drovil/" + name. The text lives for the rest of the process.
const std::string& dataPath(const std::string& name);
// The same text as a value of its own, for names without end (one file a
// mission): kept for good, a long game would keep every one of them.
std::string dataPathText(const std::string& name);

class BaseDataFile {
public:
    explicit BaseDataFile(std::string path) : path_(std::move(path)) {}
    virtual ~BaseDataFile() = default;

    // Reads the file, or the contents waiting to be written to it.
    virtual bool load();
    // load() from an open stream: the lines and the logging of load() after the
    // file was found.
    bool loadFrom(std::istream& in);
    // Writes the file now, on this thread; false when the write failed.
    virtual bool save(bool force);
    // Hands the contents to the file writer (runtime/file_writer.h), which
    // writes them off the script thread; 0 when nothing changed since the last
    // save and `force` is off.
    WriteTicket queueSave(bool force);
    virtual bool isDirty() const { return dirty_; }
    virtual bool parseLine(const std::string& line) = 0;
    // The file's text as it is written.
    virtual std::string contents() const = 0;
    bool writeContents();

    const std::string& path() const { return path_; }
    // The line where the last load stopped, numbered from 1 as an editor shows
    // it; 0 when it did not stop at a line (it loaded, or the file was not there).
    int failedLine() const { return failedLine_; }

protected:
    void markDirty() { dirty_ = true; }

private:
    std::string path_;
    bool dirty_ = false;
    int failedLine_ = 0;
};

class DictDataFile : public BaseDataFile {
public:
    explicit DictDataFile(std::string path) : BaseDataFile(std::move(path)) {}

    bool parseLine(const std::string& line) override;
    std::string contents() const override;

    // The readers take any text as the key (a literal, a std::string) and
    // allocate nothing: tuning is read every frame. Numbers are read from a
    // value once, when it is loaded or set, not at every lookup.
    const std::string& getString(std::string_view key) const;
    // A value that is present but cannot be read (not a number, too large, not
    // finite, a position without three numbers) counts as absent: it is logged
    // once, naming the file, the key and the value, and the default stands in.
    int getInt(std::string_view key, int defaultValue) const;
    float getFloat(std::string_view key, float defaultValue) const;
    bool getBool(std::string_view key) const;
    Vector3 getPosition(std::string_view key) const;

    // The same readers without a default: no value when the key is absent or
    // its value cannot be read (reported as above).
    std::optional<int> readInt(std::string_view key) const;
    std::optional<float> readFloat(std::string_view key) const;
    std::optional<Vector3> readPosition(std::string_view key) const;
    // A reader has found the key's value unreadable (and reported it).
    bool hasBadValue(std::string_view key) const { return badValues_.find(key) != badValues_.end(); }

    void setString(const std::string& key, const std::string& value);
    void setInt(const std::string& key, int value);
    void setFloat(const std::string& key, float value);
    void setBool(const std::string& key, bool value);
    void setPosition(const std::string& key, const Vector3& value);

    const std::map<std::string, std::string>& entries() const { return entries_; }

protected:
    // For files read in layers (runtime/layered_data_file.h): an entry as
    // loaded (the file does not become dirty), and every entry dropped.
    void storeLoaded(const std::string& key, const std::string& value) { store(key, value); }
    void clearEntries();
    // The file a key's value was read from, named when the value cannot be read.
    virtual const std::string& sourceOf(std::string_view key) const;

private:
    // A value with its text read as numbers, once.
    struct Value {
        std::string text;
        std::optional<int> wholeNumber;
        std::optional<float> number;
    };

    void store(const std::string& key, const std::string& value);
    void reportBadValue(std::string_view key, const std::string& value, const char* expected) const;

    std::map<std::string, std::string> entries_;
    // The same values for the readers, found by any text without a copy of the key.
    std::map<std::string, Value, std::less<>> values_;
    // Keys whose value could not be read, each reported once until it is set again.
    mutable std::set<std::string, std::less<>> badValues_;
};

} // namespace drovil
