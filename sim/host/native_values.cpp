#include "host/native_values.h"

#include <cstdio>
#include <cstring>

namespace sim {
namespace {

std::string printed(const char* format, double a) {
    char text[48];
    std::snprintf(text, sizeof text, format, a);
    return text;
}

std::string quoted(const char* text) {
    if (text == nullptr)
        return "null";
    constexpr std::size_t longest = 48;
    const std::size_t length = std::strlen(text);
    std::string shown(text, length < longest ? length : longest);
    for (char& c : shown)
        if (c == '\n' || c == '\r' || c == '\t')
            c = ' ';
    return "\"" + shown + (length > longest ? "...\"" : "\"");
}

} // namespace

std::string formatValue(const ValueShape& shape, const std::uint64_t* slots) {
    const std::uint32_t low = static_cast<std::uint32_t>(slots[0]);
    switch (shape.kind) {
    case ValueKind::Integer:
    case ValueKind::Handle:
        return std::to_string(static_cast<std::int32_t>(low));
    case ValueKind::Unsigned: {
        if (low <= 0xFFFF)
            return std::to_string(low);
        char text[16];
        std::snprintf(text, sizeof text, "0x%08X", low);
        return text;
    }
    case ValueKind::Wide: {
        char text[24];
        std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(slots[0]));
        return text;
    }
    case ValueKind::Bool:
        return low != 0 ? "true" : "false";
    case ValueKind::Float:
        return printed("%.2f", drovil::marshal::Traits<float>::unpack(slots));
    case ValueKind::Position: {
        const drovil::Vector3 p = drovil::marshal::Traits<drovil::Vector3>::unpack(slots);
        char text[96];
        std::snprintf(text, sizeof text, "(%.2f, %.2f, %.2f)", p.x, p.y, p.z);
        return text;
    }
    case ValueKind::Text:
    case ValueKind::GameString:
        return quoted(reinterpret_cast<const char*>(static_cast<std::uintptr_t>(slots[0])));
    case ValueKind::OutValue: {
        const void* at = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(slots[0]));
        if (at == nullptr)
            return "null";
        // The value pointed to, laid out in slots as it would be passed.
        std::uint64_t value[4] = {};
        const std::size_t bytes = shape.pointeeBytes < sizeof value ? shape.pointeeBytes : sizeof value;
        std::memcpy(value, at, bytes);
        ValueShape pointee;
        pointee.kind = shape.pointee;
        pointee.slots = (bytes + 7) / 8;
        std::string text = "&";
        text += formatValue(pointee, value);
        return text;
    }
    case ValueKind::Record:
        return "&record";
    }
    return "?";
}

} // namespace sim
