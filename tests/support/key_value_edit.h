#pragma once
// Hand-editing a key=value file's text the way a player or modder would.
#include <string>

namespace test {

// `key=value` in place of the line of `key` (added at the end when absent).
std::string withValue(const std::string& text, const std::string& key, const std::string& value);

} // namespace test
