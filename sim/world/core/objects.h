#pragma once
// Objects (props) that scripts create. The entity itself lives in Entities; this
// keeps what only objects have: how the script made it and what is drawn on it,
// so that a test can tell which props a script still owns when it should not.
#include <cstdint>
#include <map>
#include <vector>

namespace sim {

struct World;

struct ObjectState {
    bool dynamic = false; // created not static
    bool placedOnGround = false;
    std::uint32_t texture = 0; // hash of the texture put on it (0 for its own)
    std::uint64_t createdFrame = 0;
};

class Objects {
public:
    ObjectState& add(int id, bool dynamic, std::uint64_t frame);
    ObjectState* find(int id);
    const ObjectState* find(int id) const;
    void forget(int id) { objects_.erase(id); }
    // Every object a script ever created, by id (deleted ones included until forgotten).
    const std::map<int, ObjectState>& all() const { return objects_; }
    // How many objects scripts created over the session.
    int createdCount() const { return createdCount_; }

private:
    std::map<int, ObjectState> objects_;
    int createdCount_ = 0;
};

// Objects created by a script that are still in the world and were never handed
// back to the game: in the game they would stay for ever. The object in a ped's
// hands is not counted while it is held there.
std::vector<int> leakedObjects(const World& world);

// Removes an object from the world (the game deleting it).
void deleteObject(World& world, int id);

} // namespace sim
