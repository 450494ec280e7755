#pragma once
// Which map area answers for each town and district zone, and the display names
// of the districts (data/zone_table.cpp).
#include "runtime/types.h"

#include <vector>

namespace drovil {

struct ZoneTableRow {
    Hash zone = 0;   // a town's or a district's zone hash
    Hash areaId = 0; // the map area responsible for it
};

struct RegionNameRow {
    Hash zone = 0; // a district's zone hash
    const char* name = "";
};

const std::vector<ZoneTableRow>& zoneTable();
const std::vector<RegionNameRow>& regionNameTable();

} // namespace drovil
