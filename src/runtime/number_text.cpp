#include "runtime/number_text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace drovil {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Where the number starts: past leading white space and a '+' (a '-' stays,
// from_chars reads it). Null when a sign is followed by another sign.
const char* numberStart(const std::string& text) {
    const char* at = text.data();
    const char* end = at + text.size();
    while (at != end && isSpace(*at))
        ++at;
    if (at != end && *at == '+' && at + 1 != end && *(at + 1) != '-' && *(at + 1) != '+')
        ++at;
    return at;
}

// The text with a decimal comma turned into a point, when it has no point of
// its own: "1,5" is 1.5, but in "1.5,2" the comma ends the number.
std::string withDecimalPoint(const std::string& text) {
    if (text.find('.') != std::string::npos)
        return text;
    std::string copy = text;
    const std::size_t comma = copy.find(',');
    if (comma != std::string::npos)
        copy[comma] = '.';
    return copy;
}

struct FloatRead {
    std::optional<float> value;
    const char* end = nullptr; // where reading stopped
};

FloatRead readFloat(const std::string& text) {
    FloatRead read;
    const char* start = numberStart(text);
    const char* end = text.data() + text.size();
    float value = 0.0f;
    // from_chars reads the same in every locale, unlike strtof.
    const auto [ptr, error] = std::from_chars(start, end, value, std::chars_format::general);
    read.end = ptr;
    if (error == std::errc() && std::isfinite(value))
        read.value = value;
    return read;
}

} // namespace

std::optional<int> parseIntText(const std::string& text) {
    const char* start = numberStart(text);
    int value = 0;
    const auto [ptr, error] = std::from_chars(start, text.data() + text.size(), value, 10);
    (void)ptr;
    if (error != std::errc())
        return std::nullopt;
    return value;
}

std::optional<float> parseFloatText(const std::string& text) {
    return readFloat(withDecimalPoint(text)).value;
}

std::string numberTextRemark(const std::string& text, bool wholeNumber) {
    if (wholeNumber) {
        const std::optional<int> value = parseIntText(text);
        if (!value)
            return std::string();
        const char* start = numberStart(text);
        int ignored = 0;
        const char* end = std::from_chars(start, text.data() + text.size(), ignored, 10).ptr;
        if (end != text.data() + text.size())
            return "reads as " + std::to_string(*value) + ", the rest (\"" +
                   std::string(end, text.data() + text.size()) + "\") is ignored";
        return std::string();
    }
    const std::string pointed = withDecimalPoint(text);
    const FloatRead read = readFloat(pointed);
    if (!read.value)
        return std::string();
    std::string remark;
    if (pointed != text)
        remark = "uses a decimal comma (read as a point)";
    if (read.end != pointed.data() + pointed.size()) {
        if (!remark.empty())
            remark += "; ";
        remark += "the rest (\"" + std::string(read.end, pointed.data() + pointed.size()) + "\") is ignored";
    }
    return remark;
}

} // namespace drovil
