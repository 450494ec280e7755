#include "world/screen/portrait.h"

namespace sim {

void Portraits::pedCreated(int ped, std::uint64_t frame) {
    readyFrom_[ped] = frame + static_cast<std::uint64_t>(renderFrames);
}

void Portraits::collisionOff(int ped) {
    cloneOrder_.push_back(ped);
    if (cloneOrder_.size() > 2 * keptClones)
        cloneOrder_.erase(cloneOrder_.begin(), cloneOrder_.end() - static_cast<std::ptrdiff_t>(keptClones));
}

bool Portraits::readyToRender(int ped, std::uint64_t frame) {
    if (clonesNeverRender)
        return false;
    // A ped the scripts did not create (the game's own) counts from the first question.
    auto it = readyFrom_.find(ped);
    if (it == readyFrom_.end())
        it = readyFrom_.emplace(ped, frame + static_cast<std::uint64_t>(renderFrames)).first;
    return frame >= it->second;
}

void Portraits::bind(const std::string& scene, int ped, int index) {
    if (!photoOpen_)
        return;
    boundScene_ = scene;
    bindings_[index] = ped;
}

int Portraits::boundPed(int index) const {
    auto it = bindings_.find(index);
    return photoOpen_ && it != bindings_.end() ? it->second : 0;
}

bool Portraits::generate(const std::string& scene, int slot, int type, std::uint32_t model, int outfit,
                         std::uint64_t frame) {
    if (generateRefused || !photoOpen_ || type != photoType_ || scene != boundScene_)
        return false;
    auto bound = bindings_.find(slot);
    if (bound == bindings_.end() || !readyToRender(bound->second, frame))
        return false;
    PortraitPhoto photo;
    photo.slot = slot;
    photo.type = type;
    photo.ped = bound->second;
    photo.model = model;
    photo.outfit = outfit;
    auto pose = poses_.find(photo.ped);
    photo.pose = pose == poses_.end() ? 0 : pose->second;
    photo.takenFrame = frame;
    photo.uploadedFrame = frame + static_cast<std::uint64_t>(uploadFrames);
    photo.namedFrame = photo.uploadedFrame + static_cast<std::uint64_t>(nameDelayFrames);
    uploadEndFrame_ = photo.uploadedFrame;
    slots_[{slot, type}] = photo; // the slot's earlier photo is replaced, its name withdrawn until published
    history_.push_back(photo);
    return true;
}

bool Portraits::uploadInProgress(std::uint64_t frame) const {
    if (foreignUpload)
        return true;
    if (uploadsNeverEnd && !history_.empty())
        return true;
    return frame < uploadEndFrame_;
}

std::string Portraits::textureName(int slot, int type, std::uint64_t frame) const {
    auto it = slots_.find({slot, type});
    if (it == slots_.end() || namesNeverPublished || uploadsNeverEnd || frame < it->second.namedFrame)
        return std::string();
    return nameOfSlot(slot, type);
}

std::string Portraits::nameOfSlot(int slot, int type) {
    return "pedshot_slot" + std::to_string(slot) + "_type" + std::to_string(type);
}

bool Portraits::namesPhoto(const std::string& name) const {
    for (const auto& [slotAndType, photo] : slots_)
        if (name == nameOfSlot(slotAndType.first, slotAndType.second))
            return true;
    return false;
}

const PortraitPhoto* Portraits::photoIn(int slot, int type) const {
    auto it = slots_.find({slot, type});
    return it == slots_.end() ? nullptr : &it->second;
}

} // namespace sim
