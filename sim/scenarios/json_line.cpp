#include "scenarios/json_line.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace sim {
namespace {

// The length of the UTF-8 sequence starting at `at`, 0 when it is not one.
std::size_t utf8SequenceAt(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    // No overlong forms, no surrogates, nothing past the last code point.
    static const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}

// A JSON string's text from `at` (just past its opening quote) up to its closing quote.
bool readJsonString(const std::string& line, std::size_t& at, std::string& text) {
    text.clear();
    while (at < line.size()) {
        const char c = line[at++];
        if (c == '"')
            return true;
        if (c != '\\') {
            text += c;
            continue;
        }
        if (at >= line.size())
            return false;
        const char escaped = line[at++];
        switch (escaped) {
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 'r':
            text += '\r';
            break;
        case 'b':
            text += '\b';
            break;
        case 'f':
            text += '\f';
            break;
        case 'u': {
            if (at + 4 > line.size())
                return false;
            const unsigned code = static_cast<unsigned>(std::strtoul(line.substr(at, 4).c_str(), nullptr, 16));
            at += 4;
            // As UTF-8; a surrogate half (a letter beyond the first 65536) is
            // more than a table needs and becomes '?'.
            if (code < 0x80) {
                text += static_cast<char>(code);
            } else if (code < 0x800) {
                text += static_cast<char>(0xC0 | (code >> 6));
                text += static_cast<char>(0x80 | (code & 0x3F));
            } else if (code < 0xD800 || code > 0xDFFF) {
                text += static_cast<char>(0xE0 | (code >> 12));
                text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                text += static_cast<char>(0x80 | (code & 0x3F));
            } else {
                text += '?';
            }
            break;
        }
        default:
            text += escaped; // \" \\ \/
        }
    }
    return false;
}

void skipSpaces(const std::string& line, std::size_t& at) {
    while (at < line.size() && std::isspace(static_cast<unsigned char>(line[at])))
        ++at;
}

} // namespace

std::string asUtf8(const std::string& text) {
    bool valid = true;
    for (std::size_t at = 0; at < text.size() && valid;) {
        const std::size_t length = utf8SequenceAt(text, at);
        valid = length != 0;
        at += length;
    }
    if (valid)
        return text;
    std::string converted;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            converted += c;
        } else {
            converted += static_cast<char>(0xC0 | (byte >> 6));
            converted += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return converted;
}

std::string jsonQuoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : asUtf8(text)) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                quoted += escaped;
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

void JsonLine::name(const char* field) {
    if (!fields_.empty())
        fields_ += ",";
    fields_ += jsonQuoted(field) + ":";
}

JsonLine& JsonLine::add(const char* field, const std::string& value) {
    name(field);
    fields_ += jsonQuoted(value);
    return *this;
}

JsonLine& JsonLine::add(const char* field, long long value) {
    name(field);
    fields_ += std::to_string(value);
    return *this;
}

JsonLine& JsonLine::add(const char* field, bool value) {
    name(field);
    fields_ += value ? "true" : "false";
    return *this;
}

JsonLine& JsonLine::addNull(const char* field) {
    name(field);
    fields_ += "null";
    return *this;
}

bool readFlatJsonObject(const std::string& line, std::map<std::string, std::string>& fields) {
    fields.clear();
    std::size_t at = 0;
    skipSpaces(line, at);
    if (at >= line.size() || line[at++] != '{')
        return false;
    skipSpaces(line, at);
    if (at < line.size() && line[at] == '}')
        return true;
    while (at < line.size()) {
        std::string name, value;
        skipSpaces(line, at);
        if (at >= line.size() || line[at++] != '"' || !readJsonString(line, at, name))
            return false;
        skipSpaces(line, at);
        if (at >= line.size() || line[at++] != ':')
            return false;
        skipSpaces(line, at);
        if (at >= line.size())
            return false;
        if (line[at] == '"') {
            ++at;
            if (!readJsonString(line, at, value))
                return false;
        } else {
            const std::size_t end = line.find_first_of(",}", at);
            if (end == std::string::npos)
                return false;
            value = line.substr(at, end - at);
            while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back())))
                value.pop_back();
            if (value.empty() || value[0] == '{' || value[0] == '[')
                return false;
            at = end;
        }
        fields[name] = value;
        skipSpaces(line, at);
        if (at >= line.size())
            return false;
        if (line[at] == '}')
            return true;
        if (line[at++] != ',')
            return false;
    }
    return false;
}

} // namespace sim
