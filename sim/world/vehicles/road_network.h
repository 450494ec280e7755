#pragma once
// The roads as a graph a driver can follow: every vertex of the map's road
// polylines is a junction point, joined to its neighbours along the road and to
// the vertices of other roads that meet it (or the stretch between two of them,
// where a side road ends on it). Drivers wander it (picking a road at
// random at every fork) or follow the shortest way along it to a point.
#include "runtime/types.h"

#include <random>
#include <vector>

namespace sim {

class RoadNetwork {
public:
    RoadNetwork();

    std::size_t size() const { return points_.size(); }
    const drovil::Vector3& point(int vertex) const { return points_[static_cast<std::size_t>(vertex)]; }
    const std::vector<int>& neighbours(int vertex) const { return links_[static_cast<std::size_t>(vertex)]; }

    // The vertex nearest to a position on the ground plane (-1 with no roads).
    int nearestVertex(const drovil::Vector3& position) const;
    // The vertex to head for from `position` when going the way `forward` points:
    // of the two ends of the nearest road segment, the one ahead.
    int vertexAhead(const drovil::Vector3& position, const drovil::Vector3& forward) const;
    // The next vertex after arriving at `at` from `from`: a random other road at
    // a fork, straight on along the road, back the way it came at a dead end.
    int nextWandering(int at, int from, std::mt19937& random) const;
    // The vertices from `from` to `to` along the roads, both included (empty
    // when they are not connected).
    std::vector<int> shortestPath(int from, int to) const;

private:
    void joinRoadEndsToRoadsTheyMeet();

    std::vector<drovil::Vector3> points_; // z is not used: the ground gives it
    std::vector<std::vector<int>> links_;
};

} // namespace sim
