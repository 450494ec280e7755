// Which map area answers for each zone of the game, and the display names of
// the districts. Zone hashes are the game's hashes of the zone names.
#include "world/data/zone_table.h"
#include "world/area_ids.h"

namespace drovil {

const std::vector<ZoneTableRow>& zoneTable() {
    using namespace area_ids;
    static const auto* table = new std::vector<ZoneTableRow>{
        {0x00704B67, Annesburg},  // town of Annesburg
        {0x7EBD16BD, Annesburg},  // town of Van Horn
        {0x8BECCBA3, Annesburg},  // Butcher Creek
        {0xD39FE932, Armadillo},  // town of Armadillo
        {0x3EC4B1F5, Blackwater}, // town of Blackwater
        {0x79FF6291, Rhodes},     // town of Rhodes
        {0xD25EC74F, SaintDenis}, // city of Saint Denis
        {0x197DEE02, Strawberry}, // town of Strawberry
        {0x3108C492, Strawberry}, // district of Big Valley
        {0xA51AF855, Tumbleweed}, // town of Tumbleweed
        {0x8016C23F, Tumbleweed}, // district of Rio Bravo
        {0x1B6880B3, Valentine},  // town of Valentine
        {0xE3CDCF62, Valentine},  // Emerald Ranch
        {0x07D4FF5F, Valentine},  // district of the Heartlands
    };
    return *table;
}

const std::vector<RegionNameRow>& regionNameTable() {
    static const auto* table = new std::vector<RegionNameRow>{
        {0x78BFE1AC, "Bayou Nwa"},       {0x3108C492, "Big Valley"},   {0x4DFA0B50, "Bluewater Marsh"},
        {0xF9831C72, "Cholla Springs"},  {0x6D67801E, "Cumberland"},   {0x19700C95, "Diez Coronas"},
        {0x84D7AD0E, "Gaptooth Ridge"},  {0x1C68EA97, "Great Plains"}, {0xF8D68DC1, "Grizzlies East"},
        {0x62162401, "Grizzlies West"},  {0xE1736CD7, "Guarma"},       {0x07D4FF5F, "Heartlands"},
        {0x35390B10, "Hennigans Stead"}, {0xB1531168, "Perdido"},      {0x56A7C746, "Punta Orgullo"},
        {0x8016C23F, "Rio Bravo"},       {0x0AA5F25D, "Roanoke"},      {0xCC7C3314, "Scarlett Meadows"},
        {0x6467EF09, "Tall Trees"},
    };
    return *table;
}

} // namespace drovil
