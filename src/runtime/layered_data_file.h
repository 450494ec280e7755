#pragma once
// A read-only data file of Drovil/ read in layers, key by key: the shipped
// defaults in Drovil/Defaults/<name> first (every update replaces them), then
// the player's own Drovil/<name> over them when he has one, then, for the
// texts, the translation of the game's language. A player's file needs only
// the keys he changed, and a key a new version adds reaches him with its
// default; an install that still has full files keeps every value it had.
#include "runtime/data_file.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace drovil {

class LayeredDataFile : public DictDataFile {
public:
    // `name` as in Drovil/: "Lang.dat". The file's path is the player's one.
    explicit LayeredDataFile(const std::string& name);

    // A file of the player's read over his own (a translation, "Lang.fr.dat");
    // empty for none. Takes effect at the next load.
    void setTopLayer(const std::string& name);

    // Reads the layers in order. False only when the defaults are damaged (a
    // line that is not key=value), or when neither the defaults nor a file of
    // the player's could be read: a damaged file of the player's is reported
    // with its line and left out whole, and the layers below stand.
    bool load() override;

    struct Layer {
        std::string path;
        bool found = false;  // the file is there
        bool loaded = false; // it was read, and its keys are in
        int failedLine = 0;  // where it stopped, from 1; 0 when it could not be opened
        std::map<std::string, std::string> entries;
    };
    // The defaults first, then the player's files, as the last load met them.
    const std::vector<Layer>& layers() const { return layers_; }
    // The layers of the player's that were there but left out.
    std::vector<const Layer*> damagedLayers() const;

protected:
    const std::string& sourceOf(std::string_view key) const override;

private:
    Layer readLayer(const std::string& path, bool required);
    // `path` is the layer's path as dataPath gives it, which lives for the process.
    void merge(const Layer& layer, const std::string& path);

    std::string name_;
    std::string topName_;
    std::vector<Layer> layers_;
    // The path of the layer each value was read from (paths of dataPath, which
    // live for the process).
    std::map<std::string, const std::string*, std::less<>> sources_;
};

// Drovil/Defaults/<name>: where the shipped defaults of a file are.
const std::string& defaultsPath(const std::string& name);

} // namespace drovil
