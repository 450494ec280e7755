#include "ui/lang_format.h"

namespace drovil {
namespace {

// Copies `format`, turning "%%" into '%' and the first "%c" with `c` among
// `conversions` into `value`.
void substituteOnceInto(std::string& result, const std::string& format, const char* conversions,
                        std::string_view value) {
    result.clear();
    result.reserve(format.size() + value.size());
    bool substituted = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 == format.size()) {
            result += c;
            continue;
        }
        const char next = format[i + 1];
        if (next == '%') {
            result += '%';
            ++i;
            continue;
        }
        bool isExpected = false;
        for (const char* kind = conversions; *kind; ++kind)
            isExpected = isExpected || next == *kind;
        if (isExpected && !substituted) {
            result += value;
            substituted = true;
            ++i;
            continue;
        }
        // Not ours to fill: the '%' stands as written and so does what follows.
        result += c;
    }
}

std::string substituteOnce(const std::string& format, const char* conversions, std::string_view value) {
    std::string result;
    substituteOnceInto(result, format, conversions, value);
    return result;
}

} // namespace

std::vector<std::string> langPlaceholders(const std::string& text) {
    std::vector<std::string> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        if (i + 1 == text.size()) {
            found.push_back("%");
            break;
        }
        if (text[i + 1] != '%')
            found.push_back(text.substr(i, 2));
        ++i;
    }
    return found;
}

std::string formatLangText(const std::string& format, const std::string& value) {
    return substituteOnce(format, "s", value);
}

void formatLangTextInto(std::string& out, const std::string& format, std::string_view value) {
    substituteOnceInto(out, format, "s", value);
}

std::string formatLangText(const std::string& format, int value) {
    return substituteOnce(format, "di", std::to_string(value));
}

} // namespace drovil
