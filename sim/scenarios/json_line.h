#pragma once
// One JSON object on one line, built field by field, for the machine-readable
// timeline (drovil-sim --json) and anything else a tool reads line by line.
// Texts the game shows are 8-bit: a translated Lang.dat may hold Latin-1
// letters, which are written as the Unicode letters they stand for, so every
// line is valid UTF-8 JSON whatever the files hold.
#include <cstdint>
#include <map>
#include <string>

namespace sim {

// The text as valid UTF-8: kept as it is when it already is, otherwise each byte
// of 0x80 and above is read as the Latin-1 letter of that code.
std::string asUtf8(const std::string& text);
// The text as a quoted JSON string (as UTF-8, with the characters JSON wants
// escaped escaped).
std::string jsonQuoted(const std::string& text);

// The fields of a JSON object whose values are all plain (strings, numbers,
// true, false, null), as texts: strings unescaped, the others as written. False
// when the line is not such an object (what a tool reading the timeline needs,
// not a general JSON reader).
bool readFlatJsonObject(const std::string& line, std::map<std::string, std::string>& fields);

class JsonLine {
public:
    JsonLine& add(const char* name, const std::string& value);
    JsonLine& add(const char* name, const char* value) { return add(name, std::string(value)); }
    JsonLine& add(const char* name, long long value);
    JsonLine& add(const char* name, int value) { return add(name, static_cast<long long>(value)); }
    JsonLine& add(const char* name, std::uint64_t value) { return add(name, static_cast<long long>(value)); }
    JsonLine& add(const char* name, bool value);
    JsonLine& addNull(const char* name);
    // "{...}" without a line end.
    std::string text() const { return "{" + fields_ + "}"; }

private:
    void name(const char* field);
    std::string fields_;
};

} // namespace sim
