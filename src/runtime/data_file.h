#pragma once
// The key=value data files of Drovil/ (and the mission files, which are the
// same class).
#include "runtime/types.h"

#include <map>
#include <string>

namespace drovil {

// "Drovil/" + name. The text lives for the rest of the process.
const std::string& dataPath(const std::string& name);

class BaseDataFile {
public:
    explicit BaseDataFile(std::string path) : path_(std::move(path)) {}
    virtual ~BaseDataFile() = default;

    virtual bool load();
    virtual bool save(bool force);
    virtual bool isDirty() const { return dirty_; }
    virtual bool parseLine(const std::string& line) = 0;
    virtual bool writeContents() = 0;

    const std::string& path() const { return path_; }

protected:
    void markDirty() { dirty_ = true; }

private:
    std::string path_;
    bool dirty_ = false;
};

class DictDataFile : public BaseDataFile {
public:
    explicit DictDataFile(std::string path) : BaseDataFile(std::move(path)) {}

    bool parseLine(const std::string& line) override;
    bool writeContents() override;

    const std::string& getString(const std::string& key) const;
    int getInt(const std::string& key, int defaultValue) const;
    float getFloat(const std::string& key, float defaultValue) const;
    bool getBool(const std::string& key) const;
    Vector3 getPosition(const std::string& key) const;

    void setString(const std::string& key, const std::string& value);
    void setInt(const std::string& key, int value);
    void setFloat(const std::string& key, float value);
    void setBool(const std::string& key, bool value);
    void setPosition(const std::string& key, const Vector3& value);

    const std::map<std::string, std::string>& entries() const { return entries_; }

private:
    std::map<std::string, std::string> entries_;
};

} // namespace drovil
