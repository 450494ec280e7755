#pragma once
// The game's scenario points: places where a ped sits, leans or stands about
// playing one of the game's idle scenarios. The map has its own (the seat props
// at the named places, benches and porch steps along the towns' streets and
// rails and walls to lean on all along them, chairs and stools in the saloons); a camp propset brings its seats by the fire and
// its lookout posts; scripts create more at a position or on an entity and
// delete them again. A point is used by one ped at a time; a ped walking to a
// point keeps it for itself but is not using it until it has got there.
#include "runtime/types.h"

#include <cstdint>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace sim {

struct World;
struct TownSeatsRow;

struct ScenarioPoint {
    int handle = 0;
    std::uint32_t type = 0;     // the point type the game reports for a ped using it
    std::uint32_t scenario = 0; // the scenario played there (hash of its name)
    drovil::Vector3 position;
    float heading = 0.0f;
    int attachedTo = 0;         // the entity it is on (it moves with it), 0 for none
    drovil::Vector3 offset;     // from that entity, in the entity's own axes
    int propset = 0;            // the propset that brought it, 0 for none
    bool byScript = false;      // a script created it
};

class ScenarioPoints {
public:
    // The map's points and seat props (made once, with the world).
    void populate(World& world);

    const ScenarioPoint* find(int handle) const;
    bool exists(int handle) const { return find(handle) != nullptr; }
    const std::map<int, ScenarioPoint>& all() const { return points_; }

    // A script's points.
    int createAt(std::uint32_t scenario, const drovil::Vector3& position, float heading);
    // 0 when the entity does not exist.
    int createOnEntity(const World& world, int entity, std::uint32_t scenario, const drovil::Vector3& offset,
                       float heading);
    void setPosition(int handle, const drovil::Vector3& position);
    void setHeading(int handle, float heading);
    void remove(int handle);
    int createdByScripts() const { return created_; }
    int deletedByScripts() const { return deleted_; }

    // A placed propset's points, and their end with it.
    void addPropsetPoints(int propset, const drovil::Vector3& centre, float heading);
    void removePropsetPoints(int propset);

    // The ped using the point, else the ped on its way to it; 0 for none.
    static int takenBy(const World& world, int handle);
    // The nearest point within `distance` of `near` that no other ped has taken;
    // 0 for none.
    int nearestFree(const World& world, const drovil::Vector3& near, float distance, int forPed) const;
    // The type of the point the ped uses, 0 when it uses none.
    static std::uint32_t typeUsedBy(const World& world, int ped);

    // Takes the map's seat props within `radius` of a position out of the world
    // with their points (a test making a seat the game does not have); returns
    // how many props went.
    int removeSeatPropsNear(World& world, const drovil::Vector3& position, float radius);

    // One frame: points on entities follow them; points on entities that are
    // gone go with them.
    void step(World& world);

private:
    int add(ScenarioPoint point);
    void addStreetFurniture(const TownSeatsRow& town);

    std::map<int, ScenarioPoint> points_;
    int nextHandle_ = 60000;
    int created_ = 0;
    int deleted_ = 0;
    std::set<std::pair<long, long>> furnitureCells_; // the street grid's cells already furnished
};

} // namespace sim
