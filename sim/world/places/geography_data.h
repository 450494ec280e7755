#pragma once
// The data behind the simulated map (world/places/geography_data.cpp).
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct PlanePoint {
    float x = 0.0f;
    float y = 0.0f;
};

struct Disc {
    float x = 0.0f;
    float y = 0.0f;
    float radius = 0.0f;
};

struct TownZoneRow {
    const char* zoneName; // the zone hash is the game's hash of this name
    std::vector<Disc> discs;
};

struct DistrictRow {
    std::uint32_t hash;
    const char* name;
    const char* stateName; // the kind-11 zone around the district
    std::vector<PlanePoint> seeds;
};

struct MainlandBox {
    float minX, maxX, minY, maxY;
};

struct IslandRow {
    std::uint32_t hash;
    const char* name;
    const char* stateName;
    Disc extent;
};

struct GroundAnchor {
    float x, y, z;
};

using Polyline = std::vector<PlanePoint>;

struct GeographyData {
    std::vector<TownZoneRow> towns;
    std::vector<DistrictRow> districts;
    MainlandBox mainland;
    IslandRow island;
    std::vector<GroundAnchor> ground;
    std::vector<Polyline> roads;
    std::vector<Polyline> railway;
};

const GeographyData& geographyData();

} // namespace sim
