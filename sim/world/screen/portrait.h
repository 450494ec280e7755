#pragma once
// The game's persona photographs of peds, as the contract card's portrait uses
// them. A freshly made ped needs some frames before it can be rendered; a photo
// is taken of the ped bound to a texture slot, then uploads for some frames;
// after that the slot's texture name is published and the slot shows that ped
// (its model and outfit) until the next photo of the slot. Tests can make any
// stage hang for ever to drive the plug-in's timeouts.
#include "world/core/kept_records.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace sim {

// What a slot's texture shows.
struct PortraitPhoto {
    int slot = 0;
    int type = 0;
    int ped = 0;
    std::uint32_t model = 0;
    int outfit = -1;
    std::uint32_t pose = 0;          // the pose the ped held when photographed
    std::uint64_t takenFrame = 0;    // the photo was started
    std::uint64_t uploadedFrame = 0; // the upload ends
    std::uint64_t namedFrame = 0;    // the texture name is published
};

class Portraits {
public:
    // Timing of the pipeline, in frames.
    int renderFrames = 6;    // from a ped's creation until it can be rendered
    int uploadFrames = 8;    // from the photo to the end of its upload
    int nameDelayFrames = 1; // from the end of the upload until the name is published
    // Faults a test can arrange.
    bool clonesNeverRender = false; // no ped ever becomes ready to render
    bool foreignUpload = false;     // something else's upload never ends
    bool uploadsNeverEnd = false;   // a photo's own upload never ends
    bool generateRefused = false;   // the game refuses to take photos
    bool namesNeverPublished = false;

    // The natives' side.
    void pedCreated(int ped, std::uint64_t frame);
    // A script took the ped's collision away, as it does for a ped it poses for
    // a photograph out of the way.
    void collisionOff(int ped);
    bool readyToRender(int ped, std::uint64_t frame);
    void setPose(int ped, std::uint32_t pose) { poses_[ped] = pose; }
    void beginPhoto() { photoOpen_ = true, ++photosBegun_; }
    void setPhotoType(int type) { photoType_ = type; }
    void bind(const std::string& scene, int ped, int index);
    // The ped bound to a bind index while a photo is open, or 0.
    int boundPed(int index) const;
    // Takes the photo of the ped bound to `slot`, or refuses (false).
    bool generate(const std::string& scene, int slot, int type, std::uint32_t model, int outfit,
                  std::uint64_t frame);
    bool uploadInProgress(std::uint64_t frame) const;
    // The texture name of (slot, type) once published, or empty.
    std::string textureName(int slot, int type, std::uint64_t frame) const;
    void endPhoto() { photoOpen_ = false, bindings_.clear(), ++photosEnded_; }
    void releaseScene() { ++scenesReleased_; }

    // What tests read.
    static std::string nameOfSlot(int slot, int type);
    const PortraitPhoto* photoIn(int slot, int type) const;
    // The name is the one the game gives the photo of a slot it holds (drawn as
    // a dictionary and texture of that name).
    bool namesPhoto(const std::string& name) const;
    // The photos taken, oldest first: the latest keptPhotos (one or two a contract).
    const KeptRecords<PortraitPhoto>& photos() const { return history_; }
    static constexpr std::size_t keptPhotos = 64;
    bool photoOpen() const { return photoOpen_; }
    int photosBegun() const { return photosBegun_; }
    int photosEnded() const { return photosEnded_; }
    int scenesReleased() const { return scenesReleased_; }
    // Peds whose collision scripts took away (the portrait's clones), in order,
    // whether or not they still exist.
    // Whether or not they still exist: the latest keptClones of them at the least.
    const std::vector<int>& clones() const { return cloneOrder_; }
    static constexpr std::size_t keptClones = 64;
    // The ped is long gone from the world: what was noted about it goes too.
    void forget(int ped) { readyFrom_.erase(ped), poses_.erase(ped); }

private:
    std::map<int, std::uint64_t> readyFrom_; // ped -> first frame it can be rendered
    std::map<int, std::uint32_t> poses_;
    std::vector<int> cloneOrder_;
    bool photoOpen_ = false;
    int photoType_ = -1;
    int photosBegun_ = 0, photosEnded_ = 0, scenesReleased_ = 0;
    std::map<int, int> bindings_; // bind index -> ped, while a photo is open
    std::string boundScene_;
    std::map<std::pair<int, int>, PortraitPhoto> slots_;
    KeptRecords<PortraitPhoto> history_{keptPhotos};
    std::uint64_t uploadEndFrame_ = 0;
};

} // namespace sim
