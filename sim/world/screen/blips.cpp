#include "world/screen/blips.h"

#include <algorithm>
#include <cstdio>

namespace sim {

bool BlipRecord::hasModifier(std::uint32_t modifier) const {
    return std::find(modifiers.begin(), modifiers.end(), modifier) != modifiers.end();
}

BlipRecord& Blips::create(BlipKind kind, std::uint32_t style, std::uint64_t frame) {
    BlipRecord record;
    record.id = nextId_++;
    record.kind = kind;
    record.style = style;
    record.createdFrame = frame;
    return records_[record.id] = record;
}

BlipRecord* Blips::find(int id) {
    auto it = records_.find(id);
    return it == records_.end() ? nullptr : &it->second;
}

const BlipRecord* Blips::find(int id) const {
    auto it = records_.find(id);
    return it == records_.end() ? nullptr : &it->second;
}

bool Blips::remove(int id) {
    if (records_.erase(id) == 0)
        return false;
    ++removed_;
    return true;
}

const BlipRecord* Blips::onEntity(int entity) const {
    const BlipRecord* found = nullptr;
    for (const auto& [id, record] : records_)
        if (record.kind == BlipKind::Entity && record.entity == entity)
            found = &record;
    return found;
}

std::vector<const BlipRecord*> Blips::named(const std::string& name) const {
    std::vector<const BlipRecord*> found;
    for (const auto& [id, record] : records_)
        if (record.name == name)
            found.push_back(&record);
    return found;
}

std::string Blips::leftOverReport() const {
    static const char* const kindNames[] = {"entity", "coords", "radius"};
    std::string report;
    for (const auto& [id, record] : records_) {
        char line[160];
        std::snprintf(line, sizeof line,
                      "blip %d %s style 0x%08X entity %d radius %.1f created in frame %llu", id,
                      kindNames[static_cast<int>(record.kind)], record.style, record.entity, record.radius,
                      static_cast<unsigned long long>(record.createdFrame));
        report += line;
        if (!record.name.empty())
            report += " name \"" + record.name + "\"";
        report += "\n";
    }
    return report;
}

} // namespace sim
