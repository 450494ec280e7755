#include "world/vehicles/road_network.h"

#include "world/core/geometry.h"
#include "world/places/geography_data.h"

#include <algorithm>
#include <limits>
#include <queue>

namespace sim {
namespace {
// Road ends this close to a vertex of another road meet it there.
constexpr float joinDistance = 5.0f;

void link(std::vector<std::vector<int>>& links, int a, int b) {
    if (a == b)
        return;
    auto& from = links[static_cast<std::size_t>(a)];
    if (std::find(from.begin(), from.end(), b) == from.end())
        from.push_back(b);
    auto& to = links[static_cast<std::size_t>(b)];
    if (std::find(to.begin(), to.end(), a) == to.end())
        to.push_back(a);
}

void unlink(std::vector<std::vector<int>>& links, int a, int b) {
    auto& from = links[static_cast<std::size_t>(a)];
    from.erase(std::remove(from.begin(), from.end(), b), from.end());
    auto& to = links[static_cast<std::size_t>(b)];
    to.erase(std::remove(to.begin(), to.end(), a), to.end());
}

// Distance in the ground plane from a point to the segment between two others.
float distanceToSegment(const drovil::Vector3& point, const drovil::Vector3& a, const drovil::Vector3& b) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length2 = dx * dx + dy * dy;
    float t = length2 > 0.0f ? ((point.x - a.x) * dx + (point.y - a.y) * dy) / length2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    return flatDistance(drovil::Vector3(a.x + t * dx, a.y + t * dy, 0.0f), point);
}
} // namespace

RoadNetwork::RoadNetwork() {
    for (const Polyline& road : geographyData().roads) {
        int previous = -1;
        for (const PlanePoint& p : road) {
            const drovil::Vector3 here(p.x, p.y, 0.0f);
            int vertex = -1;
            for (std::size_t i = 0; i < points_.size(); ++i)
                if (flatDistance(points_[i], here) <= joinDistance)
                    vertex = static_cast<int>(i);
            if (vertex < 0) {
                vertex = static_cast<int>(points_.size());
                points_.push_back(here);
                links_.emplace_back();
            }
            if (previous >= 0)
                link(links_, previous, vertex);
            previous = vertex;
        }
    }
    joinRoadEndsToRoadsTheyMeet();
}

void RoadNetwork::joinRoadEndsToRoadsTheyMeet() {
    // A road that ends on another between two of its vertices (a side road up
    // to a station) makes a junction there: the other road's stretch is split
    // at the end.
    for (std::size_t end = 0; end < points_.size(); ++end) {
        if (links_[end].size() != 1)
            continue;
        const int v = static_cast<int>(end);
        for (std::size_t a = 0; a < points_.size(); ++a) {
            bool joined = false;
            for (int b : links_[a]) {
                if (b < static_cast<int>(a) || static_cast<int>(a) == v || b == v || links_[end].front() == b ||
                    links_[end].front() == static_cast<int>(a))
                    continue;
                if (distanceToSegment(points_[end], points_[a], points_[static_cast<std::size_t>(b)]) <=
                    joinDistance) {
                    unlink(links_, static_cast<int>(a), b);
                    link(links_, static_cast<int>(a), v);
                    link(links_, v, b);
                    joined = true;
                    break;
                }
            }
            if (joined)
                break;
        }
    }
}

int RoadNetwork::nearestVertex(const drovil::Vector3& position) const {
    int best = -1;
    float bestDistance = std::numeric_limits<float>::max();
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const float d = flatDistance(points_[i], position);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

int RoadNetwork::vertexAhead(const drovil::Vector3& position, const drovil::Vector3& forward) const {
    // The segment nearest to the position.
    int bestA = -1, bestB = -1;
    float bestDistance = std::numeric_limits<float>::max();
    for (std::size_t a = 0; a < points_.size(); ++a)
        for (int b : links_[a]) {
            if (b < static_cast<int>(a))
                continue;
            const drovil::Vector3& p = points_[a];
            const drovil::Vector3& q = points_[static_cast<std::size_t>(b)];
            const float dx = q.x - p.x, dy = q.y - p.y;
            const float length2 = dx * dx + dy * dy;
            float t = length2 > 0.0f ? ((position.x - p.x) * dx + (position.y - p.y) * dy) / length2 : 0.0f;
            t = std::clamp(t, 0.0f, 1.0f);
            const drovil::Vector3 on(p.x + t * dx, p.y + t * dy, 0.0f);
            const float d = flatDistance(on, position);
            if (d < bestDistance) {
                bestDistance = d;
                bestA = static_cast<int>(a);
                bestB = b;
            }
        }
    if (bestA < 0)
        return -1;
    const drovil::Vector3& a = points_[static_cast<std::size_t>(bestA)];
    const drovil::Vector3& b = points_[static_cast<std::size_t>(bestB)];
    const float towardsB = (b.x - a.x) * forward.x + (b.y - a.y) * forward.y;
    return towardsB >= 0.0f ? bestB : bestA;
}

int RoadNetwork::nextWandering(int at, int from, std::mt19937& random) const {
    const auto& next = links_[static_cast<std::size_t>(at)];
    std::vector<int> onward;
    for (int vertex : next)
        if (vertex != from)
            onward.push_back(vertex);
    if (onward.empty())
        return from >= 0 ? from : at;
    std::uniform_int_distribution<std::size_t> pick(0, onward.size() - 1);
    return onward[pick(random)];
}

std::vector<int> RoadNetwork::shortestPath(int from, int to) const {
    if (from < 0 || to < 0)
        return {};
    const std::size_t n = points_.size();
    std::vector<float> cost(n, std::numeric_limits<float>::max());
    std::vector<int> previous(n, -1);
    using Item = std::pair<float, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<>> open;
    cost[static_cast<std::size_t>(from)] = 0.0f;
    open.emplace(0.0f, from);
    while (!open.empty()) {
        const auto [c, vertex] = open.top();
        open.pop();
        if (c > cost[static_cast<std::size_t>(vertex)])
            continue;
        if (vertex == to)
            break;
        for (int next : links_[static_cast<std::size_t>(vertex)]) {
            const float through = c + flatDistance(points_[static_cast<std::size_t>(vertex)],
                                                   points_[static_cast<std::size_t>(next)]);
            if (through < cost[static_cast<std::size_t>(next)]) {
                cost[static_cast<std::size_t>(next)] = through;
                previous[static_cast<std::size_t>(next)] = vertex;
                open.emplace(through, next);
            }
        }
    }
    if (from != to && previous[static_cast<std::size_t>(to)] < 0)
        return {};
    std::vector<int> path;
    for (int vertex = to; vertex >= 0; vertex = previous[static_cast<std::size_t>(vertex)]) {
        path.push_back(vertex);
        if (vertex == from)
            break;
    }
    std::reverse(path.begin(), path.end());
    return path;
}

} // namespace sim
