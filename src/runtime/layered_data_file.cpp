#include "runtime/layered_data_file.h"

#include "runtime/log.h"

#include <filesystem>
#include <system_error>

namespace drovil {

const std::string& defaultsPath(const std::string& name) {
    return dataPath("Defaults/" + name);
}

LayeredDataFile::LayeredDataFile(const std::string& name) : DictDataFile(dataPath(name)), name_(name) {}

void LayeredDataFile::setTopLayer(const std::string& name) {
    topName_ = name;
}

LayeredDataFile::Layer LayeredDataFile::readLayer(const std::string& path, bool required) {
    Layer layer;
    layer.path = path;
    std::error_code error;
    layer.found = std::filesystem::exists(path, error);
    // A player without a file of his own is the usual case: nothing to say.
    if (!layer.found && !required)
        return layer;
    DictDataFile file(path);
    layer.loaded = file.load();
    layer.failedLine = file.failedLine();
    if (layer.loaded)
        layer.entries = file.entries();
    return layer;
}

void LayeredDataFile::merge(const Layer& layer, const std::string& path) {
    for (const auto& [key, value] : layer.entries) {
        storeLoaded(key, value);
        sources_.insert_or_assign(key, &path);
    }
}

bool LayeredDataFile::load() {
    clearEntries();
    sources_.clear();
    layers_.clear();
    layers_.push_back(readLayer(defaultsPath(name_), true));
    const Layer& defaults = layers_.front();
    // The shipped file damaged is a damaged install: the plug-in does not
    // guess, as with any required file that does not load.
    if (defaults.found && !defaults.loaded)
        return false;
    merge(defaults, defaultsPath(name_));
    const std::size_t defaultKeys = defaults.entries.size();

    std::vector<std::string> own{name_};
    if (!topName_.empty())
        own.push_back(topName_);
    bool ownLoaded = false;
    for (const std::string& name : own) {
        const std::string& path = dataPath(name);
        Layer layer = readLayer(path, false);
        if (layer.found && !layer.loaded) {
            log(layer.path + " is left out: " +
                (layer.failedLine > 0 ? "line " + std::to_string(layer.failedLine) + " is not key=value"
                                      : std::string("it cannot be read")) +
                ", so none of its keys are read and the defaults stand");
        } else if (layer.loaded) {
            merge(layer, path);
            ownLoaded = true;
            std::size_t kept = 0;
            for (const auto& [key, value] : layers_.front().entries)
                kept += layer.entries.count(key) == 0 ? 1 : 0;
            log("data file '" + layer.path + "' read over the defaults: " + std::to_string(layer.entries.size()) +
                " keys of its own, " + std::to_string(kept) + " of the " + std::to_string(defaultKeys) +
                " defaults not in it");
        }
        layers_.push_back(std::move(layer));
    }
    if (!layers_.front().loaded) {
        if (!ownLoaded)
            return false;
        // An install updated by copying the plug-in alone: its own full files
        // still work, as they did before the defaults had a folder.
        log(layers_.front().path + " is missing: only the player's own files are read; unpack Drovil again to bring "
                                    "the defaults back");
    }
    return true;
}

std::vector<const LayeredDataFile::Layer*> LayeredDataFile::damagedLayers() const {
    std::vector<const Layer*> damaged;
    for (std::size_t i = 1; i < layers_.size(); ++i)
        if (layers_[i].found && !layers_[i].loaded)
            damaged.push_back(&layers_[i]);
    return damaged;
}

const std::string& LayeredDataFile::sourceOf(std::string_view key) const {
    const auto found = sources_.find(key);
    return found == sources_.end() ? path() : *found->second;
}

} // namespace drovil
